#include "ui/search/geopackage_export_command.h"

namespace ft::search {

bool hasGeoPackageExport()
{
    return false;
}

// Never offered in this build (hasGeoPackageExport), so never reached.
void exportToGeoPackage(QWidget&, platform::Operator&, const gis::ExportSelection&,
                        workspace::Datum)
{
}

} // namespace ft::search
