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

} // namespace ft::overview
