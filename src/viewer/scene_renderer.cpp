#include "viewer/scene_renderer.h"

#include "core/formats/line_clip.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <deque>
#include <iterator>
#include <optional>

namespace ft::viewer {

namespace {

// Beyond this many pixels off the window the rasteriser's fixed-point
// arithmetic is no longer safe; shapes that reach so far are cut first.
constexpr double kSafePixels = 8000.0;

constexpr double kLotPointSize = 8.0;
constexpr double kNamePointSize = 7.0;
constexpr double kSheetPointSize = 10.0;
constexpr std::size_t kMaxControlPointNames = 200;

// Map coordinates to device pixels, with the window's pixel area and what
// lies in view.
class Canvas {
public:
    Canvas(QPainter& painter, const ViewTransform& view, const RenderOptions& options)
        : painter(painter), view(view), options(options), visible(view.visibleMap()),
          safe(QRectF(QPointF(0, 0), QSizeF(view.pixelSize()))
                   .adjusted(-kSafePixels, -kSafePixels, kSafePixels, kSafePixels)),
          m_baseFont(painter.font()), m_scale(1.0 / view.metresPerPixel()),
          m_offsetX(view.pixelSize().width() / 2.0 - view.centre().x() * m_scale),
          m_offsetY(view.pixelSize().height() / 2.0 + view.centre().y() * m_scale)
    {
    }

    QPointF px(QPointF map) const
    {
        return {map.x() * m_scale + m_offsetX, m_offsetY - map.y() * m_scale};
    }
    double width(double screenPixels) const { return screenPixels * options.deviceScale; }

    // The polygon in pixels; false when it reaches beyond the safe area, in
    // which case it is cut to it (a closed ring stays closed).
    void toPixels(const QPolygonF& map, QPolygonF& out, bool closed) const
    {
        out.resize(map.size());
        bool safeAll = true;
        for (qsizetype i = 0; i < map.size(); ++i) {
            out[i] = px(map[i]);
            safeAll = safeAll && safe.contains(out[i]);
        }
        if (!safeAll && closed)
            out = out.intersected(QPolygonF(safe));
    }

    void drawPolyline(const QPolygonF& map, bool closed)
    {
        toPixels(map, m_buffer, closed);
        if (closed || isSafe(m_buffer)) {
            painter.drawPolyline(m_buffer);
            return;
        }
        // An open line reaching far off: each edge cut to the safe area.
        for (qsizetype i = 0; i + 1 < m_buffer.size(); ++i) {
            QLineF edge(m_buffer[i], m_buffer[i + 1]);
            if (clipToSafe(edge))
                painter.drawLine(edge);
        }
    }

    void fillPolygon(const QPolygonF& map)
    {
        toPixels(map, m_buffer, true);
        painter.drawPolygon(m_buffer);
    }

    // The edge cut to the safe area; false when it misses it.
    bool clipToSafe(QLineF& edge) const
    {
        const QPointF a = edge.p1();
        const QPointF d = edge.p2() - a;
        // Pixel rows grow downwards: the safe area's top is its least y.
        const std::optional<formats::LineSpan> span = formats::clipLine(
            a.x(), a.y(), d.x(), d.y(), {safe.left(), safe.top(), safe.right(), safe.bottom()});
        if (!span)
            return false;
        edge = QLineF(a + span->enter * d, a + span->leave * d);
        return true;
    }
    bool isSafe(QPointF p) const { return safe.contains(p); }

    // Sets the painter's font to the base font at this size and gives its
    // metrics. Each font and its metrics are made once a picture: making
    // them took longer than drawing the names of a hundred drawings.
    const QFontMetricsF& useFont(double pointSize, bool bold = false)
    {
        auto font = std::find_if(m_fonts.begin(), m_fonts.end(), [&](const FontInUse& f) {
            return f.pointSize == pointSize && f.bold == bold;
        });
        if (font == m_fonts.end()) {
            QFont made = m_baseFont;
            made.setPointSizeF(pointSize);
            made.setBold(bold);
            m_fonts.push_back({pointSize, bold, made, QFontMetricsF(made)});
            font = std::prev(m_fonts.end());
        }
        painter.setFont(font->font);
        return font->metrics;
    }

    QPainter& painter;
    const ViewTransform& view;
    const RenderOptions& options;
    const QRectF visible;

private:
    bool isSafe(const QPolygonF& polygon) const
    {
        return std::all_of(polygon.begin(), polygon.end(),
                           [this](const QPointF& p) { return safe.contains(p); });
    }

