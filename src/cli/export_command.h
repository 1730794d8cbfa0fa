#pragma once

#include <ostream>

namespace ft::workspace {
class Workspace;
}

namespace ft::cli {

struct CliCommand;

// export OUT.gpkg (--all | --drawing FILENO...): writes the drawings of the
// current datum's catalogue into a GeoPackage. The summary goes to `out`,
// each drawing that could not be exported to `err`. Returns 0 when every
// drawing was exported, 1 when some were refused or none could be, and
// throws what the catalogue and the writer throw. A build without GDAL
// says on `err` that it has no export and returns 2.
int runExport(const CliCommand& command, workspace::Workspace& state, std::ostream& out,
              std::ostream& err);

} // namespace ft::cli
