#include "core/gis/geopackage_export.h"

#include "core/dataset/data_set_reader.h"
#include "core/gis/gdal_runtime.h"
#include "core/gis/geopackage_file.h"
#include "core/gis/gis_features.h"
#include "core/platform/message_text.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <map>
#include <optional>
#include <span>

namespace ft::gis {
namespace {

// A drawing that passed the look at its header, and the system it goes to.
struct PlannedDrawing {
    const ExportDrawing* drawing = nullptr;
    int zone = 0;
    int epsg = 0;
};

// The layers of one coordinate system, in the order of the layer kinds.
struct LayerSet {
    std::map<LayerKind, LayerWriter> writers;

    LayerWriter* find(LayerKind kind)
    {
        const auto found = writers.find(kind);
        return found == writers.end() ? nullptr : &found->second;
    }
};

std::string zoneRefusal(const std::string& kei)
{
    return platform::Message(QT_TRANSLATE_NOOP("findTavla",
                                               "The header's coordinate system number (KEI) "
                                               "\"%1\" is not a zone number from 1 to 19"),
                             {QString::fromStdString(platform::cp932ForMessage(kei))})
        .text()
        .toStdString();
}

std::string unreadableHeader()
{
    return platform::Message(
               QT_TRANSLATE_NOOP("findTavla", "The header file (.hed) cannot be read"))
        .text()
        .toStdString();
}

// Reads every header first: the refusals are known, and so is whether the
// layers need the EPSG code in their names, before anything is written.
std::vector<PlannedDrawing> planDrawings(const ExportSelection& selection,
                                         const ExportOptions& options, ExportReport& report)
{
    for (const int fileNo : selection.unregistered)
        report.refused.push_back(
            {fileNo, "",
             platform::Message(QT_TRANSLATE_NOOP("findTavla", "No drawing has this number"))
                 .text()
                 .toStdString()});
    std::vector<PlannedDrawing> planned;
    for (const ExportDrawing& drawing : selection.drawings) {
        const dataset::SurveyDataSet header = dataset::readDataSetHeader(drawing.path);
        if (!header.present) {
            report.refused.push_back({drawing.fileNo, drawing.path, unreadableHeader()});
            continue;
        }
        const std::optional<int> zone = header.header.zone();
        if (!zone) {
            report.refused.push_back(
                {drawing.fileNo, drawing.path, zoneRefusal(header.header.kei)});
            continue;
        }
        planned.push_back({&drawing, *zone, epsgCodeOf(options.datum, *zone, options.world)});
    }
    return planned;
}

std::vector<int> epsgCodesOf(const std::vector<PlannedDrawing>& planned)
{
    std::vector<int> codes;
    for (const PlannedDrawing& drawing : planned)
        codes.push_back(drawing.epsg);
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

std::span<const LayerKind> layerKindsFor(const ExportSelection& selection)
{
    const bool parcelsOnly =
        std::all_of(selection.drawings.begin(), selection.drawings.end(),
                    [](const ExportDrawing& drawing) { return drawing.parcels.has_value(); });
    if (parcelsOnly)
        return kParcelLayers;
    return kAllLayers;
}

LayerSet createLayers(GeoPackageFile& file, int epsg, bool nameWithCode,
                      std::span<const LayerKind> kinds)
{
    OGRSpatialReference system;
    if (system.importFromEPSG(epsg) != OGRERR_NONE)
        throw ExportError(
            platform::Message(
                QT_TRANSLATE_NOOP("findTavla", "GDAL does not know the coordinate system EPSG:%1"),
                {QString::number(epsg)}),
            lastGdalError());
    // The file holds easting as x and northing as y whatever order the
    // EPSG definition gives its axes (northing first for these systems).
    system.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    LayerSet layers;
    for (const LayerKind kind : kinds) {
        std::string name = layerName(kind);
        if (nameWithCode)
            name += "_" + std::to_string(epsg);
        const OGRwkbGeometryType geometry = geometryTypeOf(kind);
        layers.writers.emplace(kind, file.createLayer(name, geometry == wkbNone ? nullptr : &system,
                                                      geometry, fieldsOf(kind)));
    }
    return layers;
}

std::size_t countReadProblems(const dataset::SurveyDataSet& set)
{
    return static_cast<std::size_t>(
        std::count_if(set.problems.begin(), set.problems.end(), [](const dataset::ReadProblem& p) {
            return p.kind != dataset::ProblemKind::FileMissing;
        }));
}

void writeDrawingLayers(LayerSet& layers, const DrawingSource& source, ExportReport& report)
{
    writeDrawing(*layers.find(LayerKind::Drawings), source);
    report.parcels += writeParcels(*layers.find(LayerKind::Parcels), source);
    report.parcels.withoutLot +=
        writeUndeterminedParcels(*layers.find(LayerKind::UndeterminedParcels), source);
    report.missingParcels += countMissingParcels(source);
    if (LayerWriter* layer = layers.find(LayerKind::BoundaryPoints))
        writeBoundaryPoints(*layer, source);
    if (LayerWriter* layer = layers.find(LayerKind::ControlPoints))
        writeControlPoints(*layer, source);
    if (LayerWriter* layer = layers.find(LayerKind::MapSheets))
        writeMapSheets(*layer, source);
    if (LayerWriter* layer = layers.find(LayerKind::SheetFrames))
        writeSheetFrames(*layer, source);
}

void countLayers(std::map<int, LayerSet>& systems, std::span<const LayerKind> kinds,
                 ExportReport& report)
{
    for (auto& [epsg, layers] : systems)
        for (const LayerKind kind : kinds) {
            const LayerWriter& writer = *layers.find(kind);
            report.layers.push_back({writer.name(), writer.count(), writer.withoutGeometry()});
        }
}

} // namespace

ExportReport exportGeoPackage(const ExportSelection& selection, const std::filesystem::path& file,
                              const ExportOptions& options, const ExportProgress& progress)
{
    ExportReport report;
    report.file = file;
    const std::vector<PlannedDrawing> planned = planDrawings(selection, options, report);
    if (planned.empty())
        return report;
    report.epsgCodes = epsgCodesOf(planned);

    const QuietGdalErrors quiet;
    GeoPackageFile geoPackage(file);
    const std::span<const LayerKind> kinds = layerKindsFor(selection);
    std::map<int, LayerSet> systems;
    for (const int epsg : report.epsgCodes)
        systems.emplace(epsg, createLayers(geoPackage, epsg, report.epsgCodes.size() > 1, kinds));
    geoPackage.beginWriting();

    const std::size_t total = planned.size();
    for (std::size_t done = 0; done < total; ++done) {
        if (progress && !progress(done, total)) {
            report.cancelled = true;
            return report;
        }
        const PlannedDrawing& plan = planned[done];
        const dataset::SurveyDataSet set = dataset::readDataSet(plan.drawing->path);
        if (!set.present) { // gone since its header was read
            report.refused.push_back(
                {plan.drawing->fileNo, plan.drawing->path, unreadableHeader()});
            continue;
        }
        const DrawingSource source{plan.drawing->fileNo,
                                   plan.drawing->path,
                                   set,
                                   plan.zone,
                                   options.datum,
                                   plan.epsg,
                                   plan.drawing->parcels ? &*plan.drawing->parcels : nullptr};
        writeDrawingLayers(systems.at(plan.epsg), source, report);
        if (const std::size_t problems = countReadProblems(set))
            report.readProblems.push_back({plan.drawing->path, problems});
        ++report.drawings;
    }
    if (progress && !progress(total, total)) {
        report.cancelled = true;
        return report;
    }
    countLayers(systems, kinds, report);
    geoPackage.finish();
    report.written = true;
    return report;
}

} // namespace ft::gis
