#include "core/search/drawing_path.h"

#include "core/catalogue/sqlite_database.h"
#include "core/formats/request_file.h"

namespace ft::search {

std::string drawingPath(catalogue::TSQLiteDatabase& db, int fileNo)
{
    catalogue::TSQLiteTable table =
        db.GetTable("SELECT * FROM FILE WHERE FILENO=" + std::to_string(fileNo));
    table.MoveFirst();
    return table.FieldByName("PATH");
}

void writeDrawing(formats::RequestWriter& out, catalogue::TSQLiteDatabase& db, int fileNo)
{
    out.writeDrawing(drawingPath(db, fileNo));
}

} // namespace ft::search
