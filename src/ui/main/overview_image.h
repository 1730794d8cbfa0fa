#pragma once

#include "core/overview/overview_zoom.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

class QPainter;

namespace ft::app {

// The overview image `Im1`: the drawing is made into a cached image of the
// widget's size; painting only copies it to the screen.
//
// A press that moves less than kDragDistance before its release is a click;
// one that moves further drags the picture, which follows the pointer at
// once (the cached image shifted, the uncovered part white) until the
// release asks for a drawing of the new place. The wheel zooms, a double
// click and Home ask for everything again. The image takes the keyboard when
// clicked, so Home in a search field keeps its meaning there.
class OverviewImage final : public QWidget {
    Q_OBJECT
public:
    // Moving this far (along and across together) turns a press into a drag.
    static constexpr int kDragDistance = 4;

    OverviewImage(QWidget* parent, QSize size);

    QImage& canvas() { return m_canvas; }
    const QImage& canvas() const { return m_canvas; }

    // Shows a picture drawn before (of the widget's size) instead.
    void showPicture(const QImage& picture);

    // Runs `draw` with a painter on the cached image, then schedules a
    // repaint, also when `draw` throws: what it drew before stays and shows.
    void drawOnCanvas(const std::function<void(QPainter&)>& draw);

    // The bar shown in the lower left corner over the picture; nothing hides it.
    void showScaleBar(std::optional<overview::ScaleBar> bar);
    const std::optional<overview::ScaleBar>& scaleBar() const { return m_scaleBar; }

signals:
    // A press released where it was pressed (within kDragDistance).
    void clicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    // A drag released: the picture was moved by `offset` pixels.
    void dragged(QPoint offset);
    // The wheel turned by `notches` (positive away from the operator) over `position`.
    void wheelTurned(QPoint position, double notches);
    void doubleClicked(QPoint position);
    void homePressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The press being followed, from its press to its release.
    struct Press {
        Qt::MouseButton button = Qt::NoButton;
        Qt::KeyboardModifiers modifiers;
        QPoint at;
        bool dragging = false;
    };

    void paintScaleBar(QPainter& painter) const;

    QImage m_canvas;
    std::optional<Press> m_press;
    bool m_lastPressDragged = false; // whether the last press ended as a drag
    QPoint m_dragOffset;             // how far the picture is shown moved during a drag
    std::optional<overview::ScaleBar> m_scaleBar;
};

} // namespace ft::app
