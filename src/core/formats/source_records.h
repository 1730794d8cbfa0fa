#pragma once

#include "core/formats/converter_support.h"
#include "core/formats/text_helpers.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace ft::formats {

// The error that ends a reader when a number conversion fails inside a
// survey or working file: the file, the record (line, or 300-byte block) and
// the offending text, as the catalogue converters report it too.
SourceFileError conversionErrorIn(const std::filesystem::path& file, std::size_t recordNumber,
                                  const ConversionError& cause);

using RecordVisitor = std::function<void(std::string& record)>;

// Calls visit for every line of a text file, read with RecordLineReader
// (survey files end at a Ctrl-Z byte, working files at their real end). A
// ConversionError thrown by the visitor comes out as a SourceFileError naming
// the file, the line and the text.
// Returns false (and visits nothing) when the file cannot be opened.
bool forEachLine(const std::filesystem::path& file, const RecordVisitor& visit,
                 RecordLineReader::Ending ending = RecordLineReader::Ending::AtCtrlZ);

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

// True when every byte is a blank or a control byte (also for empty text).
bool isBlank(std::string_view text);

// Integer value of a fixed-position field by the rule of NextInt, else
// `defaultValue`.
int fixedInt(std::string_view text, int defaultValue);

// Real value of a field by the rule of NextFloat, except that a blank field is
// not taken as 0: it throws ConversionError like any other non-number.
double requiredFloat(std::string_view text);

} // namespace ft::formats
