#include "viewer/paper_sheets.h"

#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <cmath>

namespace ft::viewer {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPdfDotsPerInch = 300.0;
// More sheets than this are refused: a scale that needs them is a mistake
// more often than a wish, and the file or the print would take long.
constexpr std::size_t kMaxSheets = 200;
constexpr double kMarkPointSize = 8.0;
constexpr double kKeyNumberPointSize = 16.0;

// The map frame of a sheet: the paper less the margins and the title band.
QSizeF frameSizeMm(const Paper& paper)
{
    const QSizeF sheet = paperSizeMm(paper);
    return {sheet.width() - 2 * kPaperMarginMm, sheet.height() - 2 * kPaperMarginMm - kTitleBandMm};
}

// How many sheets of `frame` metres, overlapping by `overlap`, cover `length`.
int sheetsAlong(double length, double frame, double overlap)
{
    if (!(length > frame))
        return 1;
    return static_cast<int>(std::ceil((length - overlap) / (frame - overlap)));
}

// Map coordinates (north up) on a sheet's map frame, in device dots.
class FrameDots {
public:
    FrameDots(const QRectF& mapArea, double scale, double dotsPerMm)
        : m_west(mapArea.x()), m_north(mapArea.y() + mapArea.height()),
          m_dotsPerMetre(1000.0 / scale * dotsPerMm),
          m_origin(kPaperMarginMm * dotsPerMm, (kPaperMarginMm + kTitleBandMm) * dotsPerMm)
    {
    }
    QPointF at(double east, double north) const
    {
        return m_origin +
               QPointF((east - m_west) * m_dotsPerMetre, (m_north - north) * m_dotsPerMetre);
    }
    QRectF box(const QRectF& map) const
    {
        return QRectF(at(map.x(), map.y() + map.height()), at(map.x() + map.width(), map.y()));
    }

private:
    double m_west;
    double m_north;
    double m_dotsPerMetre;
    QPointF m_origin;
};

void setPointSize(QPainter& painter, double points, bool bold = false)
{
    QFont font = painter.font();
    font.setPointSizeF(points);
    font.setBold(bold);
    painter.setFont(font);
}

// Where each neighbour starts: a dashed line across the frame at its edge,
// and its number in the margin beyond.
void drawOverlapMarks(QPainter& painter, double dotsPerMm, const SheetPlan& plan,
                      const SheetTile& tile, double scale)
{
    const FrameDots dots(tile.mapArea, scale, dotsPerMm);
    const QRectF frame = dots.box(tile.mapArea);
    const double overlap = kOverlapMm * dotsPerMm;
    const double gap = 1.5 * dotsPerMm;
    painter.save();
    painter.setPen(QPen(QColor(90, 90, 90), std::max(1.0, 0.25 * dotsPerMm), Qt::DashLine));
    setPointSize(painter, kMarkPointSize, true);
    const QFontMetricsF metrics(painter.font());
    struct Side {
        int rowStep;
        int columnStep;
    };
    for (const Side side : {Side{-1, 0}, Side{1, 0}, Side{0, -1}, Side{0, 1}}) {
        const SheetTile* next = plan.at(tile.row + side.rowStep, tile.column + side.columnStep);
        if (!next)
            continue;
        const QString label = QStringLiteral("%1 へ続く").arg(next->number);
        const double width = metrics.horizontalAdvance(label);
        QLineF line;
        QPointF text;
        if (side.rowStep != 0) {
            const double y = side.rowStep < 0 ? frame.top() + overlap : frame.bottom() - overlap;
            line = QLineF(frame.left(), y, frame.right(), y);
            text = side.rowStep < 0 ? QPointF(frame.center().x() - width / 2, frame.top() - gap)
                                    : QPointF(frame.center().x() - width / 2,
                                              frame.bottom() + gap + metrics.ascent());
        } else {
            const double x = side.columnStep < 0 ? frame.left() + overlap : frame.right() - overlap;
            line = QLineF(x, frame.top(), x, frame.bottom());
            text = side.columnStep < 0 ? QPointF(frame.left() - gap - metrics.height(), 0)
                                       : QPointF(frame.right() + gap, 0);
        }
        painter.drawLine(line);
        if (side.rowStep != 0) {
            painter.drawText(text, label);
            continue;
        }
        // Beside a side edge the label runs down the margin.
        painter.save();
        painter.translate(text.x() + metrics.ascent(), frame.center().y() - width / 2);
        painter.rotate(90);
        painter.drawText(QPointF(0, 0), label);
        painter.restore();
    }
    painter.restore();
}

// The key: the ground of every sheet at a scale that fits one frame, with each
// sheet's outline and number over the drawing.
void drawKeySheet(QPainter& painter, double dotsPerMm, const SheetPlan& plan, const PaperJob& job,
                  const std::vector<DrawingToRender>& drawings, const Layers& layers)
{
    const QSizeF frame = frameSizeMm(job.paper);
    const double keyScale = std::max(plan.covered.width() * 1000.0 / frame.width(),
                                     plan.covered.height() * 1000.0 / frame.height());
    const QRectF area = mapAreaForPage(paperSizeMm(job.paper), plan.covered.center(), keyScale);
    const PaperSheet sheet{
        keyScale, area,
        QStringLiteral("配置図（全 %1 枚）　%2").arg(plan.tiles.size()).arg(job.title)};
    renderPaper(painter, dotsPerMm, sheet, drawings, layers);

    const FrameDots dots(area, keyScale, dotsPerMm);
    painter.save();
    painter.setPen(QPen(QColor(0, 70, 200), std::max(1.0, 0.35 * dotsPerMm)));
    painter.setBrush(Qt::NoBrush);
    setPointSize(painter, kKeyNumberPointSize, true);
    for (const SheetTile& tile : plan.tiles) {
        const QRectF box = dots.box(tile.mapArea);
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, QString::number(tile.number));
    }
    painter.restore();
}

