#pragma once

#include "core/formats/extent.h"
#include "core/overview/overview_view.h"
#include "core/overview/overview_window.h"

#include <QString>

#include <optional>

namespace ft::overview {

// One wheel notch zooms by this factor, as in Tavla.
inline constexpr double kZoomStep = 1.25;

// The narrowest window the overview zooms in to, in survey units (metres):
// 601 pixels then show a strip of parcels a few centimetres to the pixel,
// and the coordinates stay far from the limits of a double.
inline constexpr double kNarrowestWindowWidth = 10.0;

// The whole extent's window for the view's pixel size, as fitWindow makes it:
// what Home shows, and the bounds of every zoom and pan. Nothing when the
// extent admits no window.
std::optional<OverviewView> wholeView(const OverviewView& view, const formats::Extent& extent);

// Zooms by `factor` (above 1 in, below 1 out) around the pixel: the survey
// point under it stays under it. The window never becomes wider than the
// whole extent's window (it then is that window, exactly), nor narrower than
// kNarrowestWindowWidth, and never leaves the whole extent's window. Returns
// false when the view did not change: at a limit, or no window.
bool zoomAround(OverviewView& view, const formats::Extent& extent, PixelPoint at, double factor);

// Moves the picture by (dx, dy) pixels (the survey window the other way),
// within the whole extent's window. Returns false when the view did not
// change: the whole extent is shown already, or it is at an edge.
bool panBy(OverviewView& view, const formats::Extent& extent, double dx, double dy);

// The view's window to keep for its datum; nothing when it shows the whole
// extent.
std::optional<KeptWindow> keptWindowOf(const OverviewView& view, const formats::Extent& extent);

// Fits the extent into the view (fitWindow) and then shows the kept window,
// when it was chosen over this very extent; a window kept over another extent
// is forgotten. Returns false, and leaves the view as it was, as fitWindow.
bool placeWindow(OverviewView& view, const formats::Extent& extent,
                 std::optional<KeptWindow>& kept);

// A bar of a round length (1, 2 or 5 times a power of ten metres) that tells
// the zoom: `pixels` long on the overview, `label` such as "200 m".
struct ScaleBar {
    double metres = 0.0;
    int pixels = 0;
    QString label;
};

// The longest round length that fits in `longestPixels` at the view's zoom;
// nothing when the view has no window.
std::optional<ScaleBar> scaleBarFor(const OverviewView& view, int longestPixels);

} // namespace ft::overview
