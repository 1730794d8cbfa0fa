#include "core/search/drawing_path.h"

#include "core/catalogue/catalogue_database.h"
#include "core/formats/request_file.h"

namespace ft::search {

std::string drawingPath(catalogue::CatalogueDatabase& db, int fileNo)
{
    catalogue::ResultTable table =
        db.GetTable("SELECT * FROM FILE WHERE FILENO=" + std::to_string(fileNo));
    table.MoveFirst();
    return table.FieldByName("PATH");
}

void writeDrawing(formats::RequestWriter& out, catalogue::CatalogueDatabase& db, int fileNo)
{
    out.writeDrawing(drawingPath(db, fileNo));
}

} // namespace ft::search