std::optional<QString> tooManySheets(const SheetPlan& plan)
{
    if (plan.tiles.size() <= kMaxSheets)
        return std::nullopt;
    return platform::messageText(
        QT_TRANSLATE_NOOP("findTavla", "At this scale and paper it takes %1 sheets (at most %2). "
                                       "Choose a smaller scale, a larger paper or a smaller "
                                       "area."),
        {QString::number(plan.tiles.size()), QString::number(kMaxSheets)});
}

} // namespace

std::vector<Paper> paperChoices()
{
    return {{QPageSize::A4, QPageLayout::Landscape},
            {QPageSize::A4, QPageLayout::Portrait},
            {QPageSize::A3, QPageLayout::Landscape},
            {QPageSize::A3, QPageLayout::Portrait}};
}

QString paperName(const Paper& paper)
{
    return QStringLiteral("%1 %2").arg(
        paper.size == QPageSize::A3 ? QStringLiteral("A3") : QStringLiteral("A4"),
        paper.orientation == QPageLayout::Landscape ? QStringLiteral("横") : QStringLiteral("縦"));
}

QSizeF paperSizeMm(const Paper& paper)
{
    const QSizeF portrait = QPageSize(paper.size).size(QPageSize::Millimeter);
    return paper.orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

const SheetTile* SheetPlan::at(int row, int column) const
{
    if (row < 0 || row >= rows || column < 0 || column >= columns)
        return nullptr;
    return &tiles[static_cast<std::size_t>(row * columns + column)];
}

SheetPlan planSheets(const QRectF& mapArea, double scale, const Paper& paper)
{
    const QSizeF frameMm = frameSizeMm(paper);
    const double metresPerMm = scale / 1000.0;
    const double width = frameMm.width() * metresPerMm;
    const double height = frameMm.height() * metresPerMm;
    const double overlap = kOverlapMm * metresPerMm;

    SheetPlan plan;
    plan.columns = sheetsAlong(mapArea.width(), width, overlap);
    plan.rows = sheetsAlong(mapArea.height(), height, overlap);
    const double coveredWidth = plan.columns * (width - overlap) + overlap;
    const double coveredHeight = plan.rows * (height - overlap) + overlap;
    const QPointF centre = mapArea.center();
    plan.covered = QRectF(centre.x() - coveredWidth / 2, centre.y() - coveredHeight / 2,
                          coveredWidth, coveredHeight);
    const double north = plan.covered.y() + coveredHeight;
    for (int row = 0; row < plan.rows; ++row)
        for (int column = 0; column < plan.columns; ++column) {
            const double left = plan.covered.x() + column * (width - overlap);
            const double top = north - row * (height - overlap);
            plan.tiles.push_back({row * plan.columns + column + 1, row, column,
                                  QRectF(left, top - height, width, height)});
        }
    return plan;
}

void paintSheets(QPagedPaintDevice& device, QPainter& painter, double dotsPerMm,
                 const PaperJob& job, const std::vector<DrawingToRender>& drawings,
                 const Layers& layers)
{
    const SheetPlan plan = planSheets(job.mapArea, job.scale, job.paper);
    const bool several = plan.tiles.size() > 1;
    if (several) {
        drawKeySheet(painter, dotsPerMm, plan, job, drawings, layers);
        device.newPage();
    }
    for (const SheetTile& tile : plan.tiles) {
        if (tile.number > 1)
            device.newPage();
        const QString title = several ? QStringLiteral("%1 / %2 枚目　%3")
                                            .arg(tile.number)
                                            .arg(plan.tiles.size())
                                            .arg(job.title)
                                      : job.title;
        renderPaper(painter, dotsPerMm, {job.scale, tile.mapArea, title}, drawings, layers);
        if (several)
            drawOverlapMarks(painter, dotsPerMm, plan, tile, job.scale);
    }
}

std::optional<QString> exportPdfSheets(const std::filesystem::path& file, const PaperJob& job,
                                       const std::vector<DrawingToRender>& drawings,
                                       const Layers& layers)
{
    if (const std::optional<QString> refusal =
            tooManySheets(planSheets(job.mapArea, job.scale, job.paper)))
        return refusal;
    QPdfWriter writer(QString::fromStdString(platform::pathText(file)));
    writer.setResolution(static_cast<int>(kPdfDotsPerInch));
    writer.setPageLayout(
        QPageLayout(QPageSize(job.paper.size), job.paper.orientation, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(job.title);
    writer.setCreator(QStringLiteral("Tavla"));
    QPainter painter;
    if (!painter.begin(&writer))
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "Cannot create the PDF file %1"),
            {QString::fromStdString(platform::pathText(file))});
    paintSheets(writer, painter, kPdfDotsPerInch / kMmPerInch, job, drawings, layers);
    if (!painter.end())
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "Cannot write the PDF file %1"),
                                     {QString::fromStdString(platform::pathText(file))});
    return std::nullopt;
}

std::optional<QString> printSheets(QPrinter& printer, const PaperJob& job,
                                   const std::vector<DrawingToRender>& drawings,
                                   const Layers& layers)
{
    if (const std::optional<QString> refusal =
            tooManySheets(planSheets(job.mapArea, job.scale, job.paper)))
        return refusal;
    QPainter painter;
    if (!painter.begin(&printer))
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "Cannot start printing"));
    paintSheets(printer, painter, printer.resolution() / kMmPerInch, job, drawings, layers);
    painter.end();
    return std::nullopt;
}

} // namespace ft::viewer
