#include "core/overview/overview_zoom.h"

#include "core/formats/converter_support.h"
#include "core/overview/overview_drawing.h"
#include "core/overview/overview_hit_test.h"
#include "core/overview/segment_store.h"
#include "devtools/temp_folder.h"
#include "overview_files.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace ft::overview {
namespace {

using test::segmentLine;
using test::sheetLine;
using test::writeLines;

// Extent 0..1000 across, 0..500 up in 601 pixels: the whole window is
// left -100, top 850, 1200 units each way.
const formats::Extent kExtent{0, 0, 1000, 500};
const QRgb kGreen = qRgb(0, 128, 0);

OverviewView wholeExample()
{
    OverviewView view;
    view.clientWidth = view.pixelWidth = 601;
    view.clientHeight = view.pixelHeight = 601;
    EXPECT_TRUE(fitWindow(view, kExtent));
    return view;
}

void expectSamePoint(SurveyPoint a, SurveyPoint b)
{
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
}

// The survey point under the pointer stays under it; the window keeps the
// image's proportions, never grows past the whole window nor shrinks past
// the narrowest, and never leaves the whole window.
TEST(OverviewZoomTest, ZoomKeepsThePointUnderThePointerWithinItsLimits)
{
    const OverviewView whole = wholeExample();
    OverviewView view = whole;
    const SurveyPoint underPointer = surveyPointAt(view, 300, 300);
    ASSERT_TRUE(zoomAround(view, kExtent, {300, 300}, 4.0));
    EXPECT_DOUBLE_EQ(view.windowWidth, 300.0);
    EXPECT_DOUBLE_EQ(view.windowHeight, 300.0);
    expectSamePoint(surveyPointAt(view, 300, 300), underPointer);
    EXPECT_TRUE(keptWindowOf(view, kExtent).has_value());

    // At the top left corner the anchor is the whole window's corner.
    OverviewView corner = whole;
    ASSERT_TRUE(zoomAround(corner, kExtent, {0, 0}, 2.0));
    EXPECT_DOUBLE_EQ(corner.left, -100.0);
    EXPECT_DOUBLE_EQ(corner.top, 850.0);

    // Zooming in near an edge and out again pushes the window back inside.
    ASSERT_TRUE(zoomAround(view, kExtent, {590, 590}, 1 / 3.5));
    EXPECT_GE(view.left, whole.left);
    EXPECT_LE(view.right, whole.right + 1e-9);
    EXPECT_LE(view.top, whole.top);
    EXPECT_GE(view.bottom, whole.bottom - 1e-9);

    // Out past the whole window: exactly the whole window, nothing to keep.
    ASSERT_TRUE(zoomAround(view, kExtent, {10, 500}, 0.01));
    EXPECT_EQ(view, whole);
    EXPECT_FALSE(keptWindowOf(view, kExtent).has_value());
    EXPECT_FALSE(zoomAround(view, kExtent, {10, 500}, 0.5));

    // In past the narrowest window: stops there, and goes no further.
    ASSERT_TRUE(zoomAround(view, kExtent, {200, 400}, 1e9));
    EXPECT_DOUBLE_EQ(view.windowWidth, kNarrowestWindowWidth);
    EXPECT_FALSE(zoomAround(view, kExtent, {200, 400}, 2.0));

    for (const double factor : {0.0, -2.0, std::nan("")})
        EXPECT_FALSE(zoomAround(view, kExtent, {1, 1}, factor));
}

TEST(OverviewZoomTest, PanMovesThePictureWithinTheWholeWindow)
{
    const OverviewView whole = wholeExample();
    OverviewView view = whole;
    EXPECT_FALSE(panBy(view, kExtent, 30, 30)); // nothing to move at the whole window

    ASSERT_TRUE(zoomAround(view, kExtent, {300, 300}, 4.0));
    const SurveyPoint grabbed = surveyPointAt(view, 300, 300);
    ASSERT_TRUE(panBy(view, kExtent, 30, -20));
    expectSamePoint(surveyPointAt(view, 330, 280), grabbed);

    ASSERT_TRUE(panBy(view, kExtent, 1e6, -1e6)); // far right and up: stops at the edge
    EXPECT_DOUBLE_EQ(view.left, whole.left);
    EXPECT_DOUBLE_EQ(view.bottom, whole.bottom);
    EXPECT_FALSE(panBy(view, kExtent, 5, -5));
    EXPECT_DOUBLE_EQ(view.windowWidth, 300.0);
}

// A datum's window is put back over the extent it was chosen over, and
// forgotten over any other.
TEST(OverviewZoomTest, AKeptWindowHoldsOnlyForItsExtent)
{
    OverviewView zoomed = wholeExample();
    ASSERT_TRUE(zoomAround(zoomed, kExtent, {100, 200}, 3.0));
    ASSERT_TRUE(panBy(zoomed, kExtent, -7, 11));
    std::optional<KeptWindow> kept = keptWindowOf(zoomed, kExtent);

    OverviewView view;
    view.clientWidth = view.pixelWidth = 601;
    view.clientHeight = view.pixelHeight = 601;
    ASSERT_TRUE(placeWindow(view, kExtent, kept));
    EXPECT_EQ(view, zoomed);

    const formats::Extent grown{0, 0, 1000, 600};
    ASSERT_TRUE(placeWindow(view, grown, kept));
    EXPECT_FALSE(kept.has_value());
    OverviewView whole = view;
    ASSERT_TRUE(fitWindow(whole, grown));
    EXPECT_EQ(view, whole);
}

// Where a sheet's corner is drawn, at any zoom and pan, the pixel inside it
// hits the sheet and the pixel outside does not.
TEST(OverviewZoomTest, TheHitTestMatchesTheDrawingAtEveryZoom)
{
    test::TempFolder folder;
    const OverviewFiles files{folder / "f.he2", folder / "f.zu2", folder / "f.az2"};
    writeLines(files.sheetOutlines, {sheetLine("", 400, 200, 600, 300, 1)});
    struct Case {
        PixelPoint at;
        double factor;
        double dx, dy;
    };
    // (250, 326) is where the corner is drawn in the whole window.
    for (const Case& c : {Case{{300, 300}, 1.0, 0, 0}, Case{{217, 381}, 3.0, -40, 25},
                          Case{{250, 326}, 7.3, 13, -9}, Case{{250, 326}, 1e9, 0.5, 0.5}}) {
        OverviewView view = wholeExample();
        zoomAround(view, kExtent, c.at, c.factor);
        panBy(view, kExtent, c.dx, c.dy);
        QImage image(601, 601, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter canvas(&image);
        drawOverviewWindow(canvas, view, files, ShownDrawings{}, nullptr);
        canvas.end();

        const PixelPoint corner = toPixel(view, {400, 200}); // lower left
        ASSERT_TRUE(image.rect().contains(int(corner.x), int(corner.y))) << c.factor;
        EXPECT_EQ(image.pixel(int(corner.x), int(corner.y)), kGreen) << c.factor;
        const auto hits = [&](int x, int y) {
            return !sheetsAt(files.sheetOutlines, surveyPointAt(view, x, y))->empty();
        };
        EXPECT_TRUE(hits(int(corner.x) + 1, int(corner.y) - 1)) << c.factor;
        EXPECT_FALSE(hits(int(corner.x) - 1, int(corner.y) - 1)) << c.factor;
        EXPECT_FALSE(hits(int(corner.x) + 1, int(corner.y) + 1)) << c.factor;
    }
}

TEST(OverviewZoomTest, TheScaleBarIsARoundLengthInMetres)
{
    struct Case {
        double windowWidth;
        double metres;
        int pixels;
        const char* label;
    };
    // 601 pixels across, at most 120 of them for the bar.
    for (const Case& c : {Case{1200, 200, 100, "200 m"}, Case{10, 1, 60, "1 m"},
                          Case{30000, 5000, 100, "5,000 m"}, Case{1.5, 0.2, 80, "0.2 m"},
                          Case{601 * 2.0, 200, 100, "200 m"}, Case{601, 100, 100, "100 m"},
                          // Far beyond a 64-bit integer: a huge coordinate.
                          Case{601e19, 1e21, 100, "1,000,000,000,000,000,000,000 m"}}) {
        OverviewView view;
        view.pixelWidth = 601;
        view.windowWidth = c.windowWidth;
        const std::optional<ScaleBar> bar = scaleBarFor(view, 120);
        ASSERT_TRUE(bar.has_value()) << c.windowWidth;
        EXPECT_DOUBLE_EQ(bar->metres, c.metres) << c.windowWidth;
        EXPECT_EQ(bar->pixels, c.pixels) << c.windowWidth;
        EXPECT_EQ(bar->label.toStdString(), c.label) << c.windowWidth;
    }
    EXPECT_FALSE(scaleBarFor(OverviewView{}, 120).has_value());
}

// The store gives back the very coordinates the file's text gives, and
// refuses what it cannot hold exactly, so a drawing from it is the drawing
// from the file.
TEST(SegmentStoreTest, HoldsTheFilesSegmentsExactlyOrNotAtAll)
{
    test::TempFolder folder;
    const std::filesystem::path file = folder / "f.az2";
    std::vector<std::string> lines;
    std::uint32_t seed = 99;
    const auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
    };
    for (int i = 0; i < 3000; ++i)
        lines.push_back(segmentLine(next(1200000) / 1000.0 - 100, next(900000) / 1000.0 - 200,
                                    next(1200000) / 1000.0 - 100, next(900000) / 1000.0 - 200,
                                    i % 50 == 0 ? 0 : 1));
    writeLines(file, lines);
    const std::optional<SegmentStore> store = SegmentStore::load(file);
    ASSERT_TRUE(store.has_value());
    std::vector<formats::SegmentEnds> expected;
    for (const std::string& line : lines)
        if (formats::parseSegmentEnds(line).fileNo >= 1)
            expected.push_back(formats::parseSegmentEnds(line));
    ASSERT_EQ(store->size(), expected.size());
    std::size_t i = 0;
    bool same = true;
    store->forEach([](int) { return true; },
                   [&](SurveyPoint a, SurveyPoint b) {
                       const formats::SegmentEnds& e = expected[i++];
                       same = same && a.x == e.x1 && a.y == e.y1 && b.x == e.x2 && b.y == e.y2;
                   });
    EXPECT_TRUE(same);

    OverviewView view = wholeExample();
    zoomAround(view, kExtent, {250, 350}, 5.0);
    const OverviewFiles files{folder / "f.he2", folder / "f.zu2", file};
    QImage fromFile(601, 601, QImage::Format_RGB32);
    QImage fromStore(601, 601, QImage::Format_RGB32);
    for (auto [image, segments] : {std::pair{&fromFile, static_cast<const SegmentStore*>(nullptr)},
                                   std::pair{&fromStore, &*store}}) {
        image->fill(Qt::white);
        QPainter canvas(image);
        drawOverviewWindow(canvas, view, files, ShownDrawings{}, segments);
    }
    EXPECT_EQ(fromFile, fromStore);

    for (const char* line : {"1,1,,,0.0001,0.000,1.000,1.000,0,1,",         // a fourth decimal
                             "1,1,,,0.000,0.000,3000000.000,1.000,0,1,"}) { // 3,000 km away
        test::writeBytes(file,
                         std::string("1,1,,,5.000,5.000,6.000,6.000,0,1,\r\n") + line + "\r\n");
        EXPECT_FALSE(SegmentStore::load(file).has_value()) << line;
    }
    test::writeBytes(file, "1,1,,,5.000,5.000,x,6.000,0,1,\r\n");
    EXPECT_THROW(SegmentStore::load(file), formats::SourceFileError);
    EXPECT_FALSE(SegmentStore::load(folder / "missing.az2").has_value());
}

} // namespace
} // namespace ft::overview
