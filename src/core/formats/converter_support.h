#pragma once

// What every reader of the survey files shares with the catalogue converters
// (core/conversion): the error of a file whose content cannot be read or
// converted, and the conversions of field text for statements and traces.

#include "core/platform/operator_message.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

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

} // namespace ft::formats
