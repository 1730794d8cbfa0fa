#pragma once

// A uniform grid over the boxes of a drawing's items, so that drawing a
// zoomed-in view visits only what lies near it. Each item sits in the cell
// of its box's centre; a query widens its rectangle by the largest item's
// half size, so no item that reaches into the rectangle is missed.

#include <QRectF>

#include <cstdint>
#include <optional>
#include <vector>

namespace ft::viewer {

class GridIndex {
public:
    // About this many items share a cell.
    static constexpr std::size_t kItemsPerCell = 8;

    GridIndex() = default;
    // One box per item, by the item's index; an item without a box (nothing
    // of it has a position) is never visited.
    explicit GridIndex(const std::vector<std::optional<QRectF>>& boxes);

    // Calls visit(index) for every item whose cell lies within the rectangle
    // (widened as above). Items are visited once each; callers still test
    // their box, since a cell holds items that only come near.
    template <class Visit> void query(const QRectF& rect, Visit&& visit) const
    {
        queryWhile(rect, [&](std::uint32_t i) {
            visit(i);
            return true;
        });
    }

    // As query, but stops at the first item for which visit returns false.
    template <class Visit> void queryWhile(const QRectF& rect, Visit&& visit) const
    {
        if (m_items.empty())
            return;
        const QRectF wide =
            rect.adjusted(-m_reach.width(), -m_reach.height(), m_reach.width(), m_reach.height());
        if (wide.left() > m_bounds.right() || wide.right() < m_bounds.left() ||
            wide.top() > m_bounds.bottom() || wide.bottom() < m_bounds.top())
            return;
        const int col0 = columnOf(wide.left());
        const int col1 = columnOf(wide.right());
        const int row0 = rowOf(wide.top());
        const int row1 = rowOf(wide.bottom());
        for (int row = row0; row <= row1; ++row) {
            const std::size_t base = static_cast<std::size_t>(row) * m_columns;
            const std::uint32_t first = m_cellStart[base + static_cast<std::size_t>(col0)];
            const std::uint32_t last = m_cellStart[base + static_cast<std::size_t>(col1) + 1];
            for (std::uint32_t i = first; i < last; ++i)
                if (!visit(m_items[i]))
                    return;
        }
    }

private:
    int columnOf(double x) const;
    int rowOf(double y) const;

    QRectF m_bounds;
    QSizeF m_reach;
    int m_columns = 0;
    int m_rows = 0;
    double m_cellWidth = 1.0;
    double m_cellHeight = 1.0;
    // Items sorted by cell (row-major); cell c holds m_items[m_cellStart[c]
    // .. m_cellStart[c + 1]).
    std::vector<std::uint32_t> m_cellStart;
    std::vector<std::uint32_t> m_items;
};

} // namespace ft::viewer
