#include "viewer/cached_picture.h"

#include "viewer/scene_renderer.h"

#include <QPainter>

#include <cmath>

namespace ft::viewer {

void CachedPicture::redraw(const ViewTransform& view, double devicePixelRatio,
                           const std::function<void(QPainter&, const ViewTransform&)>& draw)
{
    const QSize pixels(static_cast<int>(std::lround(view.pixelSize().width() * devicePixelRatio)),
                       static_cast<int>(std::lround(view.pixelSize().height() * devicePixelRatio)));
    if (m_image.size() != pixels)
        m_image = QImage(pixels, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(devicePixelRatio);
    m_view = view;
    QPainter painter(&m_image);
    draw(painter, view);
}

bool CachedPicture::fits(QSize pixelSize) const
{
    return !m_image.isNull() && m_view.pixelSize() == pixelSize;
}

void CachedPicture::drawMoved(QPainter& painter, const ViewTransform& view) const
{
    const QRectF kept = m_view.visibleMap();
    // The kept picture's corners (north-west, south-east) in the view now.
    const QPointF northWest = view.toPixel(QPointF(kept.left(), kept.top() + kept.height()));
    const QPointF southEast = view.toPixel(QPointF(kept.left() + kept.width(), kept.top()));
    const QRectF target(northWest, southEast);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(view.pixelSize())), kPaperColour);
    const bool samePixels = std::abs(target.width() - view.pixelSize().width()) < 0.5 &&
                            std::abs(target.height() - view.pixelSize().height()) < 0.5;
    if (samePixels)
        // A pan: whole pixels, no resampling.
        painter.drawImage(QPointF(std::round(northWest.x()), std::round(northWest.y())), m_image);
    else
        painter.drawImage(target, m_image);
}

} // namespace ft::viewer
