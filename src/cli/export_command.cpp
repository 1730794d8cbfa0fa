#include "cli/export_command.h"

#include "cli/cli_command.h"
#include "core/gis/geopackage_export.h"
#include "core/workspace/workspace.h"

namespace ft::cli {

int runExport(const CliCommand& command, workspace::Workspace& state, std::ostream& out,
              std::ostream& err)
{
    catalogue::CatalogueDatabase& db = state.currentCatalogue();
    const gis::ExportSelection selection =
        command.allDrawings ? gis::allRegisteredDrawings(db)
                            : gis::registeredDrawingsNumbered(db, command.drawingNumbers);
    gis::ExportOptions options;
    options.datum = state.currentDatum();
    options.world =
        command.jgd2000 ? gis::WorldDatumRealisation::Jgd2000 : gis::WorldDatumRealisation::Jgd2011;
    const gis::ExportReport report = gis::exportGeoPackage(selection, command.exportFile, options);
    for (const std::string& line : gis::refusalLines(report))
        err << line << "\n";
    for (const std::string& line : gis::summaryLines(report))
        out << line << "\n";
    return report.written && report.refused.empty() ? 0 : 1;
}

} // namespace ft::cli
