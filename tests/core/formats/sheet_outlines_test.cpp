#include "core/formats/outlines.h"

#include "core/formats/source_records.h"
#include "devtools/temp_folder.h"
#include "frame_records.h"

#include <gtest/gtest.h>

namespace ft::formats {
namespace {

using test::asBlocks;
using test::asLines;
using test::frameRecord;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

// CP932 bytes are written as escapes; the comment beside each gives the text.

class SheetOutlines : public ::testing::Test {
protected:
    // Converts `source` (the bytes of a .map or .zo1 file) with FILENO 7 and
    // returns what was appended to the sheet-outline file.
    template <typename Convert>
    std::string convert(std::string_view sourceName, std::string_view source, Convert convert)
    {
        const auto sourceFile = m_folder / sourceName;
        writeBytes(sourceFile, source);
        const auto outFile = m_folder / "findTavla.zu1";
        std::filesystem::remove(outFile);
        WorkingFile out(outFile, WorkingFile::Mode::Append);
        try {
            convert(out, 7, sourceFile, m_extent);
        } catch (...) {
            out.close();
            m_written = readBytes(outFile);
            throw;
        }
        out.close();
        return readBytes(outFile);
    }

    std::string mapToZu(std::string_view mapBytes)
    {
        return convert("A01.map", mapBytes, convertMapToZu);
    }
    std::string zukToZu(std::string_view frameBytes)
    {
        return convert("A01.zo1", frameBytes, convertZukToZu);
    }

