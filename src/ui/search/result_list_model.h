#pragma once

#include "core/search/result_layout.h"
#include "core/search/result_rows.h"
#include "core/search/row_page_cache.h"

#include <QAbstractTableModel>
#include <QList>

#include <algorithm>
#include <exception>
#include <numeric>
#include <utility>
#include <vector>

namespace ft::search {

// The list of a result window as Qt sees it: one row per key of the window's
// row store, the columns of the window's layout, and each row's tick as the
// check state of its first column. The texts of a row are read when the view
// paints it, a page of rows at a time, so a result of every parcel of a datum
// shows at once and costs little more than its keys. Each tick action sends
// one change notice, however many rows it changes.
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
    // How many rows are ticked, kept as the ticks change.
    int tickedCount() const { return m_tickedCount; }
    void setTicked(int row, bool ticked);
    // Inverts each listed row on its own: ticked rows become unticked, the
    // others ticked.
    void invertTicks(const QList<int>& rows);
    // The same for every row of the spans (first, last), inclusive; a row in
    // two spans is inverted once.
    void invertTickSpans(std::vector<std::pair<int, int>> spans);
    void setAllTicked(bool ticked);

    // Refills the row store through `load` and tells the view the new rows;
    // when `load` throws, the view still learns what the store holds then.
    template <class Load> void replaceRows(Load load)
    {
        beginResetModel();
        try {
            load();
        } catch (...) {
            recountTicks();
            endResetModel();
            throw;
        }
        recountTicks();
        endResetModel();
    }

protected:
    ResultListModel(ResultKind kind, QObject* parent);

    virtual int storedRowCount() const = 0;
    // Empty for a row that is gone from the catalogue, or that cannot be read
    // now (the catalogue is locked): painting must not fail.
    virtual std::string cellText(int row, int column) const = 0;
    virtual bool rowTicked(int row) const = 0;
    virtual void storeTick(int row, bool ticked) = 0;

    // Rows moved from `oldRows[i]` to row i: persistent indexes (the view's
    // selection and current row) follow their rows.
    void followMovedRows(const std::vector<int>& oldRows);

private:
    void tickChanged(int first, int last);
    void storeCountedTick(int row, bool ticked);
    void recountTicks();

    const ResultLayout& m_layout;
    int m_tickedCount = 0;
};

// The model over a window's row keys, which it holds as long as the window,
// and the pages of texts the view has asked for lately.
template <class Row> class KeyedRowModel final : public ResultListModel {
public:
    using Key = typename Row::Key;

    explicit KeyedRowModel(QObject* parent = nullptr) : ResultListModel(Row::kKind, parent) {}

    const ResultRowKeys<Row>& rows() const { return m_rows; }
    TskDataList<Key>& keys() { return m_rows.keys; }
    const TskDataList<Key>& keys() const { return m_rows.keys; }

    // Lists the rows of the statement anew (LoadRowKeys).
    void load(catalogue::CatalogueDatabase& db, const std::string& queryText)
    {
        replaceRows([&] {
            m_pages.clear();
            LoadRowKeys(db, queryText, m_rows);
        });
    }

    // Lists the rows of the statement again in the order of `orderClause`,
    // each keeping its tick (ReorderRowKeys).
    void reorder(const std::string& queryText, std::string_view orderClause)
    {
        replaceRows([&] {
            m_pages.clear();
            ReorderRowKeys(queryText, m_rows, orderClause);
        });
    }

    // Reorders the rows by a strict "sorts before" predicate on their keys;
    // rows it finds equal keep their order. Selection and current row move
    // with their rows.
    template <class Less> void sortRows(Less less)
    {
        std::vector<int> order(static_cast<std::size_t>(m_rows.keys.size()));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return less(m_rows.keys.item(a), m_rows.keys.item(b));
        });
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        TskDataList<Key> sorted;
        for (const int oldRow : order)
            sorted.append(m_rows.keys.item(oldRow));
        m_rows.keys = std::move(sorted);
        m_pages.clear();
        followMovedRows(order);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

protected:
    int storedRowCount() const override { return m_rows.keys.size(); }
    std::string cellText(int row, int column) const override
    {
        try {
            const std::optional<Row>& texts = m_pages.row(m_rows, row);
            if (!texts)
                return {};
            return cellTexts(*texts).at(static_cast<std::size_t>(column));
        } catch (const std::exception&) {
            return {};
        }
    }
    bool rowTicked(int row) const override { return m_rows.keys.item(row).Ticked; }
    void storeTick(int row, bool ticked) override { m_rows.keys.item(row).Ticked = ticked; }

private:
    ResultRowKeys<Row> m_rows;
    // Filled while painting, which only reads.
    mutable RowPageCache<Row> m_pages;
};

} // namespace ft::search
