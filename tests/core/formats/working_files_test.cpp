#include "core/formats/working_files.h"

#include "core/formats/source_records.h"
#include "core/platform/disk_full.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <system_error>

namespace ft::formats {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

// CP932 bytes are written as escapes; the comment beside each gives the text.

TEST(WorkingFile, AppendsRecordsWithCrLfAndTruncateStartsEmpty)
{
    TempFolder folder;
    const auto file = folder / "findTavla.zu1";
    writeBytes(file, "old,\r\n");
    {
        WorkingFile out(file, WorkingFile::Mode::Append);
        out.writeRecord("a,");
        out.writeRecord("");
        out.close();
    }
    EXPECT_EQ(readBytes(file), "old,\r\na,\r\n\r\n");

    createEmptyWorkingFile(file);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(readBytes(file), "");
}

TEST(WorkingFile, FailuresNameThePathAndWritesAfterCloseAreRefused)
{
    TempFolder folder;
    const auto missingFolderFile = folder / "no-such-folder" / "findTavla.az2";
    try {
        WorkingFile out(missingFolderFile, WorkingFile::Mode::Append);
        FAIL() << "opened a file in a missing folder";
    } catch (const std::system_error& error) {
        EXPECT_NE(std::string(error.what()).find(missingFolderFile.string()), std::string::npos);
    }

    WorkingFile out(folder / "findTavla.az2", WorkingFile::Mode::Truncate);
    out.close();
    EXPECT_THROW(out.writeRecord("x,"), std::system_error);

    // No room (/dev/full answers every write so): the message the operator
    // is shown, naming the file.
    WorkingFile full("/dev/full", WorkingFile::Mode::Append);
    try {
        full.writeRecord(std::string(8192, 'x'));
        full.close();
        FAIL() << "no DiskFull";
    } catch (const platform::DiskFull& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Not enough free disk space: /dev/full. Make room on the disk and try again.");
    }
}

TEST(SheetOutlineRecord, FormatsSevenFieldsEachFollowedByAComma)
{
    SheetOutline sheet{"X05ABC", 500, 12.5, -3.0, 1000.0, 0.0004, 7};
    EXPECT_EQ(formatSheetOutline(sheet), "X05ABC,500,12.500,-3.000,1000.000,0.000,7,");
}

TEST(SheetOutlineRecord, ControlBytesInNamesBecomeBlanks)
{
    // 1A would end the file for a reader that stops at it, 00 a C string.
    const std::string controls("a\x00\x01\x1a\x1f\x7f\rb", 8);
    EXPECT_EQ(formatSheetOutline({controls, 1, 0, 0, 0, 0, 2}),
              "a      b,1,0.000,0.000,0.000,0.000,2,");
    Segment segment;
    segment.labelC = controls;
    segment.labelD = "\x1a";
    segment.fileNo = 3;
    EXPECT_EQ(formatSegment(segment, GroupText::AsNumber),
              "-1,-1,a      b, ,0.000,0.000,0.000,0.000,0,3,");
}

TEST(SheetOutlineRecord, CommaInTheNameBecomesFullWidthSoTheFieldsStayInPlace)
{
    // A name folded from "Ａ，１" (full-width comma) holds a raw comma.
    SheetOutline sheet{"A,1", 500, 1.0, 2.0, 3.0, 4.0, 9};
    const std::string record = formatSheetOutline(sheet);
    EXPECT_EQ(record, "A\x81\x43"
                      "1,500,1.000,2.000,3.000,4.000,9,");

    // Read back, the full-width comma folds to a comma again and every
    // number is where it belongs.
    const SheetOutline read = parseSheetOutline(record);
    EXPECT_EQ(read.name, "A,1");
    EXPECT_EQ(read.scale, 500);
    EXPECT_EQ(read.xmax, 3.0);
    EXPECT_EQ(read.fileNo, 9);
}

TEST(SheetOutlineRecord, ReaderFoldsTheNameAndDefaultsMissingNumbers)
{
    // "Ａ１" in full width, an unreadable scale, no FILENO.
    const SheetOutline sheet = parseSheetOutline("\x82\x60\x82\x50,x,1,2,3,4");
    EXPECT_EQ(sheet.name, "A1");
    EXPECT_EQ(sheet.scale, 0);
    EXPECT_EQ(sheet.ymax, 4.0);
    EXPECT_EQ(sheet.fileNo, 0);
    EXPECT_THROW(parseSheetOutline("A,1,2,y,3,4,5,"), ConversionError);
}

TEST(SegmentRecord, GroupsAreBlankWhenNegativeOnlyForParcelOutlines)
{
    Segment segment{-1, 7, "A", "", 1.0, 2.0, 3.0, 4.25, 2, 11};
    EXPECT_EQ(formatSegment(segment, GroupText::BlankWhenNegative),
              ",7,A,,1.000,2.000,3.000,4.250,2,11,");
    EXPECT_EQ(formatSegment(segment, GroupText::AsNumber), "-1,7,A,,1.000,2.000,3.000,4.250,2,11,");
}

TEST(SegmentRecord, ReaderTakesGroupDefaultsOfMinusOne)
{
    const Segment blank = parseSegment(",,c,d,1,2,3,4,,");
    EXPECT_EQ(blank.groupA, -1);
    EXPECT_EQ(blank.groupB, -1);
    EXPECT_EQ(blank.labelC, "c");
    EXPECT_EQ(blank.labelD, "d");
    EXPECT_EQ(blank.y2, 4.0);
    EXPECT_EQ(blank.kind, 0);
    EXPECT_EQ(blank.fileNo, 0);

    const Segment full = parseSegment("3,-1,,,1,2,3,4,6,12,");
    EXPECT_EQ(full.groupA, 3);
    EXPECT_EQ(full.groupB, -1);
    EXPECT_EQ(full.kind, 6);
    EXPECT_EQ(full.fileNo, 12);
}

TEST(Extent, WideningTakesCorner1ForTheMinimumAndCorner3ForTheMaximum)
{
    Extent extent;
    EXPECT_TRUE(extent.isEmpty());
    widenExtent(extent, 10.0, 20.0, 30.0, 40.0);
    widenExtent(extent, 15.0, 5.0, 25.0, 50.0);
    EXPECT_EQ(extent.qxmin, 10.0);
    EXPECT_EQ(extent.qymin, 5.0);
    EXPECT_EQ(extent.qxmax, 30.0);
    EXPECT_EQ(extent.qymax, 50.0);
    // A sheet whose corner 3 lies below corner 1 does not lower the maximum.
    widenExtent(extent, 100.0, 100.0, -100.0, -100.0);
    EXPECT_EQ(extent.qxmax, 30.0);
    EXPECT_EQ(extent.qxmin, 10.0);
}

TEST(ExtentFile, EmptyExtentIsWrittenWithFinalCommaAndReadsBack)
{
    TempFolder folder;
    const auto file = folder / "findTavla.he1";
    writeBytes(file, "stale line\r\nsecond\r\n");
    writeExtentFile(file, Extent{});
    EXPECT_EQ(readBytes(file),
              "2147483647.000,2147483647.000,-2147483647.000,-2147483647.000,\r\n");

    const auto read = readExtentFile(file);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->qxmin, Extent::kEmptyMin);
    EXPECT_EQ(read->qymax, Extent::kEmptyMax);
    EXPECT_EQ(formatExtent(Extent{1.0, 1.0, 1.0, 1.0}), "1.000,1.000,1.000,1.000,");
}

TEST(ExtentFile, MissingFileIsNoExtentEmptyFileIsZerosBadNumberNamesTheFile)
{
    TempFolder folder;
    EXPECT_FALSE(readExtentFile(folder / "findTavla.he2").has_value());

    writeBytes(folder / "empty.he2", "");
    const auto zeros = readExtentFile(folder / "empty.he2");
    ASSERT_TRUE(zeros.has_value());
    EXPECT_EQ(zeros->qxmin, 0.0);
    EXPECT_EQ(zeros->qymax, 0.0);

    writeBytes(folder / "bad.he2", "1.000,x1,3.000,4.000,\r\n");
    try {
        readExtentFile(folder / "bad.he2");
        FAIL() << "read a non-number";
    } catch (const SourceFileError& error) {
        EXPECT_EQ(error.text(), "x1");
        EXPECT_NE(std::string(error.what()).find("bad.he2"), std::string::npos);
    }
}

} // namespace
} // namespace ft::formats
