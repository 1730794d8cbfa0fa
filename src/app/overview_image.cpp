#include "app/overview_image.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace ft::app {

OverviewImage::OverviewImage(QWidget* parent, QSize size)
    : QWidget(parent), m_canvas(size, QImage::Format_RGB32)
{
    ClearOverview(m_canvas);
    // Every pixel comes from the canvas, so Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void OverviewImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_canvas, event->rect());
}

void OverviewImage::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->modifiers(), event->position().toPoint());
}

void OverviewImage::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->buttons(), event->modifiers(), event->position().toPoint());
}

void ClearOverview(QImage& canvas)
{
    canvas.fill(Qt::white);
}

} // namespace ft::app
