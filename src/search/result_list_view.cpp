#include "search/result_list_view.h"

#include "search/result_list_model.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <algorithm>

namespace ft::search {
namespace {

// A report list without full-row selection marks only the first column of a
// selected row; the other columns paint as if unselected.
class FirstColumnSelectionDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (index.column() == 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem unselected(option);
        unselected.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, unselected, index);
    }
};

} // namespace

ResultListView::ResultListView(QWidget* parent) : QTreeView(parent)
{
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
    QAbstractItemDelegate* old = itemDelegate();
    if (fullRow)
        setItemDelegate(new QStyledItemDelegate(this));
    else
        setItemDelegate(new FirstColumnSelectionDelegate(this));
    if (old != nullptr && old->parent() == this)
        old->deleteLater();
}

bool ResultListView::isOnCheckBox(const QPoint& position) const
{
    const QModelIndex index = indexAt(position);
    if (!index.isValid() || index.column() != 0)
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.index = index;
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.checkState = static_cast<Qt::CheckState>(index.data(Qt::CheckStateRole).toInt());
    option.text = index.data(Qt::DisplayRole).toString();
    const QRect box = style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
    return box.contains(position);
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
