#pragma once

#include "formats/text_helpers.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ft::formats {

// A number conversion failed inside a survey or working file. Keeps the
// offending text (text()) and says in its message which file and which record
// (line, or 300-byte block) held it, so a failed registration can be traced
// back to the byte that caused it.
class SourceConversionError : public ConversionError {
public:
    SourceConversionError(std::filesystem::path file, std::size_t recordNumber,
                          const ConversionError& cause);

    const char* what() const noexcept override { return m_message.c_str(); }
    const std::filesystem::path& file() const { return m_file; }
    std::size_t recordNumber() const { return m_recordNumber; }

private:
    std::filesystem::path m_file;
    std::size_t m_recordNumber;
    std::string m_message;
};

// Reads a CP932 text file line by line as raw bytes. A line ends at CR LF, at
// a lone LF or at a lone CR; the line end is not part of the line. A last line
// without a line end still counts; a file that ends with a line end has no
// empty line after it.
class TextLineReader {
public:
    // Check isOpen(): a file that cannot be opened reads as no lines.
    explicit TextLineReader(const std::filesystem::path& file);

    bool isOpen() const { return m_file != nullptr; }
    // Puts the next line into `line`; false at the end of the file. Throws
    // std::system_error when the file cannot be read.
    bool next(std::string& line);
    // 1-based number of the line last returned.
    std::size_t lineNumber() const { return m_lineNumber; }

private:
    bool fill();

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::filesystem::path m_path;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::size_t m_lineNumber = 0;
};

using RecordVisitor = std::function<void(std::string& record)>;

// Calls visit for every line of a text file. A ConversionError thrown by the
// visitor comes out as a SourceConversionError naming the file and line.
// Returns false (and visits nothing) when the file cannot be opened.
bool forEachLine(const std::filesystem::path& file, const RecordVisitor& visit);

// Size of one record of a sheet-frame file in its fixed-block form.
inline constexpr std::size_t kFrameBlockSize = 300;

// Calls visit for every record of a sheet-frame file: one record per line when
// the file has line breaks (HasLineBreaks), otherwise one per 300-byte block,
// the last block padded with blanks. Conversion errors are wrapped as in
// forEachLine. Returns false when the file cannot be opened.
bool forEachFrameRecord(const std::filesystem::path& file, const RecordVisitor& visit);

// Bytes first..last (1-based, inclusive) of a record, cut short where the
// record ends; empty when the record does not reach `first`.
std::string_view bytesAt(std::string_view record, std::size_t first, std::size_t last);

// Removes leading and trailing blanks and control bytes (00-20). These bytes
// never occur as the second byte of a CP932 character, so trimming cannot
// split one.
std::string_view trimBlanks(std::string_view text);

// True when every byte is a blank or a control byte (also for empty text).
bool isBlank(std::string_view text);

// Integer value of a fixed-position field: leading blanks and a sign allowed,
// nothing after the digits (the rule of NextInt); empty for anything else.
std::optional<long long> fixedInteger(std::string_view text);
// The same within the range of int, else `defaultValue`.
int fixedInt(std::string_view text, int defaultValue);

// Real value of a trimmed field; throws ConversionError for empty text or
// anything that is not a decimal number.
double requiredFloat(std::string_view text);

} // namespace ft::formats