    struct FontInUse {
        double pointSize;
        bool bold;
        QFont font;
        QFontMetricsF metrics;
    };

    const QRectF safe;
    const QFont m_baseFont;
    // A deque keeps the metrics handed out where they are as fonts are added.
    std::deque<FontInUse> m_fonts;
    const double m_scale;
    const double m_offsetX;
    const double m_offsetY;
    QPolygonF m_buffer;
};

// What is smaller than a pixel is drawn as its pixel, once: a view of a
// hundred drawings holds hundreds of thousands of parcels a tenth of a pixel
// wide, and drawing each as a polygon or a line took most of a second to set
// the same few thousand pixels.
class PixelDots {
public:
    explicit PixelDots(QSize pixels)
        : m_width(std::max(0, pixels.width())), m_height(std::max(0, pixels.height())),
          m_taken(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height))
    {
    }

    // Whether a box of this pixel size is smaller than a pixel both ways.
    static bool isDot(double width, double height) { return width < 1.0 && height < 1.0; }

    // The first time the pixel under the point is asked for, it is kept to be
    // drawn; after that, and off the picture, the point is passed by.
    void add(QPointF at)
    {
        const double x = std::floor(at.x());
        const double y = std::floor(at.y());
        if (!(x >= 0 && y >= 0 && x < m_width && y < m_height))
            return;
        const std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                                  static_cast<std::size_t>(x);
        if (m_taken[index])
            return;
        m_taken[index] = true;
        m_dots.emplace_back(x, y);
    }

