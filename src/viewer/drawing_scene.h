#pragma once

// What the drawing window draws of one data set: its outlines, points, sheets
// and frames in map coordinates (view_transform.h), with boxes, label
// positions and screen texts worked out once when the set is opened, and grid
// indexes so that a zoomed-in view visits only what it shows.

#include "core/dataset/survey_data_set.h"
#include "viewer/drawing_records.h"
#include "viewer/grid_index.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace ft::viewer {

// A box in map coordinates that also holds single points (QRectF's own
// union and intersection pass boxes of no size by).
struct MapBox {
    double left = 0.0;
    double bottom = 0.0;
    double right = -1.0;
    double top = -1.0;

    bool isEmpty() const { return left > right || bottom > top; }
    void widen(QPointF p);
    void widen(const MapBox& other);
    bool touches(const QRectF& rect) const;
    bool contains(QPointF p) const
    {
        return p.x() >= left && p.x() <= right && p.y() >= bottom && p.y() <= top;
    }
    QRectF rect() const { return {left, bottom, right - left, top - bottom}; }
    static MapBox of(const dataset::SurveyBox& box);
};

// One outline of the data set (same index as SurveyDataSet::outlines). Its
// vertices and lot number are kept by the scene in flat lists (piecesOf,
// outlineLabel): a drawing has tens of thousands of outlines.
struct SceneOutline {
    MapBox box;
    QPointF labelAt;
    dataset::OutlineShape shape = dataset::OutlineShape::Closed;
    bool linked = false;
};

struct ScenePoint {
    QPointF at;
    QString name; // folded, as the catalogue and the searches show it
};

// An edge of the parcel outlines: two boundary points (indices into
// SceneDrawing::points). Neighbouring parcels share their edges, which are
// kept once.
struct SceneEdge {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
};

// A map sheet (".map") or a sheet frame (".zo").
struct SceneSheet {
    QPolygonF outline; // closed
    MapBox box;
    QString name;
};

inline constexpr std::uint32_t kMissingVertex = static_cast<std::uint32_t>(-1);

struct SceneDrawing {
    QString name; // the data set's base name
    MapBox bounds;
    // What a view of the whole drawing frames: the bounds without the
    // coordinates far outside the bulk of them (framing.h).
    MapBox framing;
    std::vector<SceneOutline> outlines;
    // Each outline's vertices as indices into points, kMissingVertex where a
    // point is not there; outline i's run ends at outlineVertexEnds[i].
    std::vector<std::uint32_t> outlineVertices;
    std::vector<std::uint32_t> outlineVertexEnds;
    // Each outline's lot number (folded, CP932): its parcel's, or the
    // outline's own label when it is linked to none.
    FlatTexts outlineLabels;
    // The edges of every outline whose points are all there, once each; the
    // outlines with missing points are drawn piece by piece instead.
    std::vector<SceneEdge> edges;
    // Boundary points by the data set's index; their names are made screen
    // text only when drawn (pointName), since few ever are.
    std::vector<QPointF> points;
    std::vector<ScenePoint> controlPoints;
    std::vector<SceneSheet> mapSheets;
    std::vector<SceneSheet> frames;
    std::vector<QPolygonF> frameLines;
    GridIndex outlineIndex;
    GridIndex edgeIndex;
    GridIndex pointIndex;
    // The boundary points' names as written, by index.
    FlatTexts pointNames;

    // The outline drawn around a map point, by the index of the data set;
    // nothing when no closed outline holds it.
    std::optional<std::size_t> outlineAt(QPointF map) const;
    // A boundary point's name, folded.
    QString pointName(std::size_t index) const;
    // The found vertices of an outline in order; for an outline with missing
    // points, each run of vertices found next to one another is a piece of
    // its own.
    std::vector<QPolygonF> piecesOf(std::size_t outline) const;
    // The first piece alone (the ring of a closed outline).
    QPolygonF firstPieceOf(std::size_t outline) const;
    QString outlineLabel(std::size_t outline) const;
};

SceneDrawing buildScene(const dataset::SurveyDataSet& set, const QString& name);

} // namespace ft::viewer
