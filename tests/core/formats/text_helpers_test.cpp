#include "core/formats/text_helpers.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace ft::formats {
namespace {

// CP932 bytes are written as escapes; the comment beside each gives the text.

TEST(FieldReaders, EmptyLineGivesEmptyFieldsAndDefaultsForever)
{
    std::string rest;
    EXPECT_EQ(NextField(rest), "");
    EXPECT_EQ(NextInt(rest, -7), -7);
    EXPECT_EQ(NextFloat(rest), 0.0);
    EXPECT_EQ(NextField(rest), "");
}

TEST(FieldReaders, FieldsAreSplitAtEveryCommaWithoutTrimming)
{
    std::string rest = "a,, b ,c,";
    std::vector<std::string> fields;
    for (int i = 0; i < 6; ++i)
        fields.push_back(NextField(rest));
    EXPECT_EQ(fields, (std::vector<std::string>{"a", "", " b ", "c", "", ""}));
    EXPECT_TRUE(rest.empty());
}

TEST(FieldReaders, CommaInsideATwoByteCharacterIsImpossibleSoSplittingIsBytewise)
{
    // "\x82\x60" is a full-width A; CP932 trail bytes are never 2C.
    std::string rest = "\x82\x60,\x8c\x45";
    EXPECT_EQ(NextField(rest), "\x82\x60");
    EXPECT_EQ(NextField(rest), "\x8c\x45");
}

TEST(FieldReaders, NextIntAcceptsLeadingBlanksOnly)
{
    struct Case {
        std::string field;
        int expected;
    };
    const std::vector<Case> cases{
        {" 12", 12},
        {"12 ", -1},
        {"12", 12},
        {"-5", -5},
        {"+5", 5},
        {"", -1},
        {"1.5", -1},
        {"x1", -1},
        {"1x", -1},
        {"+-5", -1},
        {"- 5", -1},
        {"\t5", -1},
        {"2147483647", 2147483647},
        {"2147483648", -1},
    };
    for (const Case& c : cases) {
        std::string rest = c.field + ",9";
        EXPECT_EQ(NextInt(rest, -1), c.expected) << "field [" << c.field << "]";
        EXPECT_EQ(rest, "9");
    }
}

TEST(FieldReaders, NextFloatTrimsAndConverts)
{
    struct Case {
        std::string field;
        double expected;
    };
    const std::vector<Case> cases{
        {"1.5", 1.5}, {"  -2.25 ", -2.25}, {"\t3\r", 3.0},     {"+4", 4.0},  {".5", 0.5},
        {"7.", 7.0},  {"1e3", 1000.0},     {"-1.5E-1", -0.15}, {"   ", 0.0}, {"", 0.0},
    };
    for (const Case& c : cases) {
        std::string rest = c.field;
        EXPECT_DOUBLE_EQ(NextFloat(rest), c.expected) << "field [" << c.field << "]";
    }
}

TEST(FieldReaders, NextFloatRejectsWhatIsNotADecimalNumberAndCarriesTheText)
{
    for (const std::string field :
         {"abc", "1.2.3", "1;5", "inf", "nan", "0x10", "1e", "-", ".", "1 2", "1e999"}) {
        std::string rest = field + ",next";
        try {
            NextFloat(rest);
            ADD_FAILURE() << "no error for [" << field << "]";
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.text(), field);
            EXPECT_NE(std::string(error.what()).find(error.text()), std::string::npos);
        }
    }
}

