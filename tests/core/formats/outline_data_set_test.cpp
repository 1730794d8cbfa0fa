// The outline writers over a whole data set written by the test-support
// builder, as registration runs them: sheet outlines first, then the point
// table and the segments.
#include "core/formats/outlines.h"

#include "core/platform/cp932.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::formats {
namespace {

using test::DataSetBuilder;
using test::FrameForm;
using test::readBytes;
using test::SurveyFile;
using test::TempFolder;

class OutlineDataSet : public ::testing::TestWithParam<FrameForm> {};

TEST_P(OutlineDataSet, SmallValidSetGivesItsSheetsAndClosedOutlines)
{
    TempFolder folder;
    DataSetBuilder set = DataSetBuilder::smallValidSet(folder.path(), "A01", 1);
    set.setFrameForm(GetParam()).write();

    Extent extent;
    WorkingFile sheets(folder / "findTavla.zu1", WorkingFile::Mode::Append);
    convertMapToZu(sheets, 3, set.path(SurveyFile::MapSheets), extent);
    convertZukToZu(sheets, 3, set.path(SurveyFile::SheetFrames), extent);
    sheets.close();
    EXPECT_EQ(readBytes(folder / "findTavla.zu1"),
              "X1-1,500,2000.000,1000.000,2200.000,1200.000,3,\r\n"
              "X1-2,500,2000.000,1200.000,2200.000,1400.000,3,\r\n" +
                  platform::utf8ToCp932("Ｘ１－１") +
                  ",500,2000.000,1000.000,2200.000,1200.000,3,\r\n");
    EXPECT_EQ(formatExtent(extent), "2000.000,1000.000,2200.000,1400.000,");

    PointTable points;
    ASSERT_TRUE(readPntToTable(set.path(SurveyFile::Points), points));
    WorkingFile segments(folder / "findTavla.az1", WorkingFile::Mode::Append);
    EXPECT_TRUE(convertPolToInxAza(segments, 3, set.path(SurveyFile::Outlines), points));
    EXPECT_TRUE(convertZukToInxAza(segments, 3, set.path(SurveyFile::SheetFrames)));
    segments.close();

    const std::string oaza = platform::utf8ToCp932("大字山田");
    const std::string lot3 = platform::utf8ToCp932("１２－３");
    const std::string lot4 = platform::utf8ToCp932("１２－４");
    const std::string parcel1 = "1,1," + oaza + "," + lot3 + ",";
    const std::string parcel2 = "1,2," + oaza + "," + lot4 + ",";
    EXPECT_EQ(readBytes(folder / "findTavla.az1"),
              parcel1 + "2050.000,1050.000,2100.000,1050.000,2,3,\r\n" + parcel1 +
                  "2100.000,1050.000,2100.000,1100.000,2,3,\r\n" + parcel1 +
                  "2100.000,1100.000,2050.000,1100.000,2,3,\r\n" + parcel1 +
                  "2050.000,1100.000,2050.000,1050.000,2,3,\r\n" + parcel2 +
                  "2100.000,1050.000,2150.000,1050.000,2,3,\r\n" + parcel2 +
                  "2150.000,1050.000,2150.000,1100.000,2,3,\r\n" + parcel2 +
                  "2150.000,1100.000,2100.000,1100.000,2,3,\r\n" + parcel2 +
                  "2100.000,1100.000,2100.000,1050.000,2,3,\r\n" +
                  "1,1,,,2000.000,1000.000,2200.000,1000.000,2,3,\r\n"
                  "1,1,,,2200.000,1000.000,2200.000,1200.000,2,3,\r\n"
                  "1,1,,,2200.000,1200.000,2000.000,1200.000,2,3,\r\n"
                  "1,1,,,2000.000,1200.000,2000.000,1000.000,2,3,\r\n");
}

INSTANTIATE_TEST_SUITE_P(BothFrameForms, OutlineDataSet,
                         ::testing::Values(FrameForm::Lines, FrameForm::Blocks),
                         [](const auto& info) {
                             return info.param == FrameForm::Lines ? "Lines" : "Blocks";
                         });

TEST(OutlineDataSetFaults, BlankLastLinesAndATruncatedOutlineFileDrawNothingAtTheOrigin)
{
    TempFolder folder;
    DataSetBuilder set = DataSetBuilder::smallValidSet(folder.path(), "A01", 2);
    set.addLine(SurveyFile::MapSheets, "")
        .addLine(SurveyFile::Points, "")
        .clear(SurveyFile::Outlines)
        .addOutline({"1", "1", "", "", {{"Ｐ１"}, {"Ｐ２"}}, std::string("6")})
        .write();

    Extent extent;
    WorkingFile sheets(folder / "findTavla.zu2", WorkingFile::Mode::Append);
    convertMapToZu(sheets, 1, set.path(SurveyFile::MapSheets), extent);
    sheets.close();
    EXPECT_EQ(formatExtent(extent), "2000.000,1000.000,2200.000,1400.000,");

    PointTable points;
    ASSERT_TRUE(readPntToTable(set.path(SurveyFile::Points), points));
    EXPECT_EQ(points.size(), 6u);
    WorkingFile segments(folder / "findTavla.az2", WorkingFile::Mode::Append);
    EXPECT_TRUE(convertPolToInxAza(segments, 1, set.path(SurveyFile::Outlines), points));
    segments.close();
    EXPECT_EQ(readBytes(folder / "findTavla.az2"),
              "1,1,,,2050.000,1050.000,2100.000,1050.000,2,1,\r\n");
}

} // namespace
} // namespace ft::formats
