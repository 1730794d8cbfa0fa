#pragma once

#include "core/formats/converter_support.h"

#include <filesystem>

namespace ft::catalogue {
class CatalogueDatabase;
}
namespace ft::platform {
class TraceLog;
class AppendingTraceLog;
} // namespace ft::platform

namespace ft::formats {

// The three parcel files of a data set fill CHIBAN, tagged by MODE: 1 for
// the attribute file (.atr), 2 for the owner list (.cos), 3 for the grouped
// parcels (.und). Lot numbers and owner names are folded with ToHalfWidth,
// oaza and koaza names are not; every text is stored as UTF-8. Each
// statement is traced as it is built (see each converter for the order of
// running and tracing). Results and errors follow file_transaction.h: true
// when the file's rows were committed, and also when the file is missing.

// One row per line that holds a comma (fields 3 oaza, 4 koaza, 5 lot number,
// 14 owner kana, 15 owner name); lines without a lot number are traced but
// not stored. A statement is traced after it ran.
bool convertAtrToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                    const std::filesystem::path& atrFile);

// Groups of a parcel line (fields 3 oaza, 4 koaza, 5 lot number, 6 the
// number N of owner lines) and N owner lines (field 2 kana, 3 name; past the
// end of the file the first missing one reads as empty, and reading stops).
// One row per owner line with a name or a kana; every owner line is traced,
// after it ran. Only a file that does not
// exist counts as missing; one that exists but cannot be read gives false.
bool convertCosToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                    const std::filesystem::path& cosFile);

// Groups of a header line (field 4 the number N of detail lines) and N
// detail lines laid out like attribute lines (past the end of the file the
// first missing one reads as empty, and reading stops). Each header adds "<path>num=<N>" to the
// second trace log; each detail line is traced before it runs, and "<path> sql2=<statement>" goes
// to the second trace log. Detail lines without a lot number store nothing.
bool convertUndToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                    platform::AppendingTraceLog& trace2, int fileNo,
                    const std::filesystem::path& undFile);

} // namespace ft::formats
