#pragma once

// The layers of an export and the features one data set gives them. The
// file's x is the easting (the survey Y, a point's second value) and its y
// the northing (the survey X, the first value), as desktop GIS draws them.

#include "core/dataset/survey_data_set.h"
#include "core/gis/export_report.h"
#include "core/gis/export_selection.h"
#include "core/gis/geopackage_file.h"
#include "core/workspace/datum.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>

namespace ft::gis {

enum class LayerKind {
    Drawings,
    Parcels,
    UndeterminedParcels,
    BoundaryPoints,
    ControlPoints,
    MapSheets,
    SheetFrames,
};

// Every layer, in the order they are created in the file.
inline constexpr std::array<LayerKind, 7> kAllLayers{
    LayerKind::Drawings,       LayerKind::Parcels,       LayerKind::UndeterminedParcels,
    LayerKind::BoundaryPoints, LayerKind::ControlPoints, LayerKind::MapSheets,
    LayerKind::SheetFrames};
// The layers of an export of chosen parcels.
inline constexpr std::array<LayerKind, 3> kParcelLayers{LayerKind::Drawings, LayerKind::Parcels,
                                                        LayerKind::UndeterminedParcels};

// "parcels", "boundary_points", ...
const char* layerName(LayerKind kind);
OGRwkbGeometryType geometryTypeOf(LayerKind kind);
std::span<const LayerField> fieldsOf(LayerKind kind);

// One data set being exported and what it is exported as.
struct DrawingSource {
    int fileNo = 0;
    std::string path; // the registered path, UTF-8
    const dataset::SurveyDataSet& set;
    int zone = 0;
    workspace::Datum datum = workspace::Datum::World;
    int epsg = 0;
    // Only these parcels; every parcel when null.
    const ParcelKeys* parcels = nullptr;
};

// The drawing's own row: path, creator, district, zone and its bounding box.
void writeDrawing(LayerWriter& layer, const DrawingSource& source);
// One feature per parcel record (.atr); a parcel whose outline cannot be
// found or closed is a feature without geometry, counted in the tally; a
// record without a lot number, which registration skips, is counted and left
// out. Outlines of no parcel are counted only when every parcel is exported.
ParcelTally writeParcels(LayerWriter& layer, const DrawingSource& source);
// One row per grouped parcel (.und) with its group; they have no outline.
// Returns how many records were left out for having no lot number.
std::size_t writeUndeterminedParcels(LayerWriter& layer, const DrawingSource& source);
// How many of the chosen parcels neither the parcel file nor the grouped
// parcel file of the data set holds (0 when every parcel is exported).
std::size_t countMissingParcels(const DrawingSource& source);
void writeBoundaryPoints(LayerWriter& layer, const DrawingSource& source);
void writeControlPoints(LayerWriter& layer, const DrawingSource& source);
void writeMapSheets(LayerWriter& layer, const DrawingSource& source);
// Sheet frames (code 050, with their names) and frame lines, as lines.
void writeSheetFrames(LayerWriter& layer, const DrawingSource& source);

} // namespace ft::gis
