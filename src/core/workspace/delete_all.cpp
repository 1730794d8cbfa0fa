#include "core/workspace/delete_all.h"

#include "core/catalogue/schema.h"
#include "core/workspace/workspace.h"

namespace ft::workspace {

void deleteAllRegistrations(Workspace& workspace)
{
    const Datum datum = workspace.currentDatum();
    catalogue::DeleteAllRows(workspace.catalogue(datum));
    // remove() passes over a missing file and throws on any other failure:
    // a working file left behind would keep showing deleted drawings.
    for (const WorkingFileKind kind :
         {WorkingFileKind::SheetOutlines, WorkingFileKind::Segments, WorkingFileKind::Extent})
        std::filesystem::remove(workspace.workingFile(kind, datum));
}

std::string registeredDrawingCountText(Workspace& workspace)
{
    const catalogue::TSQLiteTable table =
        workspace.currentCatalogue().GetTable("SELECT COUNT(*) FROM FILE;");
    std::string count = table.Fields(0);
    return count == "0" ? std::string() : count;
}

} // namespace ft::workspace
