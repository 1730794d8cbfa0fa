#include "core/workspace/delete_all.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/shared_catalogue.h"
#include "core/workspace/workspace.h"

#include <optional>

namespace ft::workspace {

DeletedRegistrations deleteAllRegistrations(Workspace& workspace)
{
    const Datum datum = workspace.currentDatum();
    DeletedRegistrations deleted;
    deleted.datum = datum;
    catalogue::CatalogueDatabase& db = workspace.catalogue(datum);
    // On a catalogue shared by several desks: a role that may not write is
    // told so first, and no desk is registering meanwhile.
    catalogue::RequireWriteAccess(db);
    const catalogue::SharedRegistrationLock noRegistration(db);
    deleted.rows = catalogue::DeleteAllRows(db);
    // remove() passes over a missing file. Any other failure is reported,
    // after the other files were removed all the same: a working file left
    // behind would keep showing deleted drawings.
    std::optional<std::filesystem::filesystem_error> firstFailure;
    for (const WorkingFileKind kind :
         {WorkingFileKind::SheetOutlines, WorkingFileKind::Segments, WorkingFileKind::Extent}) {
        const std::filesystem::path file = workspace.workingFile(kind, datum);
        std::error_code error;
        if (std::filesystem::remove(file, error))
            deleted.removedFiles.push_back(file);
        if (error && !firstFailure)
            firstFailure.emplace("Cannot remove the working file", file, error);
    }
    if (firstFailure)
        throw *firstFailure;
    return deleted;
}

std::string registeredDrawingCountText(Workspace& workspace)
{
    const catalogue::ResultTable table =
        workspace.currentCatalogue().GetTable("SELECT COUNT(*) FROM FILE;");
    std::string count = table.Fields(0);
    return count == "0" ? std::string() : count;
}

std::int64_t registeredDrawingCount(Workspace& workspace)
{
    catalogue::ResultCursor cursor =
        workspace.currentCatalogue().OpenCursor("SELECT COUNT(*) FROM FILE;");
    return cursor.Step() ? cursor.Integer(0) : 0;
}

} // namespace ft::workspace
