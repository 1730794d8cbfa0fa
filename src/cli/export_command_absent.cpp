#include "cli/export_command.h"

#include "core/platform/operator_message.h"

#include <QCoreApplication>

namespace ft::cli {

int runExport(const CliCommand&, workspace::Workspace&, std::ostream&, std::ostream& err)
{
    err << "findTavla-cli: "
        << platform::messageText(
               QT_TRANSLATE_NOOP("findTavla",
                                 "This build of findTavla has no GeoPackage export (it is "
                                 "built without GDAL); export is not available."))
               .toStdString()
        << "\n";
    return 2;
}

} // namespace ft::cli
