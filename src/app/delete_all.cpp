#include "app/delete_all.h"

#include "app/app_state.h"
#include "catalogue/schema.h"

namespace ft::app {

void deleteAllRegistrations(AppState& state)
{
    const int datum = state.currentDatum();
    catalogue::DeleteAllRows(state.catalogue(datum));
    // remove() passes over a missing file and throws on any other failure:
    // a working file left behind would keep showing deleted drawings.
    for (const WorkingFile kind :
         {WorkingFile::SheetOutlines, WorkingFile::Segments, WorkingFile::Extent})
        std::filesystem::remove(state.workingFile(kind, datum));
    state.setDrawingsPresent(false);
}

std::string registeredDrawingCountText(AppState& state)
{
    const catalogue::TSQLiteTable table =
        state.currentCatalogue().GetTable("SELECT COUNT(*) FROM FILE;");
    std::string count = table.Fields(0);
    return count == "0" ? std::string() : count;
}

} // namespace ft::app
