#pragma once

#include "core/formats/extent.h"
#include "core/overview/overview_view.h"

namespace ft::overview {

// A point in survey units: horizontal value x (grows to the right on the
// screen), vertical value y (grows upward).
struct SurveyPoint {
    double x = 0.0;
    double y = 0.0;
};

// A pixel position kept in double precision: rounded to whole pixels, but
// not yet narrowed to int, so a point far outside the image cannot overflow.
struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

// Rounds to the nearest integer, a half to the even neighbour (0.5 -> 0,
// 1.5 -> 2), whatever rounding mode the process runs in.
double roundHalfEven(double value);

// Fits the extent into the view's pixel size: the window gets the image's
// proportions, keeps the extent centred and adds a tenth of its size on each
// side of the limiting axis, so horizontal and vertical scales are equal.
// Writes left, bottom, right, top and the window size into the view and
// returns true. An extent that is a single point gets a window one unit
// high (rather than dividing by zero). Returns false and leaves the view
// as it was when no window can be formed: the view has no pixel size, the
// extent is empty (minimum above maximum: no sheet was ever recorded), or the
// window would not be finite.
bool fitWindow(OverviewView& view, const formats::Extent& extent);

// The pixel the survey point is drawn at with the view's window.
PixelPoint toPixel(const OverviewView& view, SurveyPoint point);

// The survey point under a pixel, unrounded: the inverse of toPixel before
// rounding. A view without a pixel size maps every pixel to (left, top).
SurveyPoint surveyPointAt(const OverviewView& view, int x, int y);

} // namespace ft::overview
