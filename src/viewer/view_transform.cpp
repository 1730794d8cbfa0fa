#include "viewer/view_transform.h"

#include <algorithm>
#include <cmath>

namespace ft::viewer {

void ViewTransform::setMetresPerPixel(double metresPerPixel)
{
    if (!std::isfinite(metresPerPixel))
        return;
    m_metresPerPixel = std::clamp(metresPerPixel, kMinMetresPerPixel, kMaxMetresPerPixel);
}

QPointF ViewTransform::toPixel(QPointF map) const
{
    return {(map.x() - m_centre.x()) / m_metresPerPixel + m_size.width() / 2.0,
            (m_centre.y() - map.y()) / m_metresPerPixel + m_size.height() / 2.0};
}

QPointF ViewTransform::toMap(QPointF pixel) const
{
    return {m_centre.x() + (pixel.x() - m_size.width() / 2.0) * m_metresPerPixel,
            m_centre.y() - (pixel.y() - m_size.height() / 2.0) * m_metresPerPixel};
}

QRectF ViewTransform::visibleMap() const
{
    const double width = m_size.width() * m_metresPerPixel;
    const double height = m_size.height() * m_metresPerPixel;
    return {m_centre.x() - width / 2, m_centre.y() - height / 2, width, height};
}

QTransform ViewTransform::painterTransform() const
{
    const double scale = 1.0 / m_metresPerPixel;
    return QTransform(scale, 0.0, 0.0, -scale, m_size.width() / 2.0 - m_centre.x() * scale,
                      m_size.height() / 2.0 + m_centre.y() * scale);
}

void ViewTransform::fit(const QRectF& mapBox)
{
    const QRectF box = mapBox.normalized();
    if (!std::isfinite(box.x()) || !std::isfinite(box.y()) || !std::isfinite(box.width()) ||
        !std::isfinite(box.height()) || m_size.isEmpty())
        return;
    const double width = std::max(box.width(), box.height() > 0 ? 0.0 : kSmallestFit);
    const double height = std::max(box.height(), box.width() > 0 ? 0.0 : kSmallestFit);
    m_centre = box.center();
    setMetresPerPixel(kFitMargin * std::max(width / m_size.width(), height / m_size.height()));
}

void ViewTransform::zoomAround(QPointF pixel, double factor)
{
    if (!(factor > 0.0) || !std::isfinite(factor))
        return;
    const QPointF anchor = toMap(pixel);
    setMetresPerPixel(m_metresPerPixel / factor);
    // Move the centre so that the anchor is under the same pixel again.
    const QPointF moved = toPixel(anchor);
    panByPixels(pixel - moved);
}

void ViewTransform::panByPixels(QPointF offset)
{
    m_centre += QPointF(-offset.x() * m_metresPerPixel, offset.y() * m_metresPerPixel);
}

} // namespace ft::viewer
