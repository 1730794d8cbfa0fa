#pragma once

// The view on paper: a page at a chosen scale (1:500 ...) with a title line
// naming the drawings, their datum and zone, the scale and the date. A PNG
// image is one such page of the view's size; sheets of paper (paper_sheets.h)
// are pages of the paper's size.

#include "viewer/scene_renderer.h"

#include <QDate>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <filesystem>
#include <optional>
#include <vector>

class QPainter;

namespace ft::viewer {

class ViewerSession;

// The page around the map: a margin on every side and a title band above it.
inline constexpr double kPaperMarginMm = 10.0;
inline constexpr double kTitleBandMm = 12.0;
// PNG images are made at this resolution.
inline constexpr double kPngDotsPerInch = 300.0;
// Larger images are refused: beyond this many pixels a side one would need
// gigabytes.
inline constexpr int kMaxImagePixels = 20000;

struct PaperSheet {
    double scale = 500.0; // the denominator of 1:scale
    QRectF mapArea;       // map coordinates shown (view_transform.h)
    QString title;
};

// The scale typed as "500", "1:500" or "1/500"; nothing when it is not a
// positive number.
std::optional<double> parseScale(const QString& text);

// The size of the map on paper, and of the whole page with margin and title.
QSizeF mapSizeMm(const QRectF& mapArea, double scale);
QSizeF pageSizeMm(const QRectF& mapArea, double scale);

// "図面 A01, A02　世界測地系 第9系　縮尺 1:500　2024/05/31": the open drawings
// that reach into the map area (all of them when none does).
QString paperTitle(const ViewerSession& session, const QRectF& mapArea, double scale,
                   const QDate& date);

// Draws the page onto a device with the given resolution, its top left corner
// at the painter's origin.
void renderPaper(QPainter& painter, double dotsPerMm, const PaperSheet& sheet,
                 const std::vector<DrawingToRender>& drawings, const Layers& layers);

// Writes the page as a PNG image; the result is the reason (Japanese) when it
// could not be.
std::optional<QString> exportPng(const std::filesystem::path& file, const PaperSheet& sheet,
                                 const std::vector<DrawingToRender>& drawings,
                                 const Layers& layers);

// The map area a page of the given printable size shows around the centre.
QRectF mapAreaForPage(QSizeF pageMm, QPointF centre, double scale);

} // namespace ft::viewer
