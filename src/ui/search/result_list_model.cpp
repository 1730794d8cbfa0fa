#include "ui/search/result_list_model.h"

#include <algorithm>

namespace ft::search {

ResultListModel::ResultListModel(ResultKind kind, QObject* parent)
    : QAbstractTableModel(parent), m_layout(resultLayout(kind))
{
}

int ResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : storedRowCount();
}

int ResultListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_layout.columns.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(cellText(index.row(), index.column()));
    case Qt::CheckStateRole:
        // The first column carries the row's check box (its state image).
        if (index.column() == 0)
            return rowTicked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return {};
    const std::string_view heading = m_layout.columns[static_cast<std::size_t>(section)].heading;
    return QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()));
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ResultListModel::storeCountedTick(int row, bool ticked)
{
    if (rowTicked(row) != ticked)
        m_tickedCount += ticked ? 1 : -1;
    storeTick(row, ticked);
}

void ResultListModel::recountTicks()
{
    m_tickedCount = 0;
    for (int row = 0; row < storedRowCount(); ++row)
        m_tickedCount += rowTicked(row) ? 1 : 0;
}

void ResultListModel::setTicked(int row, bool ticked)
{
    storeCountedTick(row, ticked);
    tickChanged(row, row);
}

void ResultListModel::invertTicks(const QList<int>& rows)
{
    std::vector<std::pair<int, int>> spans;
    spans.reserve(static_cast<std::size_t>(rows.size()));
    for (const int row : rows)
        spans.emplace_back(row, row);
    invertTickSpans(std::move(spans));
}

void ResultListModel::invertTickSpans(std::vector<std::pair<int, int>> spans)
{
    if (spans.empty())
        return;
    std::sort(spans.begin(), spans.end());
    int done = spans.front().first - 1; // the last row inverted so far
    for (const auto& [first, last] : spans) {
        for (int row = std::max(first, done + 1); row <= last; ++row)
            storeCountedTick(row, !rowTicked(row));
        done = std::max(done, last);
    }
    tickChanged(spans.front().first, done);
}

void ResultListModel::setAllTicked(bool ticked)
{
    const int count = storedRowCount();
    if (count == 0)
        return;
    for (int row = 0; row < count; ++row)
        storeTick(row, ticked);
    m_tickedCount = ticked ? count : 0;
    tickChanged(0, count - 1);
}

void ResultListModel::tickChanged(int first, int last)
{
    const QModelIndex from = index(first, 0);
    const QModelIndex to = index(last, 0);
    emit dataChanged(from, to, {Qt::CheckStateRole});
}

void ResultListModel::followMovedRows(const std::vector<int>& oldRows)
{
    std::vector<int> newRowOf(oldRows.size());
    for (std::size_t newRow = 0; newRow < oldRows.size(); ++newRow)
        newRowOf[static_cast<std::size_t>(oldRows[newRow])] = static_cast<int>(newRow);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after << this->index(newRowOf[static_cast<std::size_t>(index.row())], index.column());
    changePersistentIndexList(before, after);
}

} // namespace ft::search
