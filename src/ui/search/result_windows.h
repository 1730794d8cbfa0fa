#pragma once

// The four result list windows. They share one design (ResultListWindow) and
// differ in their rows, columns, order clause, heading clicks and the item
// records they write (see result_layout.h and result_request.h).

#include "core/search/result_request.h"
#include "core/search/result_rows.h"
#include "ui/search/result_list_model.h"
#include "ui/search/result_list_window.h"

namespace ft::search {

// A result window over its own row store: the keys of its `Row`s, whose
// texts are read when shown or handed over.
template <class Row> class ResultWindow : public ResultListWindow {
public:
    using Key = typename Row::Key;

    TskDataList<Key>& Rows() { return m_model->keys(); }
    const TskDataList<Key>& Rows() const { return m_model->keys(); }

protected:
    ResultWindow(const char* objectName, HeadingClicks headingClicks, ResultWindowServices services,
                 QWidget* parent)
        : ResultListWindow(Row::kKind, objectName, headingClicks, std::move(services), parent),
          m_model(new KeyedRowModel<Row>(this))
    {
        attachModel(m_model);
    }

    KeyedRowModel<Row>& model() { return *m_model; }
    const ResultRowKeys<Row>& rowKeys() const { return m_model->rows(); }

    // A new showing lists the rows in the window's own order again.
    void LoadRows() override
    {
        m_sortColumn = -1;
        hideSortedColumn();
        m_model->load(catalogue(), QueryText());
    }

    // Sorts the list by the clicked column, ascending; a second click on the
    // same column reverses the order. The statement runs again ordered by the
    // column; the ticks stay with their rows.
    void headingClicked(int column) override
    {
        const bool descending = column == m_sortColumn && !m_descending;
        const std::string clause = columnOrderClause(Row::kKind, column, descending);
        if (clause.empty())
            return;
        m_model->reorder(QueryText(), clause);
        m_sortColumn = column;
        m_descending = descending;
        showSortedColumn(column, descending);
    }

private:
    KeyedRowModel<Row>* m_model;
    int m_sortColumn = -1;
    bool m_descending = false;
};

// 地番検索結果: the parcels of a parcel search.
class ParcelResultWindow final : public ResultWindow<ParcelRow> {
public:
    explicit ParcelResultWindow(ResultWindowServices services, QWidget* parent = nullptr);
    void SetQuery(std::string statement, std::filesystem::path requestFolder);

protected:
    void writeRequest(formats::RequestWriter& out) override;
};

// 図葉検索結果: the map sheets of a map sheet search; its columns sort.
class MapSheetResultWindow final : public ResultWindow<MapSheetRow> {
public:
    explicit MapSheetResultWindow(ResultWindowServices services, QWidget* parent = nullptr);
    void SetQuery(std::string statement, std::filesystem::path requestFolder);
    // The last clicked column heading.
    int SortColumn() const { return m_sortColumn; }

protected:
    void writeRequest(formats::RequestWriter& out) override;
    void headingClicked(int column) override;

private:
    int m_sortColumn = 0;
};

// A result window whose item records carry the record code its caller
// gives: the point window (4 or 5) and the registered drawing list (1).
template <class Row> class CodedResultWindow : public ResultWindow<Row> {
public:
    void SetQuery(int recordCode, std::string statement, std::filesystem::path requestFolder)
    {
        m_recordCode = recordCode;
        this->storeQuery(std::move(statement), std::move(requestFolder));
    }
    int RecordCode() const { return m_recordCode; }

protected:
    using ResultWindow<Row>::ResultWindow;

    void writeRequest(formats::RequestWriter& out) override
    {
        writeResultRequest(this->rowKeys(), m_recordCode, out);
    }

private:
    int m_recordCode = 0;
};

// 点検索結果: the points of a boundary point search (record code 4) or of a
// control point search (record code 5).
class PointResultWindow final : public CodedResultWindow<PointRow> {
public:
    explicit PointResultWindow(ResultWindowServices services, QWidget* parent = nullptr);
};

// Every registered drawing of the current datum (登録図面表示), record code 1.
// It carries the caption of the point window.
class DrawingListWindow final : public CodedResultWindow<DrawingRow> {
public:
    explicit DrawingListWindow(ResultWindowServices services, QWidget* parent = nullptr);
};

} // namespace ft::search
