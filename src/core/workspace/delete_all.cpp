#include "core/workspace/delete_all.h"

#include "core/catalogue/schema.h"
#include "core/workspace/workspace.h"

#include <optional>

namespace ft::workspace {

void deleteAllRegistrations(Workspace& workspace)
{
    const Datum datum = workspace.currentDatum();
    catalogue::DeleteAllRows(workspace.catalogue(datum));
    // remove() passes over a missing file. Any other failure is reported,
    // after the other files were removed all the same: a working file left
    // behind would keep showing deleted drawings.
    std::optional<std::filesystem::filesystem_error> firstFailure;
    for (const WorkingFileKind kind :
         {WorkingFileKind::SheetOutlines, WorkingFileKind::Segments, WorkingFileKind::Extent}) {
        const std::filesystem::path file = workspace.workingFile(kind, datum);
        std::error_code error;
        std::filesystem::remove(file, error);
        if (error && !firstFailure)
            firstFailure.emplace("Cannot remove the working file", file, error);
    }
    if (firstFailure)
        throw *firstFailure;
}

std::string registeredDrawingCountText(Workspace& workspace)
{
    const catalogue::TSQLiteTable table =
        workspace.currentCatalogue().GetTable("SELECT COUNT(*) FROM FILE;");
    std::string count = table.Fields(0);
    return count == "0" ? std::string() : count;
}

} // namespace ft::workspace
