#include "ui/search/result_list_view.h"

#include "ui/search/result_item_delegate.h"
#include "ui/search/result_list_model.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace ft::search {
namespace {

// One height for every row: the state image or a line of text, whichever is
// taller, and a pixel above and below.
int rowHeightFor(const QFontMetrics& metrics)
{
    return std::max(metrics.height(), ResultItemDelegate::kStateImageSize) + 2;
}

} // namespace

ResultListView::ResultListView(QWidget* parent)
    : QTableView(parent), m_delegate(new ResultItemDelegate(this))
{
    setItemDelegate(m_delegate);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setSortingEnabled(false);
    QHeaderView* rows = verticalHeader();
    rows->setVisible(false);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(rowHeightFor(fontMetrics()));
    QHeaderView* headings = horizontalHeader();
    headings->setStretchLastSection(false);
    headings->setSectionsMovable(false);
    headings->setHighlightSections(false);
    headings->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFullRowSelection(false);
}

QModelIndex ResultListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex moved = QTableView::moveCursor(cursorAction, modifiers);
    return moved.isValid() ? moved.siblingAtColumn(0) : moved;
}

void ResultListView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        verticalHeader()->setDefaultSectionSize(rowHeightFor(fontMetrics()));
    QTableView::changeEvent(event);
}

void ResultListView::setResultModel(ResultListModel* model)
{
    m_model = model;
    setModel(model);
}

void ResultListView::setFullRowSelection(bool fullRow)
{
    m_fullRowSelection = fullRow;
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
    QTableView::mousePressEvent(event);
}

void ResultListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    invertTickUnder(*event);
    QTableView::mouseDoubleClickEvent(event);
}

std::vector<std::pair<int, int>> ResultListView::selectedRowSpans() const
{
    std::vector<std::pair<int, int>> spans;
    if (selectionModel() == nullptr)
        return spans;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        spans.emplace_back(range.top(), range.bottom());
    return spans;
}

void ResultListView::keyboardSearch(const QString&)
{
}

void ResultListView::keyPressEvent(QKeyEvent* event)
{
    // The selection's spans, not its rows one by one: selecting every row of
    // a million is one span.
    if (m_model != nullptr && event->key() == Qt::Key_Space)
        m_model->invertTickSpans(selectedRowSpans());
    QTableView::keyPressEvent(event);
}

} // namespace ft::search
