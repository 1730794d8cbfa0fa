#include "viewer/paper_output.h"

#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "viewer/viewer_session.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace ft::viewer {

namespace {

constexpr double kMmPerInch = 25.4;
// Screen pixels per millimetre, for line widths on paper.
constexpr double kScreenDotsPerMm = 96.0 / kMmPerInch;
constexpr double kTitlePointSize = 11.0;

QString datumText(const dataset::DataSetHeader& header)
{
    QString text = !header.datum                              ? QStringLiteral("測地系不明")
                   : header.datum == formats::Datum::Japanese ? QStringLiteral("日本測地系")
                                                              : QStringLiteral("世界測地系");
    if (const std::optional<int> zone = header.zone())
        text += QStringLiteral(" 第%1系").arg(*zone);
    return text;
}

QString scaleText(double scale)
{
    return QStringLiteral("縮尺 1:%1").arg(QString::number(scale, 'g', 10));
}

bool within(double value, double limit)
{
    return std::isfinite(value) && value > 0.0 && value <= limit;
}

} // namespace

std::optional<double> parseScale(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(?:1\\s*[:/]\\s*)?([0-9]+(?:\\.[0-9]+)?)\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double scale = match.captured(1).toDouble(&ok);
    if (!ok || !(scale > 0.0) || !std::isfinite(scale))
        return std::nullopt;
    return scale;
}

QSizeF mapSizeMm(const QRectF& mapArea, double scale)
{
    return {mapArea.width() * 1000.0 / scale, mapArea.height() * 1000.0 / scale};
}

QSizeF pageSizeMm(const QRectF& mapArea, double scale)
{
    const QSizeF map = mapSizeMm(mapArea, scale);
    return {map.width() + 2 * kPaperMarginMm, map.height() + 2 * kPaperMarginMm + kTitleBandMm};
}

QString paperTitle(const ViewerSession& session, const QRectF& mapArea, double scale,
                   const QDate& date)
{
    QStringList names;
    QStringList datums;
    const auto add = [&](const SessionDrawing& drawing) {
        names << drawing.name;
        const QString datum = datumText(drawing.records->header);
        if (!datums.contains(datum))
            datums << datum;
    };
    for (const SessionDrawing& drawing : session.drawings())
        if (drawing.isOpen() && drawing.scene->bounds.touches(mapArea))
            add(drawing);
    if (names.isEmpty())
        for (const SessionDrawing& drawing : session.drawings())
            if (drawing.isOpen())
                add(drawing);
    return QStringLiteral("図面 %1　%2　%3　%4")
        .arg(names.join(QStringLiteral(", ")), datums.join(QStringLiteral(", ")), scaleText(scale),
             date.toString(QStringLiteral("yyyy/MM/dd")));
}

void renderPaper(QPainter& painter, double dotsPerMm, const PaperSheet& sheet,
                 const std::vector<DrawingToRender>& drawings, const Layers& layers)
{
    const QSizeF page = pageSizeMm(sheet.mapArea, sheet.scale);
    const QSizeF map = mapSizeMm(sheet.mapArea, sheet.scale);
    painter.save();
    painter.fillRect(QRectF(0, 0, page.width() * dotsPerMm, page.height() * dotsPerMm),
                     kPaperColour);

    QFont font = painter.font();
    font.setPointSizeF(kTitlePointSize);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF titleBox(kPaperMarginMm * dotsPerMm, kPaperMarginMm * dotsPerMm,
                          map.width() * dotsPerMm, kTitleBandMm * dotsPerMm);
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, sheet.title);

    const QPointF mapOrigin(kPaperMarginMm * dotsPerMm,
                            (kPaperMarginMm + kTitleBandMm) * dotsPerMm);
    const QSize mapPixels(static_cast<int>(std::lround(map.width() * dotsPerMm)),
                          static_cast<int>(std::lround(map.height() * dotsPerMm)));
    ViewTransform transform;
    transform.setPixelSize(mapPixels);
    transform.setCentre(sheet.mapArea.center());
    transform.setMetresPerPixel(sheet.scale / (1000.0 * dotsPerMm));
    RenderOptions options;
    options.layers = layers;
    options.deviceScale = dotsPerMm / kScreenDotsPerMm;

    painter.translate(mapOrigin);
    painter.setClipRect(QRect(QPoint(0, 0), mapPixels));
    renderScene(painter, transform, drawings, std::nullopt, options);
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, std::max(1.0, 0.3 * dotsPerMm)));
    painter.drawRect(QRectF(QPointF(0, 0), QSizeF(mapPixels)));
    painter.restore();
}

std::optional<QString> exportPng(const std::filesystem::path& file, const PaperSheet& sheet,
                                 const std::vector<DrawingToRender>& drawings, const Layers& layers)
{
    const double dotsPerMm = kPngDotsPerInch / kMmPerInch;
    const QSizeF page = pageSizeMm(sheet.mapArea, sheet.scale);
    const double width = page.width() * dotsPerMm;
    const double height = page.height() * dotsPerMm;
    if (!within(width, kMaxImagePixels) || !within(height, kMaxImagePixels))
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "At this scale the image is too large (%1 × %2 "
                                           "pixels, at most %3). Choose a smaller scale or a "
                                           "smaller area."),
            {QString::number(std::lround(width)), QString::number(std::lround(height)),
             QString::number(kMaxImagePixels)});
    QImage image(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)),
                 QImage::Format_RGB32);
    if (image.isNull())
        return platform::messageText(
            QT_TRANSLATE_NOOP("findTavla", "Not enough memory for the image (%1 × %2 pixels)"),
            {QString::number(image.width()), QString::number(image.height())});
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerMm * 1000.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        renderPaper(painter, dotsPerMm, sheet, drawings, layers);
    }
    if (!image.save(QString::fromStdString(platform::pathText(file)), "PNG"))
        return platform::messageText(QT_TRANSLATE_NOOP("findTavla", "Cannot write the PNG file %1"),
                                     {QString::fromStdString(platform::pathText(file))});
    return std::nullopt;
}

QRectF mapAreaForPage(QSizeF pageMm, QPointF centre, double scale)
{
    const double width = std::max(0.0, pageMm.width() - 2 * kPaperMarginMm) * scale / 1000.0;
    const double height =
        std::max(0.0, pageMm.height() - 2 * kPaperMarginMm - kTitleBandMm) * scale / 1000.0;
    return {centre.x() - width / 2, centre.y() - height / 2, width, height};
}

} // namespace ft::viewer
