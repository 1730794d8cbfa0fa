#include "core/platform/cp932.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <type_traits>

namespace ft::platform {
namespace {

std::string doubleByte(int code)
{
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

int codeOf(const std::string& cp932)
{
    if (cp932.size() == 1)
        return static_cast<unsigned char>(cp932[0]);
    if (cp932.size() != 2)
        return -1;
    return static_cast<unsigned char>(cp932[0]) << 8 | static_cast<unsigned char>(cp932[1]);
}

int codePointCount(const std::string& utf8)
{
    int count = 0;
    for (const char byte : utf8)
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80)
            ++count;
    return count;
}

// The one character of a UTF-8 text as a code point (test data is valid).
char32_t onlyCodePoint(const std::string& utf8)
{
    const auto first = static_cast<unsigned char>(utf8.at(0));
    if (first < 0x80)
        return first;
    const int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : 2;
    char32_t codePoint = first & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        codePoint = codePoint << 6 | (static_cast<unsigned char>(utf8.at(i)) & 0x3F);
    return codePoint;
}

struct TableWalk {
    std::map<int, std::string> decoded; // every accepted double-byte code
    std::map<int, int> reEncoded;       // codes whose decoding encodes to another code
};

// Every lead byte with every possible trail byte.
TableWalk walkDoubleByteTable()
{
    TableWalk walk;
    for (int lead = 0; lead < 0x100; ++lead) {
        if (!isLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0; trail < 0x100; ++trail) {
            const int code = lead << 8 | trail;
            std::string utf8;
            try {
                utf8 = cp932ToUtf8(doubleByte(code));
            } catch (const EncodingError&) {
                continue;
            }
            EXPECT_EQ(codePointCount(utf8), 1) << std::hex << code;
            const std::string back = utf8ToCp932(utf8);
            EXPECT_EQ(cp932ToUtf8(back), utf8) << std::hex << code;
            if (back != doubleByte(code))
                walk.reEncoded[code] = codeOf(back);
            walk.decoded[code] = utf8;
        }
    }
    return walk;
}

int countIn(const TableWalk& walk, int first, int last)
{
    int count = 0;
    for (const auto& [code, utf8] : walk.decoded)
        count += code >= first && code <= last;
    return count;
}

TEST(Cp932Table, EveryDoubleByteCodeRoundTripsAndTheExtensionsAreComplete)
{
    const TableWalk walk = walkDoubleByteTable();

    // JIS X 0208 (6879) + NEC row 13 (83) + NEC-selected IBM (374) + IBM (388)
    // + user-defined area (1880).
    EXPECT_EQ(walk.decoded.size(), 9604u);
    EXPECT_EQ(countIn(walk, 0x8740, 0x879C), 83);
    EXPECT_EQ(countIn(walk, 0xED40, 0xEEFC), 374);
    EXPECT_EQ(countIn(walk, 0xFA40, 0xFC4B), 388);
    EXPECT_EQ(countIn(walk, 0xF040, 0xF9FC), 1880);

    const std::map<int, char32_t> known = {
        {0x8140, U'\u3000'}, {0x815F, U'\uFF3C'}, {0x8160, U'\uFF5E'}, {0x817C, U'\uFF0D'},
        {0x82A0, U'\u3042'}, {0x889F, U'\u4E9C'}, {0x8740, U'\u2460'}, {0x8754, U'\u2160'},
        {0x8790, U'\u2252'}, {0xED40, U'\u7E8A'}, {0xF040, U'\uE000'}, {0xF9FC, U'\uE757'},
        {0xFA40, U'\u2170'}, {0xFBFC, U'\u9AD9'}, {0xFC4B, U'\u9ED1'},
    };
    for (const auto& [code, codePoint] : known) {
        ASSERT_TRUE(walk.decoded.count(code)) << std::hex << code;
        EXPECT_EQ(onlyCodePoint(walk.decoded.at(code)), codePoint) << std::hex << code;
    }

    // Characters with two codes encode to the one Windows prefers: JIS X 0208
    // over NEC row 13, NEC row 13 over IBM, IBM over NEC-selected IBM.
    std::set<int> expectedDuplicates = {0x8790, 0x8791, 0x8792, 0x8795, 0x8796, 0x8797, 0x879A,
                                        0x879B, 0x879C, 0xFA54, 0xFA58, 0xFA59, 0xFA5A, 0xFA5B};
    for (int code = 0xFA4A; code <= 0xFA53; ++code)
        expectedDuplicates.insert(code);
    for (const auto& [code, utf8] : walk.decoded)
        if (code >= 0xED40 && code <= 0xEEFC)
            expectedDuplicates.insert(code);
    std::set<int> actualDuplicates;
    for (const auto& [code, target] : walk.reEncoded)
        actualDuplicates.insert(code);
    EXPECT_EQ(actualDuplicates, expectedDuplicates);
    EXPECT_EQ(walk.reEncoded.at(0x8790), 0x81E0);
    EXPECT_EQ(walk.reEncoded.at(0xFA4A), 0x8754);
    EXPECT_EQ(walk.reEncoded.at(0xFA54), 0x81CA);
    EXPECT_EQ(walk.reEncoded.at(0xED40), 0xFA5C);
}

TEST(Cp932Table, SingleBytes)
{
    for (int byte = 0; byte < 0x80; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        EXPECT_EQ(cp932ToUtf8(text), text) << byte;
        EXPECT_EQ(utf8ToCp932(text), text) << byte;
    }
    for (int byte = 0xA1; byte <= 0xDF; ++byte) {
        const std::string kana(1, static_cast<char>(byte));
        const std::string utf8 = cp932ToUtf8(kana);
        EXPECT_EQ(onlyCodePoint(utf8), static_cast<char32_t>(0xFF61 + byte - 0xA1)) << byte;
        EXPECT_EQ(utf8ToCp932(utf8), kana) << byte;
    }
    for (const int unassigned : {0x80, 0xA0, 0xFD, 0xFE, 0xFF})
        EXPECT_THROW(cp932ToUtf8(std::string(1, static_cast<char>(unassigned))), EncodingError)
            << unassigned;
}

TEST(Cp932Conversion, MixedTextBothWays)
{
    const std::string utf8 = "測地系 ｶﾅ abc①ⅰ髙\\~";
    const std::string cp932 = "\x91\xAA\x92\x6E\x8C\x6E \xB6\xC5 abc\x87\x40\xFA\x40\xFB\xFC\\~";
    EXPECT_EQ(utf8ToCp932(utf8), cp932);
    EXPECT_EQ(cp932ToUtf8(cp932), utf8);
    EXPECT_EQ(utf8ToCp932(""), "");
    EXPECT_EQ(cp932ToUtf8(""), "");
}

// glibc iconv's own answer for a text, or nothing when it refuses it: what
// the conversions must give, whichever way they reach it.
class ReferenceIconv {
public:
    ReferenceIconv(const char* to, const char* from) : m_handle(iconv_open(to, from))
    {
        EXPECT_NE(reinterpret_cast<std::intptr_t>(m_handle.get()), -1);
    }