// Plain decimals, the working files' form, take a shorter way than other
// numbers: both must give the correctly rounded value, the same to the bit.
TEST(FieldReaders, PlainDecimalsReadToTheSameBitsAsAnyOtherForm)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const int whole = static_cast<int>(random() % 9) + 1;
        const int fraction = static_cast<int>(random() % 8);
        std::string text = random() % 2 == 0 ? "-" : "";
        for (int digit = 0; digit < whole; ++digit)
            text += static_cast<char>('0' + random() % 10);
        if (fraction > 0 || random() % 3 == 0)
            text += '.';
        for (int digit = 0; digit < fraction; ++digit)
            text += static_cast<char>('0' + random() % 10);
        const double expected = std::strtod(text.c_str(), nullptr);
        const double plain = FloatOf(text);
        // The same text in another form that the short way does not take.
        const double padded = FloatOf(" " + text + "e0 ");
        EXPECT_EQ(std::memcmp(&plain, &expected, sizeof plain), 0) << text;
        EXPECT_EQ(std::memcmp(&padded, &expected, sizeof padded), 0) << text;
    }
    for (const char* text : {"-", ".", "-.", "1.2.3", "1-2", "12a"})
        EXPECT_THROW(FloatOf(text), ConversionError) << text;
    EXPECT_EQ(FloatOf(".5"), 0.5);
    EXPECT_EQ(FloatOf("5."), 5.0);
    EXPECT_TRUE(std::signbit(FloatOf("-0.000")));
    EXPECT_EQ(FloatOf("1234567890123456"), 1234567890123456.0); // 16 digits: the long way
}

