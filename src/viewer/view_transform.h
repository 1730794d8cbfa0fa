#pragma once

// Where the drawing window looks: survey coordinates to window pixels and
// back. The drawing is oriented like the overview of the main window: the
// horizontal value (the second value of a survey pair, Y, easting) grows to
// the right, the vertical value (the first, X, northing) grows upward.
//
// "Map coordinates" below are QPointF(horizontal, vertical) in metres.

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QTransform>

namespace ft::viewer {

// The map point of a survey pair (first, second).
inline QPointF mapPointOf(double first, double second)
{
    return {second, first};
}

class ViewTransform {
public:
    // The limits of zoom: from a tenth of a millimetre to a kilometre per pixel.
    static constexpr double kMinMetresPerPixel = 1e-4;
    static constexpr double kMaxMetresPerPixel = 1e3;
    // The fitted box takes this share of the window: a tenth is left on each
    // side, as in the overview.
    static constexpr double kFitMargin = 1.2;
    // A box smaller than this (a single point) is fitted as this many metres.
    static constexpr double kSmallestFit = 20.0;

    void setPixelSize(QSize size) { m_size = size; }
    QSize pixelSize() const { return m_size; }

    QPointF centre() const { return m_centre; }
    void setCentre(QPointF centre) { m_centre = centre; }
    double metresPerPixel() const { return m_metresPerPixel; }
    void setMetresPerPixel(double metresPerPixel);

    QPointF toPixel(QPointF map) const;
    QPointF toMap(QPointF pixel) const;
    // The map area the window shows (left, bottom, width, height).
    QRectF visibleMap() const;
    // Map coordinates to pixels, for a QPainter.
    QTransform painterTransform() const;

    // Shows the box with the margin, centred, scales equal in both directions;
    // a box without size (one point) is shown kSmallestFit metres wide. A box
    // that is not finite, or a window without pixels, leaves the view as it is.
    void fit(const QRectF& mapBox);
    // Zooms by the factor (above 1 nearer) keeping the map point under the
    // pixel where it is.
    void zoomAround(QPointF pixel, double factor);
    // Moves the picture by the pixel offset (the map follows the pointer).
    void panByPixels(QPointF offset);

private:
    QSize m_size{1, 1};
    QPointF m_centre;
    double m_metresPerPixel = 1.0;
};

} // namespace ft::viewer
