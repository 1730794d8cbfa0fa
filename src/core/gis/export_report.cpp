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

std::string count(std::size_t n)
{
    return std::to_string(n) + " 件";
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
    std::string line = "  " + layerTitle(layer.name) + ": " + count(layer.features);
    if (layer.withoutGeometry > 0)
        line += " (形状なし " + count(layer.withoutGeometry) + ")";
    return line;
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
        return {"出力を中止しました。ファイルは作成していません"};
    if (!report.written)
        return {"出力できる図面がありません。ファイルは作成していません"};
    std::vector<std::string> lines{report.file.string() + " に " + std::to_string(report.drawings) +
                                   " 図面を出力しました (" + epsgList(report.epsgCodes) + ")"};
    for (const LayerCount& layer : report.layers)
        lines.push_back(layerLine(layer));
    const ParcelTally& parcels = report.parcels;
    if (parcels.withoutOutline + parcels.openOutline + parcels.outlineMissingPoints > 0)
        lines.push_back("形状のない筆: 筆界なし " + count(parcels.withoutOutline) +
                        "、閉じていない筆界 " + count(parcels.openOutline) + "、点の欠けた筆界 " +
                        count(parcels.outlineMissingPoints));
    if (parcels.unlinkedOutlines > 0)
        lines.push_back("どの筆にも結び付かない筆界 " + count(parcels.unlinkedOutlines) +
                        " は出力していません");
    if (parcels.withoutLot > 0)
        lines.push_back("地番のない記録 " + count(parcels.withoutLot) +
                        " は登録と同じく出力していません");
    if (report.missingParcels > 0)
        lines.push_back("選んだ筆のうち " + count(report.missingParcels) +
                        " はデータにありませんでした");
    for (const ReadProblems& problems : report.readProblems)
        lines.push_back(problems.path + ": 読めなかったファイルまたは記録 " +
                        count(problems.count));
    return lines;
}

std::vector<std::string> refusalLines(const ExportReport& report)
{
    std::vector<std::string> lines;
    for (const Refusal& refusal : report.refused) {
        std::string drawing = "図面 " + std::to_string(refusal.fileNo);
        if (!refusal.path.empty())
            drawing += " (" + refusal.path + ")";
        lines.push_back(drawing + " は出力できません: " + refusal.reason);
    }
    return lines;
}

} // namespace ft::gis
