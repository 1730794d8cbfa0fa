#include "core/gis/export_report.h"

#include "core/platform/operator_message.h"

#include <iterator>
#include <string_view>

namespace ft::gis {
namespace {

struct LayerTitle {
    std::string_view name;
    const char* title;
};

// What each layer holds, for the report; the layer's own name (as GIS
// programs list it) follows in brackets.
constexpr LayerTitle kLayerTitles[] = {
    {"drawings", QT_TRANSLATE_NOOP("findTavla", "drawings")},
    {"parcels", QT_TRANSLATE_NOOP("findTavla", "parcels")},
    {"undetermined_parcels", QT_TRANSLATE_NOOP("findTavla", "parcels of undetermined boundary")},
    {"boundary_points", QT_TRANSLATE_NOOP("findTavla", "boundary points")},
    {"control_points", QT_TRANSLATE_NOOP("findTavla", "control points")},
    {"map_sheets", QT_TRANSLATE_NOOP("findTavla", "map sheets")},
    {"sheet_frames", QT_TRANSLATE_NOOP("findTavla", "sheet frames")},
};

// A layer's name may carry its coordinate system ("parcels_6677"): the
// longest known name it starts with tells what it holds.
std::string layerTitle(const std::string& layer)
{
    const LayerTitle* found = nullptr;
    for (const LayerTitle& known : kLayerTitles) {
        if (std::string_view(layer).starts_with(known.name) &&
            (found == nullptr || known.name.size() > found->name.size()))
            found = &known;
    }
    if (found == nullptr)
        return layer;
    return platform::Message(found->title).text().toStdString() + " (" + layer + ")";
}

// The text of a marked message with its arguments.
std::string said(const char* marked, const QStringList& arguments = {})
{
    return platform::messageText(marked, arguments).toStdString();
}

QString count(std::size_t n)
{
    return platform::Message(QT_TRANSLATE_NOOP("findTavla", "%1 records"), {QString::number(n)})
        .text();
}

std::string epsgList(const std::vector<int>& codes)
{
    std::string text;
    for (const int code : codes)
        text += (text.empty() ? "EPSG:" : ", EPSG:") + std::to_string(code);
    return text;
}

std::string layerLine(const LayerCount& layer)
{
    std::string line = "  " + layerTitle(layer.name) + ": ";
    if (layer.withoutGeometry > 0)
        return line + said(QT_TRANSLATE_NOOP("findTavla", "%1 (without geometry: %2)"),
                           {count(layer.features), count(layer.withoutGeometry)});
    return line + count(layer.features).toStdString();
}

} // namespace

ParcelTally& ParcelTally::operator+=(const ParcelTally& other)
{
    withoutOutline += other.withoutOutline;
    openOutline += other.openOutline;
    outlineMissingPoints += other.outlineMissingPoints;
    unlinkedOutlines += other.unlinkedOutlines;
    withoutLot += other.withoutLot;
    return *this;
}

std::vector<std::string> summaryLines(const ExportReport& report)
{
    if (report.cancelled)
        return {
            said(QT_TRANSLATE_NOOP("findTavla", "The export was cancelled; no file was written"))};
    if (!report.written)
        return {said(
            QT_TRANSLATE_NOOP("findTavla", "No drawing could be exported; no file was written"))};
    std::vector<std::string> lines{
        said(QT_TRANSLATE_NOOP("findTavla", "%1 drawings written to %2 (%3)"),
             {QString::number(report.drawings), QString::fromStdString(report.file.string()),
              QString::fromStdString(epsgList(report.epsgCodes))})};
    for (const LayerCount& layer : report.layers)
        lines.push_back(layerLine(layer));
    const ParcelTally& parcels = report.parcels;
    if (parcels.withoutOutline + parcels.openOutline + parcels.outlineMissingPoints > 0)
        lines.push_back(
            said(QT_TRANSLATE_NOOP("findTavla", "Parcels without geometry: no outline %1, outline "
                                                "not closed %2, outline missing points %3"),
                 {count(parcels.withoutOutline), count(parcels.openOutline),
                  count(parcels.outlineMissingPoints)}));
    if (parcels.unlinkedOutlines > 0)
        lines.push_back(
            said(QT_TRANSLATE_NOOP("findTavla", "Outlines of no parcel, %1, were not exported"),
                 {count(parcels.unlinkedOutlines)}));
    if (parcels.withoutLot > 0)
        lines.push_back(
            said(QT_TRANSLATE_NOOP("findTavla", "Records without a lot number, %1, were not "
                                                "exported, as registration leaves them out"),
                 {count(parcels.withoutLot)}));
    if (report.missingParcels > 0)
        lines.push_back(
            said(QT_TRANSLATE_NOOP("findTavla", "Of the chosen parcels, %1 were not in the data"),
                 {count(report.missingParcels)}));
    for (const ReadProblems& problems : report.readProblems)
        lines.push_back(
            said(QT_TRANSLATE_NOOP("findTavla", "%1: files or records that could not be read: %2"),
                 {QString::fromStdString(problems.path), count(problems.count)}));
    return lines;
}

std::vector<std::string> refusalLines(const ExportReport& report)
{
    std::vector<std::string> lines;
    for (const Refusal& refusal : report.refused) {
        const QString number = QString::number(refusal.fileNo);
        const QString drawing =
            refusal.path.empty()
                ? platform::Message(QT_TRANSLATE_NOOP("findTavla", "drawing %1"), {number}).text()
                : platform::Message(QT_TRANSLATE_NOOP("findTavla", "drawing %1 (%2)"),
                                    {number, QString::fromStdString(refusal.path)})
                      .text();
        lines.push_back(said(QT_TRANSLATE_NOOP("findTavla", "%1 cannot be exported: %2"),
                             {drawing, QString::fromStdString(refusal.reason)}));
    }
    return lines;
}

} // namespace ft::gis
