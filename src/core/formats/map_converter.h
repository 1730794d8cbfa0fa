#pragma once

#include "core/formats/converter_support.h"

#include <filesystem>

namespace ft::catalogue {
class TSQLiteDatabase;
}
namespace ft::platform {
class TraceLog;
}

namespace ft::formats {

// One MAP row per line of the map-sheet file (.map): MAPNAME = field 1
// folded with ToHalfWidth, OYA and KO its first two lot-number parts,
// SCALE = field 2, KUBUN = field 12 (integers, 0 when not one). A line of
// zero bytes (a blank last line) is no sheet and stores nothing. Each
// statement is traced before it runs.
//
// What became of a map-sheet file's rows.
enum class MapRows {
    Stored,  // at least one row, committed
    NoSheet, // a missing file, or one without sheets: nothing to store
    Refused, // a catalogue or read failure: rolled back, "Rollback" traced
};

// Stores the rows as described; SourceFileError as in converter_support.h.
MapRows storeMapRows(catalogue::TSQLiteDatabase& db, platform::TraceLog& trace, int fileNo,
                     const std::filesystem::path& mapFile);

// The same, true only for MapRows::Stored. A caller that must tell a set
// without sheets from a refused one uses storeMapRows.
bool convertMapToDB(catalogue::TSQLiteDatabase& db, platform::TraceLog& trace, int fileNo,
                    const std::filesystem::path& mapFile);

} // namespace ft::formats
