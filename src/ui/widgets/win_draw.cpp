#include "ui/widgets/win_draw.h"

#include <QPainter>

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

namespace ft::widgets::win {

QColor colorBtnFace()
{
    return {212, 208, 200};
}

QColor colorBtnShadow()
{
    return {128, 128, 128};
}

QColor colorBtnHighlight()
{
    return {255, 255, 255};
}

QColor color3DDkShadow()
{
    return {64, 64, 64};
}

QColor color3DLight()
{
    return {212, 208, 200};
}

QColor colorWindowText()
{
    return {0, 0, 0};
}

namespace {

// Colours of one ring: left/top sides and right/bottom sides.
struct RingColours {
    QColor topLeft;
    QColor bottomRight;
};

enum class Relief { None, Raised, Sunken };

Relief reliefOf(unsigned edge, unsigned raisedBit, unsigned sunkenBit)
{
    const bool raised = (edge & raisedBit) != 0;
    const bool sunken = (edge & sunkenBit) != 0;
    if (raised == sunken) {
        return Relief::None; // neither, or both at once, which Windows draws as nothing
    }
    return raised ? Relief::Raised : Relief::Sunken;
}

RingColours outerColours(Relief relief)
{
    if (relief == Relief::Raised) {
        return {color3DLight(), color3DDkShadow()};
    }
    return {colorBtnShadow(), colorBtnHighlight()};
}

RingColours innerColours(Relief relief)
{
    if (relief == Relief::Raised) {
        return {colorBtnHighlight(), colorBtnShadow()};
    }
    return {color3DDkShadow(), color3DLight()};
}

void fillPixels(QPainter& painter, int x, int y, int width, int height, const QColor& color)
{
    if (width > 0 && height > 0) {
        painter.fillRect(QRect(x, y, width, height), color);
    }
}

void drawRing(QPainter& painter, const QRect& rect, const RingColours& colours, unsigned flags)
{
    const int left = rect.x();
    const int top = rect.y();
    const int width = rect.width();
    const int height = rect.height();
    if (flags & BF_TOP) {
        fillPixels(painter, left, top, width, 1, colours.topLeft);
    }
    if (flags & BF_LEFT) {
        fillPixels(painter, left, top, 1, height, colours.topLeft);
    }
    if (flags & BF_BOTTOM) {
        fillPixels(painter, left, top + height - 1, width, 1, colours.bottomRight);
    }
    if (flags & BF_RIGHT) {
        fillPixels(painter, left + width - 1, top, 1, height, colours.bottomRight);
    }
}

QRect insideRing(const QRect& rect, unsigned flags)
{
    return rect.adjusted((flags & BF_LEFT) ? 1 : 0, (flags & BF_TOP) ? 1 : 0,
                         (flags & BF_RIGHT) ? -1 : 0, (flags & BF_BOTTOM) ? -1 : 0);
}

// Quarter circle of the given radius from its top point (0, r) to its right point (r, 0),
// as offsets from the centre with y pointing up: the midpoint rule for one octant, then
// the octant mirrored on the diagonal.
std::vector<QPoint> quarterCircle(int radius)
{
    std::vector<QPoint> octant;
    int x = 0;
    int y = radius;
    int decision = 1 - radius;
    octant.emplace_back(x, y);
    while (x < y) {
        if (decision < 0) {
            decision += 2 * x + 3;
        } else {
            decision += 2 * (x - y) + 5;
            --y;
        }
        ++x;
        if (x <= y) {
            octant.emplace_back(x, y);
        }
    }
    std::vector<QPoint> quarter = octant;
    for (auto it = octant.rbegin(); it != octant.rend(); ++it) {
        if (it->x() < it->y()) {
            quarter.emplace_back(it->y(), it->x());
        }
    }
    return quarter;
}

void appendPoint(std::vector<QPoint>& points, const QPoint& point)
{
    if (points.empty() || points.back() != point) {
        points.push_back(point);
    }
}

void appendLine(std::vector<QPoint>& points, QPoint from, const QPoint& to)
{
    const int stepX = (to.x() > from.x()) - (to.x() < from.x());
    const int stepY = (to.y() > from.y()) - (to.y() < from.y());
    appendPoint(points, from);
    while (from != to) {
        from += QPoint(stepX, stepY);
        appendPoint(points, from);
    }
}

} // namespace

void drawEdge(QPainter& painter, const QRect& rect, unsigned edge, unsigned flags)
{
    const Relief outer = reliefOf(edge, BDR_RAISEDOUTER, BDR_SUNKENOUTER);
    const Relief inner = reliefOf(edge, BDR_RAISEDINNER, BDR_SUNKENINNER);
    const bool flat = (flags & BF_FLAT) != 0;

    std::optional<RingColours> outerRing;
    std::optional<RingColours> innerRing;
    if (outer != Relief::None) {
        outerRing = flat ? RingColours{colorBtnShadow(), colorBtnShadow()} : outerColours(outer);
        if (inner != Relief::None) {
            innerRing = flat ? RingColours{colorBtnFace(), colorBtnFace()} : innerColours(inner);
        }
    } else if (inner != Relief::None) {
        // With only an inner border Windows draws it on the rectangle's border.
        outerRing = flat ? RingColours{colorBtnFace(), colorBtnFace()} : innerColours(inner);
    }

    if (outerRing) {
        drawRing(painter, rect, *outerRing, flags);
    }
    if (innerRing) {
        drawRing(painter, insideRing(rect, flags), *innerRing, flags);
    }
}

void frameRect(QPainter& painter, const QRect& rect, const QColor& color)
{
    drawRing(painter, rect, {color, color}, BF_RECT);
}

void drawFocusRect(QPainter& painter, const QRect& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    // Each border pixel is inverted exactly once, so the corners must not be visited twice.
    std::vector<QPoint> border;
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width() - 1;
    const int bottom = rect.y() + rect.height() - 1;
    for (int x = left; x <= right; ++x) {
        border.emplace_back(x, top);
        if (bottom != top) {
            border.emplace_back(x, bottom);
        }
    }
    for (int y = top + 1; y < bottom; ++y) {
        border.emplace_back(left, y);
        if (right != left) {
            border.emplace_back(right, y);
        }
    }

    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const QPoint& pixel : border) {
        if ((pixel.x() + pixel.y()) % 2 == 0) {
            painter.fillRect(QRect(pixel, QSize(1, 1)), Qt::white);
        }
    }
    painter.restore();
}

