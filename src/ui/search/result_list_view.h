#pragma once

#include <QHeaderView>
#include <QList>
#include <QTableView>

#include <utility>
#include <vector>

namespace ft::search {

class ResultItemDelegate;
class ResultListModel;

// ListView1 of a result window: a read-only, multi-select report list with a
// state image (the row's tick as a check box) before the first column's text.
// A table without grid or row headings, whose rows all have one height: it
// keeps nothing per row but its height, so a list of a million rows costs the
// view a few megabytes and every step stays independent of the row count.
//
// Only a press of the left button on a row's check box inverts that row's
// tick (each press of a double click counts); a press on the text selects the
// row as usual and leaves the tick.
// Space with rows selected inverts the tick of each selected row, and then
// goes on to the list's own handling.
class ResultListView final : public QTableView {
public:
    explicit ResultListView(QWidget* parent = nullptr);

    // The column headings.
    QHeaderView* header() const { return horizontalHeader(); }

    void setResultModel(ResultListModel* model);
    ResultListModel* resultModel() const { return m_model; }

    // Whole rows show as selected (the parcel list), or only the first column.
    void setFullRowSelection(bool fullRow);
    bool allColumnsShowFocus() const { return m_fullRowSelection; }

    // Whether a point of the viewport lies on the state image of a row.
    bool isOnCheckBox(const QPoint& position) const;
    // The selected rows in ascending order.
    QList<int> selectedRowNumbers() const;
    // The selection as spans of rows (first, last), as the selection holds
    // them: they may overlap.
    std::vector<std::pair<int, int>> selectedRowSpans() const;

    // Typing does not search the list. A report list that asks its owner for
    // its rows finds an item by its text only through the owner, and these
    // windows never searched their rows so; here every key (Space included,
    // which the list passes on as search text) would read every row of the
    // catalogue's result to find none.
    void keyboardSearch(const QString& search) override;

protected:
    // The current item is a row, as in a report list: the cursor keys move
    // it up and down and it stays in the first column.
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click arrives as a double click only.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void invertTickUnder(const QMouseEvent& event);

    ResultListModel* m_model = nullptr;
    ResultItemDelegate* m_delegate = nullptr;
    bool m_fullRowSelection = false;
};

} // namespace ft::search
