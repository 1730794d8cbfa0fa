#include "core/overview/segment_mask.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace ft::overview {

SegmentMask::SegmentMask(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_marks(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), 0)
{
}

bool SegmentMask::isMarked(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return false;
    return m_marks[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                   static_cast<std::size_t>(x)] != 0;
}

// A point of the line covers its pixel and the pixels left of and above it:
// the pixels whose centres lie within one pixel of a point on pixel corners.
void SegmentMask::mark(int x, int y)
{
    for (int row = std::max(y - 1, 0); row <= std::min(y, m_height - 1); ++row) {
        for (int column = std::max(x - 1, 0); column <= std::min(x, m_width - 1); ++column)
            m_marks[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(column)] = 1;
    }
}

// Walks the line along its longer axis one pixel at a time, taking the
// nearest pixel across it: the pixels a line drawing algorithm puts on the
// line. Only the stretch that can reach the image is walked, computed from
// the line's own ends, so a line cut at the image's edge keeps its pixels.
void SegmentMask::addLine(PixelPoint from, PixelPoint to)
{
    if (m_marks.empty() || !std::isfinite(from.x) || !std::isfinite(from.y) ||
        !std::isfinite(to.x) || !std::isfinite(to.y))
        return;
    // Both ends on one pixel: no length, and the painter draws nothing for it.
    if (from.x == to.x && from.y == to.y)
        return;
    const bool alongX = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
    // (along, across) in the walk's terms.
    double a1 = alongX ? from.x : from.y;
    double c1 = alongX ? from.y : from.x;
    double a2 = alongX ? to.x : to.y;
    double c2 = alongX ? to.y : to.x;
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(c1, c2);
    }
    const double alongLimit = alongX ? m_width : m_height;
    const double acrossLimit = alongX ? m_height : m_width;
    // A point's marks reach the image from 0 to the width (height) inclusive.
    double first = std::max(a1, 0.0);
    double last = std::min(a2, alongLimit);
    const double slope = a2 > a1 ? (c2 - c1) / (a2 - a1) : 0.0;
    if (slope != 0.0) {
        // Where the line crosses one pixel outside the image across.
        const double atLow = a1 + (-1.0 - c1) / slope;
        const double atHigh = a1 + (acrossLimit + 1.0 - c1) / slope;
        first = std::max(first, std::min(atLow, atHigh));
        last = std::min(last, std::max(atLow, atHigh));
    } else if (c1 < -1.0 || c1 > acrossLimit + 1.0) {
        return;
    }
    for (double along = std::ceil(first); along <= last; along += 1.0) {
        const double across = std::round(c1 + (along - a1) * slope);
        if (alongX)
            mark(static_cast<int>(along), static_cast<int>(across));
        else
            mark(static_cast<int>(across), static_cast<int>(along));
    }
}

void SegmentMask::paintOnto(QPainter& canvas, const QColor& colour) const
{
    if (m_marks.empty())
        return;
    QImage layer(m_width, m_height, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const QRgb pixel = colour.rgba();
    for (int y = 0; y < m_height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        const std::uint8_t* marks =
            &m_marks[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width)];
        for (int x = 0; x < m_width; ++x) {
            if (marks[x] != 0)
                line[x] = pixel;
        }
    }
    canvas.drawImage(0, 0, layer);
}

} // namespace ft::overview