    // Each pixel kept, as a square of the pen's width.
    void draw(QPainter& painter, const QColor& colour, double penWidth) const
    {
        const double side = std::max(1.0, penWidth);
        for (const QPointF& dot : m_dots)
            painter.fillRect(QRectF(dot.x() + 0.5 - side / 2, dot.y() + 0.5 - side / 2, side, side),
                             colour);
    }

private:
    int m_width;
    int m_height;
    std::vector<bool> m_taken;
    std::vector<QPointF> m_dots;
};

QPen linePen(const Canvas& canvas, const QColor& colour, double screenWidth,
             Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, canvas.width(screenWidth), style, Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

// The text centred on a pixel, in the painter's font of these metrics.
void drawCentredText(QPainter& painter, const QFontMetricsF& metrics, QPointF at,
                     const QString& text)
{
    const double width = metrics.horizontalAdvance(text);
    painter.drawText(
        QPointF(at.x() - width / 2, at.y() + (metrics.ascent() - metrics.descent()) / 2), text);
}

template <class Visit>
void forEachVisibleOutline(const Canvas& canvas, const SceneDrawing& scene, Visit&& visit)
{
    scene.outlineIndex.query(canvas.visible, [&](std::uint32_t i) {
        if (scene.outlines[i].box.touches(canvas.visible))
            visit(i, scene.outlines[i]);
    });
}

void drawSheetFills(Canvas& canvas, const std::vector<SceneSheet>& sheets,
                    const std::vector<std::size_t>& marked)
{
    canvas.painter.setPen(Qt::NoPen);
    canvas.painter.setBrush(kSheetHighlightFill);
    for (const std::size_t i : marked)
        if (i < sheets.size() && sheets[i].box.touches(canvas.visible))
            canvas.fillPolygon(sheets[i].outline);
    canvas.painter.setBrush(Qt::NoBrush);
}

void drawOutlineFills(Canvas& canvas, const SceneDrawing& scene,
                      const std::vector<std::size_t>& marked)
{
    canvas.painter.setPen(Qt::NoPen);
    canvas.painter.setBrush(kHighlightFill);
    PixelDots dots(canvas.view.pixelSize());
    const double perPixel = 1.0 / canvas.view.metresPerPixel();
    for (const std::size_t i : marked) {
        if (i >= scene.outlines.size())
            continue;
        const SceneOutline& outline = scene.outlines[i];
        if (outline.shape != dataset::OutlineShape::Closed || !outline.box.touches(canvas.visible))
            continue;
        if (PixelDots::isDot((outline.box.right - outline.box.left) * perPixel,
                             (outline.box.top - outline.box.bottom) * perPixel))
            dots.add(canvas.px(outline.labelAt));
        else
            canvas.fillPolygon(scene.firstPieceOf(i));
    }
    canvas.painter.setBrush(Qt::NoBrush);
    dots.draw(canvas.painter, kHighlightFill, 1.0);
}

// Sheets with their names inside their top right corner, frames with theirs
// inside the top left one: the centre belongs to the lot numbers, and a frame
// and the map sheet it matches must not write one name over the other. Frames
// are drawn first, so where a map sheet runs along its frame the sheet's
// colour shows.
void drawSheets(Canvas& canvas, const std::vector<SceneSheet>& sheets, const QColor& colour,
                bool isMapSheet)
{
    QPainter& painter = canvas.painter;
    painter.setPen(linePen(canvas, colour, 1.0));
    for (const SceneSheet& sheet : sheets)
        if (sheet.box.touches(canvas.visible))
            canvas.drawPolyline(sheet.outline, true);
    const QFontMetricsF& metrics = canvas.useFont(kSheetPointSize, true);
    const double inset = canvas.width(4);
    for (const SceneSheet& sheet : sheets) {
        if (!sheet.box.touches(canvas.visible))
            continue;
        const QRectF onScreen(canvas.px(QPointF(sheet.box.left, sheet.box.top)),
                              canvas.px(QPointF(sheet.box.right, sheet.box.bottom)));
        // The height first: measuring a name takes longer than drawing a
        // hundred sheets too small to hold it.
        if (onScreen.height() < 3 * metrics.height())
            continue;
        const double width = metrics.horizontalAdvance(sheet.name);
        if (onScreen.width() < 2 * width + 4 * inset)
            continue;
        const double left = isMapSheet ? onScreen.right() - inset - width : onScreen.left() + inset;
        painter.drawText(QPointF(left, onScreen.top() + inset + metrics.ascent()), sheet.name);
    }
}

void drawFrameLines(Canvas& canvas, const SceneDrawing& scene)
{
    canvas.painter.setPen(linePen(canvas, kFrameColour, 1.0));
    for (const QPolygonF& line : scene.frameLines) {
        MapBox box;
        for (const QPointF& p : line)
            box.widen(p);
        if (box.touches(canvas.visible))
            canvas.drawPolyline(line, false);
    }
}

// The edges in one batch: tens of thousands of parcels are drawn at once
// when the whole set is in view.
void drawOutlines(Canvas& canvas, const SceneDrawing& scene)
{
    QPainter& painter = canvas.painter;
    std::vector<QLineF> lines;
    PixelDots dots(canvas.view.pixelSize());
    scene.edgeIndex.query(canvas.visible, [&](std::uint32_t i) {
        const SceneEdge& edge = scene.edges[i];
        QLineF line(canvas.px(scene.points[edge.from]), canvas.px(scene.points[edge.to]));
        if (PixelDots::isDot(std::abs(line.dx()), std::abs(line.dy())))
            dots.add(line.center());
        else if (canvas.isSafe(line.p1()) && canvas.isSafe(line.p2()))
            lines.push_back(line);
        else if (canvas.clipToSafe(line))
            lines.push_back(line);
    });
    painter.setPen(linePen(canvas, kOutlineColour, 1.0));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    dots.draw(painter, kOutlineColour, canvas.width(1.0));

    painter.setPen(linePen(canvas, kBrokenOutlineColour, 1.0, Qt::DashLine));
    forEachVisibleOutline(canvas, scene, [&](std::size_t i, const SceneOutline& outline) {
        if (outline.shape != dataset::OutlineShape::MissingPoints)
            return;
        for (const QPolygonF& piece : scene.piecesOf(i))
            canvas.drawPolyline(piece, false);
    });
}

void drawLotNumbers(Canvas& canvas, const SceneDrawing& scene)
{
    QPainter& painter = canvas.painter;
    painter.setPen(kLotColour);
    const QFontMetricsF& metrics = canvas.useFont(kLotPointSize);
    const double lineHeight = metrics.height();
    const double perPixel = 1.0 / canvas.view.metresPerPixel();
    forEachVisibleOutline(canvas, scene, [&](std::size_t i, const SceneOutline& outline) {
        const double boxWidth = (outline.box.right - outline.box.left) * perPixel;
        const double boxHeight = (outline.box.top - outline.box.bottom) * perPixel;
        if (boxHeight < lineHeight * 1.5 || boxWidth < lineHeight * 1.5)
            return;
        // A lot number only where it fits inside its parcel.
        const QString label = scene.outlineLabel(i);
        if (label.isEmpty() || boxWidth < metrics.horizontalAdvance(label) + lineHeight * 0.5)
            return;
        drawCentredText(painter, metrics, canvas.px(outline.labelAt), label);
    });
}

template <class Visit>
std::size_t forEachVisiblePoint(const Canvas& canvas, const SceneDrawing& scene, Visit&& visit)
{
    std::size_t count = 0;
    scene.pointIndex.query(canvas.visible, [&](std::uint32_t i) {
        if (canvas.visible.contains(scene.points[i])) {
            ++count;
            visit(i);
        }
    });
    return count;
}

void drawPointName(QPainter& painter, QPointF at, const QString& name, double offset)
{
    painter.drawText(QPointF(at.x() + offset, at.y() - offset), name);
}

// How many boundary points are in view, counted no further than past the
// limit: a view of a hundred drawings holds millions, and none are marked.
std::size_t visiblePointsUpTo(const Canvas& canvas, const SceneDrawing& scene, std::size_t limit)
{
    if (!scene.bounds.isEmpty() && canvas.visible.contains(scene.bounds.rect()))
        return scene.points.size();
    std::size_t count = 0;
    scene.pointIndex.queryWhile(canvas.visible, [&](std::uint32_t i) {
        if (canvas.visible.contains(scene.points[i]))
            ++count;
        return count <= limit;
    });
    return count;
}

// The boundary points in view of every drawing together, counted no
// further than past the limit: the limit is the picture's, since a hundred
// drawings side by side each under it would still blacken the view.
std::size_t visiblePointsOf(const Canvas& canvas, const std::vector<DrawingToRender>& drawings)
{
    const std::size_t limit = canvas.options.maxPointMarks;
    std::size_t count = 0;
    for (const DrawingToRender& drawing : drawings)
        if (drawing.scene && count <= limit)
            count += visiblePointsUpTo(canvas, *drawing.scene, limit - count);
    return count;
}

// inView: the boundary points in view in the whole picture.
void drawBoundaryPoints(Canvas& canvas, const SceneDrawing& scene, std::size_t inView)
{
    if (inView == 0 || inView > canvas.options.maxPointMarks)
        return;
    QPainter& painter = canvas.painter;
    const double half = canvas.width(1.5);
    forEachVisiblePoint(canvas, scene, [&](std::size_t i) {
        const QPointF at = canvas.px(scene.points[i]);
        painter.fillRect(QRectF(at.x() - half, at.y() - half, 2 * half, 2 * half), kPointColour);
    });
    if (!canvas.options.layers.pointNames || inView > canvas.options.maxPointMarks / 10)
        return;
    painter.setPen(kPointColour);
    canvas.useFont(kNamePointSize);
    forEachVisiblePoint(canvas, scene, [&](std::size_t i) {
        drawPointName(painter, canvas.px(scene.points[i]), scene.pointName(i), canvas.width(3));
    });
}

QPolygonF triangleAt(const Canvas& canvas, QPointF at)
{
    const double s = canvas.width(5);
    return QPolygonF({QPointF(at.x(), at.y() - 1.2 * s), QPointF(at.x() - s, at.y() + 0.8 * s),
                      QPointF(at.x() + s, at.y() + 0.8 * s), QPointF(at.x(), at.y() - 1.2 * s)});
}

// A requested control point is named by its mark, in the mark's colour.
void drawControlPoints(Canvas& canvas, const SceneDrawing& scene, const DrawingMarks& marks)
{
    QPainter& painter = canvas.painter;
    painter.setPen(linePen(canvas, kControlPointColour, 1.5));
    painter.setBrush(Qt::NoBrush);
    std::size_t inView = 0;
    for (const ScenePoint& point : scene.controlPoints) {
        if (!canvas.visible.contains(point.at))
            continue;
        ++inView;
        painter.drawPolyline(triangleAt(canvas, canvas.px(point.at)));
    }
    // Hundreds of names at once are no longer read, only drawn.
    if (inView > kMaxControlPointNames)
        return;
    canvas.useFont(kNamePointSize + 1, true);
    for (std::size_t i = 0; i < scene.controlPoints.size(); ++i) {
        const ScenePoint& point = scene.controlPoints[i];
        if (canvas.visible.contains(point.at) &&
            std::find(marks.controlPoints.begin(), marks.controlPoints.end(), i) ==
                marks.controlPoints.end())
            drawPointName(painter, canvas.px(point.at), point.name, canvas.width(7));
    }
}

void drawRing(Canvas& canvas, QPointF map, const QColor& colour, double radius, double penWidth)
{
    canvas.painter.setPen(linePen(canvas, colour, penWidth));
    canvas.painter.setBrush(Qt::NoBrush);
    const double r = canvas.width(radius);
    canvas.painter.drawEllipse(canvas.px(map), r, r);
}

// Requested points stand out by a ring and always show their name.
void drawPointMark(Canvas& canvas, QPointF at, const QString& name)
{
    if (!canvas.visible.contains(at))
        return;
    drawRing(canvas, at, kPointHighlight, 8, 2.5);
    canvas.painter.setPen(kPointHighlight);
    canvas.useFont(kNamePointSize + 1, true);
    drawPointName(canvas.painter, canvas.px(at), name, canvas.width(9));
}

void drawPointMarks(Canvas& canvas, const SceneDrawing& scene, const DrawingMarks& marks)
{
    for (const std::size_t i : marks.points)
        if (i < scene.points.size())
            drawPointMark(canvas, scene.points[i], scene.pointName(i));
    for (const std::size_t i : marks.controlPoints)
        if (i < scene.controlPoints.size())
            drawPointMark(canvas, scene.controlPoints[i].at, scene.controlPoints[i].name);
}

void drawFocus(Canvas& canvas, const SceneDrawing& scene, const SceneItem& focus)
{
    canvas.painter.setPen(linePen(canvas, kFocusColour, 3));
    canvas.painter.setBrush(Qt::NoBrush);
    switch (focus.kind) {
    case SceneItem::Kind::Outline:
        if (focus.index < scene.outlines.size())
            for (const QPolygonF& piece : scene.piecesOf(focus.index))
                canvas.drawPolyline(piece, scene.outlines[focus.index].shape ==
                                               dataset::OutlineShape::Closed);
        return;
    case SceneItem::Kind::MapSheet:
        if (focus.index < scene.mapSheets.size())
            canvas.drawPolyline(scene.mapSheets[focus.index].outline, true);
        return;
    case SceneItem::Kind::Frame:
        if (focus.index < scene.frames.size())
            canvas.drawPolyline(scene.frames[focus.index].outline, true);
        return;
    case SceneItem::Kind::Point:
        if (focus.index < scene.points.size())
            drawRing(canvas, scene.points[focus.index], kFocusColour, 12, 3);
        return;
    case SceneItem::Kind::ControlPoint:
        if (focus.index < scene.controlPoints.size())
            drawRing(canvas, scene.controlPoints[focus.index].at, kFocusColour, 12, 3);
        return;
    }
}

} // namespace

void renderScene(QPainter& painter, const ViewTransform& view,
                 const std::vector<DrawingToRender>& drawings,
                 const std::optional<SceneItem>& focus, const RenderOptions& options)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(view.pixelSize())), kPaperColour);
    Canvas canvas(painter, view, options);
    const Layers& layers = options.layers;
    const DrawingMarks none;
    const auto marksOf = [&](const DrawingToRender& drawing) -> const DrawingMarks& {
        return drawing.marks ? *drawing.marks : none;
    };

    // Fills first, so that every line and name lies on top of them.
    for (const DrawingToRender& drawing : drawings) {
        if (!drawing.scene)
            continue;
        drawSheetFills(canvas, drawing.scene->mapSheets, marksOf(drawing).mapSheets);
        drawSheetFills(canvas, drawing.scene->frames, marksOf(drawing).frames);
        drawOutlineFills(canvas, *drawing.scene, marksOf(drawing).outlines);
    }
    const std::size_t pointsInView = layers.boundaryPoints ? visiblePointsOf(canvas, drawings) : 0;
    for (const DrawingToRender& drawing : drawings) {
        if (!drawing.scene)
            continue;
        const SceneDrawing& scene = *drawing.scene;
        if (layers.frames) {
            drawFrameLines(canvas, scene);
            drawSheets(canvas, scene.frames, kFrameColour, false);
        }
        if (layers.mapSheets)
            drawSheets(canvas, scene.mapSheets, kSheetColour, true);
        if (layers.outlines)
            drawOutlines(canvas, scene);
        if (layers.lotNumbers)
            drawLotNumbers(canvas, scene);
        if (layers.boundaryPoints)
            drawBoundaryPoints(canvas, scene, pointsInView);
        if (layers.controlPoints)
            drawControlPoints(canvas, scene, marksOf(drawing));
    }
    for (const DrawingToRender& drawing : drawings) {
        if (!drawing.scene)
            continue;
        drawPointMarks(canvas, *drawing.scene, marksOf(drawing));
    }
    if (focus && focus->drawing < drawings.size() && drawings[focus->drawing].scene)
        drawFocus(canvas, *drawings[focus->drawing].scene, *focus);
    painter.restore();
}

} // namespace ft::viewer
