#pragma once

#include "core/formats/extent.h"
#include "core/workspace/datum.h"

#include <optional>

namespace ft::overview {

// Where the last overview drawing put the survey coordinates: the image size
// in pixels and the survey-coordinate window it showed. The click test
// inverts this mapping.
struct OverviewView {
    int originX = 0;
    int originY = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int pixelWidth = 0;
    int pixelHeight = 0;
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
    double top = 0.0;
    double windowWidth = 0.0;
    double windowHeight = 0.0;

    bool operator==(const OverviewView&) const = default;
};

// The survey window a datum's overview was zoomed or panned to, with the
// extent it was chosen over: once the extent is another (a registration or
// delete-all changed it), the window no longer means the same place and the
// overview shows everything again.
struct KeptWindow {
    formats::Extent extent;
    double left = 0.0;
    double top = 0.0;
    double windowWidth = 0.0;
    double windowHeight = 0.0;
};

// What the main window keeps of its overview between draws: whether there
// are drawings to show (nothing is drawn while there are none), where the
// last draw put the survey coordinates, and the window each datum was zoomed
// to (none: the whole extent), kept while the program runs.
struct OverviewState {
    bool drawingsPresent = false;
    OverviewView view;
    workspace::PerDatum<std::optional<KeptWindow>> keptWindows;
};

} // namespace ft::overview
