#pragma once

// The view on sheets of paper of a chosen size (A4 or A3, either way round):
// when the drawing at the chosen scale is larger than one sheet it is cut
// into numbered sheets that overlap their neighbours, each marked where the
// next one starts, after a key sheet that shows how they fit together.

#include "viewer/paper_output.h"

#include <QPageLayout>
#include <QPageSize>

#include <vector>

class QPagedPaintDevice;
class QPrinter;

namespace ft::viewer {

struct Paper {
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Landscape;

    friend bool operator==(const Paper&, const Paper&) = default;
};

// The sheets offered, A4 landscape first (the default).
std::vector<Paper> paperChoices();
// "A4 横" ...
QString paperName(const Paper& paper);
// The sheet's size, as it lies.
QSizeF paperSizeMm(const Paper& paper);

// How far neighbouring sheets show the same ground, on paper.
inline constexpr double kOverlapMm = 15.0;

struct SheetTile {
    int number = 1; // from 1, row by row from the top left
    int row = 0;    // from the top
    int column = 0; // from the left
    QRectF mapArea; // the ground the sheet shows
};

struct SheetPlan {
    int rows = 1;
    int columns = 1;
    std::vector<SheetTile> tiles;
    QRectF covered; // every tile's ground together

    // The tile at a row and column, nothing beyond the grid.
    const SheetTile* at(int row, int column) const;
};

// The sheets that show the map area at the scale: each shows what the sheet's
// map frame holds at that scale, neighbours overlap by kOverlapMm, and the
// grid is centred on the area. An area that fits one sheet gets one sheet
// centred on it.
SheetPlan planSheets(const QRectF& mapArea, double scale, const Paper& paper);

// What goes on paper: the ground, the scale, the sheet size and the title.
struct PaperJob {
    double scale = 500.0;
    QRectF mapArea;
    Paper paper;
    QString title;
};

// Draws the job onto a paged device already set to the paper's size with no
// margins, the key sheet first when there are several sheets.
void paintSheets(QPagedPaintDevice& device, QPainter& painter, double dotsPerMm,
                 const PaperJob& job, const std::vector<DrawingToRender>& drawings,
                 const Layers& layers);

// Writes the job as a PDF of one page per sheet; the result is the reason
// (Japanese) when it could not be written.
std::optional<QString> exportPdfSheets(const std::filesystem::path& file, const PaperJob& job,
                                       const std::vector<DrawingToRender>& drawings,
                                       const Layers& layers);

// Prints the job on a printer set to the job's paper, full page; the result
// is the reason (Japanese) when it could not be printed.
std::optional<QString> printSheets(QPrinter& printer, const PaperJob& job,
                                   const std::vector<DrawingToRender>& drawings,
                                   const Layers& layers);

} // namespace ft::viewer
