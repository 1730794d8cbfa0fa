#include "core/overview/overview_window.h"

#include <cmath>

namespace ft::overview {

namespace {

// The margin: the window is this much larger than the extent on its
// limiting axis (a tenth on each side).
constexpr double kMarginFactor = 1.2;

} // namespace

double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return floor + 1.0;
    if (fraction < 0.5)
        return floor;
    // Halving a whole number is exact: it is even when its half is whole.
    const double half = floor * 0.5;
    return std::floor(half) == half ? floor : floor + 1.0;
}

bool fitWindow(OverviewView& view, const formats::Extent& extent)
{
    if (view.pixelWidth <= 0 || view.pixelHeight <= 0)
        return false;
    double width = extent.qxmax - extent.qxmin;
    double height = extent.qymax - extent.qymin;
    if (!(width >= 0.0 && height >= 0.0))
        return false;
    const double centreX = width / 2 + extent.qxmin;
    const double centreY = height / 2 + extent.qymin;
    // A single point has no size to fit; one unit high keeps it centred.
    if (width == 0.0 && height == 0.0)
        height = 1.0;

    const double aspect = static_cast<double>(view.pixelWidth) / view.pixelHeight;
    if (aspect * height >= width)
        width = aspect * height;
    else
        height = width / aspect;
    width *= kMarginFactor;
    height *= kMarginFactor;

    const double left = centreX - width / 2;
    const double bottom = centreY - height / 2;
    if (!std::isfinite(left) || !std::isfinite(bottom) || !std::isfinite(width) ||
        !std::isfinite(height) || !std::isfinite(left + width) || !std::isfinite(bottom + height))
        return false;

    view.left = left;
    view.right = left + width;
    view.bottom = bottom;
    view.top = bottom + height;
    view.windowWidth = width;
    view.windowHeight = height;
    return true;
}

PixelPoint toPixel(const OverviewView& view, SurveyPoint point)
{
    return {roundHalfEven((point.x - view.left) * view.pixelWidth / view.windowWidth),
            roundHalfEven((view.top - point.y) * view.pixelHeight / view.windowHeight)};
}

SurveyPoint surveyPointAt(const OverviewView& view, int x, int y)
{
    if (view.pixelWidth <= 0 || view.pixelHeight <= 0)
        return {view.left, view.top};
    return {x * view.windowWidth / view.pixelWidth + view.left,
            view.top - y * view.windowHeight / view.pixelHeight};
}

} // namespace ft::overview
