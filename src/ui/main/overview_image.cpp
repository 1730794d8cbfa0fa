#include "ui/main/overview_image.h"

#include "core/overview/overview_drawing.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace ft::app {

namespace {

// Label sizes are given in points; at 96 dots per inch a 7-point label is
// 9 pixels high on every screen, as the image is a fixed 601 pixels.
constexpr int kCanvasDotsPerMetre = 3780;

} // namespace

OverviewImage::OverviewImage(QWidget* parent, QSize size)
    : QWidget(parent), m_canvas(size, QImage::Format_RGB32)
{
    m_canvas.setDotsPerMeterX(kCanvasDotsPerMetre);
    m_canvas.setDotsPerMeterY(kCanvasDotsPerMetre);
    drawOnCanvas([&](QPainter& canvas) {
        overview::ClearOverview(canvas, m_canvas.width(), m_canvas.height());
    });
    // Every pixel comes from the canvas, so Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void OverviewImage::drawOnCanvas(const std::function<void(QPainter&)>& draw)
{
    struct RepaintAfter {
        QWidget& widget;
        ~RepaintAfter() { widget.update(); }
    } repaint{*this};
    QPainter painter(&m_canvas);
    draw(painter);
}

void OverviewImage::showPicture(const QImage& picture)
{
    m_canvas = picture;
    update();
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

} // namespace ft::app