TEST(FieldReaders, NumbersIgnoreTheProcessLocale)
{
    // The GUI toolkit sets LC_NUMERIC from the environment; a locale with a
    // decimal comma must not change how files are read or written.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE locale installed";
    std::string rest = "1.5";
    EXPECT_DOUBLE_EQ(NextFloat(rest), 1.5);
    EXPECT_EQ(CoordText(12.5), "12.500");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ToHalfWidth, FoldsLettersDigitsAndSymbols)
{
    struct Case {
        std::string text;
        std::string expected;
        const char* what;
    };
    const std::vector<Case> cases{
        {"\x82\x60\x82\x61\x82\x62\x82\x50\x82\x51\x82\x52\x81\x7c\x82\x53", "ABC123-4",
         "full-width ABC123-4"},
        {"\x81\x40", " ", "ideographic space"},
        {"\x83\x65\x83\x58\x83\x67", "\x83\x65\x83\x58\x83\x67", "katakana test unchanged"},
        {"\x83\x81\x94\x81\x90\x81", "\x83\x81\x94\x81\x90\x81",
         "me, soot and blow unchanged (trail byte 81 is not a lead byte here)"},
        {"\x81\x5b", "\xb0", "long vowel mark folds to the half-width mark, not to a hyphen"},
        {"\x81\x66", "'", "full-width apostrophe"},
        {"\x81\x8f", "\\", "full-width yen sign"},
        {"\xb1\xb2\xdf", "\xb1\xb2\xdf", "half-width katakana unchanged"},
        {"a\x82\x81"
         "b",
         "aab", "mixed one- and two-byte text"},
        {"X\x82", "X\x82", "a lead byte as the last byte is kept"},
        {"\x82\x4f", "0", "the digit zero"},
        {"\x88\x9f\x82\x60",
         "\x88\x9f"
         "A",
         "kanji kept, letter after it folded"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToHalfWidth(c.text), c.expected) << c.what;
}

TEST(ToHalfWidth, LettersAndDigitsFoldInOrder)
{
    // Full-width A-Z are 8260-8279, a-z 8281-829A, 0-9 824F-8258.
    for (int k = 0; k < 26; ++k) {
        const std::string upper{'\x82', static_cast<char>(0x60 + k)};
        const std::string lower{'\x82', static_cast<char>(0x81 + k)};
        EXPECT_EQ(ToHalfWidth(upper), std::string(1, static_cast<char>('A' + k)));
        EXPECT_EQ(ToHalfWidth(lower), std::string(1, static_cast<char>('a' + k)));
    }
    for (int k = 0; k < 10; ++k) {
        const std::string digit{'\x82', static_cast<char>(0x4f + k)};
        EXPECT_EQ(ToHalfWidth(digit), std::string(1, static_cast<char>('0' + k)));
    }
}

TEST(ToHalfWidth, FoldsEachOfTheFortySymbols)
{
    // Full-width code -> one-byte result, in the order of the symbol table.
    const std::vector<std::pair<unsigned, unsigned>> symbols{
        {0x8149, 0x21}, {0x8168, 0x22}, {0x8194, 0x23}, {0x8190, 0x24}, {0x8193, 0x25},
        {0x8195, 0x26}, {0x8166, 0x27}, {0x8169, 0x28}, {0x816A, 0x29}, {0x8196, 0x2A},
        {0x817B, 0x2B}, {0x8143, 0x2C}, {0x817C, 0x2D}, {0x8144, 0x2E}, {0x815E, 0x2F},
        {0x8146, 0x3A}, {0x8147, 0x3B}, {0x8183, 0x3C}, {0x8181, 0x3D}, {0x8184, 0x3E},
        {0x8148, 0x3F}, {0x8197, 0x40}, {0x816D, 0x5B}, {0x818F, 0x5C}, {0x816E, 0x5D},
        {0x814F, 0x5E}, {0x8151, 0x5F}, {0x814D, 0x60}, {0x816F, 0x7B}, {0x8162, 0x7C},
        {0x8170, 0x7D}, {0x8150, 0x7E}, {0x8142, 0xA1}, {0x8175, 0xA2}, {0x8176, 0xA3},
        {0x8141, 0xA4}, {0x8145, 0xA5}, {0x815B, 0xB0}, {0x814A, 0xDE}, {0x814B, 0xDF},
    };
    ASSERT_EQ(symbols.size(), 40u);
    for (const auto& [code, result] : symbols) {
        const std::string character{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        EXPECT_EQ(ToHalfWidth(character), std::string(1, static_cast<char>(result)))
            << std::hex << code;
    }
}

TEST(SplitLotNumber, TakesUpToThreeDashSeparatedIntegers)
{
    struct Case {
        std::string text;
        LotNumber expected;
    };
    const std::vector<Case> cases{
        {"123", {123, 0, 0}},
        {"12-3", {12, 3, 0}},
        {"12-3-4-5", {12, 3, 4}},
        {"12\x82\xcc"
         "3",
         {0, 0, 0}}, // 12 no 3 (hiragana between the digits)
        {"-5", {0, 5, 0}},
        {"k1-23", {0, 23, 0}},
        {"", {0, 0, 0}},
        {" 7-8 ", {7, 0, 0}},
        {"1--2", {1, 0, 2}},
        {"5-x-9", {5, 0, 9}},
    };
    for (const Case& c : cases) {
        const LotNumber lot = SplitLotNumber(c.text);
        EXPECT_EQ(lot.oya, c.expected.oya) << c.text;
        EXPECT_EQ(lot.ko, c.expected.ko) << c.text;
        EXPECT_EQ(lot.mago, c.expected.mago) << c.text;
    }
}

TEST(CoordText, MatchesThePaddedFixedFormatWithoutItsBlanks)
{
    EXPECT_EQ(CoordText(0.0), "0.000");
    EXPECT_EQ(CoordText(2.5), "2.500");
    EXPECT_EQ(CoordText(-3.0), "-3.000");
    // The same values printf gives for "%13.3f", leading blanks removed.
    for (const double value : {12.5, -12.5, 1234.5675, 0.0005, -0.0004, 2147483647.0, -2147483647.0,
                               123456789012.25, 1e-9}) {
        std::array<char, 64> padded{};
        std::snprintf(padded.data(), padded.size(), "%13.3f", value);
        EXPECT_EQ(CoordText(value), TrimBlanks(padded.data())) << padded.data();
    }
}

// Coordinates as survey files give them, values on both sides of the
// rounding halves, and magnitudes on both sides of where the conversion
// changes method: every one prints as "%13.3f" does.
TEST(CoordText, AgreesWithPrintfAcrossMagnitudesAndRoundingHalves)
{
    const auto printfText = [](double value) {
        std::array<char, 400> padded{};
        std::snprintf(padded.data(), padded.size(), "%13.3f", value);
        return TrimBlanks(padded.data());
    };
    std::vector<double> values = {1.0625,
                                  -1.0625,
                                  2.0005,
                                  0.0015,
                                  999999999.9995,
                                  999999999.999,
                                  1e9,
                                  -1e9,
                                  1e9 + 0.25,
                                  4503599627370.4995,
                                  -0.0,
                                  -0.0005,
                                  -0.00049,
                                  0.0004999,
                                  std::nextafter(0.0005, 1.0),
                                  std::nextafter(0.0005, 0.0)};
    std::mt19937_64 random(20240506);
    for (int i = 0; i < 100000; ++i) {
        // Text with three decimals, read back as a double.
        const long long thousandths =
            static_cast<long long>(random() % 2000000000000ULL) - 1000000000000LL;
        const long long digits = std::llabs(thousandths);
        const std::string text = (thousandths < 0 ? "-" : "") + std::to_string(digits / 1000) +
                                 "." + std::to_string(digits % 1000 + 1000).substr(1);
        values.push_back(std::strtod(text.c_str(), nullptr));
        // Exact halves of a thousandth, and values right beside them.
        const double half = (static_cast<double>(random() % 2000000) + 0.5) / 1000.0;
        values.insert(values.end(),
                      {half, -half, std::nextafter(half, 0.0), std::nextafter(half, 1e12)});
        // Any bit pattern of a finite double.
        double any = 0.0;
        const std::uint64_t bits = random();
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any))
            values.push_back(any);
    }
    for (const double value : values)
        ASSERT_EQ(CoordText(value), printfText(value)) << std::hexfloat << value;
}

