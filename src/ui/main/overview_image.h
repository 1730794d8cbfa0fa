#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QPainter;

namespace ft::app {

// The overview image `Im1`: the drawing is made into a cached image of the
// widget's size; painting only copies it to the screen.
class OverviewImage final : public QWidget {
    Q_OBJECT
public:
    OverviewImage(QWidget* parent, QSize size);

    QImage& canvas() { return m_canvas; }
    const QImage& canvas() const { return m_canvas; }

    // Shows a picture drawn before (of the widget's size) instead.
    void showPicture(const QImage& picture);

    // Runs `draw` with a painter on the cached image, then schedules a
    // repaint, also when `draw` throws: what it drew before stays and shows.
    void drawOnCanvas(const std::function<void(QPainter&)>& draw);

signals:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void moved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_canvas;
};

} // namespace ft::app
