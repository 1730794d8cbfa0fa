#include "core/formats/point_table.h"

#include "core/formats/source_records.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::formats {
namespace {

using test::TempFolder;
using test::writeBytes;

// CP932 bytes are written as escapes; the comment beside each gives the text.

class PointTableLoad : public ::testing::Test {
protected:
    bool load(std::string_view pntBytes)
    {
        writeBytes(m_folder / "A01.pnt", pntBytes);
        return readPntToTable(m_folder / "A01.pnt", m_table);
    }

    TempFolder m_folder;
    PointTable m_table;
};

TEST_F(PointTableLoad, NamesAreTrimmedAndLookupsTrimTheWantedName)
{
    // "Ｐ６" in full width: the table compares bytes, it does not fold.
    ASSERT_TRUE(load(" P1 ,100.5,200.25,0,3\r\n\x82\x6f\x82\x55,1,2\r\n"));
    EXPECT_EQ(m_table.size(), 2u);
    const auto p1 = findPoint(m_table, "\tP1  ");
    ASSERT_TRUE(p1.has_value());
    EXPECT_EQ(p1->first, 100.5);
    EXPECT_EQ(p1->second, 200.25);
    EXPECT_TRUE(findPoint(m_table, "\x82\x6f\x82\x55").has_value());
    EXPECT_FALSE(findPoint(m_table, "P6").has_value());
    EXPECT_FALSE(findPoint(m_table, "p1").has_value());
}

TEST_F(PointTableLoad, FirstEntryOfARepeatedNameAnswers)
{
    ASSERT_TRUE(load("K1,1,1\r\nK2,2,2\r\nK1,3,3\r\n"));
    EXPECT_EQ(m_table.size(), 3u);
    EXPECT_EQ(findPoint(m_table, "K1")->first, 1.0);
}

TEST_F(PointTableLoad, NamesKeepSixtyBytes)
{
    const std::string sixty(60, 'N');
    ASSERT_TRUE(load(sixty + "X,5,6\r\n" + sixty + "Y,7,8\r\n"));
    // Both 61-byte names were cut to the same 60 bytes; the first wins, and
    // neither full name can be found.
    EXPECT_FALSE(findPoint(m_table, sixty + "X").has_value());
    EXPECT_FALSE(findPoint(m_table, sixty + "Y").has_value());
    EXPECT_EQ(findPoint(m_table, sixty)->first, 5.0);
}

TEST_F(PointTableLoad, ZeroByteLinesAreNoPointsAndEmptyNamesAreNeverFound)
{
    EXPECT_FALSE(load("\r\n\r\n"));
    EXPECT_TRUE(m_table.empty());

    ASSERT_TRUE(load("\r\nP1,1,2\r\n\r\n ,3,4\r\n"));
    // The blank-named line is an entry, but nothing finds it.
    EXPECT_EQ(m_table.size(), 2u);
    EXPECT_FALSE(findPoint(m_table, "").has_value());
    EXPECT_FALSE(findPoint(m_table, "  ").has_value());
}

TEST_F(PointTableLoad, MissingFileLeavesTheTableAsItWasAnOpenedFileReplacesIt)
{
    ASSERT_TRUE(load("P1,1,2\r\n"));
    EXPECT_FALSE(readPntToTable(m_folder / "none.pnt", m_table));
    EXPECT_TRUE(findPoint(m_table, "P1").has_value());

    EXPECT_FALSE(load(""));
    EXPECT_FALSE(findPoint(m_table, "P1").has_value());
}

TEST_F(PointTableLoad, HoldsMoreThanAHundredThousandPoints)
{
    std::string bytes;
    for (int i = 1; i <= 100'001; ++i)
        bytes += "P" + std::to_string(i) + "," + std::to_string(i) + ",0\r\n";
    ASSERT_TRUE(load(bytes));
    EXPECT_EQ(m_table.size(), 100'001u);
    EXPECT_EQ(findPoint(m_table, "P100001")->first, 100001.0);
    EXPECT_EQ(findPoint(m_table, "P1")->first, 1.0);
}

TEST_F(PointTableLoad, CoordinateThatIsNotANumberNamesFileAndLine)
{
    try {
        load("P1,1,2\r\nP2,1,\x82\x51\r\n");
        FAIL() << "loaded a non-number";
    } catch (const SourceFileError& error) {
        // "２" in full width is not a number.
        EXPECT_EQ(error.text(), "\x82\x51");
        EXPECT_NE(std::string(error.what()).find("record 2:"), std::string::npos);
        const std::string message = error.what();
        EXPECT_NE(message.find("A01.pnt"), std::string::npos);
        EXPECT_NE(message.find("\xef\xbc\x92"), std::string::npos) << "shown in UTF-8";
    }
}

// A named point must have both values: a line cut short is an error of its
// record, as a bad number is. A nameless line is no point and stays allowed.
TEST_F(PointTableLoad, ANamedPointWithoutBothValuesNamesItsLine)
{
    for (const char* cut : {"P2", "P2,", "P2,100.0", "P2,100.0,", "P2, ,200.0", "P2,\t,"}) {
        try {
            load(std::string("P1,1,2\r\n") + cut);
            ADD_FAILURE() << "loaded " << cut;
        } catch (const SourceFileError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("A01.pnt"), std::string::npos) << message;
            EXPECT_NE(message.find("record 2:"), std::string::npos) << message;
            EXPECT_NE(message.find("cut short"), std::string::npos) << message;
        }
    }
    EXPECT_TRUE(load("P1,1,2\r\n,,\r\n ,3\r\n"));
    EXPECT_EQ(m_table.size(), 3u);
}

} // namespace
} // namespace ft::formats
