#include "core/platform/cp932.h"

#include "core/platform/message_text.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace ft::platform {
namespace {

constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";

// Where and why iconv stopped.
struct ConversionFailure {
    std::size_t offset = 0; // byte offset into the input
    int error = 0;          // EILSEQ: invalid or unrepresentable; EINVAL: cut off at the end
};

// One iconv conversion descriptor, closed when the object goes. Opening one
// is cheap (glibc caches the conversion modules), so each call opens its own
// and no converter state outlives a conversion.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : m_handle(iconv_open(to, from))
    {
        if (m_handle.get() == invalidHandle()) {
            m_handle.release();
            throw EncodingError(std::string("iconv cannot convert from ") + from + " to " + to);
        }
    }

    // Converts the whole input into `output`, or tells where it stopped.
    std::optional<ConversionFailure> convert(std::string_view input, std::string& output)
    {
        // Neither direction produces more than three bytes per input byte
        // (a one-byte katakana becomes three bytes of UTF-8).
        output.assign(input.size() * 3 + 4, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        std::size_t written = 0;
        for (;;) {
            char* out = output.data() + written;
            std::size_t outLeft = output.size() - written;
            const std::size_t result = iconv(m_handle.get(), &in, &inLeft, &out, &outLeft);
            written = output.size() - outLeft;
            if (result != static_cast<std::size_t>(-1))
                break;
            if (errno == E2BIG) {
                output.resize(output.size() * 2);
                continue;
            }
            const int error = errno;
            output.clear();
            return ConversionFailure{input.size() - inLeft, error};
        }
        output.resize(written);
        return std::nullopt;
    }

private:
    static iconv_t invalidHandle()
    {
        return reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
    }

    struct Closer {
        void operator()(iconv_t handle) const { iconv_close(handle); }
    };
    std::unique_ptr<std::remove_pointer_t<iconv_t>, Closer> m_handle;
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

std::string cp932FailureText(std::string_view input, const ConversionFailure& failure)
{
    const std::string at = " at byte " + std::to_string(failure.offset);
    if (failure.error == EINVAL)
        return "Incomplete CP932 character" + at +
               " (end of text): " + hexBytes(input.substr(failure.offset));
    if (failure.error == EILSEQ)
        return "Invalid CP932 byte sequence" + at + ": " +
               hexBytes(input.substr(failure.offset, 2));
    return "CP932 to UTF-8 conversion failed" + at;
}

std::string utf8FailureText(std::string_view input, const ConversionFailure& failure)
{
    const std::string at = " at byte " + std::to_string(failure.offset);
    const std::string_view rest = input.substr(failure.offset);
    if (failure.error == EINVAL)
        return "Incomplete UTF-8 character" + at + " (end of text): " + hexBytes(rest);
    if (failure.error == EILSEQ) {
        if (const auto character = decodeUtf8(rest)) {
            char codePoint[16];
            std::snprintf(codePoint, sizeof codePoint, "U+%04X",
                          static_cast<unsigned>(character->codePoint));
            return std::string("Character ") + codePoint + at + " cannot be represented in CP932";
        }
        return "Invalid UTF-8 byte sequence" + at + ": " + hexBytes(rest.substr(0, 1));
    }
    return "UTF-8 to CP932 conversion failed" + at;
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

// One character converted by iconv: its bytes in the other encoding. A
// length of 0 marks a character the tables leave to iconv itself.
struct MappedCharacter {
    std::uint8_t length = 0;
    std::array<char, 3> bytes{};
};

// Converts one character with `converter` into `mapped`; false when iconv
// refuses it or its conversion does not fit.
bool mapCharacter(IconvConverter& converter, std::string_view character, MappedCharacter& mapped,
                  int* error = nullptr)
{
    std::string output;
    if (const auto failure = converter.convert(character, output)) {
        if (error)
            *error = failure->error;
        return false;
    }
    if (output.empty() || output.size() > mapped.bytes.size())
        return false;
    mapped.length = static_cast<std::uint8_t>(output.size());
    std::copy(output.begin(), output.end(), mapped.bytes.begin());
    return true;
}

// Registration converts several values and a whole statement per catalogue
// row; opening an iconv descriptor and running its conversion loop for each
// cost more than a third of a run. These tables hold iconv's own answer for
// every single character, taken once per process, so text converts by table
// lookup with exactly iconv's result. CP932 is stateless, so a text converts
// as its characters do one by one. Anything the tables do not cover (an
// invalid or cut-off sequence, a character outside CP932 or the BMP) takes
// the iconv path, which gives the result or the error as before. Built once
// and never changed afterwards, they are constants, not shared state.
class Cp932Tables {
public:
    static const Cp932Tables& instance()
    {
        static const Cp932Tables tables;
        return tables;
    }

    std::optional<std::string> toUtf8(std::string_view cp932) const
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
            if (mapped->length == 0) {
                if (!m_leadBytes[byte] || i + 1 >= cp932.size())
                    return std::nullopt;
                mapped = &m_doubleBytes[pairIndex(byte, static_cast<unsigned char>(cp932[i + 1]))];
                consumed = 2;
            }
            if (mapped->length == 0)
                return std::nullopt;
            utf8.append(mapped->bytes.data(), mapped->length);
            i += consumed;
        }
        return utf8;
    }

    std::optional<std::string> toCp932(std::string_view utf8) const
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
            if (!character || character->codePoint >= m_codePoints.size())
                return std::nullopt;
            const MappedCharacter& mapped = m_codePoints[character->codePoint];
            if (mapped.length == 0)
                return std::nullopt;
            cp932.append(mapped.bytes.data(), mapped.length);
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

    Cp932Tables() : m_doubleBytes(0x80 * 0x100), m_codePoints(0x10000)
    {
        IconvConverter decoder(kUtf8, kCp932);
        for (int byte = 0; byte < 0x100; ++byte) {
            const char single = static_cast<char>(byte);
            int error = 0;
            // A byte that iconv finds incomplete on its own starts a pair.
            if (!mapCharacter(decoder, {&single, 1}, m_singleBytes[byte], &error))
                m_leadBytes[byte] = error == EINVAL && byte >= static_cast<int>(kLeadBase);
        }
        for (int lead = 0; lead < 0x100; ++lead) {
            if (!m_leadBytes[lead])
                continue;
            for (int trail = 0; trail < 0x100; ++trail) {
                const std::array<char, 2> pair{static_cast<char>(lead), static_cast<char>(trail)};
                mapCharacter(decoder, {pair.data(), pair.size()},
                             m_doubleBytes[pairIndex(static_cast<unsigned char>(lead),
                                                     static_cast<unsigned char>(trail))]);
            }
        }
        IconvConverter encoder(kCp932, kUtf8);
        for (char32_t codePoint = 0; codePoint < m_codePoints.size(); ++codePoint) {
            if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
                continue;
            const std::string character = encodeUtf8(codePoint);
            mapCharacter(encoder, character, m_codePoints[codePoint]);
        }
    }

    static std::string encodeUtf8(char32_t codePoint)
    {
        std::string bytes;
        if (codePoint < 0x80) {
            bytes.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
        return bytes;
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
    if (std::optional<std::string> utf8 = Cp932Tables::instance().toUtf8(cp932))
        return *std::move(utf8);
    std::string utf8;
    if (const auto failure = IconvConverter(kUtf8, kCp932).convert(cp932, utf8))
        throw EncodingError(cp932FailureText(cp932, *failure));
    return utf8;
}

// glibc folds nine characters onto the code Windows uses for the same JIS
// character (U+301C WAVE DASH to 0x8160, U+2212 MINUS SIGN to 0x817C, U+00A5
// YEN SIGN to 0x5C, ...); they decode to the Windows variants. Everything
// else CP932 lacks fails.
std::string utf8ToCp932(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    if (std::optional<std::string> cp932 = Cp932Tables::instance().toCp932(utf8))
        return *std::move(cp932);
    std::string cp932;
    if (const auto failure = IconvConverter(kCp932, kUtf8).convert(utf8, cp932))
        throw EncodingError(utf8FailureText(utf8, *failure));
    return cp932;
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
