#pragma once

#include <QImage>
#include <QWidget>

namespace ft::app {

// The overview image `Im1`: the drawing is made into a cached image of the
// widget's size; painting only copies it to the screen.
class OverviewImage final : public QWidget {
    Q_OBJECT
public:
    OverviewImage(QWidget* parent, QSize size);

    // The canvas the overview is drawn on; call update() after drawing.
    QImage& canvas() { return m_canvas; }
    const QImage& canvas() const { return m_canvas; }

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

// Paints the whole canvas white, the look of an empty overview.
void ClearOverview(QImage& canvas);

} // namespace ft::app
