#include "ui/search/result_list_view.h"

#include "ui/search/result_item_delegate.h"
#include "ui/search/result_list_model.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace ft::search {
ResultListView::ResultListView(QWidget* parent)
    : QTreeView(parent), m_delegate(new ResultItemDelegate(this))
{
    setItemDelegate(m_delegate);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFullRowSelection(false);
}

void ResultListView::setResultModel(ResultListModel* model)
{
    m_model = model;
    setModel(model);
}

void ResultListView::setFullRowSelection(bool fullRow)
{
    setAllColumnsShowFocus(fullRow);
    m_delegate->setFullRowSelection(fullRow);
    viewport()->update();
}

bool ResultListView::isOnCheckBox(const QPoint& position) const
{
    const QModelIndex index = indexAt(position);
    if (!index.isValid() || index.column() != 0)
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return m_delegate->stateImageRect(option, index).contains(position);
}

QList<int> ResultListView::selectedRowNumbers() const
{
    QList<int> rows;
    if (selectionModel() == nullptr)
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ResultListView::invertTickUnder(const QMouseEvent& event)
{
    const QPoint position = event.position().toPoint();
    if (m_model == nullptr || event.button() != Qt::LeftButton || !isOnCheckBox(position))
        return;
    const int row = indexAt(position).row();
    m_model->setTicked(row, !m_model->isTicked(row));
}

void ResultListView::mousePressEvent(QMouseEvent* event)
{
    invertTickUnder(*event);
    QTreeView::mousePressEvent(event);
}

void ResultListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    invertTickUnder(*event);
    QTreeView::mouseDoubleClickEvent(event);
}

void ResultListView::keyPressEvent(QKeyEvent* event)
{
    if (m_model != nullptr && event->key() == Qt::Key_Space) {
        const QList<int> rows = selectedRowNumbers();
        if (!rows.isEmpty())
            m_model->invertTicks(rows);
    }
    QTreeView::keyPressEvent(event);
}

} // namespace ft::search
