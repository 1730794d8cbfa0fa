#pragma once

#include <QList>
#include <QTreeView>

namespace ft::search {

class ResultItemDelegate;
class ResultListModel;

// ListView1 of a result window: a read-only, multi-select report list with a
// state image (the row's tick as a check box) before the first column's text.
//
// Only a press of the left button on a row's check box inverts that row's
// tick (each press of a double click counts); a press on the text selects the
// row as usual and leaves the tick.
// Space with rows selected inverts the tick of each selected row, and then
// goes on to the list's own handling.
class ResultListView final : public QTreeView {
public:
    explicit ResultListView(QWidget* parent = nullptr);

    void setResultModel(ResultListModel* model);
    ResultListModel* resultModel() const { return m_model; }

    // Whole rows show as selected (the parcel list), or only the first column.
    void setFullRowSelection(bool fullRow);

    // Whether a point of the viewport lies on the state image of a row.
    bool isOnCheckBox(const QPoint& position) const;
    // The selected rows in ascending order.
    QList<int> selectedRowNumbers() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click arrives as a double click only.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void invertTickUnder(const QMouseEvent& event);

    ResultListModel* m_model = nullptr;
    ResultItemDelegate* m_delegate = nullptr;
};

} // namespace ft::search
