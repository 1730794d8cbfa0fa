#pragma once

#include "core/gis/export_selection.h"
#include "core/workspace/datum.h"

#include <QString>

class QWidget;

namespace ft::platform {
class Operator;
}

namespace ft::search {

// The context-menu entry of the parcel list and the registered drawing list.
inline const QString kGeoPackageExportText = QStringLiteral("GeoPackageに出力…");

// False in a build without the GeoPackage export (no GDAL): the lists then
// offer no such entry.
bool hasGeoPackageExport();

// GeoPackageに出力…: asks for the file to write and, for the world datum,
// whether as JGD2011 or JGD2000 (the save dialog's file type), exports the selection of
// the catalogue of `datum` with a progress window that can stop it, and
// tells the report. An empty selection (nothing ticked) is told and nothing
// is asked.
void exportToGeoPackage(QWidget& parent, platform::Operator& op,
                        const gis::ExportSelection& selection, workspace::Datum datum);

} // namespace ft::search
