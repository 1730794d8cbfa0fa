#pragma once

// The drawing area of the viewer window: paints the session's drawings and
// moves like a map (wheel zoom around the pointer, drag to pan, + / - and
// the arrow keys). While the map moves it shows the last full picture moved
// and draws in full once it has stood still for a moment.

#include "viewer/cached_picture.h"
#include "viewer/drawing_scene.h"
#include "viewer/scene_item.h"
#include "viewer/scene_renderer.h"
#include "viewer/view_transform.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace ft::viewer {

class ViewerSession;

class DrawingView : public QWidget {
    Q_OBJECT

public:
    // One wheel notch or key press zooms by this factor.
    static constexpr double kZoomStep = 1.25;
    // An arrow key moves the picture by this share of the window.
    static constexpr double kPanShare = 0.125;
    // The map has stopped when it has not moved for this long.
    static constexpr int kSettleMs = 150;

    explicit DrawingView(QWidget* parent = nullptr);

    // The session to draw; it must outlive the view (the window owns both).
    void setSession(const ViewerSession* session);
    const ViewTransform& transform() const { return m_transform; }

    void setLayers(const Layers& layers);
    const Layers& layers() const { return m_options.layers; }
    void setFocusItem(std::optional<SceneItem> item);
    const std::optional<SceneItem>& focusItem() const { return m_focus; }

    // Shows the box with a margin; before the view has its size the fit waits
    // for it, and until the user moves the map a new size fits it again (the
    // window manager may resize the window after the first fit). An empty box
    // changes nothing.
    void fitBox(const MapBox& box);
    void zoomBy(double factor);
    void panBy(QPointF pixels);
    // Whether frames are the last full picture moved, until the map stops.
    bool isMoving() const { return m_moving; }

signals:
    // The map point under the pointer, in metres; and when it leaves.
    void pointerMoved(QPointF map);
    void pointerLeft();
    // A picture has been painted (the window's first view among them).
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The map moves: frames come from the kept picture until it settles.
    void startMoving();
    // The map stands still: the next frame is drawn in full.
    void stopMoving();

    const ViewerSession* m_session = nullptr;
    ViewTransform m_transform;
    RenderOptions m_options;
    std::optional<SceneItem> m_focus;
    // The box the view was last fitted to, while the user has not moved away.
    std::optional<MapBox> m_fitted;
    std::optional<QPointF> m_dragFrom;
    CachedPicture m_picture;
    QTimer m_settle;
    bool m_moving = false;
};

} // namespace ft::viewer
