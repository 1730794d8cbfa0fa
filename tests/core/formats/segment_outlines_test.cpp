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
using test::SubRecord;
using test::TempFolder;
using test::vertexRecord;
using test::writeBytes;

class Segments : public ::testing::Test {
protected:
    void SetUp() override
    {
        // (first, second) = (vertical, horizontal).
        m_points.add("P1", {10.0, 100.0});
        m_points.add("P2", {20.0, 200.0});
        m_points.add("P3", {30.0, 300.0});
        m_points.add("P4", {40.0, 400.0});
    }

    // Runs a converter with FILENO 5 over `source`; returns its result and
    // leaves the segment file's bytes in m_written, also when it throws.
    template <typename Convert>
    bool convert(std::string_view sourceName, std::string_view source, Convert convert)
    {
        const auto sourceFile = m_folder / sourceName;
        writeBytes(sourceFile, source);
        const auto outFile = m_folder / "findTavla.az1";
        std::filesystem::remove(outFile);
        WorkingFile out(outFile, WorkingFile::Mode::Append);
        bool result = false;
        try {
            result = convert(out, sourceFile);
        } catch (...) {
            out.close();
            m_written = readBytes(outFile);
            throw;
        }
        out.close();
        m_written = readBytes(outFile);
        return result;
    }

    bool pol(std::string_view bytes)
    {
        return convert("A01.pol", bytes, [this](WorkingFile& out, const auto& file) {
            return convertPolToInxAza(out, 5, file, m_points);
        });
    }
    bool zuk(std::string_view bytes)
    {
        return convert("A01.zo1", bytes, [](WorkingFile& out, const auto& file) {
            return convertZukToInxAza(out, 5, file);
        });
    }

    TempFolder m_folder;
    PointTable m_points;
    std::string m_written;
};

TEST_F(Segments, OutlineEdgesCarryTheKindOfTheirStartAndSkipKinds015)
{
    EXPECT_TRUE(pol("3,7,A,B,,4\r\nP1,2\r\nP2,2\r\nP3,1\r\nP4,2\r\n"));
    EXPECT_EQ(m_written, "3,7,A,B,100.000,10.000,200.000,20.000,2,5,\r\n"
                         "3,7,A,B,200.000,20.000,300.000,30.000,2,5,\r\n");

    EXPECT_TRUE(pol("1,1,,,,5\r\nP1,0\r\nP2,5\r\nP3,6\r\nP4\r\nP1,9\r\n"));
    EXPECT_EQ(m_written, "1,1,,,300.000,30.000,400.000,40.000,6,5,\r\n");
}

TEST_F(Segments, HeaderGroupsThatAreNotNumbersAreWrittenEmpty)
{
    EXPECT_TRUE(pol("x,-4,c,d,e,2\r\nP1,2\r\nP2,2\r\n"));
    EXPECT_EQ(m_written, ",,c,d,100.000,10.000,200.000,20.000,2,5,\r\n");
}

TEST_F(Segments, UnknownVerticesAreSkippedAndTheNextFoundOneJoinsTheLastFound)
{
    EXPECT_TRUE(pol("1,2,,,,4\r\nP1,3\r\nQ9,3\r\n P2 ,3\r\nP3,3\r\n"));
    EXPECT_EQ(m_written, "1,2,,,100.000,10.000,200.000,20.000,3,5,\r\n"
                         "1,2,,,200.000,20.000,300.000,30.000,3,5,\r\n");
}

TEST_F(Segments, NoEdgeJoinsOneOutlineToTheNext)
{
    // The second outline's first vertex is unknown, and the first outline
    // ended on a drawn kind: its P2 must not be joined to P4.
    EXPECT_TRUE(pol("1,1,,,,2\r\nP1,2\r\nP2,2\r\n"
                    "2,2,,,,3\r\nQ9,2\r\nP4,2\r\nP3,2\r\n"));
    EXPECT_EQ(m_written, "1,1,,,100.000,10.000,200.000,20.000,2,5,\r\n"
                         "2,2,,,400.000,40.000,300.000,30.000,2,5,\r\n");
}

TEST_F(Segments, TruncatedOutlineDrawsNothingToTheOrigin)
{
    // Four vertices announced, one given; the file ends.
    m_points.add("", {0.0, 0.0});
    EXPECT_TRUE(pol("1,1,,,,4\r\nP1,2\r\n"));
    EXPECT_EQ(m_written, "");
    // A huge announced count ends with the file, too.
    EXPECT_TRUE(pol("1,1,,,,2147483647\r\nP1,2\r\nP2,2\r\n"));
    EXPECT_EQ(m_written, "1,1,,,100.000,10.000,200.000,20.000,2,5,\r\n");
}

