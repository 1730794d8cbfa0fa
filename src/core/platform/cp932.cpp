#include "core/platform/cp932.h"

#include "core/platform/message_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <variant>
#include <vector>

namespace ft::platform {
namespace {

// One pair of the generated table: a CP932 code and a code point, or the
// first and last code point of a range.
struct Cp932TableEntry {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
};

#include "core/platform/cp932_table.inc"

// Where and why a conversion stopped.
struct ConversionFailure {
    enum class Kind {
        Invalid,    // not valid in the source encoding, or not representable in the target
        Incomplete, // a character cut off by the end of the text
    };
    std::size_t offset = 0; // byte offset into the input
    Kind kind = Kind::Invalid;
};

// The length of the UTF-8 sequence starting at `text` and its code point, or
// nothing when the bytes there are not well-formed UTF-8.
struct Utf8Character {
    std::size_t length = 0;
    char32_t codePoint = 0;
};

std::optional<Utf8Character> decodeUtf8(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x80)
        return Utf8Character{1, first};
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t minimum = 0; // the smallest code point of this length; below it is overlong
    if ((first & 0xE0) == 0xC0) {
        length = 2;
        codePoint = first & 0x1F;
        minimum = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3;
        codePoint = first & 0x0F;
        minimum = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4;
        codePoint = first & 0x07;
        minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return std::nullopt;
    return Utf8Character{length, codePoint};
}

// Whether the text from a failed position on is a multi-byte UTF-8 character
// cut off by the end of the text, as glibc's decoder judges it: a first byte
// that announces more bytes (up to the six of the old UTF-8 forms) followed
// only by continuation bytes, fewer than announced. Anything else there is an
// invalid sequence, even when more bytes could never make it valid.
bool isCutOffUtf8(std::string_view rest)
{
    const auto first = static_cast<unsigned char>(rest[0]);
    std::size_t announced = 0;
    if (first >= 0xC2 && first <= 0xDF)
        announced = 2;
    else if (first >= 0xE0 && first <= 0xEF)
        announced = 3;
    else if (first >= 0xF0 && first <= 0xF7)
        announced = 4;
    else if (first >= 0xF8 && first <= 0xFB)
        announced = 5;
    else if (first >= 0xFC && first <= 0xFD)
        announced = 6;
    if (rest.size() >= announced)
        return false;
    return std::all_of(rest.begin() + 1, rest.end(),
                       [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; });
}

QString bytesText(std::string_view bytes)
{
    return QString::fromStdString(hexBytes(bytes));
}

Message cp932FailureText(std::string_view input, const ConversionFailure& failure)
{
    const QString at = QString::number(failure.offset);
    if (failure.kind == ConversionFailure::Kind::Incomplete)
        return Message(QT_TRANSLATE_NOOP("findTavla",
                                         "Incomplete CP932 character at byte %1 (end of text): %2"),
                       {at, bytesText(input.substr(failure.offset))});
    return Message(QT_TRANSLATE_NOOP("findTavla", "Invalid CP932 byte sequence at byte %1: %2"),
                   {at, bytesText(input.substr(failure.offset, 2))});
}

Message utf8FailureText(std::string_view input, const ConversionFailure& failure)
{
    const QString at = QString::number(failure.offset);
    const std::string_view rest = input.substr(failure.offset);
    if (failure.kind == ConversionFailure::Kind::Incomplete)
        return Message(QT_TRANSLATE_NOOP("findTavla",
                                         "Incomplete UTF-8 character at byte %1 (end of text): %2"),
                       {at, bytesText(rest)});
    if (const auto character = decodeUtf8(rest)) {
        char codePoint[16];
        std::snprintf(codePoint, sizeof codePoint, "U+%04X",
                      static_cast<unsigned>(character->codePoint));
        return Message(QT_TRANSLATE_NOOP("findTavla",
                                         "Character %1 at byte %2 cannot be represented in CP932"),
                       {QString::fromLatin1(codePoint), at});
    }
    return Message(QT_TRANSLATE_NOOP("findTavla", "Invalid UTF-8 byte sequence at byte %1: %2"),
                   {at, bytesText(rest.substr(0, 1))});
}

// Bytes 00-7F are the same characters in CP932 and UTF-8, so text made of
// them needs no conversion. Registration converts a few values per catalogue
// row, most of them numbers and folded names, and statements that are ASCII
// but for their values.
std::size_t asciiPrefixLength(std::string_view text)
{
    std::size_t length = 0;
    while (length < text.size() && static_cast<unsigned char>(text[length]) < 0x80)
        ++length;
    return length;
}

bool isAscii(std::string_view text)
{
    return asciiPrefixLength(text) == text.size();
}

// One character's bytes in the other encoding; a length of 0 marks a
// character (or code) the table does not convert.
struct MappedCharacter {
    std::uint8_t length = 0;
    std::array<char, 3> bytes{};
};

MappedCharacter utf8Bytes(char32_t codePoint)
{
    MappedCharacter mapped;
    if (codePoint < 0x800) {
        mapped.bytes = {static_cast<char>(0xC0 | (codePoint >> 6)),
                        static_cast<char>(0x80 | (codePoint & 0x3F)), 0};
        mapped.length = 2;
    } else {
        mapped.bytes = {static_cast<char>(0xE0 | (codePoint >> 12)),
                        static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)),
                        static_cast<char>(0x80 | (codePoint & 0x3F))};
        mapped.length = 3;
    }
    return mapped;
}

