#include "viewer/drawing_view.h"

#include "core/platform/operator_message.h"
#include "viewer/viewer_session.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace ft::viewer {

DrawingView::DrawingView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("drawingView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(200, 150);
    // Every pixel is painted each time: no background to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        // Still dragging: the drawing waits for the release.
        if (!m_dragFrom)
            stopMoving();
    });
}

void DrawingView::startMoving()
{
    m_moving = true;
    m_settle.start();
}

void DrawingView::stopMoving()
{
    m_settle.stop();
    m_moving = false;
    update();
}

void DrawingView::setSession(const ViewerSession* session)
{
    m_session = session;
    update();
}

void DrawingView::setLayers(const Layers& layers)
{
    m_options.layers = layers;
    update();
}

void DrawingView::setFocusItem(std::optional<SceneItem> item)
{
    m_focus = item;
    update();
}

void DrawingView::fitBox(const MapBox& box)
{
    if (box.isEmpty())
        return;
    m_fitted = box;
    m_moving = false;
    m_transform.setPixelSize(size());
    m_transform.fit(box.rect());
    update();
}

void DrawingView::zoomBy(double factor)
{
    m_fitted.reset();
    m_transform.zoomAround(QPointF(width() / 2.0, height() / 2.0), factor);
    startMoving();
    update();
}

void DrawingView::panBy(QPointF pixels)
{
    m_fitted.reset();
    m_transform.panByPixels(pixels);
    startMoving();
    update();
}

void DrawingView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_transform.setPixelSize(size());
    if (m_moving && m_picture.fits(size())) {
        m_picture.drawMoved(painter, m_transform);
        return;
    }
    m_picture.redraw(
        m_transform, devicePixelRatioF(), [this](QPainter& onPicture, const ViewTransform& view) {
            renderScene(onPicture, view,
                        m_session ? m_session->toRender() : std::vector<DrawingToRender>{}, m_focus,
                        m_options);
        });
    painter.drawImage(QPointF(0, 0), m_picture.image());
    const bool empty = !m_session || m_session->bounds().isEmpty();
    if (empty) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter,
                         platform::messageText(QT_TRANSLATE_NOOP(
                             "findTavla", "No drawing to show.\nOpen a drawing's header (.hed) "
                                          "with 開く.")));
    }
    emit painted();
}

void DrawingView::resizeEvent(QResizeEvent*)
{
    // A fitted view stays fitted; a moved one keeps its centre and scale.
    m_transform.setPixelSize(size());
    if (m_fitted)
        m_transform.fit(m_fitted->rect());
}

void DrawingView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
        m_dragFrom = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragFrom) {
        const QPointF offset = event->position() - *m_dragFrom;
        m_dragFrom = event->position();
        panBy(offset);
    }
    emit pointerMoved(m_transform.toMap(event->position()));
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
        m_dragFrom.reset();
        unsetCursor();
        stopMoving();
    }
}

void DrawingView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0)
        return;
    m_fitted.reset();
    m_transform.zoomAround(event->position(), std::pow(kZoomStep, notches));
    startMoving();
    update();
    emit pointerMoved(m_transform.toMap(event->position()));
    event->accept();
}

void DrawingView::keyPressEvent(QKeyEvent* event)
{
    const double stepX = width() * kPanShare;
    const double stepY = height() * kPanShare;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(kZoomStep);
        return;
    case Qt::Key_Minus:
        zoomBy(1.0 / kZoomStep);
        return;
    // An arrow looks that way: the picture moves the other.
    case Qt::Key_Left:
        panBy(QPointF(stepX, 0));
        return;
    case Qt::Key_Right:
        panBy(QPointF(-stepX, 0));
        return;
    case Qt::Key_Up:
        panBy(QPointF(0, stepY));
        return;
    case Qt::Key_Down:
        panBy(QPointF(0, -stepY));
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void DrawingView::leaveEvent(QEvent*)
{
    emit pointerLeft();
}

} // namespace ft::viewer
