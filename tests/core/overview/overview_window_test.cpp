#include "core/overview/overview_window.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ft::overview {
namespace {

OverviewView viewOfSize(int width, int height)
{
    OverviewView view;
    view.clientWidth = view.pixelWidth = width;
    view.clientHeight = view.pixelHeight = height;
    return view;
}

formats::Extent extentOf(double xmin, double ymin, double xmax, double ymax)
{
    return {xmin, ymin, xmax, ymax};
}

void expectPixel(const OverviewView& view, SurveyPoint point, double x, double y)
{
    const PixelPoint pixel = toPixel(view, point);
    EXPECT_EQ(pixel.x, x) << "survey " << point.x << ", " << point.y;
    EXPECT_EQ(pixel.y, y) << "survey " << point.x << ", " << point.y;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(300.5), 300.0);
    EXPECT_EQ(roundHalfEven(-0.5), 0.0);
    EXPECT_EQ(roundHalfEven(-1.5), -2.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(425.792), 426.0);
    EXPECT_EQ(roundHalfEven(50.083), 50.0);
    EXPECT_EQ(roundHalfEven(-7.6), -8.0);
}

TEST(FitWindow, WideExtentIsCentredWithATenthMarginOnEachSide)
{
    OverviewView view = viewOfSize(601, 601);
    ASSERT_TRUE(fitWindow(view, extentOf(0, 0, 1000, 500)));
    EXPECT_DOUBLE_EQ(view.windowWidth, 1200);
    EXPECT_DOUBLE_EQ(view.windowHeight, 1200);
    EXPECT_DOUBLE_EQ(view.left, -100);
    EXPECT_DOUBLE_EQ(view.right, 1100);
    EXPECT_DOUBLE_EQ(view.bottom, -350);
    EXPECT_DOUBLE_EQ(view.top, 850);
    // The integers are the caller's and stay.
    EXPECT_EQ(view.pixelWidth, 601);
    EXPECT_EQ(view.clientHeight, 601);

    expectPixel(view, {0, 0}, 50, 426);
    expectPixel(view, {1000, 500}, 551, 175);
    // Larger vertical values lie higher up, on smaller rows.
    expectPixel(view, {500, 250}, 300, 300);
}

TEST(FitWindow, TallExtentWidensTheWindowInstead)
{
    OverviewView view = viewOfSize(601, 601);
    ASSERT_TRUE(fitWindow(view, extentOf(0, 0, 500, 1000)));
    EXPECT_DOUBLE_EQ(view.windowWidth, 1200);
    EXPECT_DOUBLE_EQ(view.windowHeight, 1200);
    EXPECT_DOUBLE_EQ(view.left, -350);
    EXPECT_DOUBLE_EQ(view.bottom, -100);
    // Centred left to right: equal room on either side.
    const PixelPoint left = toPixel(view, {0, 0});
    const PixelPoint right = toPixel(view, {500, 1000});
    EXPECT_EQ(left.x, 175);
    EXPECT_EQ(right.x, 426);
    EXPECT_EQ(left.y, 551);
    EXPECT_EQ(right.y, 50);
}

TEST(FitWindow, ScalesStayEqualOnAnImageThatIsNotSquare)
{
    OverviewView view = viewOfSize(800, 400);
    ASSERT_TRUE(fitWindow(view, extentOf(0, 0, 1000, 1000)));
    // Height limits: 1000 high plus margins, twice as wide as high.
    EXPECT_DOUBLE_EQ(view.windowHeight, 1200);
    EXPECT_DOUBLE_EQ(view.windowWidth, 2400);
    EXPECT_DOUBLE_EQ(view.pixelWidth / view.windowWidth, view.pixelHeight / view.windowHeight);
    expectPixel(view, {0, 0}, 233, 367);
    expectPixel(view, {1000, 1000}, 567, 33);
}

