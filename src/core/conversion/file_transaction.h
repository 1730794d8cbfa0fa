#pragma once

// How each catalogue converter (header, parcel, map-sheet and point files)
// ends the conversion of one file.
//
// Contract of every catalogue converter:
//  - Each source file is converted in one transaction on the catalogue it
//    is given; its rows are committed together or not at all. While the
//    caller holds a transaction open (a registration holds one per data
//    set), the file's transaction is a savepoint in it, and its rows land
//    when the caller commits.
//  - true / false as each converter documents. A catalogue failure
//    (CatalogueError) or a read error of the source file ends the file
//    with false: the transaction is rolled back, "Rollback" is traced, and
//    the error goes no further.
//  - Content that cannot be converted (a field that must be a number and is
//    not, text that is not valid CP932, a value holding a zero byte) ends
//    the file with a SourceFileError, thrown after the same rollback and
//    "Rollback" line. It names the file, the record and the offending text;
//    the registration driver turns it into the failure of that data set
//    alone. Paths in trace lines never fail: what CP932 cannot hold is
//    written escaped (\u00FC).
//  - A catalogue that another program keeps locked (ECatalogueBusy), a full
//    disk (platform::DiskFull) and anything else (out of memory, say)
//    propagate unchanged, after the same rollback and "Rollback" line: they
//    are no fault of the file. A failing rollback propagates its own error.

#include <filesystem>
#include <functional>

namespace ft::catalogue {
class CatalogueDatabase;
}
namespace ft::platform {
class TraceLog;
}

namespace ft::formats {

class RecordLineReader;

// Runs `body` in a transaction on `db` and ends it as the contract above
// says: true after Commit, false or SourceFileError after Rollback. With the
// reader of the source file, a SourceFileError names the record it stopped at.
bool RunFileTransaction(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                        const std::filesystem::path& source, const std::function<void()>& body,
                        const RecordLineReader* reader = nullptr);

// The same ending for the reading half of a conversion whose statements run
// later (the map sheets of a registration): nothing to roll back, but a
// failure traces "Rollback" and ends as above, so that the trace reads as
// if the statements had run there.
bool RunFileReading(platform::TraceLog& trace, const std::filesystem::path& source,
                    const std::function<void()>& body, const RecordLineReader* reader = nullptr);

} // namespace ft::formats
