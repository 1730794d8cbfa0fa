// The conversions go by the project's own table, without iconv. Where glibc
// iconv (the table's source) is at hand, these check that text the table
// refuses is refused where and as iconv refuses it, and that characters
// beyond the BMP go as iconv lets them.
#include "core/platform/cp932.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace ft::platform {
namespace {

// How a conversion ended: converted text, or the kind of failure and where.
struct Outcome {
    std::string text;
    std::string failure; // "", "incomplete" or "invalid"
    std::size_t offset = 0;

    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Outcome& outcome)
{
    if (outcome.failure.empty())
        return stream << "converted to " << outcome.text.size() << " bytes";
    return stream << outcome.failure << " at " << outcome.offset;
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}

    Outcome convert(const std::string& input)
    {
        iconv(m_handle.get(), nullptr, nullptr, nullptr, nullptr);
        std::string output(input.size() * 4 + 4, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(m_handle.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
            return {{}, errno == EINVAL ? "incomplete" : "invalid", input.size() - inLeft};
        output.resize(output.size() - outLeft);
        return {output, {}, 0};
    }

private:
    struct Closer {
        void operator()(iconv_t handle) const { iconv_close(handle); }
    };
    std::unique_ptr<std::remove_pointer_t<iconv_t>, Closer> m_handle;
};

// The kind and place of a failure as the message names them.
Outcome outcomeOf(std::string (*convert)(std::string_view), const std::string& input)
{
    try {
        return {convert(input), {}, 0};
    } catch (const EncodingError& error) {
        const std::string message = error.what();
        const std::string place = " at byte ";
        const std::size_t at = message.find(place);
        EXPECT_NE(at, std::string::npos) << message;
        const bool cutOff = message.rfind("Incomplete", 0) == 0;
        return {
            {}, cutOff ? "incomplete" : "invalid", std::stoul(message.substr(at + place.size()))};
    }
}

std::string hexOf(const std::string& bytes)
{
    std::string hex;
    for (const char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned char>(byte));
        hex += digits;
    }
    return hex;
}

TEST(Cp932Failures, BrokenCp932IsRefusedWhereIconvRefusesIt)
{
    Iconv decode("UTF-8", "CP932");
    for (int first = 0x80; first < 0x100; ++first)
        for (int second = -1; second < 0x100; ++second) {
            std::string code(1, static_cast<char>(first));
            if (second >= 0)
                code += static_cast<char>(second);
            for (const std::string& text : {code, "\x82\xA0" + code, "a" + code + "b"})
                ASSERT_EQ(outcomeOf(cp932ToUtf8, text), decode.convert(text)) << hexOf(text);
        }
}

TEST(Cp932Failures, BrokenUtf8IsRefusedWhereIconvRefusesIt)
{
    // One byte of each kind UTF-8 tells apart: ASCII, continuation bytes at
    // the edges of the ranges that limit second bytes, first bytes of each
    // length, and bytes that never occur.
    const std::vector<int> kinds = {0x41, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC2,
                                    0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xF8, 0xFC, 0xFE};
    Iconv encode("CP932", "UTF-8");
    const auto check = [&](const std::string& sequence) {
        for (const std::string& text : {sequence, "\xE3\x81\x82" + sequence, sequence + "A"})
            ASSERT_EQ(outcomeOf(utf8ToCp932, text), encode.convert(text)) << hexOf(text);
    };
    for (int first = 0x80; first < 0x100; ++first) {
        const std::string one(1, static_cast<char>(first));
        check(one);
        for (const int second : kinds) {
            check(one + static_cast<char>(second));
            for (const int third : kinds) {
                check(one + static_cast<char>(second) + static_cast<char>(third));
                for (const int fourth : kinds)
                    if (first >= 0xF0) // only these announce four bytes or more
                        check(one + static_cast<char>(second) + static_cast<char>(third) +
                              static_cast<char>(fourth));
            }
        }
    }
}

std::string utf8Of(char32_t codePoint)
{
    return {static_cast<char>(0xF0 | codePoint >> 18),
            static_cast<char>(0x80 | (codePoint >> 12 & 0x3F)),
            static_cast<char>(0x80 | (codePoint >> 6 & 0x3F)),
            static_cast<char>(0x80 | (codePoint & 0x3F))};
}

// Nothing beyond the BMP has a CP932 code; the tag characters are left out
// without a word, as iconv leaves them out.
TEST(Cp932Failures, CharactersBeyondTheBmpGoAsIconvLetsThem)
{
    Iconv encode("CP932", "UTF-8");
    for (char32_t codePoint = 0x10000; codePoint <= 0x10FFFF; ++codePoint) {
        const bool tagArea = codePoint >= 0xE0000 && codePoint <= 0xE01FF;
        if (!tagArea && codePoint % 61 != 0)
            continue;
        const std::string text = "\xE3\x81\x82" + utf8Of(codePoint) + "A";
        ASSERT_EQ(outcomeOf(utf8ToCp932, text), encode.convert(text))
            << std::hex << static_cast<unsigned>(codePoint);
    }
}

} // namespace
} // namespace ft::platform
