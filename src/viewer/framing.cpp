#include "viewer/framing.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace ft::viewer {
namespace {

struct Range {
    double low = 0.0;
    double high = 0.0;
};

// The range of the values without those far outside their bulk.
std::optional<Range> framedRange(std::vector<double> values)
{
    std::erase_if(values, [](double value) { return !std::isfinite(value); });
    if (values.empty())
        return std::nullopt;
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    Range all{*lowest, *highest};
    if (values.size() < kFewestToLeaveOut)
        return all;
    const std::size_t setAside = std::max<std::size_t>(1, values.size() / 100);
    const auto bulkLow = values.begin() + static_cast<std::ptrdiff_t>(setAside);
    const auto bulkHigh = values.end() - 1 - static_cast<std::ptrdiff_t>(setAside);
    std::nth_element(values.begin(), bulkLow, values.end());
    const double low = *bulkLow;
    std::nth_element(values.begin(), bulkHigh, values.end());
    const double high = *bulkHigh;
    const double reach = kFarOutsideBulk * std::max(high - low, kNarrowestBulk);
    if (all.low >= low - reach && all.high <= high + reach)
        return all; // the ordinary case: nothing is far out
    Range framed{high, low};
    for (const double value : values) {
        if (value < low - reach || value > high + reach)
            continue;
        framed.low = std::min(framed.low, value);
        framed.high = std::max(framed.high, value);
    }
    return framed;
}

} // namespace

MapBox framingBox(const std::vector<QPointF>& coordinates)
{
    std::vector<double> xs;
    std::vector<double> ys;
    xs.reserve(coordinates.size());
    ys.reserve(coordinates.size());
    for (const QPointF& point : coordinates) {
        xs.push_back(point.x());
        ys.push_back(point.y());
    }
    const std::optional<Range> x = framedRange(std::move(xs));
    const std::optional<Range> y = framedRange(std::move(ys));
    if (!x || !y)
        return {};
    return {x->low, y->low, x->high, y->high};
}

std::vector<QPointF> coordinatesOf(const SceneDrawing& scene)
{
    std::vector<QPointF> coordinates(scene.points.begin(), scene.points.end());
    for (const ScenePoint& point : scene.controlPoints)
        coordinates.push_back(point.at);
    for (const std::vector<SceneSheet>* sheets : {&scene.mapSheets, &scene.frames})
        for (const SceneSheet& sheet : *sheets)
            coordinates.insert(coordinates.end(), sheet.outline.begin(), sheet.outline.end());
    for (const QPolygonF& line : scene.frameLines)
        coordinates.insert(coordinates.end(), line.begin(), line.end());
    return coordinates;
}

} // namespace ft::viewer
