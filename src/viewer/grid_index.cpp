#include "viewer/grid_index.h"

#include <algorithm>
#include <cmath>

namespace ft::viewer {

GridIndex::GridIndex(const std::vector<std::optional<QRectF>>& boxes)
{
    const auto firstBox = std::find_if(boxes.begin(), boxes.end(),
                                       [](const std::optional<QRectF>& box) { return box; });
    if (firstBox == boxes.end())
        return;
    double halfWidth = 0.0;
    double halfHeight = 0.0;
    // QRectF::united passes boxes of no size by, and points have none.
    double left = (*firstBox)->left(), right = (*firstBox)->right();
    double top = (*firstBox)->top(), bottom = (*firstBox)->bottom();
    std::size_t placed = 0;
    for (const std::optional<QRectF>& optionalBox : boxes) {
        if (!optionalBox)
            continue;
        ++placed;
        const QRectF& box = *optionalBox;
        left = std::min(left, box.left());
        right = std::max(right, box.right());
        top = std::min(top, box.top());
        bottom = std::max(bottom, box.bottom());
        halfWidth = std::max(halfWidth, box.width() / 2);
        halfHeight = std::max(halfHeight, box.height() / 2);
    }
    m_bounds = QRectF(QPointF(left, top), QPointF(right, bottom));
    m_reach = QSizeF(halfWidth, halfHeight);

    const double cells = std::max(1.0, double(placed) / kItemsPerCell);
    const double aspect =
        m_bounds.width() > 0 && m_bounds.height() > 0 ? m_bounds.width() / m_bounds.height() : 1.0;
    m_columns = std::clamp(static_cast<int>(std::ceil(std::sqrt(cells * aspect))), 1, 4096);
    m_rows = std::clamp(static_cast<int>(std::ceil(cells / m_columns)), 1, 4096);
    m_cellWidth = m_bounds.width() > 0 ? m_bounds.width() / m_columns : 1.0;
    m_cellHeight = m_bounds.height() > 0 ? m_bounds.height() / m_rows : 1.0;

    // Counting sort of the items by the cell of their centre.
    const std::size_t cellCount = static_cast<std::size_t>(m_columns) * m_rows;
    constexpr std::uint32_t kUnplaced = UINT32_MAX;
    std::vector<std::uint32_t> cellOf(boxes.size(), kUnplaced);
    m_cellStart.assign(cellCount + 1, 0);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (!boxes[i])
            continue;
        const QPointF centre = boxes[i]->center();
        cellOf[i] =
            static_cast<std::uint32_t>(rowOf(centre.y()) * m_columns + columnOf(centre.x()));
        ++m_cellStart[cellOf[i] + 1];
    }
    for (std::size_t c = 0; c < cellCount; ++c)
        m_cellStart[c + 1] += m_cellStart[c];
    std::vector<std::uint32_t> next(m_cellStart.begin(), m_cellStart.end() - 1);
    m_items.resize(placed);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (cellOf[i] != kUnplaced)
            m_items[next[cellOf[i]]++] = static_cast<std::uint32_t>(i);
}

int GridIndex::columnOf(double x) const
{
    const double column = std::floor((x - m_bounds.left()) / m_cellWidth);
    return static_cast<int>(
        std::clamp(std::isfinite(column) ? column : 0.0, 0.0, double(m_columns - 1)));
}

int GridIndex::rowOf(double y) const
{
    const double row = std::floor((y - m_bounds.top()) / m_cellHeight);
    return static_cast<int>(std::clamp(std::isfinite(row) ? row : 0.0, 0.0, double(m_rows - 1)));
}

} // namespace ft::viewer