std::vector<QPoint> roundRectOutline(const QRect& rect, int ellipse)
{
    std::vector<QPoint> points;
    if (rect.width() <= 0 || rect.height() <= 0) {
        return points;
    }
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width() - 1;
    const int bottom = rect.y() + rect.height() - 1;
    const int radius =
        std::clamp((ellipse - 1) / 2, 0, (std::min(rect.width(), rect.height()) - 1) / 2);

    const std::vector<QPoint> quarter = quarterCircle(radius);
    const QPoint topLeft(left + radius, top + radius);
    const QPoint topRight(right - radius, top + radius);
    const QPoint bottomRight(right - radius, bottom - radius);
    const QPoint bottomLeft(left + radius, bottom - radius);

    appendLine(points, {topLeft.x(), top}, {topRight.x(), top});
    for (const QPoint& q : quarter) {
        appendPoint(points, {topRight.x() + q.x(), topRight.y() - q.y()});
    }
    appendLine(points, {right, topRight.y()}, {right, bottomRight.y()});
    for (auto it = quarter.rbegin(); it != quarter.rend(); ++it) {
        appendPoint(points, {bottomRight.x() + it->x(), bottomRight.y() + it->y()});
    }
    appendLine(points, {bottomRight.x(), bottom}, {bottomLeft.x(), bottom});
    for (const QPoint& q : quarter) {
        appendPoint(points, {bottomLeft.x() - q.x(), bottomLeft.y() + q.y()});
    }
    appendLine(points, {left, bottomLeft.y()}, {left, topLeft.y()});
    for (auto it = quarter.rbegin(); it != quarter.rend(); ++it) {
        appendPoint(points, {topLeft.x() - it->x(), topLeft.y() - it->y()});
    }
    // The walk ends where it began; a one-pixel-high figure also retraces its own line.
    std::vector<QPoint> unique;
    std::set<std::pair<int, int>> seen;
    for (const QPoint& point : points) {
        if (seen.emplace(point.x(), point.y()).second) {
            unique.push_back(point);
        }
    }
    return unique;
}

void drawRoundRect(QPainter& painter, const QRect& rect, int ellipse, const QColor& color,
                   bool alternatePixels)
{
    const std::vector<QPoint> outline = roundRectOutline(rect, ellipse);
    for (std::size_t i = 0; i < outline.size(); ++i) {
        if (!alternatePixels || i % 2 == 0) {
            painter.fillRect(QRect(outline[i], QSize(1, 1)), color);
        }
    }
}

QRegion roundRectRegion(const QRect& rect, int ellipse)
{
    const QRect figure(rect.x(), rect.y(), rect.width() - 1, rect.height() - 1);
    const std::vector<QPoint> outline = roundRectOutline(figure, ellipse);
    if (outline.empty()) {
        return {};
    }
    // The figure is convex, so each row is one span between its outermost outline pixels.
    const int rows = figure.height();
    std::vector<int> first(rows, figure.x() + figure.width());
    std::vector<int> last(rows, figure.x() - 1);
    for (const QPoint& point : outline) {
        const int row = point.y() - figure.y();
        first[row] = std::min(first[row], point.x());
        last[row] = std::max(last[row], point.x());
    }
    QRegion region;
    for (int row = 0; row < rows; ++row) {
        if (first[row] <= last[row]) {
            region += QRect(first[row], figure.y() + row, last[row] - first[row] + 1, 1);
        }
    }
    return region;
}

} // namespace ft::widgets::win
