#include "viewer/drawing_scene.h"

#include "core/dataset/data_set_links.h"
#include "core/formats/text_helpers.h"
#include "viewer/framing.h"
#include "viewer/screen_text.h"

#include <algorithm>
#include <cmath>

namespace ft::viewer {

namespace {

using dataset::kNoIndex;

QPointF mapOf(const dataset::PointCoords& p)
{
    return {p.second, p.first};
}

// The centre of area of a ring; the box centre for a ring without area, and
// also when the centre of a bent ring falls outside it.
QPointF ringCentreOf(const QPolygonF& ring, const MapBox& box)
{
    double area = 0.0;
    double cx = 0.0;
    double cy = 0.0;
    // Relative to the first vertex, so that large survey values lose no
    // precision in the products.
    const QPointF origin = ring.isEmpty() ? QPointF() : ring.front();
    for (qsizetype i = 0; i + 1 < ring.size(); ++i) {
        const QPointF a = ring[i] - origin;
        const QPointF b = ring[i + 1] - origin;
        const double cross = a.x() * b.y() - b.x() * a.y();
        area += cross;
        cx += (a.x() + b.x()) * cross;
        cy += (a.y() + b.y()) * cross;
    }
    const QPointF boxCentre((box.left + box.right) / 2, (box.bottom + box.top) / 2);
    if (std::abs(area) < 1e-9)
        return boxCentre;
    const QPointF centre = origin + QPointF(cx / (3.0 * area), cy / (3.0 * area));
    return ring.containsPoint(centre, Qt::OddEvenFill) ? centre : boxCentre;
}

// Where an outline's lot number goes: the centre of area of a closed ring,
// else the middle of its box.
QPointF labelPointOf(const SceneDrawing& scene, std::size_t i)
{
    const SceneOutline& outline = scene.outlines[i];
    const QPointF boxCentre((outline.box.left + outline.box.right) / 2,
                            (outline.box.bottom + outline.box.top) / 2);
    if (outline.shape != dataset::OutlineShape::Closed)
        return boxCentre;
    const QPolygonF ring = scene.firstPieceOf(i);
    return ring.isEmpty() ? boxCentre : ringCentreOf(ring, outline.box);
}

// Adds an outline's vertices, lot number and box to the scene.
void addOutline(SceneDrawing& scene, const dataset::SurveyDataSet& set,
                const dataset::Outline& outline)
{
    SceneOutline added;
    added.shape = outline.shape;
    added.linked = outline.parcel != kNoIndex;
    scene.outlineLabels.push_back(
        dataset::foldedLot(added.linked ? set.parcels[outline.parcel].fields.lot : outline.labelD));
    for (const dataset::OutlineVertex& vertex : outline.vertices) {
        // A missing point breaks the line: its neighbours are not joined.
        if (vertex.point == kNoIndex) {
            scene.outlineVertices.push_back(kMissingVertex);
            continue;
        }
        scene.outlineVertices.push_back(static_cast<std::uint32_t>(vertex.point));
        added.box.widen(mapOf(set.points[vertex.point].at));
    }
    scene.outlineVertexEnds.push_back(static_cast<std::uint32_t>(scene.outlineVertices.size()));
    scene.outlines.push_back(added);
}

SceneSheet sheetOf(const std::vector<dataset::PointCoords>& corners, const QString& name)
{
    SceneSheet sheet;
    sheet.name = name;
    if (corners.size() == 2) {
        // Near and far corner: the rectangle they span.
        const QPointF a = mapOf(corners[0]);
        const QPointF c = mapOf(corners[1]);
        sheet.outline << a << QPointF(c.x(), a.y()) << c << QPointF(a.x(), c.y()) << a;
    } else {
        for (const dataset::PointCoords& corner : corners)
            sheet.outline << mapOf(corner);
        if (!sheet.outline.isEmpty())
            sheet.outline << sheet.outline.front();
    }
    for (const QPointF& p : sheet.outline)
        sheet.box.widen(p);
    return sheet;
}

QString foldedText(std::string_view cp932)
{
    return screenText(formats::ToHalfWidth(cp932));
}

std::vector<std::optional<QRectF>> boxesOf(const std::vector<SceneOutline>& outlines)
{
    std::vector<std::optional<QRectF>> boxes;
    boxes.reserve(outlines.size());
    for (const SceneOutline& outline : outlines)
        boxes.push_back(outline.box.isEmpty() ? std::nullopt
                                              : std::optional<QRectF>(outline.box.rect()));
    return boxes;
}

std::vector<std::optional<QRectF>> boxesOf(const std::vector<QPointF>& points)
{
    std::vector<std::optional<QRectF>> boxes;
    boxes.reserve(points.size());
    for (const QPointF& point : points)
        boxes.emplace_back(QRectF(point, QSizeF(0, 0)));
    return boxes;
}

std::vector<std::optional<QRectF>> boxesOf(const std::vector<SceneEdge>& edges,
                                           const std::vector<QPointF>& points)
{
    std::vector<std::optional<QRectF>> boxes;
    boxes.reserve(edges.size());
    for (const SceneEdge& edge : edges)
        boxes.emplace_back(QRectF(points[edge.from], points[edge.to]).normalized());
    return boxes;
}

// The edges of the outlines whose points are all there, each once whichever
// way round its outlines run (by its lower point, then its higher one). A
// sorted list of keys: a set of them took an allocation for each of the tens
// of thousands of edges of a drawing.
std::vector<SceneEdge> edgesOf(const dataset::SurveyDataSet& set)
{
    std::vector<std::uint64_t> keys;
    for (const dataset::Outline& outline : set.outlines) {
        if (outline.shape == dataset::OutlineShape::MissingPoints)
            continue;
        for (std::size_t i = 1; i < outline.vertices.size(); ++i) {
            const auto a = static_cast<std::uint32_t>(outline.vertices[i - 1].point);
            const auto b = static_cast<std::uint32_t>(outline.vertices[i].point);
            if (a != b)
                keys.push_back((std::uint64_t{std::min(a, b)} << 32) | std::max(a, b));
        }
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    std::vector<SceneEdge> edges;
    edges.reserve(keys.size());
    for (const std::uint64_t key : keys)
        edges.push_back({static_cast<std::uint32_t>(key >> 32), static_cast<std::uint32_t>(key)});
    return edges;
}

} // namespace

void MapBox::widen(QPointF p)
{
    if (isEmpty()) {
        left = right = p.x();
        bottom = top = p.y();
        return;
    }
    left = std::min(left, p.x());
    right = std::max(right, p.x());
    bottom = std::min(bottom, p.y());
    top = std::max(top, p.y());
}

void MapBox::widen(const MapBox& other)
{
    if (other.isEmpty())
        return;
    widen(QPointF(other.left, other.bottom));
    widen(QPointF(other.right, other.top));
}

bool MapBox::touches(const QRectF& rect) const
{
    return !isEmpty() && left <= rect.right() && right >= rect.left() && bottom <= rect.bottom() &&
           top >= rect.top();
}

MapBox MapBox::of(const dataset::SurveyBox& box)
{
    MapBox map;
    if (!box.isEmpty()) {
        map.widen(QPointF(box.minSecond, box.minFirst));
        map.widen(QPointF(box.maxSecond, box.maxFirst));
    }
    return map;
}

std::optional<std::size_t> SceneDrawing::outlineAt(QPointF map) const
{
    std::optional<std::size_t> found;
    outlineIndex.query(QRectF(map, QSizeF(0, 0)), [&](std::uint32_t i) {
        const SceneOutline& outline = outlines[i];
        if (found || outline.shape != dataset::OutlineShape::Closed || !outline.box.contains(map))
            return;
        if (firstPieceOf(i).containsPoint(map, Qt::OddEvenFill))
            found = i;
    });
    return found;
}

std::vector<QPolygonF> SceneDrawing::piecesOf(std::size_t outline) const
{
    std::vector<QPolygonF> pieces;
    const std::uint32_t begin = outline == 0 ? 0 : outlineVertexEnds[outline - 1];
    QPolygonF piece;
    for (std::uint32_t v = begin; v < outlineVertexEnds[outline]; ++v) {
        if (outlineVertices[v] != kMissingVertex) {
            piece.append(points[outlineVertices[v]]);
            continue;
        }
        if (!piece.isEmpty())
            pieces.push_back(std::move(piece));
        piece = QPolygonF();
    }
    if (!piece.isEmpty())
        pieces.push_back(std::move(piece));
    return pieces;
}

QPolygonF SceneDrawing::firstPieceOf(std::size_t outline) const
{
    // Made directly: every outline's ring is made once while the scene is
    // built (for its label's place), and each filled one per picture.
    const std::uint32_t begin = outline == 0 ? 0 : outlineVertexEnds[outline - 1];
    const std::uint32_t end = outlineVertexEnds[outline];
    QPolygonF piece;
    piece.reserve(end - begin);
    for (std::uint32_t v = begin; v < end; ++v) {
        if (outlineVertices[v] != kMissingVertex)
            piece.append(points[outlineVertices[v]]);
        else if (!piece.isEmpty())
            break;
    }
    return piece;
}

QString SceneDrawing::outlineLabel(std::size_t outline) const
{
    return outline < outlineLabels.size() ? screenText(outlineLabels[outline]) : QString();
}

QString SceneDrawing::pointName(std::size_t index) const
{
    if (index >= pointNames.size())
        return {};
    return foldedText(pointNames[index]);
}

SceneDrawing buildScene(const dataset::SurveyDataSet& set, const QString& name)
{
    SceneDrawing scene;
    scene.name = name;
    scene.bounds = MapBox::of(set.bounds());

    scene.points.reserve(set.points.size());
    for (const dataset::BoundaryPoint& point : set.points) {
        scene.points.push_back(mapOf(point.at));
        scene.pointNames.push_back(point.name);
    }
    scene.pointNames.shrinkToFit();
    scene.outlines.reserve(set.outlines.size());
    scene.outlineVertexEnds.reserve(set.outlines.size());
    for (const dataset::Outline& outline : set.outlines)
        addOutline(scene, set, outline);
    for (std::size_t i = 0; i < scene.outlines.size(); ++i)
        scene.outlines[i].labelAt = labelPointOf(scene, i);
    scene.outlineVertices.shrink_to_fit();
    scene.outlineLabels.shrinkToFit();
    scene.edges = edgesOf(set);
    scene.edges.shrink_to_fit();
    for (const dataset::ControlPoint& point : set.controlPoints)
        scene.controlPoints.push_back(
            {mapOf(point.at), foldedText(std::string(formats::TrimBlanks(point.name)))});
    for (const dataset::MapSheet& sheet : set.mapSheets)
        scene.mapSheets.push_back(sheetOf(sheet.corners, foldedText(sheet.name)));
    for (const formats::SheetFrame& frame : set.sheetFrames)
        scene.frames.push_back(
            sheetOf({frame.corners.begin(), frame.corners.end()}, foldedText(frame.name)));
    for (const formats::FrameLine& line : set.frameLines) {
        QPolygonF polyline;
        for (const formats::FrameVertex& vertex : line.vertices)
            polyline << mapOf(vertex.coords);
        scene.frameLines.push_back(std::move(polyline));
    }

    scene.framing = framingBox(coordinatesOf(scene));
    scene.outlineIndex = GridIndex(boxesOf(scene.outlines));
    scene.edgeIndex = GridIndex(boxesOf(scene.edges, scene.points));
    scene.pointIndex = GridIndex(boxesOf(scene.points));
    return scene;
}

} // namespace ft::viewer