MappedCharacter cp932Bytes(std::uint32_t code)
{
    MappedCharacter mapped;
    if (code < 0x100) {
        mapped.bytes = {static_cast<char>(code), 0, 0};
        mapped.length = 1;
    } else {
        mapped.bytes = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF), 0};
        mapped.length = 2;
    }
    return mapped;
}

// The project's code page 932 (cp932_table.inc, written from glibc iconv by
// tools/make_cp932_table.cpp) as lookup tables, laid out once per process.
// CP932 is stateless, so a text converts as its characters do one by one.
// Built once and never changed afterwards, they are constants, not shared
// state.
class Cp932Tables {
public:
    static const Cp932Tables& instance()
    {
        static const Cp932Tables tables;
        return tables;
    }

    // The UTF-8 text, or where and why the CP932 text cannot be decoded.
    std::variant<std::string, ConversionFailure> toUtf8(std::string_view cp932) const
    {
        std::string utf8;
        utf8.reserve(cp932.size() * 3 / 2 + 1);
        for (std::size_t i = 0; i < cp932.size();) {
            const std::size_t ascii = asciiPrefixLength(cp932.substr(i));
            utf8.append(cp932.substr(i, ascii));
            i += ascii;
            if (i == cp932.size())
                break;
            const auto byte = static_cast<unsigned char>(cp932[i]);
            const MappedCharacter* mapped = &m_singleBytes[byte];
            std::size_t consumed = 1;
            if (mapped->length == 0 && m_leadBytes[byte]) {
                if (i + 1 == cp932.size())
                    return ConversionFailure{i, ConversionFailure::Kind::Incomplete};
                mapped = &m_doubleBytes[pairIndex(byte, static_cast<unsigned char>(cp932[i + 1]))];
                consumed = 2;
            }
            if (mapped->length == 0)
                return ConversionFailure{i, ConversionFailure::Kind::Invalid};
            utf8.append(mapped->bytes.data(), mapped->length);
            i += consumed;
        }
        return utf8;
    }

    // The CP932 text, or where and why the UTF-8 text cannot be encoded.
    std::variant<std::string, ConversionFailure> toCp932(std::string_view utf8) const
    {
        std::string cp932;
        cp932.reserve(utf8.size());
        for (std::size_t i = 0; i < utf8.size();) {
            const std::size_t ascii = asciiPrefixLength(utf8.substr(i));
            cp932.append(utf8.substr(i, ascii));
            i += ascii;
            if (i == utf8.size())
                break;
            const std::optional<Utf8Character> character = decodeUtf8(utf8.substr(i));
            if (!character) {
                const auto kind = isCutOffUtf8(utf8.substr(i)) ? ConversionFailure::Kind::Incomplete
                                                               : ConversionFailure::Kind::Invalid;
                return ConversionFailure{i, kind};
            }
            if (character->codePoint < m_codePoints.size()) {
                const MappedCharacter& mapped = m_codePoints[character->codePoint];
                if (mapped.length == 0)
                    return ConversionFailure{i, ConversionFailure::Kind::Invalid};
                cp932.append(mapped.bytes.data(), mapped.length);
            } else if (!isDropped(character->codePoint)) {
                return ConversionFailure{i, ConversionFailure::Kind::Invalid};
            }
            i += character->length;
        }
        return cp932;
    }

private:
    static constexpr std::size_t kLeadBase = 0x80; // every lead byte lies above it