    std::optional<std::string> convert(const std::string& input)
    {
        iconv(m_handle.get(), nullptr, nullptr, nullptr, nullptr);
        std::string output(input.size() * 4 + 4, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(m_handle.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        output.resize(output.size() - outLeft);
        return output;
    }

private:
    struct Closer {
        void operator()(iconv_t handle) const { iconv_close(handle); }
    };
    std::unique_ptr<std::remove_pointer_t<iconv_t>, Closer> m_handle;
};

std::optional<std::string> converted(std::string (*convert)(std::string_view),
                                     const std::string& text)
{
    try {
        return convert(text);
    } catch (const EncodingError&) {
        return std::nullopt;
    }
}

std::string utf8Of(char32_t codePoint)
{
    std::string bytes;
    if (codePoint < 0x80) {
        bytes += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        bytes += static_cast<char>(0xC0 | codePoint >> 6);
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        bytes += static_cast<char>(0xE0 | codePoint >> 12);
        bytes += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | codePoint >> 18);
        bytes += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return bytes;
}

// Every character, alone and inside other text, converts exactly as iconv
// converts it, and is refused exactly where iconv refuses it.
TEST(Cp932Conversion, AgreesWithIconvOnEveryCharacter)
{
    ReferenceIconv decode("UTF-8", "CP932");
    const auto checkDecoding = [&](const std::string& cp932) {
        // Framed by a non-ASCII character, so no shortcut for plain ASCII applies.
        const std::string framed = "\x82\xA0" + cp932 + "\xB1";
        EXPECT_EQ(converted(cp932ToUtf8, cp932), decode.convert(cp932)) << codeOf(cp932);
        EXPECT_EQ(converted(cp932ToUtf8, framed), decode.convert(framed)) << codeOf(cp932);
    };
    for (int first = 0; first < 0x100; ++first) {
        checkDecoding(std::string(1, static_cast<char>(first)));
        for (int second = 0; second < 0x100; ++second)
            checkDecoding(doubleByte(first << 8 | second));
    }

    ReferenceIconv encode("CP932", "UTF-8");
    const auto checkEncoding = [&](const std::string& utf8) {
        const std::string framed = "あ" + utf8 + "ｱ";
        EXPECT_EQ(converted(utf8ToCp932, utf8), encode.convert(utf8)) << utf8;
        EXPECT_EQ(converted(utf8ToCp932, framed), encode.convert(framed)) << utf8;
    };
    for (char32_t codePoint = 0; codePoint < 0x10000; ++codePoint)
        if (codePoint < 0xD800 || codePoint > 0xDFFF)
            checkEncoding(utf8Of(codePoint));
    for (const char32_t beyond : {U'\U00010000', U'\U00020B9F', U'\U0010FFFF'})
        checkEncoding(utf8Of(beyond));
    // Malformed UTF-8: a stray continuation byte, an overlong form, a
    // surrogate, a sequence cut short.
    for (const std::string malformed : {"\x80", "\xC0\xAF", "\xED\xA0\x80", "\xE3\x81"})
        checkEncoding(malformed);
}

std::string messageOf(void (*convert)(), const char* label)
{
    try {
        convert();
    } catch (const EncodingError& error) {
        return error.what();
    }
    ADD_FAILURE() << label << " did not throw";
    return {};
}

TEST(Cp932Conversion, FailuresThrowAndNameTheProblem)
{
    EXPECT_EQ(messageOf([] { utf8ToCp932("ab\xF0\x9F\x98\x80"); }, "emoji"),
              "Character U+1F600 at byte 2 cannot be represented in CP932");
    EXPECT_EQ(messageOf([] { utf8ToCp932("\xC3("); }, "broken UTF-8"),
              "Invalid UTF-8 byte sequence at byte 0: C3");
    EXPECT_EQ(messageOf([] { utf8ToCp932("a\xE6\xB8"); }, "cut UTF-8"),
              "Incomplete UTF-8 character at byte 1 (end of text): E6 B8");
    EXPECT_EQ(messageOf([] { cp932ToUtf8("a\x85\x40"); }, "unassigned CP932"),
              "Invalid CP932 byte sequence at byte 1: 85 40");
    EXPECT_EQ(messageOf([] { cp932ToUtf8("ab\x88"); }, "cut CP932"),
              "Incomplete CP932 character at byte 2 (end of text): 88");
    EXPECT_EQ(messageOf([] { cp932ToUtf8("\x88\x20"); }, "bad trail byte"),
              "Invalid CP932 byte sequence at byte 0: 88 20");
}

} // namespace
} // namespace ft::platform