    TempFolder m_folder;
    Extent m_extent;
    std::string m_written; // what a failed conversion left in the file
};

TEST_F(SheetOutlines, MapLineChoosesTwoOrFourCornersByItsSeventhField)
{
    // Corners as (first, second): c1 (100, 200), c2 (100, 260), c3 (150, 260).
    const std::string c12 = "100.0,200.0,100.0,260.0";
    EXPECT_EQ(mapToZu("S1,500," + c12 + "\r\n"), "S1,500,200.000,100.000,260.000,100.000,7,\r\n");
    EXPECT_EQ(mapToZu("S1,500," + c12 + ",,1,2,3,x,4\r\n"),
              "S1,500,200.000,100.000,260.000,100.000,7,\r\n");
    EXPECT_EQ(mapToZu("S1,500," + c12 + ",N150,260,150,200\r\n"),
              "S1,500,200.000,100.000,260.000,100.000,7,\r\n");
    EXPECT_EQ(mapToZu("S1,500," + c12 + ", 150 ,260.5,150,200,x,3\r\n"),
              "S1,500,200.000,100.000,260.500,150.000,7,\r\n");
    // The minus sign counts as the start of a number.
    EXPECT_EQ(mapToZu("S1,500," + c12 + ",-12.5,260,150,200\r\n"),
              "S1,500,200.000,100.000,260.000,-12.500,7,\r\n");
}

TEST_F(SheetOutlines, MapNamesAreFoldedButKeepTheirBlanksAndCommasBecomeFullWidth)
{
    // " Ａ－１ " with full-width A and minus, then "Ｂ，２" with a full-width comma.
    const std::string bytes = " \x82\x60\x81\x7c\x82\x50 ,abc,1,2,3,4\r\n"
                              "\x82\x61\x81\x43\x82\x51,250,1,2,3,4\r\n";
    EXPECT_EQ(mapToZu(bytes), " A-1 ,0,2.000,1.000,4.000,3.000,7,\r\n"
                              "B\x81\x43"
                              "2,250,2.000,1.000,4.000,3.000,7,\r\n");
}

TEST_F(SheetOutlines, ZeroByteMapLinesAreNoSheetsAndDoNotStretchTheExtent)
{
    const std::string written = mapToZu("\r\nS1,500,100,200,150,260\r\n\r\n");
    EXPECT_EQ(written, "S1,500,200.000,100.000,260.000,150.000,7,\r\n");
    EXPECT_EQ(m_extent.qxmin, 200.0);
    EXPECT_EQ(m_extent.qymin, 100.0);
    EXPECT_EQ(m_extent.qxmax, 260.0);
    EXPECT_EQ(m_extent.qymax, 150.0);
    // A line of blanks is a line: its sheet lies at the origin, as written.
    EXPECT_EQ(mapToZu(" \r\n"), " ,0,0.000,0.000,0.000,0.000,7,\r\n");
}

TEST_F(SheetOutlines, MapSheetsWidenTheExtentOfTheirDatum)
{
    mapToZu("S1,500,100,200,150,260\r\nS2,500,50,260,100,330\r\n");
    EXPECT_EQ(m_extent.qxmin, 200.0);
    EXPECT_EQ(m_extent.qymin, 50.0);
    EXPECT_EQ(m_extent.qxmax, 330.0);
    EXPECT_EQ(m_extent.qymax, 150.0);
}

TEST_F(SheetOutlines, MapCoordinateThatIsNotANumberEndsTheWriterNamingFileLineAndText)
{
    const std::string bytes = "S1,500,100,200,150,260\r\n"
                              "S2,500,100,2O0,150,260\r\n"
                              "S3,500,100,200,150,260\r\n";
    try {
        mapToZu(bytes);
        FAIL() << "converted a non-number";
    } catch (const SourceFileError& error) {
        EXPECT_EQ(error.text(), "2O0");
        EXPECT_NE(std::string(error.what()).find("record 2:"), std::string::npos);
        EXPECT_EQ(error.file().filename(), "A01.map");
        const std::string message = error.what();
        EXPECT_NE(message.find("A01.map"), std::string::npos);
        EXPECT_NE(message.find("2O0"), std::string::npos);
    }
    EXPECT_EQ(m_written, "S1,500,200.000,100.000,260.000,150.000,7,\r\n");
    // Corner 4 of a four-corner line is not drawn but must be a number too.
    EXPECT_THROW(mapToZu("S1,500,1,2,3,4,5,6,7,z\r\n"), SourceFileError);
}

TEST_F(SheetOutlines, MissingSourceFilesAddNothing)
{
    WorkingFile out(m_folder / "findTavla.zu2", WorkingFile::Mode::Append);
    convertMapToZu(out, 7, m_folder / "none.map", m_extent);
    convertZukToZu(out, 7, m_folder / "none.zo2", m_extent);
    out.close();
    EXPECT_EQ(readBytes(m_folder / "findTavla.zu2"), "");
    EXPECT_TRUE(m_extent.isEmpty());
}

// Corners as (first, second): c1 (1234.567, -12.5), c3 (2000, 100).
std::string sampleFrame(std::string_view code = "050", std::string_view name = "X 5 ABC")
{
    return frameRecord(code, name, "   500",
                       {"0001234.567", "-000012.500", "0001234.567", "0000100.000", "0002000.000",
                        "0000100.000", "0002000.000", "-000012.500"});
}

TEST_F(SheetOutlines, FrameRecordsGiveOneSheetEachInLineAndBlockForm)
{
    const std::string expected = "X05ABC,500,-12.500,1234.567,100.000,2000.000,7,\r\n";
    EXPECT_EQ(zukToZu(asLines({sampleFrame()})), expected);
    EXPECT_EQ(zukToZu(asBlocks({sampleFrame()})), expected);
    // A short last block is padded with blanks and still read.
    EXPECT_EQ(zukToZu(asBlocks({sampleFrame(), sampleFrame()}, false)), expected + expected);
    EXPECT_EQ(m_extent.qxmin, -12.5);
    EXPECT_EQ(m_extent.qymin, 1234.567);
    EXPECT_EQ(m_extent.qxmax, 100.0);
    EXPECT_EQ(m_extent.qymax, 2000.0);
}

TEST_F(SheetOutlines, LineFeedsAloneMakeALineFile)
{
    // Read as 300-byte blocks, the second record would lie inside the first
    // block and be lost.
    const std::string bytes = sampleFrame() + "\n" + sampleFrame("050", "B1") + "\n";
    EXPECT_EQ(zukToZu(bytes), "X05ABC,500,-12.500,1234.567,100.000,2000.000,7,\r\n"
                              "B1,500,-12.500,1234.567,100.000,2000.000,7,\r\n");
}

TEST_F(SheetOutlines, OnlyNamedFrameRecordsCount)
{
    const std::string written = zukToZu(asLines({
        sampleFrame("000"),
        sampleFrame("051"),
        sampleFrame("050", "        "),
        "05",
        sampleFrame("050", "  Z1"),
    }));
    EXPECT_EQ(written, "Z1,500,-12.500,1234.567,100.000,2000.000,7,\r\n");
}

TEST_F(SheetOutlines, FrameCoordinatesThatAreNotIntegersCountAsZero)
{
    // Names: a raw comma in a frame name keeps the record's fields in place.
    const std::string record =
        frameRecord("050", "N,1", "  x", {"00012a4.567", "  -1234.500", "", "", "1", "2.0"});
    EXPECT_EQ(zukToZu(asLines({record})), "N\x81\x43"
                                          "1,0,-1234.500,0.000,0.000,0.000,7,\r\n");
}

TEST_F(SheetOutlines, FrameCoordinatesUseTheWholeSevenDigitIntegerPart)
{
    // In thousandths these exceed 32 bits; they must not count as 0.
    const std::string record =
        frameRecord("050", "W1", "   500",
                    {"2500000.000", "9999999.999", "", "", "-999999.999", "2147483.648"});
    EXPECT_EQ(zukToZu(asLines({record})),
              "W1,500,9999999.999,2500000.000,2147483.648,-999999.999,7,\r\n");
}

} // namespace
} // namespace ft::formats
