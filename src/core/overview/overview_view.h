#pragma once

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
};

// What the main window keeps of its overview between draws: whether there
// are drawings to show (nothing is drawn while there are none) and where the
// last draw put the survey coordinates.
struct OverviewState {
    bool drawingsPresent = false;
    OverviewView view;
};

} // namespace ft::overview
