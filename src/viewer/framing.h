#pragma once

// The box a view of whole drawings frames (全体表示, a drawing opened without
// a request, a whole drawing asked for). A single wild coordinate — a slip of
// a few digits, 1e12 among survey values of ±100,000 m — would make that box
// so large that the drawing shrinks to a dot, so coordinates far outside the
// bulk of a drawing's coordinates are left out of it. They are still drawn,
// and the drawing's bounds (hit tests, paper) still hold them.

#include "viewer/drawing_scene.h"

#include <QPointF>

#include <vector>

namespace ft::viewer {

// Fewer coordinates than this tell no bulk from the rest: all are framed.
inline constexpr std::size_t kFewestToLeaveOut = 10;
// A value is left out when it lies further outside the bulk than this many
// times the bulk's width.
inline constexpr double kFarOutsideBulk = 10.0;
// The narrowest bulk the rule reckons with, in metres (a drawing whose
// coordinates share one value on an axis).
inline constexpr double kNarrowestBulk = 20.0;

// The bounding box of the coordinates, each axis on its own without the
// values far outside its bulk: the range left when the most outlying values
// (one in a hundred at each end, at least one) are set aside. Coordinates
// that are not finite are never framed. When no value lies that far out, the
// box is exactly the coordinates' bounding box.
MapBox framingBox(const std::vector<QPointF>& coordinates);

// Every coordinate of the scene: boundary and control points, the corners of
// map sheets and sheet frames, the vertices of frame lines.
std::vector<QPointF> coordinatesOf(const SceneDrawing& scene);

} // namespace ft::viewer
