#pragma once

#include <filesystem>
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
// True when the first 400 bytes of the file hold a carriage return.
bool HasLineBreaks(const std::filesystem::path& file);
// "%13.3f" without the leading padding blanks.
std::string CoordText(double value);
// Rewrites a blank-separated one- or two-digit number at bytes 2-4 as two digits.
std::string TidySheetName(std::string_view name);

struct LotNumber {
    int oya = 0;
    int ko = 0;
    int mago = 0;
};
// The numeric parts of a lot number such as 12-3-4.
LotNumber SplitLotNumber(std::string_view text);

} // namespace ft::formats
