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

// One FTEN row per line of the boundary point file (.pnt): TENNAME = field 1
// trimmed, then folded with ToHalfWidth; OYA, KO its first two lot-number
// parts; KUBUN = field 5 as an integer, NULL when it is not one. Every line
// is traced, and "<path> sql2=<statement>" goes to the second trace log; a
// line with an empty name is traced but stores nothing. A line of zero bytes
// is no point: nothing is traced or stored for it.
//
// Returns true when at least one line was processed and committed; false for
// a missing or empty file and a catalogue or read failure (rolled back,
// "Rollback" traced). SourceFileError as in file_transaction.h.
bool convertPntToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                    platform::AppendingTraceLog& trace2, int fileNo,
                    const std::filesystem::path& pntFile);

// One ZTEN row per line of the control-point file (.tcp): TENNAME = field 1
// folded with ToHalfWidth (not trimmed); OYA, KO its first two lot-number
// parts. Each statement is traced before it runs. A line of zero bytes is no
// point: nothing is traced or stored for it.
//
// Returns true when the file does not exist or its rows were committed;
// false for a catalogue or read failure (rolled back, "Rollback" traced).
// SourceFileError as in file_transaction.h.
bool convertTcpToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                    const std::filesystem::path& tcpFile);

} // namespace ft::formats
