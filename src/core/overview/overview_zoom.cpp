#include "core/overview/overview_zoom.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace ft::overview {

namespace {

// Every window goes into the view through here, so that a window put back
// from where it was kept reads exactly as it did when it was shown.
void setWindow(OverviewView& view, double left, double top, double width, double height)
{
    view.left = left;
    view.top = top;
    view.windowWidth = width;
    view.windowHeight = height;
    view.right = left + width;
    view.bottom = top - height;
}

void copyWindow(OverviewView& view, const OverviewView& from)
{
    view.left = from.left;
    view.top = from.top;
    view.windowWidth = from.windowWidth;
    view.windowHeight = from.windowHeight;
    view.right = from.right;
    view.bottom = from.bottom;
}

// The window moved, as little as it takes, to lie within the whole window
// (which is at least as large).
void showWithin(OverviewView& view, const OverviewView& whole, double left, double top,
                double width, double height)
{
    left = std::max(whole.left, std::min(left, whole.right - width));
    top = std::min(whole.top, std::max(top, whole.bottom + height));
    setWindow(view, left, top, width, height);
}

bool showsWhole(const OverviewView& view, const OverviewView& whole)
{
    return view.windowWidth >= whole.windowWidth;
}

} // namespace

std::optional<OverviewView> wholeView(const OverviewView& view, const formats::Extent& extent)
{
    OverviewView whole = view;
    if (!fitWindow(whole, extent))
        return std::nullopt;
    return whole;
}

bool zoomAround(OverviewView& view, const formats::Extent& extent, PixelPoint at, double factor)
{
    const std::optional<OverviewView> whole = wholeView(view, extent);
    if (!whole || !std::isfinite(factor) || factor <= 0.0 || !(view.windowWidth > 0.0) ||
        !(view.windowHeight > 0.0))
        return false;
    const double narrowest = std::min(kNarrowestWindowWidth, whole->windowWidth);
    const double width = std::clamp(view.windowWidth / factor, narrowest, whole->windowWidth);
    if (width >= whole->windowWidth) {
        const OverviewView before = view;
        copyWindow(view, *whole);
        return !(view == before);
    }
    if (width == view.windowWidth)
        return false;
    // Equal scales across and up, as the whole window has them.
    const double height = width * whole->windowHeight / whole->windowWidth;
    const double anchorX = view.left + at.x * view.windowWidth / view.pixelWidth;
    const double anchorY = view.top - at.y * view.windowHeight / view.pixelHeight;
    showWithin(view, *whole, anchorX - at.x * width / view.pixelWidth,
               anchorY + at.y * height / view.pixelHeight, width, height);
    return true;
}

bool panBy(OverviewView& view, const formats::Extent& extent, double dx, double dy)
{
    const std::optional<OverviewView> whole = wholeView(view, extent);
    if (!whole || showsWhole(view, *whole) || !std::isfinite(dx) || !std::isfinite(dy))
        return false;
    const OverviewView before = view;
    showWithin(view, *whole, view.left - dx * view.windowWidth / view.pixelWidth,
               view.top + dy * view.windowHeight / view.pixelHeight, view.windowWidth,
               view.windowHeight);
    return !(view == before);
}

std::optional<KeptWindow> keptWindowOf(const OverviewView& view, const formats::Extent& extent)
{
    const std::optional<OverviewView> whole = wholeView(view, extent);
    if (!whole || showsWhole(view, *whole))
        return std::nullopt;
    return KeptWindow{extent, view.left, view.top, view.windowWidth, view.windowHeight};
}

bool placeWindow(OverviewView& view, const formats::Extent& extent, std::optional<KeptWindow>& kept)
{
    if (!fitWindow(view, extent))
        return false;
    if (kept && !(kept->extent == extent))
        kept.reset();
    if (kept)
        setWindow(view, kept->left, kept->top, kept->windowWidth, kept->windowHeight);
    return true;
}

std::optional<ScaleBar> scaleBarFor(const OverviewView& view, int longestPixels)
{
    if (view.pixelWidth <= 0 || longestPixels < 1 || !(view.windowWidth > 0.0))
        return std::nullopt;
    const double metresPerPixel = view.windowWidth / view.pixelWidth;
    const double longest = longestPixels * metresPerPixel;
    if (!std::isfinite(longest) || longest <= 0.0)
        return std::nullopt;
    const double power = std::pow(10.0, std::floor(std::log10(longest)));
    double metres = power;
    for (const double step : {5.0, 2.0}) {
        if (step * power <= longest) {
            metres = step * power;
            break;
        }
    }
    ScaleBar bar;
    bar.metres = metres;
    bar.pixels = std::max(1, static_cast<int>(std::lround(metres / metresPerPixel)));
    // Whole metres written from the double itself: a huge coordinate's bar
    // is longer than any 64-bit integer.
    const QString number = metres >= 1.0 ? QLocale(QLocale::English).toString(metres, 'f', 0)
                                         : QString::number(metres, 'g', 1);
    bar.label = number + QStringLiteral(" m");
    return bar;
}

} // namespace ft::overview
