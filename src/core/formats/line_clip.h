#pragma once

// The part of a straight line inside an axis-aligned box, for the two
// drawings that must keep far-off lines within what a painter can take: the
// overview and the viewer's scene.

#include <optional>

namespace ft::formats {

// A box in any plane coordinates, minX <= maxX and minY <= maxY.
struct ClipBox {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
};

// The line's part inside the box, as the line's parameters: the points
// start + t × (dx, dy) for enter <= t <= leave.
struct LineSpan {
    double enter = 0.0;
    double leave = 1.0;
};

// Liang-Barsky: which part of the line from (x, y) along (dx, dy), 0 <= t <= 1,
// lies inside the box; nothing when the line misses it.
std::optional<LineSpan> clipLine(double x, double y, double dx, double dy, const ClipBox& box);

} // namespace ft::formats