TEST(FitWindow, ASinglePointGetsAWindowAroundIt)
{
    OverviewView view = viewOfSize(601, 601);
    ASSERT_TRUE(fitWindow(view, extentOf(250, 750, 250, 750)));
    EXPECT_GT(view.windowWidth, 0);
    EXPECT_GT(view.windowHeight, 0);
    EXPECT_TRUE(std::isfinite(view.left) && std::isfinite(view.top));
    // The point lies on the middle of the 601 pixels (300.5, give or take the
    // last bit of the window's doubles).
    const PixelPoint pixel = toPixel(view, {250, 750});
    EXPECT_NEAR(pixel.x, 300.5, 0.5);
    EXPECT_NEAR(pixel.y, 300.5, 0.5);
}

TEST(FitWindow, ALineGetsItsLengthAsTheWindow)
{
    OverviewView view = viewOfSize(601, 601);
    ASSERT_TRUE(fitWindow(view, extentOf(0, 100, 1000, 100)));
    EXPECT_DOUBLE_EQ(view.windowWidth, 1200);
    EXPECT_DOUBLE_EQ(view.windowHeight, 1200);
    expectPixel(view, {0, 100}, 50, 300);
}

TEST(FitWindow, NoWindowForAnEmptyExtentOrAnImageWithoutSize)
{
    OverviewView before = viewOfSize(601, 601);
    before.left = 1;
    before.bottom = 2;
    before.right = 3;
    before.top = 4;
    before.windowWidth = 2;
    before.windowHeight = 2;

    // The start values of a registration run that recorded no sheet.
    OverviewView view = before;
    EXPECT_FALSE(fitWindow(view, formats::Extent{}));
    EXPECT_EQ(view.left, 1);
    EXPECT_EQ(view.top, 4);
    EXPECT_EQ(view.windowWidth, 2);

    EXPECT_FALSE(fitWindow(view, extentOf(0, 10, 100, 5)));
    EXPECT_FALSE(fitWindow(view, extentOf(-1e308, 0, 1e308, 1)));
    EXPECT_EQ(view.right, 3);

    OverviewView unsized = before;
    unsized.pixelWidth = 0;
    EXPECT_FALSE(fitWindow(unsized, extentOf(0, 0, 10, 10)));
    EXPECT_EQ(unsized.bottom, 2);
}

TEST(SurveyPointAt, InvertsTheWindowWithoutRounding)
{
    OverviewView view = viewOfSize(601, 601);
    ASSERT_TRUE(fitWindow(view, extentOf(0, 0, 1000, 500)));

    // The sheet corner (0, 0) is drawn at (50, 426), yet that pixel's own
    // point lies just outside it; the pixel up and right lies inside.
    const SurveyPoint outside = surveyPointAt(view, 50, 426);
    EXPECT_NEAR(outside.x, -0.166, 0.001);
    EXPECT_NEAR(outside.y, -0.582, 0.001);
    const SurveyPoint inside = surveyPointAt(view, 51, 425);
    EXPECT_NEAR(inside.x, 1.830, 0.001);
    EXPECT_NEAR(inside.y, 1.414, 0.001);

    EXPECT_DOUBLE_EQ(surveyPointAt(view, 0, 0).x, view.left);
    EXPECT_DOUBLE_EQ(surveyPointAt(view, 0, 0).y, view.top);

    // Drawing a clicked point lands on the clicked pixel again.
    for (const auto& [x, y] : {std::pair{0, 0}, {600, 600}, {137, 452}, {-20, 700}}) {
        const PixelPoint back = toPixel(view, surveyPointAt(view, x, y));
        EXPECT_EQ(back.x, x);
        EXPECT_EQ(back.y, y);
    }
}

TEST(SurveyPointAt, AWindowNeverDrawnMapsEveryPixelToTheOrigin)
{
    // Activation sets the pixel size; with no draw the doubles stay zero.
    const OverviewView view = viewOfSize(601, 601);
    for (const auto& [x, y] : {std::pair{0, 0}, {300, 300}, {600, 17}}) {
        const SurveyPoint point = surveyPointAt(view, x, y);
        EXPECT_EQ(point.x, 0.0);
        EXPECT_EQ(point.y, 0.0);
    }
    // Not even the pixel size set: no division by zero either.
    const SurveyPoint point = surveyPointAt(OverviewView{}, 10, 10);
    EXPECT_EQ(point.x, 0.0);
    EXPECT_EQ(point.y, 0.0);
}

} // namespace
} // namespace ft::overview
