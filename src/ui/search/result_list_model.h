#pragma once

#include "core/search/result_layout.h"
#include "core/search/result_rows.h"

#include <QAbstractTableModel>
#include <QList>

#include <algorithm>
#include <numeric>
#include <vector>

namespace ft::search {

// The list of a result window as Qt sees it: one row per row of the window's
// row store, the columns of the window's layout, and each row's tick as the
// check state of its first column. The model stores nothing itself and reads
// a row's texts only when the view paints it, so a result of every parcel of
// a datum shows at once. A tick change alters one flag and repaints one row.
class ResultListModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Read-only: the ticks change through the calls below, never through an
    // editor or the view's own check-box handling.
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const ResultLayout& layout() const { return m_layout; }

    bool isTicked(int row) const { return rowTicked(row); }
    void setTicked(int row, bool ticked);
    // Inverts each listed row on its own: ticked rows become unticked, the
    // others ticked.
    void invertTicks(const QList<int>& rows);
    void setAllTicked(bool ticked);

    // Refills the row store through `load` and tells the view the new rows;
    // when `load` throws, the view still learns what the store holds then.
    template <class Load> void replaceRows(Load load)
    {
        beginResetModel();
        try {
            load();
        } catch (...) {
            endResetModel();
            throw;
        }
        endResetModel();
    }

protected:
    ResultListModel(ResultKind kind, QObject* parent);

    virtual int storedRowCount() const = 0;
    virtual std::string cellText(int row, int column) const = 0;
    virtual bool rowTicked(int row) const = 0;
    virtual void storeTick(int row, bool ticked) = 0;

    // Rows moved from `oldRows[i]` to row i: persistent indexes (the view's
    // selection and current row) follow their rows.
    void followMovedRows(const std::vector<int>& oldRows);

private:
    void tickChanged(int first, int last);

    const ResultLayout& m_layout;
};

// The model over a window's own row store, which it holds: the rows live
// once, here, as long as the window.
template <class Row> class RowStoreModel final : public ResultListModel {
public:
    explicit RowStoreModel(QObject* parent = nullptr) : ResultListModel(Row::kKind, parent) {}

    TskDataList<Row>& rows() { return m_rows; }
    const TskDataList<Row>& rows() const { return m_rows; }

    // Reorders the rows by a strict "sorts before" predicate; rows it finds
    // equal keep their order. Selection and current row move with their rows.
    template <class Less> void sortRows(Less less)
    {
        std::vector<int> order(static_cast<std::size_t>(m_rows.size()));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return less(m_rows.item(a), m_rows.item(b)); });
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        TskDataList<Row> sorted;
        for (const int oldRow : order)
            sorted.append(std::move(m_rows.item(oldRow)));
        m_rows = std::move(sorted);
        followMovedRows(order);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

protected:
    int storedRowCount() const override { return m_rows.size(); }
    std::string cellText(int row, int column) const override
    {
        return cellTexts(m_rows.item(row)).at(static_cast<std::size_t>(column));
    }
    bool rowTicked(int row) const override { return m_rows.item(row).Ticked; }
    void storeTick(int row, bool ticked) override { m_rows.item(row).Ticked = ticked; }

private:
    TskDataList<Row> m_rows;
};

} // namespace ft::search
