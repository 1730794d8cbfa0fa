#include "core/formats/text_helpers.h"

#include "core/platform/cp932.h"
#include "core/platform/path_text.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <system_error>

namespace ft::formats {

ConversionError::ConversionError(std::string text)
    : std::runtime_error("'" + text + "' is not a valid number"), m_text(std::move(text))
{
}

namespace {

constexpr unsigned char byteAt(std::string_view text, std::size_t index)
{
    return static_cast<unsigned char>(text[index]);
}

// The folding tables of ToHalfWidth. Each source string is a run of
// two-byte CP932 characters; the character at index k folds to the byte at
// index k of its result string. The tables are searched in this order and
// the first hit wins, which is why the second "0" at the end of the digit
// table (kept as the data has always had it) is never reached.
struct FoldTable {
    std::string_view source;
    std::string_view result;
};

constexpr std::array<FoldTable, 4> kFoldTables{{
    // Ideographic space, then full-width A to Z.
    {"\x81\x40\x82\x60\x82\x61\x82\x62\x82\x63\x82\x64\x82\x65\x82\x66\x82\x67"
     "\x82\x68\x82\x69\x82\x6a\x82\x6b\x82\x6c\x82\x6d\x82\x6e\x82\x6f\x82\x70"
     "\x82\x71\x82\x72\x82\x73\x82\x74\x82\x75\x82\x76\x82\x77\x82\x78\x82\x79",
     " ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    // Full-width a to z.
    {"\x82\x81\x82\x82\x82\x83\x82\x84\x82\x85\x82\x86\x82\x87\x82\x88\x82\x89"
     "\x82\x8a\x82\x8b\x82\x8c\x82\x8d\x82\x8e\x82\x8f\x82\x90\x82\x91\x82\x92"
     "\x82\x93\x82\x94\x82\x95\x82\x96\x82\x97\x82\x98\x82\x99\x82\x9a",
     "abcdefghijklmnopqrstuvwxyz"},
    // Full-width 0 to 9, and 0 once more.
    {"\x82\x4f\x82\x50\x82\x51\x82\x52\x82\x53\x82\x54\x82\x55\x82\x56\x82\x57"
     "\x82\x58\x82\x4f",
     "0123456789"},
    // Full-width symbols and punctuation; the last eight fold to one-byte
    // katakana punctuation (A1-A5, B0, DE, DF), not to ASCII.
    {"\x81\x49\x81\x68\x81\x94\x81\x90\x81\x93\x81\x95\x81\x66\x81\x69\x81\x6a"
     "\x81\x96\x81\x7b\x81\x43\x81\x7c\x81\x44\x81\x5e\x81\x46\x81\x47\x81\x83"
     "\x81\x81\x81\x84\x81\x48\x81\x97\x81\x6d\x81\x8f\x81\x6e\x81\x4f\x81\x51"
     "\x81\x4d\x81\x6f\x81\x62\x81\x70\x81\x50\x81\x42\x81\x75\x81\x76\x81\x41"
     "\x81\x45\x81\x5b\x81\x4a\x81\x4b",
     "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"
     "\xa1\xa2\xa3\xa4\xa5\xb0\xde\xdf"},
}};

// Every source character has lead byte 81 or 82, so the folding fits a map
// indexed by (lead - 81) * 256 + trail; 0 marks a character that does not fold.
constexpr unsigned char kFirstFoldLead = 0x81;
constexpr unsigned char kLastFoldLead = 0x82;
using FoldMap = std::array<unsigned char, (kLastFoldLead - kFirstFoldLead + 1) * 256>;

constexpr bool foldTablesAreWellFormed()
{
    for (const FoldTable& table : kFoldTables) {
        if (table.source.size() % 2 != 0 || table.source.size() / 2 < table.result.size())
            return false;
        for (std::size_t i = 0; i < table.source.size(); i += 2) {
            if (byteAt(table.source, i) < kFirstFoldLead || byteAt(table.source, i) > kLastFoldLead)
                return false;
        }
    }
    return true;
}
static_assert(foldTablesAreWellFormed());

constexpr FoldMap buildFoldMap()
{
    FoldMap map{};
    for (const FoldTable& table : kFoldTables) {
        for (std::size_t k = 0; 2 * k < table.source.size(); ++k) {
            const std::size_t index = (byteAt(table.source, 2 * k) - kFirstFoldLead) * 256u +
                                      byteAt(table.source, 2 * k + 1);
            if (map[index] == 0)
                map[index] = byteAt(table.result, k);
        }
    }
    return map;
}
constexpr FoldMap kFoldMap = buildFoldMap();

// The folded byte of a two-byte character, or 0 when it does not fold.
unsigned char foldedByte(unsigned char lead, unsigned char trail)
{
    if (lead < kFirstFoldLead || lead > kLastFoldLead)
        return 0;
    return kFoldMap[(lead - kFirstFoldLead) * 256u + trail];
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Decimal real number: optional sign, digits with at most one full stop (at
// least one digit in all), optional exponent with optional sign and digits.
bool looksLikeRealNumber(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

} // namespace

std::string TrimBlanks(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && byteAt(text, first) <= 0x20)
        ++first;
    while (last > first && byteAt(text, last - 1) <= 0x20)
        --last;
    return std::string(text.substr(first, last - first));
}

namespace {

template <typename Integer> std::optional<Integer> integerOf(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    text.remove_prefix(start);
    // from_chars takes a minus sign but no plus sign.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    Integer value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> IntOf(std::string_view text)
{
    return integerOf<int>(text);
}

std::optional<long long> LongOf(std::string_view text)
{
    return integerOf<long long>(text);
}

namespace {

// A plain decimal ("-34987.123": a sign, digits, a full stop and digits, no
// blanks), the form the working files and most survey files hold, read
// without the general conversion: an integer of at most 15 digits divided by
// a power of ten up to 10^15 is exact in both operands, and the division
// rounds correctly, so the value is the one from_chars gives. Anything else
// is left to the general conversion (nullopt).
std::optional<double> plainDecimal(std::string_view text)
{
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr std::size_t kMaxDigits = 15;
    const std::size_t size = text.size();
    std::size_t i = 0;
    const bool negative = size > 0 && text[0] == '-';
    if (negative)
        ++i;
    // Unsigned, so that a run of digits too long for it wraps harmlessly
    // before it is refused below.
    std::uint64_t mantissa = 0;
    const std::size_t firstDigit = i;
    for (; i < size && isDigit(text[i]); ++i)
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
    std::size_t digits = i - firstDigit;
    std::size_t fractionDigits = 0;
    if (i < size && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        for (; i < size && isDigit(text[i]); ++i)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
        fractionDigits = i - fractionStart;
        digits += fractionDigits;
    }
    if (i != size || digits == 0 || digits > kMaxDigits)
        return std::nullopt;
    const double value = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
    return negative ? -value : value;
}

} // namespace

double FloatOf(std::string_view text)
{
    if (const std::optional<double> value = plainDecimal(text))
        return *value;
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty())
        return 0.0;
    if (!looksLikeRealNumber(trimmed))
        throw ConversionError(trimmed);
    std::string_view digits = trimmed;
    if (digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        throw ConversionError(trimmed);
    return value;
}

std::string NextField(std::string& rest)
{
    const std::size_t comma = rest.find(',');
    if (comma == std::string::npos) {
        std::string field = std::move(rest);
        rest.clear();
        return field;
    }
    std::string field = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    return field;
}

double NextFloat(std::string& rest)
{
    return FloatOf(NextField(rest));
}

std::string_view FieldCursor::next()
{
    if (m_done)
        return {};
    const std::size_t comma = m_rest.find(',');
    if (comma == std::string_view::npos) {
        m_done = true;
        return m_rest;
    }
    const std::string_view field = m_rest.substr(0, comma);
    m_rest.remove_prefix(comma + 1);
    return field;
}

void FieldCursor::skip(int count)
{
    for (int i = 0; i < count; ++i)
        next();
}

int NextInt(std::string& rest, int defaultValue)
{
    return IntOf(NextField(rest)).value_or(defaultValue);
}

double MinOf(double a, double b)
{
    return b > a ? a : b;
}

double MaxOf(double a, double b)
{
    return b > a ? b : a;
}

std::string IntOrBlank(int n)
{
    return n < 0 ? std::string() : std::to_string(n);
}

std::string ToHalfWidth(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char byte = byteAt(text, i);
        if (!platform::isLeadByte(byte) || i + 1 == text.size()) {
            folded.push_back(text[i]);
            ++i;
            continue;
        }
        const unsigned char halfWidth = foldedByte(byte, byteAt(text, i + 1));
        if (halfWidth != 0)
            folded.push_back(static_cast<char>(halfWidth));
        else
            folded.append(text.substr(i, 2));
        i += 2;
    }
    return folded;
}

bool HasLineBreaks(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    constexpr std::size_t kCarriageReturnWindow = 400;
    constexpr std::size_t kLineFeedWindow = 301;
    std::array<char, kCarriageReturnWindow> head{};
    in.read(head.data(), head.size());
    const std::string_view read(head.data(), static_cast<std::size_t>(in.gcount()));
    return read.find('\r') != std::string_view::npos ||
           read.substr(0, kLineFeedWindow).find('\n') != std::string_view::npos;
}

namespace {

// Survey coordinates are written for every outline segment, four to a
// record, and to_chars' general conversion costs more than the rest of the
// record. Below 10^9 a value times 1000 is off from its exact product by at
// most 2^-13 (half a unit in the last place below 2^40), so unless that
// product lies within 10^-3 of a half, rounding it to a whole number gives
// what the exact conversion gives. Writes the value into [first, last) and
// returns the end; returns nullptr, leaving the value to to_chars, near a
// half and for a negative value that rounds to zero ("-0.000").
char* quickThreeDecimals(double value, char* first, char* last)
{
    constexpr double kLimit = 1e9;
    constexpr double kNearHalf = 1e-3;
    const double magnitude = std::fabs(value);
    if (!(magnitude < kLimit))
        return nullptr;
    const double thousandths = magnitude * 1000.0;
    const double whole = std::floor(thousandths);
    const double fraction = thousandths - whole;
    if (std::fabs(fraction - 0.5) <= kNearHalf)
        return nullptr;
    const auto rounded = static_cast<long long>(whole) + (fraction > 0.5 ? 1 : 0);
    if (rounded == 0 && std::signbit(value))
        return nullptr;
    char* out = first;
    if (std::signbit(value))
        *out++ = '-';
    out = std::to_chars(out, last, rounded / 1000).ptr;
    const auto decimals = static_cast<int>(rounded % 1000);
    *out++ = '.';
    *out++ = static_cast<char>('0' + decimals / 100);
    *out++ = static_cast<char>('0' + decimals / 10 % 10);
    *out++ = static_cast<char>('0' + decimals % 10);
    return out;
}

} // namespace

void AppendCoordText(std::string& text, double value)
{
    // The buffer holds the longest fixed form of a double. to_chars, unlike
    // printf, ignores the locale: the decimal point is always a full stop,
    // whatever LC_NUMERIC the GUI toolkit has set.
    std::array<char, 400> buffer;
    char* const first = buffer.data();
    char* const last = buffer.data() + buffer.size();
    char* end = quickThreeDecimals(value, first, last);
    if (!end) {
        const auto [fixedEnd, error] =
            std::to_chars(first, last, value, std::chars_format::fixed, 3);
        if (error != std::errc())
            return;
        end = fixedEnd;
    }
    text.append(first, end);
}

std::string CoordText(double value)
{
    std::string text;
    AppendCoordText(text, value);
    return text;
}

std::string TidySheetName(std::string_view name)
{
    if (name.size() < 4 || name[3] != ' ')
        return std::string(name);
    const int number = IntOf(TrimBlanks(name.substr(1, 2))).value_or(0);
    std::array<char, 16> digits{};
    std::snprintf(digits.data(), digits.size(), "%2.2d", number);
    std::string tidy;
    tidy.reserve(name.size() + 1);
    tidy.push_back(name[0]);
    tidy.append(digits.data());
    tidy.append(name.substr(4));
    return tidy;
}

LotNumber SplitLotNumber(std::string_view text)
{
    const auto part = [](std::string_view digits) { return IntOf(digits).value_or(0); };
    LotNumber lot;
    std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        lot.oya = part(text);
        return lot;
    }
    lot.oya = part(text.substr(0, dash));
    text.remove_prefix(dash + 1);
    dash = text.find('-');
    if (dash == std::string_view::npos) {
        lot.ko = part(text);
        return lot;
    }
    lot.ko = part(text.substr(0, dash));
    text.remove_prefix(dash + 1);
    lot.mago = part(text.substr(0, text.find('-')));
    return lot;
}

RecordLineReader::RecordLineReader(const std::filesystem::path& file, Ending ending)
    : m_path(file), m_in(file, std::ios::binary), m_ending(ending), m_open(m_in.is_open())
{
}

bool RecordLineReader::next(std::string& line)
{
    if (!m_open || m_ended)
        return false;
    if (!std::getline(m_in, line)) {
        if (m_in.bad())
            throw platform::SystemFailure(
                errno, platform::Message(QT_TRANSLATE_NOOP("findTavla", "cannot read %1"),
                                         {QString::fromStdString(platform::pathText(m_path))}));
        return false;
    }
    if (const std::size_t endOfFile = line.find('\x1a');
        m_ending == Ending::AtCtrlZ && endOfFile != std::string::npos) {
        m_ended = true;
        if (endOfFile == 0)
            return false;
        line.resize(endOfFile);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    ++m_lineNumber;
    return true;
}

} // namespace ft::formats