TEST_F(Segments, EmptyOutlineFileFailsMissingOneSucceeds)
{
    EXPECT_FALSE(pol(""));
    EXPECT_TRUE(pol("\r\n")); // one (empty) header
    WorkingFile out(m_folder / "other.az1", WorkingFile::Mode::Append);
    EXPECT_TRUE(convertPolToInxAza(out, 5, m_folder / "none.pol", m_points));
    EXPECT_TRUE(convertZukToInxAza(out, 5, m_folder / "none.zo1"));
}

SubRecord vertex(char firstSign, std::string first, char secondSign, std::string second, char kind)
{
    return {"V", firstSign, std::move(first), secondSign, std::move(second), kind};
}

TEST_F(Segments, FrameVerticesJoinConsecutiveSubRecordsWithSignsAndKinds)
{
    // Ten-byte magnitudes, right-aligned or zero-filled.
    const std::string record = vertexRecord("100", " 12", "   4",
                                            {vertex('-', "001234.567", ' ', "  2000.000", '3'),
                                             vertex(' ', "    10.000", '-', "    20.500", '1'),
                                             vertex(' ', "0.5", ' ', "1", ' ')});
    EXPECT_TRUE(zuk(asLines({record})));
    EXPECT_EQ(m_written, "12,4,,,2000.000,-1234.567,-20.500,10.000,3,5,\r\n"
                         "12,4,,,-20.500,10.000,1.000,0.500,1,5,\r\n");
    EXPECT_TRUE(zuk(asBlocks({record})));
    EXPECT_EQ(m_written, "12,4,,,2000.000,-1234.567,-20.500,10.000,3,5,\r\n"
                         "12,4,,,-20.500,10.000,1.000,0.500,1,5,\r\n");
}

TEST_F(Segments, FrameGroupsThatAreNotNumbersAreWrittenAsMinusOne)
{
    const std::string record = vertexRecord(
        "100", "abc", "", {vertex(' ', "1", ' ', "2", '2'), vertex(' ', "3", ' ', "4", '2')});
    EXPECT_TRUE(zuk(asLines({record})));
    EXPECT_EQ(m_written, "-1,-1,,,2.000,1.000,4.000,3.000,2,5,\r\n");
}

TEST_F(Segments, ShortFrameRecordsAndBlankSubRecordsEndTheVerticesWithoutError)
{
    const std::string one = vertexRecord("100", "  1", "   1", {vertex(' ', "1", ' ', "2", '2')});
    ASSERT_GE(one.size(), 34u);
    ASSERT_LE(one.size(), 77u);
    std::string gapped =
        vertexRecord("100", "  1", "   1",
                     {vertex(' ', "1", ' ', "2", '2'), vertex(' ', "3", ' ', "4", '2'), SubRecord{},
                      vertex(' ', "5", ' ', "6", '2')});
    EXPECT_TRUE(zuk(asLines({std::string(33, '9'), one, gapped})));
    EXPECT_EQ(m_written, "1,1,,,2.000,1.000,4.000,3.000,2,5,\r\n");
    // In block form the padding after the last sub-record is blank, too.
    EXPECT_TRUE(zuk(asBlocks({one, gapped})));
    EXPECT_EQ(m_written, "1,1,,,2.000,1.000,4.000,3.000,2,5,\r\n");
}

TEST_F(Segments, SheetFrameRecordsAreNotReadAsVertices)
{
    const std::string frame =
        frameRecord("050", "S1", "   500",
                    {"0001234.567", "-000012.500", "0001234.567", "0000100.000", "0002000.000",
                     "0000100.000", "0002000.000", "-000012.500"});
    EXPECT_TRUE(zuk(asBlocks({frame})));
    EXPECT_EQ(m_written, "");
}

TEST_F(Segments, FrameMagnitudeThatIsNotANumberFailsAfterEarlierSegmentsWereWritten)
{
    const std::string good = vertexRecord(
        "100", "  1", "   1", {vertex(' ', "1", ' ', "2", '2'), vertex(' ', "3", ' ', "4", '2')});
    const std::string bad =
        vertexRecord("100", "  1", "   1",
                     {vertex(' ', "1", ' ', "2", '2'), vertex(' ', "3.0.1", ' ', "4", '2')});
    const std::string blankMagnitude = vertexRecord(
        "100", "  1", "   1", {vertex(' ', "1", ' ', "2", '2'), vertex(' ', "", ' ', "4", '2')});
    try {
        zuk(asBlocks({good, bad}));
        FAIL() << "converted a non-number";
    } catch (const SourceFileError& error) {
        EXPECT_NE(std::string(error.what()).find("record 2:"), std::string::npos);
        EXPECT_EQ(error.file().filename(), "A01.zo1");
    }
    EXPECT_EQ(m_written, "1,1,,,2.000,1.000,4.000,3.000,2,5,\r\n");
    EXPECT_THROW(zuk(asLines({blankMagnitude})), SourceFileError);
}

} // namespace
} // namespace ft::formats
