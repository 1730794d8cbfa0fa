#pragma once

#include "core/formats/converter_support.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ft::catalogue {
class CatalogueDatabase;
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

// Stores the rows as described; SourceFileError as in file_transaction.h.
MapRows storeMapRows(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                     const std::filesystem::path& mapFile);

// A registration stores a data set's MAP rows in the transaction that ends
// with its FILE row, long after it read the file: it reads and traces the
// statements in its first pass, and runs them in its second.
struct MapStatements {
    std::vector<std::string> statements;
    bool readable = true; // false: the file could not be read ("Rollback" traced)
};

// Reads the map-sheet file and traces each statement as storeMapRows does,
// without running it. SourceFileError as in file_transaction.h.
MapStatements traceMapStatements(platform::TraceLog& trace, int fileNo,
                                 const std::filesystem::path& mapFile);

// Runs statements that traceMapStatements made, untraced, in one transaction
// (a savepoint of the caller's open one): as storeMapRows ends.
MapRows runMapStatements(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                         const std::filesystem::path& mapFile, const MapStatements& statements);

// The same, true only for MapRows::Stored. A caller that must tell a set
// without sheets from a refused one uses storeMapRows.
bool convertMapToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                    const std::filesystem::path& mapFile);

} // namespace ft::formats
