#pragma once

// Registered drawings written out as a GeoPackage for desktop GIS, through
// GDAL/OGR. Layers: drawings, parcels, undetermined_parcels, boundary_points,
// control_points, map_sheets, sheet_frames (an export of chosen parcels
// writes the first three only). Every data set is written in the plane
// rectangular coordinate system of its zone on its catalogue's datum, never
// reprojected; when the drawings lie in more than one system, every layer is
// written once per system with the EPSG code appended (parcels_6677,
// parcels_6678).

#include "core/gis/coordinate_systems.h"
#include "core/gis/export_report.h"
#include "core/gis/export_selection.h"
#include "core/platform/operator_message.h"

#include <cstddef>
#include <filesystem>
#include <functional>

namespace ft::gis {

// An export that could not be written: a marked message that names the
// file, GDAL's reason as its detail.
class ExportError : public platform::MessageError {
public:
    using platform::MessageError::MessageError;
};

struct ExportOptions {
    // The datum of the catalogue the drawings are registered in.
    workspace::Datum datum = workspace::Datum::World;
    WorldDatumRealisation world = WorldDatumRealisation::Jgd2011;
};

// Told before each drawing is read (done counts from 0) and once more when
// all are written (done == total); answering false cancels the export.
using ExportProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Writes the selected drawings into `file`, which is replaced when the
// export completes and left alone otherwise. A drawing whose header cannot
// be read or names no zone 1 to 19 is refused and the others are exported;
// when none is left, no file is written. Parcels whose outline cannot be
// found or closed are rows without geometry; the report counts them.
// Throws ExportError when the file cannot be written.
ExportReport exportGeoPackage(const ExportSelection& selection, const std::filesystem::path& file,
                              const ExportOptions& options, const ExportProgress& progress = {});

} // namespace ft::gis