TEST(TidySheetName, RewritesTheNumberAtBytesTwoToFour)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"X 5 ABC", "X05ABC"},
        {"X12 ABC", "X12ABC"},
        {"XYZ ABC", "X00ABC"},
        {"X 5 ", "X05"},
        {"X 5", "X 5"},
        {"ABCD", "ABCD"},
        {"", ""},
        {"X-5 A", "X-05A"},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(TidySheetName(name), expected) << "[" << name << "]";
}

TEST(SmallHelpers, IntOrBlankAndMinMax)
{
    EXPECT_EQ(IntOrBlank(-1), "");
    EXPECT_EQ(IntOrBlank(0), "0");
    EXPECT_EQ(IntOrBlank(42), "42");
    EXPECT_EQ(MinOf(1.0, 2.0), 1.0);
    EXPECT_EQ(MaxOf(1.0, 2.0), 2.0);
    EXPECT_EQ(MinOf(2.0, 1.0), 1.0);
    EXPECT_EQ(MaxOf(2.0, 1.0), 2.0);
}

TEST(HasLineBreaks, LooksForACarriageReturnInTheFirst400BytesOrALineFeedInTheFirst301)
{
    test::TempFolder folder;
    struct Case {
        const char* name;
        std::string bytes;
        bool expected;
    };
    const std::vector<Case> cases{
        {"cr_at_400", std::string(399, 'x') + "\r\n", true},
        {"cr_at_401", std::string(400, 'x') + "\r\n", false},
        {"lf_only", "line one\nline two\n", true},
        {"lf_at_301", std::string(300, 'x') + "\n", true},
        {"lf_at_302", std::string(301, 'x') + "\n", false},
        {"crlf", "a\r\nb\r\n", true},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        test::writeBytes(folder / c.name, c.bytes);
        EXPECT_EQ(HasLineBreaks(folder / c.name), c.expected) << c.name;
    }
    EXPECT_FALSE(HasLineBreaks(folder / "missing"));
}

std::vector<std::string> readAllLines(const std::filesystem::path& file)
{
    RecordLineReader reader(file);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

TEST(RecordLineReader, SplitsAtLineEndsAndKeepsBlankLines)
{
    test::TempFolder folder;
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"a,b\r\nc\r\n", {"a,b", "c"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\nb", {"a", "b"}},
        {"", {}},
        {"\r\n", {""}},
        {"x\ry\r\n", {"x\ry"}},
        {"a\r\n\x1a", {"a"}},
        {"a\r\nb\x1a\r\nc\r\n", {"a", "b"}},
    };
    for (const auto& [bytes, expected] : cases) {
        test::writeBytes(folder / "f", bytes);
        EXPECT_EQ(readAllLines(folder / "f"), expected);
    }
    RecordLineReader missing(folder / "missing");
    EXPECT_FALSE(missing.isOpen());
    std::string line;
    EXPECT_FALSE(missing.next(line));
}

} // namespace
} // namespace ft::formats