    static std::size_t pairIndex(unsigned char lead, unsigned char trail)
    {
        return (lead - kLeadBase) * 0x100 + trail;
    }

    // Characters the code page leaves out without a word: glibc writes the
    // tag characters as nothing, and so does this table.
    static bool isDropped(char32_t codePoint)
    {
        return std::any_of(std::begin(kCp932Dropped), std::end(kCp932Dropped),
                           [codePoint](const Cp932TableEntry& range) {
                               return codePoint >= range.from && codePoint <= range.to;
                           });
    }

    Cp932Tables() : m_doubleBytes(0x80 * 0x100), m_codePoints(0x10000)
    {
        for (const unsigned char lead : kCp932LeadBytes)
            m_leadBytes[lead] = true;
        for (const Cp932TableEntry& entry : kCp932Decode) {
            if (entry.from < 0x100)
                m_singleBytes[entry.from] = utf8Bytes(entry.to);
            else
                m_doubleBytes[pairIndex(static_cast<unsigned char>(entry.from >> 8),
                                        static_cast<unsigned char>(entry.from & 0xFF))] =
                    utf8Bytes(entry.to);
        }
        for (const Cp932TableEntry& entry : kCp932Encode)
            m_codePoints[entry.from] = cp932Bytes(entry.to);
    }

    std::array<MappedCharacter, 0x100> m_singleBytes{};
    std::array<bool, 0x100> m_leadBytes{};
    std::vector<MappedCharacter> m_doubleBytes; // by lead and trail byte
    std::vector<MappedCharacter> m_codePoints;  // CP932 bytes of each BMP code point
};

} // namespace

std::string cp932ToUtf8(std::string_view cp932)
{
    if (isAscii(cp932))
        return std::string(cp932);
    auto result = Cp932Tables::instance().toUtf8(cp932);
    if (const auto* failure = std::get_if<ConversionFailure>(&result))
        throw EncodingError(cp932FailureText(cp932, *failure));
    return std::get<std::string>(std::move(result));
}

// The table folds nine characters onto the code Windows uses for the same
// JIS character (U+301C WAVE DASH to 0x8160, U+2212 MINUS SIGN to 0x817C,
// U+00A5 YEN SIGN to 0x5C, ...), as glibc does; they decode to the Windows
// variants. Everything else CP932 lacks fails.
std::string utf8ToCp932(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    auto result = Cp932Tables::instance().toCp932(utf8);
    if (const auto* failure = std::get_if<ConversionFailure>(&result))
        throw EncodingError(utf8FailureText(utf8, *failure));
    return std::get<std::string>(std::move(result));
}

std::string utf8ToCp932Escaped(std::string_view utf8)
{
    try {
        return utf8ToCp932(utf8);
    } catch (const EncodingError&) {
        // Character by character below; most text never gets here.
    }
    std::string cp932;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t ascii = asciiPrefixLength(utf8.substr(i));
        cp932.append(utf8.substr(i, ascii));
        i += ascii;
        if (i == utf8.size())
            break;
        char escape[16];
        const std::optional<Utf8Character> character = decodeUtf8(utf8.substr(i));
        if (!character) {
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(utf8[i]));
            cp932 += escape;
            ++i;
            continue;
        }
        const std::string_view bytes = utf8.substr(i, character->length);
        i += character->length;
        try {
            cp932 += utf8ToCp932(bytes);
        } catch (const EncodingError&) {
            const auto codePoint = static_cast<unsigned>(character->codePoint);
            if (codePoint <= 0xFFFF)
                std::snprintf(escape, sizeof escape, "\\u%04X", codePoint);
            else
                std::snprintf(escape, sizeof escape, "\\U%08X", codePoint);
            cp932 += escape;
        }
    }
    return cp932;
}

} // namespace ft::platform
