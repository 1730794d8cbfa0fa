#include "core/formats/line_clip.h"

#include <algorithm>

namespace ft::formats {

std::optional<LineSpan> clipLine(double x, double y, double dx, double dy, const ClipBox& box)
{
    LineSpan span;
    // distance: how far the start lies inside one side of the box;
    // direction: how fast the line moves towards the outside of it.
    const auto clip = [&](double direction, double distance) {
        if (direction == 0.0)
            return distance >= 0.0;
        const double t = distance / direction;
        if (direction > 0.0)
            span.leave = std::min(span.leave, t);
        else
            span.enter = std::max(span.enter, t);
        return span.enter <= span.leave;
    };
    if (!clip(-dx, x - box.minX) || !clip(dx, box.maxX - x) || !clip(-dy, y - box.minY) ||
        !clip(dy, box.maxY - y))
        return std::nullopt;
    return span;
}

} // namespace ft::formats
