#pragma once

// What the catalogue converters (header, parcel, map-sheet and point files)
// share: how they end, how they splice values into statements and how they
// trace them.
//
// Contract of every catalogue converter:
//  - Each source file is converted in one transaction on the catalogue it
//    is given; its rows are committed together or not at all. While the
//    caller holds a transaction open (a registration holds one per data
//    set), the file's transaction is a savepoint in it, and its rows land
//    when the caller commits.
//  - true / false as each converter documents. A catalogue failure
//    (ESQLiteException) or a read error of the source file ends the file
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

#include "core/platform/operator_message.h"

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ft::catalogue {
class TSQLiteDatabase;
}
namespace ft::platform {
class TraceLog;
}

namespace ft::formats {

// A survey file whose content cannot be converted. The message (UTF-8) names
// the file and the offending text: "<file>: <reason>" in English, "<file> を
// 読み込めません: <reason>" for the operator.
class SourceFileError : public std::runtime_error, public platform::MarkedFailure {
public:
    SourceFileError(std::filesystem::path file, std::string text, const platform::Message& reason);
    const std::filesystem::path& file() const { return m_file; }
    // The offending bytes as they stand in the file (CP932); may be empty
    // when the reason alone tells it.
    const std::string& text() const { return m_text; }

private:
    std::filesystem::path m_file;
    std::string m_text;
};

// The reason of a SourceFileError in a numbered record ("record 3: ..."); the
// reason as it is for record 0 (no record read yet).
platform::Message inRecord(std::size_t recordNumber, const platform::Message& reason);
// "'<field>' is not a valid number", the CP932 field shown as text.
platform::Message notANumber(const std::string& cp932);

// A raw integer field for an INTEGER slot: its value in decimal (blanks
// around it allowed), or NULL when it is not an integer.
std::string IntegerOrNull(std::string_view field);
// CP932 field text as UTF-8 for the catalogue. EncodingError when it is not
// valid CP932 or holds a zero byte: SQLite reads a statement only up to its
// first zero byte, so such a value must never reach one.
std::string Utf8Of(std::string_view cp932);
// A path as CP932 bytes for a trace line, characters CP932 lacks escaped.
std::string TraceTextOf(const std::filesystem::path& path);
// Writes a statement (UTF-8) to the trace log as CP932, escaped likewise.
void TraceStatement(platform::TraceLog& trace, std::string_view utf8Statement);

class RecordLineReader;

// Runs `body` in a transaction on `db` and ends it as the contract above
// says: true after Commit, false or SourceFileError after Rollback. With the
// reader of the source file, a SourceFileError names the record it stopped at.
bool RunFileTransaction(catalogue::TSQLiteDatabase& db, platform::TraceLog& trace,
                        const std::filesystem::path& source, const std::function<void()>& body,
                        const RecordLineReader* reader = nullptr);

// The same ending for the reading half of a conversion whose statements run
// later (the map sheets of a registration): nothing to roll back, but a
// failure traces "Rollback" and ends as above, so that the trace reads as
// if the statements had run there.
bool RunFileReading(platform::TraceLog& trace, const std::filesystem::path& source,
                    const std::function<void()>& body, const RecordLineReader* reader = nullptr);

} // namespace ft::formats
