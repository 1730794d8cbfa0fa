#include "ui/search/result_item_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace ft::search {
namespace {

// A check box in the classic look: a sunken white square and, when ticked,
// a black tick.
QPixmap drawStateImage(bool ticked)
{
    const int size = ResultItemDelegate::kStateImageSize;
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRect box(2, 2, 12, 12);
    painter.fillRect(box, Qt::white);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(box.topLeft() + QPoint(1, 1), box.topRight() + QPoint(-1, 1));
    painter.drawLine(box.topLeft() + QPoint(1, 1), box.bottomLeft() + QPoint(1, -1));
    painter.setPen(QColor(212, 208, 200));
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
    if (ticked) {
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath tick;
        tick.moveTo(4.5, 7.5);
        tick.lineTo(6.5, 10.0);
        tick.lineTo(11.5, 4.5);
        painter.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPath(tick);
    }
    return image;
}

} // namespace

ResultItemDelegate::ResultItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent), m_stateImages{drawStateImage(false), drawStateImage(true)}
{
}

void ResultItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() == 0 && (option->features & QStyleOptionViewItem::HasCheckIndicator)) {
        // The tick shows as the state image, not as the style's check indicator.
        const QPixmap& image = stateImage(option->checkState == Qt::Checked);
        option->features &= ~QStyleOptionViewItem::HasCheckIndicator;
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon = QIcon();
        option->icon.addPixmap(image, QIcon::Normal);
        option->icon.addPixmap(image, QIcon::Selected);
        option->decorationSize = image.size();
        option->decorationAlignment = Qt::AlignCenter;
    }
    if (!m_fullRowSelection && index.column() > 0)
        option->state &= ~QStyle::State_Selected;
}

QRect ResultItemDelegate::stateImageRect(const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    if (!(item.features & QStyleOptionViewItem::HasDecoration))
        return {};
    const QWidget* widget = item.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    return style->subElementRect(QStyle::SE_ItemViewItemDecoration, &item, widget);
}

} // namespace ft::search
