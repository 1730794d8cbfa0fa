#include "ui/main/overview_image.h"

#include "core/overview/overview_drawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace ft::app {

namespace {

// Label sizes are given in points; at 96 dots per inch a 7-point label is
// 9 pixels high on every screen, as the image is a fixed 601 pixels.
constexpr int kCanvasDotsPerMetre = 3780;

// A wheel's notch as Qt counts it.
constexpr double kWheelNotch = 120.0;

// The scale bar: this far from the corner, its ends this high, on a white
// plate that lets the drawing show through a little.
constexpr int kScaleBarMargin = 8;
constexpr int kScaleBarTick = 4;
constexpr int kScaleBarPadding = 3;
constexpr int kScaleBarPlateAlpha = 210;

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
    setFocusPolicy(Qt::ClickFocus);
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

void OverviewImage::showScaleBar(std::optional<overview::ScaleBar> bar)
{
    m_scaleBar = std::move(bar);
    update();
}

void OverviewImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_dragOffset.isNull()) {
        painter.drawImage(event->rect(), m_canvas, event->rect());
    } else {
        painter.fillRect(rect(), overview::kBackgroundColour);
        painter.drawImage(m_dragOffset, m_canvas);
    }
    paintScaleBar(painter);
}

void OverviewImage::paintScaleBar(QPainter& painter) const
{
    if (!m_scaleBar)
        return;
    const QFontMetrics metrics = painter.fontMetrics();
    const int left = kScaleBarMargin;
    const int barY = height() - kScaleBarMargin - kScaleBarPadding;
    const int textBottom = barY - kScaleBarTick - 1;
    const int plateWidth =
        std::max(m_scaleBar->pixels, metrics.horizontalAdvance(m_scaleBar->label)) +
        2 * kScaleBarPadding;
    const int plateTop = textBottom - metrics.height() - kScaleBarPadding;
    painter.fillRect(QRect(left - kScaleBarPadding, plateTop, plateWidth,
                           barY + kScaleBarPadding + 1 - plateTop),
                     QColor(255, 255, 255, kScaleBarPlateAlpha));
    painter.setPen(QPen(Qt::black, 1));
    const int right = left + m_scaleBar->pixels;
    painter.drawLine(left, barY, right, barY);
    painter.drawLine(left, barY, left, barY - kScaleBarTick);
    painter.drawLine(right, barY, right, barY - kScaleBarTick);
    painter.drawText(QPoint(left, textBottom - metrics.descent()), m_scaleBar->label);
}

void OverviewImage::mousePressEvent(QMouseEvent* event)
{
    // A second button pressed during a press changes nothing. A press whose
    // button is pressed again, or no longer held, lost its release (a dialog
    // took the mouse meanwhile): the new press replaces it.
    if (m_press && event->button() != m_press->button && (event->buttons() & m_press->button))
        return;
    m_press = Press{event->button(), event->modifiers(), event->position().toPoint(), false};
    m_dragOffset = {};
}

void OverviewImage::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_press)
        return;
    const QPoint offset = event->position().toPoint() - m_press->at;
    if (!m_press->dragging && offset.manhattanLength() >= kDragDistance) {
        m_press->dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    if (m_press->dragging) {
        m_dragOffset = offset;
        update();
    }
}

// The press is over before anything is emitted: what the receiver does (the
// viewer's start waits and lets events run) meets no press half followed.
void OverviewImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_press || event->button() != m_press->button)
        return;
    const Press press = *m_press;
    m_press.reset();
    m_lastPressDragged = press.dragging;
    if (!press.dragging) {
        emit clicked(press.button, press.modifiers, press.at);
        return;
    }
    unsetCursor();
    // The moved picture shows until the drawing of the new place replaces it.
    m_dragOffset = event->position().toPoint() - press.at;
    emit dragged(m_dragOffset);
    m_dragOffset = {};
    update();
}

// The second press of a double click: its release is no click, so a double
// click on a sheet opens its drawing once. After a drag it is the start of
// the next drag, which Qt sees as a double click when it begins quickly
// near where the first began.
void OverviewImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_lastPressDragged) {
        m_press.reset();
        mousePressEvent(event);
        return;
    }
    m_press.reset();
    emit doubleClicked(event->position().toPoint());
}

void OverviewImage::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / kWheelNotch;
    if (notches == 0.0) {
        event->ignore();
        return;
    }
    emit wheelTurned(event->position().toPoint(), notches);
    event->accept();
}

void OverviewImage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Home &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        emit homePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace ft::app
