#include "core/overview/overview_drawing.h"

#include "core/catalogue/catalogue_database.h"
#include "core/formats/line_clip.h"
#include "core/formats/source_records.h"
#include "core/formats/working_files.h"
#include "core/overview/overview_window.h"
#include "core/overview/overview_zoom.h"
#include "core/overview/segment_mask.h"
#include "core/overview/segment_store.h"
#include "core/platform/cp932.h"
#include "core/workspace/workspace.h"

#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace ft::overview {

namespace {

// Pixel coordinates beyond this are far off the 601-pixel image; lines that
// reach further are cut at this box before they become ints, so that a wild
// coordinate can neither overflow an int nor upset the rasteriser. Inside the
// box nothing is cut: the canvas itself drops what falls off the image.
constexpr double kPixelLimit = 1 << 20;

// Half of the widest sheet label there is, with room to spare: a label whose
// centre lies further off the image than this cannot reach into it.
constexpr double kLabelReach = 1000.0;

// The caller's pen, font and brush come back however the drawing ends.
class PainterStateKeeper {
public:
    explicit PainterStateKeeper(QPainter& canvas) : m_canvas(canvas) { m_canvas.save(); }
    ~PainterStateKeeper() { m_canvas.restore(); }
    PainterStateKeeper(const PainterStateKeeper&) = delete;
    PainterStateKeeper& operator=(const PainterStateKeeper&) = delete;

private:
    QPainter& m_canvas;
};

bool withinLimit(PixelPoint p)
{
    return std::abs(p.x) <= kPixelLimit && std::abs(p.y) <= kPixelLimit;
}

// The part of the line from a to b inside the limit box, or nothing when the
// line misses the box.
std::optional<std::pair<PixelPoint, PixelPoint>> clipToLimit(PixelPoint a, PixelPoint b)
{
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return std::nullopt;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const std::optional<formats::LineSpan> span =
        formats::clipLine(a.x, a.y, dx, dy, {-kPixelLimit, -kPixelLimit, kPixelLimit, kPixelLimit});
    if (!span)
        return std::nullopt;
    const auto at = [&](double t) {
        return PixelPoint{roundHalfEven(a.x + t * dx), roundHalfEven(a.y + t * dy)};
    };
    return std::pair{at(span->enter), at(span->leave)};
}

QPoint pixelOf(PixelPoint p)
{
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

void drawPixelLine(QPainter& canvas, PixelPoint a, PixelPoint b)
{
    if (withinLimit(a) && withinLimit(b)) {
        canvas.drawLine(pixelOf(a), pixelOf(b));
        return;
    }
    if (const auto clipped = clipToLimit(a, b))
        canvas.drawLine(pixelOf(clipped->first), pixelOf(clipped->second));
}

// Sheet names are CP932; one that is not valid CP932 still gets a label,
// its undecodable bytes shown as replacement characters.
QString labelText(const std::string& cp932)
{
    try {
        return QString::fromStdString(platform::cp932ToUtf8(cp932));
    } catch (const platform::EncodingError&) {
        QString shown;
        for (const unsigned char byte : cp932)
            shown += byte < 0x80 ? QChar(char16_t{byte}) : QChar(QChar::ReplacementCharacter);
        return shown;
    }
}

void setSheetStyle(QPainter& canvas)
{
    // Width 0: a one-pixel line whatever the transformation.
    canvas.setPen(QPen(kSheetColour, 0));
    canvas.setBrush(Qt::NoBrush);
    QFont font = canvas.font();
    font.setPointSize(kSheetLabelPointSize);
    // Plain pixels in the one colour keep a 7-point label legible.
    font.setStyleStrategy(QFont::NoAntialias);
    canvas.setFont(font);
    canvas.setBackgroundMode(Qt::TransparentMode);
}

void setSegmentStyle(QPainter& canvas)
{
    canvas.setPen(
        QPen(kSegmentColour, kSegmentPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    canvas.setBrush(Qt::NoBrush);
}

// The name's left edge is half its width left of the centre (the half
// truncated), its top on the centre: the label hangs below the centre line.
// Labels whose centre lies far off the image are not laid out at all: zoomed
// in, most of thousands of sheets lie outside.
void drawSheetLabel(QPainter& canvas, const QString& name, PixelPoint centre)
{
    if (!withinLimit(centre))
        return;
    const QPaintDevice* device = canvas.device();
    // Far from the image no label reaches it: not even its width is worked out.
    if (device != nullptr && canvas.worldTransform().isIdentity() &&
        !QRectF(-kLabelReach, -kLabelReach, device->width() + 2 * kLabelReach,
                device->height() + 2 * kLabelReach)
             .contains(centre.x, centre.y))
        return;
    const QFontMetrics metrics = canvas.fontMetrics();
    const int left = static_cast<int>(centre.x) - metrics.horizontalAdvance(name) / 2;
    const int top = static_cast<int>(centre.y);
    canvas.drawText(QPoint(left, top + metrics.ascent()), name);
}

void drawSheet(QPainter& canvas, const OverviewView& view, const formats::SheetOutline& sheet)
{
    const PixelPoint corner1 = toPixel(view, {sheet.xmin, sheet.ymin});
    const PixelPoint corner3 = toPixel(view, {sheet.xmax, sheet.ymax});
    const PixelPoint corner2{corner1.x, corner3.y};
    const PixelPoint corner4{corner3.x, corner1.y};
    drawPixelLine(canvas, corner1, corner2);
    drawPixelLine(canvas, corner2, corner3);
    drawPixelLine(canvas, corner3, corner4);
    drawPixelLine(canvas, corner4, corner1);
    const PixelPoint centre{roundHalfEven((corner1.x + corner3.x) * 0.5),
                            roundHalfEven((corner1.y + corner3.y) * 0.5)};
    drawSheetLabel(canvas, labelText(sheet.name), centre);
}

void drawSheets(QPainter& canvas, const OverviewView& view, const std::filesystem::path& file,
                const ShownDrawings& shown)
{
    setSheetStyle(canvas);
    formats::forEachLine(
        file,
        [&](std::string& line) {
            const formats::SheetOutline sheet = formats::parseSheetOutline(std::move(line));
            if (shown.shows(sheet.fileNo))
                drawSheet(canvas, view, sheet);
        },
        formats::RecordLineReader::Ending::AtEndOfFile);
}

// Calls draw(from, to) for every segment of a shown drawing: from the store
// when there is one (it holds the file's segments), otherwise from the file's
// lines.
template <typename Draw>
void forEachSegment(const std::filesystem::path& file, const SegmentStore* store,
                    const ShownDrawings& shown, Draw&& draw)
{
    if (store != nullptr) {
        store->forEach([&](int fileNo) { return shown.shows(fileNo); }, draw);
        return;
    }
    formats::forEachLine(
        file,
        [&](std::string& line) {
            const formats::SegmentEnds segment = formats::parseSegmentEnds(line);
            if (shown.shows(segment.fileNo))
                draw(SurveyPoint{segment.x1, segment.y1}, SurveyPoint{segment.x2, segment.y2});
        },
        formats::RecordLineReader::Ending::AtEndOfFile);
}

// Segments through the painter's pen: for a canvas that is not drawn on
// pixel for pixel (a scaled or turned painter).
void drawSegmentsWithPen(QPainter& canvas, const OverviewView& view,
                         const std::filesystem::path& file, const SegmentStore* store,
                         const ShownDrawings& shown)
{
    setSegmentStyle(canvas);
    forEachSegment(file, store, shown, [&](SurveyPoint from, SurveyPoint to) {
        drawPixelLine(canvas, toPixel(view, from), toPixel(view, to));
    });
}

// A segment file holds a line per parcel edge, a million for a large
// municipality; the painter's wide pen costs microseconds per line, the mask
// a few nanoseconds per pixel. What was marked before a line that cannot be
// read is painted all the same.
void drawSegments(QPainter& canvas, const OverviewView& view, const std::filesystem::path& file,
                  const SegmentStore* store, const ShownDrawings& shown)
{
    const QPaintDevice* device = canvas.device();
    if (device == nullptr || !canvas.worldTransform().isIdentity()) {
        drawSegmentsWithPen(canvas, view, file, store, shown);
        return;
    }
    SegmentMask mask(device->width(), device->height());
    try {
        forEachSegment(file, store, shown, [&](SurveyPoint from, SurveyPoint to) {
            mask.addLine(toPixel(view, from), toPixel(view, to));
        });
    } catch (...) {
        mask.paintOnto(canvas, kSegmentColour);
        throw;
    }
    mask.paintOnto(canvas, kSegmentColour);
}

} // namespace

OverviewFiles overviewFilesOf(const workspace::Workspace& workspace, workspace::Datum datum)
{
    return {workspace.workingFile(workspace::WorkingFileKind::Extent, datum),
            workspace.workingFile(workspace::WorkingFileKind::SheetOutlines, datum),
            workspace.workingFile(workspace::WorkingFileKind::Segments, datum)};
}

std::set<int> registeredDrawings(catalogue::CatalogueDatabase& db)
{
    std::set<int> fileNos;
    catalogue::ResultTable rows = db.GetTable("SELECT FILENO FROM FILE");
    for (; !rows.Eof(); rows.Next())
        fileNos.insert(static_cast<int>(std::strtol(rows.FieldAsString(0).c_str(), nullptr, 10)));
    return fileNos;
}

void ClearOverview(QPainter& canvas, int width, int height)
{
    const PainterStateKeeper keeper(canvas);
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.fillRect(0, 0, width + 1, height + 1, kBackgroundColour);
}

bool drawOverviewOf(QPainter& canvas, OverviewView& view, const formats::Extent& extent,
                    const OverviewFiles& files, const ShownDrawings& shown)
{
    if (!fitWindow(view, extent))
        return false;
    drawOverviewWindow(canvas, view, files, shown, nullptr);
    return true;
}

void drawOverviewWindow(QPainter& canvas, const OverviewView& view, const OverviewFiles& files,
                        const ShownDrawings& shown, const SegmentStore* segments)
{
    const PainterStateKeeper keeper(canvas);
    canvas.setRenderHint(QPainter::Antialiasing, false);
    // Sheets first, so that outlines lie on top of rectangles and labels.
    drawSheets(canvas, view, files.sheetOutlines, shown);
    drawSegments(canvas, view, files.segments, segments, shown);
}

bool DrawOverview(QPainter& canvas, workspace::Workspace& workspace, OverviewState& overview,
                  const ShownDrawings& shown, const SegmentStore* segments)
{
    if (!overview.drawingsPresent)
        return false;
    const workspace::Datum datum = workspace.currentDatum();
    const OverviewFiles files = overviewFilesOf(workspace, datum);
    const std::optional<formats::Extent> extent = formats::readExtentFile(files.extent);
    if (!extent)
        return false;
    workspace.extent(datum) = *extent;
    if (!placeWindow(overview.view, *extent, overview.keptWindows[datum]))
        return false;
    drawOverviewWindow(canvas, overview.view, files, shown, segments);
    return true;
}

} // namespace ft::overview
