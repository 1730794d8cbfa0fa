#pragma once

// The last picture drawn in full and the view it was drawn for. While the
// view moves, each frame is that picture moved (and scaled, when zooming),
// which takes a millisecond where the full drawing of a large set takes tens;
// the full picture follows once the view stops.

#include "viewer/view_transform.h"

#include <QImage>

#include <functional>

class QPainter;

namespace ft::viewer {

class CachedPicture {
public:
    // Draws the view in full into a picture of the view's pixel size and
    // keeps it with the view.
    void redraw(const ViewTransform& view, double devicePixelRatio,
                const std::function<void(QPainter&, const ViewTransform&)>& draw);
    // Whether a picture is kept for a view of this size.
    bool fits(QSize pixelSize) const;
    const QImage& image() const { return m_image; }
    // Draws the kept picture where the view now puts its ground, paper around
    // it.
    void drawMoved(QPainter& painter, const ViewTransform& view) const;
    void clear() { m_image = QImage(); }

private:
    QImage m_image;
    ViewTransform m_view;
};

} // namespace ft::viewer
