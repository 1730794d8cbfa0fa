#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ft::formats {

// All texts here are CP932 byte strings; positions count bytes.

// A field that should hold a number does not. Carries the offending text.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string text);
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// Takes the next comma-separated field off the front of the line. Nothing is
// trimmed; past the last field the result is empty.
std::string NextField(std::string& rest);

// The fields of a record line one after another, as NextField takes them, but
// without copying the rest of the line for every field: for the readers of
// files with hundreds of thousands of lines. The line must outlive it.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view line) : m_rest(line) {}
    std::string_view next();
    void skip(int count);

private:
    std::string_view m_rest;
    bool m_done = false;
};
// The next field as a real number, blanks and control characters trimmed;
// empty gives 0.0; anything else that is not a number throws ConversionError.
double NextFloat(std::string& rest);
// The next field as an integer (leading blanks allowed, nothing after the
// digits); the default when the field is not an integer. Never throws.
int NextInt(std::string& rest, int defaultValue);

double MinOf(double a, double b);
double MaxOf(double a, double b);
// Decimal text of n, empty for a negative number.
std::string IntOrBlank(int n);
// Folds full-width letters, digits and symbols to their one-byte forms.
std::string ToHalfWidth(std::string_view text);
// True when the file is made of lines rather than 300-byte blocks: a
// carriage return within its first 400 bytes, or a line feed within its
// first 301 (a record line is at most 300 bytes, so a file of lines with LF
// line ends has one there; a file of blocks has none).
bool HasLineBreaks(const std::filesystem::path& file);
// "%13.3f" without the leading padding blanks.
std::string CoordText(double value);
// The same appended to a record being built.
void AppendCoordText(std::string& text, double value);
// Rewrites a blank-separated one- or two-digit number at bytes 2-4 as two digits.
std::string TidySheetName(std::string_view name);

struct LotNumber {
    int oya = 0;
    int ko = 0;
    int mago = 0;
};
// The numeric parts of a lot number such as 12-3-4.
LotNumber SplitLotNumber(std::string_view text);

// The conversions the field readers use, for text that did not come off a
// record line (fixed columns, trimmed fields).
//
// Blanks and control characters (bytes up to 20) removed from both ends. No
// CP932 trail byte is that small, so this never splits a character.
std::string TrimBlanks(std::string_view text);
// The integer conversion of NextInt: optional leading blanks, an optional
// sign and decimal digits up to the end, within 32 bits; nothing otherwise.
std::optional<int> IntOf(std::string_view text);
// The same conversion within 64 bits, for fixed fields wider than 32 bits hold.
std::optional<long long> LongOf(std::string_view text);
// The real-number conversion of NextFloat, trimming included: empty gives
// 0.0, text that is not a number throws ConversionError.
double FloatOf(std::string_view text);

// Reads a text file line by line as raw bytes. A line ends at LF; a CR right
// before it belongs to the line end. A last line without a line end is still
// a line; an empty file has none. In a survey file a Ctrl-Z byte (1A) ends
// the file, as it did for the DOS-era programs that wrote many of them (CP932
// never uses 1A inside a character). The working files are written by this
// program alone and read to their real end: a 1A that an earlier version let
// into a name costs that one name, not every record after it. A file that
// cannot be opened reads as having no lines (isOpen() tells the two apart).
class RecordLineReader {
public:
    enum class Ending {
        AtCtrlZ,     // survey files
        AtEndOfFile, // working files
    };

    explicit RecordLineReader(const std::filesystem::path& file, Ending ending = Ending::AtCtrlZ);

    bool isOpen() const { return m_open; }
    // The next line without its line end; false at the end of the file.
    // Throws std::system_error when the file cannot be read.
    bool next(std::string& line);
    // The number of the line next() gave last, from 1; 0 before the first.
    std::size_t lineNumber() const { return m_lineNumber; }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::ifstream m_in;
    Ending m_ending;
    bool m_open = false;
    bool m_ended = false;
    std::size_t m_lineNumber = 0;
};

} // namespace ft::formats
