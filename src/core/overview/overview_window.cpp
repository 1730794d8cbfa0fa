#include "core/overview/overview_window.h"

#include <cmath>
#include <cstdint>

namespace ft::overview {

namespace {

// The margin: the window is this much larger than the extent on its
// limiting axis (a tenth on each side).
constexpr double kMarginFactor = 1.2;

// 2^52: the first double whose neighbours are all whole numbers.
constexpr double kWholeFrom = 4503599627370496.0;

} // namespace

double roundHalfEven(double value)
{
    // From 2^52 up every double is whole; NaN and the infinities stay too.
    if (!(std::abs(value) < kWholeFrom))
        return value;
    // Truncating by conversion: std::floor is a library call on the baseline
    // x86-64 instruction set, and a drawing rounds four times per segment.
    const auto truncated = static_cast<std::int64_t>(value);
    const std::int64_t floor = truncated - (static_cast<double>(truncated) > value ? 1 : 0);
    const double fraction = value - static_cast<double>(floor);
    if (fraction > 0.5)
        return static_cast<double>(floor + 1);
    if (fraction < 0.5)
        return static_cast<double>(floor);
    return static_cast<double>(floor % 2 == 0 ? floor : floor + 1);
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
