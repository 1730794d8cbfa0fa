// The builder's byte layouts are what the converter and registration tests
// rely on, so the layouts are pinned here once.
#include "devtools/dataset_builder.h"

#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
#include "core/platform/file_time.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ft::test {
namespace {

TEST(DataSetBuilder, WritesEveryFileAsCp932WithCrlf)
{
    TempFolder folder;
    const DataSetBuilder set = DataSetBuilder::smallValidSet(folder.path(), "A01", 1);
    const auto header = set.write();
    EXPECT_EQ(header, folder / "A01.hed");
    for (const char* name : {"A01.hed", "A01.atr", "A01.cos", "A01.und", "A01.map", "A01.pnt",
                             "A01.tcp", "A01.pol", "A01.zo1"})
        EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;

    const std::string headerBytes = readBytes(header);
    EXPECT_EQ(headerBytes, "HA01,1,9,0," + platform::utf8ToCp932("測量　太郎") + ",0," +
                               platform::utf8ToCp932("テスト地区") + ",0,1\r\n");
    std::string firstParcel = readBytes(set.path(SurveyFile::Parcels));
    firstParcel = firstParcel.substr(0, firstParcel.find("\r\n"));
    ASSERT_EQ(std::count(firstParcel.begin(), firstParcel.end(), ','), 21);
    std::vector<std::string> fields;
    for (int i = 0; i < 22; ++i)
        fields.push_back(formats::NextField(firstParcel));
    EXPECT_EQ(platform::cp932ToUtf8(fields[4]), "１２－３");
    EXPECT_EQ(platform::cp932ToUtf8(fields[13]), "ヤマダ　タロウ");
    EXPECT_EQ(platform::cp932ToUtf8(fields[14]), "山田　太郎");
}

TEST(DataSetBuilder, GroupsAnnounceTheirLinesUnlessTold)
{
    TempFolder folder;
    DataSetBuilder set(folder.path(), "B");
    set.addOwnerGroup({"O", "K", "1-2", {{"kana1", "name1"}, {"kana2", "name2"}}, {}})
        .addOwnerGroup({"O", "K", "3", {{"kana3", "name3"}}, std::string("3")})
        .addOutline({"3", "7", "A", "B", {{"P1", "2"}, {"P2", "1"}}, {}})
        .addMapSheet({"M", "500", {{"1", "2"}, {"3", "4"}}, {}})
        .addMapSheet({"N", "500", {{"1", "2"}, {"3", "4"}}, std::string("7")});
    EXPECT_EQ(
        set.bytesOf(SurveyFile::Owners),
        "1,1,O,K,1-2,2\r\n1,kana1,name1\r\n2,kana2,name2\r\n4,1,O,K,3,3\r\n1,kana3,name3\r\n");
    EXPECT_EQ(set.bytesOf(SurveyFile::Outlines), "3,7,A,B,,2\r\nP1,2\r\nP2,1\r\n");
    EXPECT_EQ(set.bytesOf(SurveyFile::MapSheets), "M,500,1,2,3,4\r\nN,500,1,2,3,4,,,,,,7\r\n");
}

TEST(DataSetBuilder, FrameCoordinatesKeepTheSignInTheIntegerPart)
{
    EXPECT_EQ(frameCoordinateBytes(1234.567), "   1234.567");
    EXPECT_EQ(frameCoordinateBytes(-12.5), "    -12.500");
    EXPECT_EQ(frameCoordinateBytes(-0.5), "     -0.500");
    EXPECT_EQ(frameCoordinateBytes(0.0), "      0.000");
    EXPECT_THROW(frameCoordinateBytes(12345678.0), std::invalid_argument);
}

TEST(DataSetBuilder, SheetFrameRecordsHaveTheirFixedColumns)
{
    const std::string frame = sheetFrameBytes({"X 5 A", "500", {1, 2, 3, 4, 5, 6, 7, -8.25}});
    EXPECT_EQ(frame.substr(0, 3), "050");
    EXPECT_EQ(frame.substr(5, 10), "X 5 A     ");
    EXPECT_EQ(frame.substr(15, 6), "   500");
    EXPECT_EQ(frame.substr(21, 11), "      1.000");
    EXPECT_EQ(frame.substr(21 + 7 * 11, 11), "     -8.250");
    EXPECT_EQ(frame.size(), 109u);

    const std::string vertices =
        frameVerticesBytes({"060", "3", "7", {{"V1", -1234.567, 2.5, 4}, {"V2", 1.0, -2.0, 0}}});
    EXPECT_EQ(vertices.substr(11, 3), "  3");
    EXPECT_EQ(vertices.substr(17, 4), "   7");
    const std::string first = vertices.substr(33, 44);
    EXPECT_EQ(first.substr(0, 20), "V1                  ");
    EXPECT_EQ(first.substr(21, 1), "-");
    EXPECT_EQ(first.substr(22, 10), "  1234.567");
    EXPECT_EQ(first.substr(32, 1), " ");
    EXPECT_EQ(first.substr(33, 10), "     2.500");
    EXPECT_EQ(first.substr(43, 1), "4");
    EXPECT_EQ(vertices.substr(33 + 44 + 32, 1), "-");
    EXPECT_EQ(vertices.size(), 33u + 2 * 44u);
}

TEST(DataSetBuilder, BlockFormIsPaddedTo300BytesWithoutLineBreaks)
{
    TempFolder folder;
    DataSetBuilder set = DataSetBuilder::smallValidSet(folder.path(), "C", 2);
    set.setFrameForm(FrameForm::Blocks);
    set.write();
    const std::string bytes = readBytes(folder / "C.zo2");
    ASSERT_EQ(bytes.size(), 2 * DataSetBuilder::kFrameBlockSize);
    EXPECT_EQ(bytes.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(300, 3), "060");
    EXPECT_FALSE(formats::HasLineBreaks(folder / "C.zo2"));

    set.setFrameForm(FrameForm::Lines);
    set.write();
    EXPECT_TRUE(formats::HasLineBreaks(folder / "C.zo2"));
}

TEST(DataSetBuilder, BrokenVariants)
{
    TempFolder folder;
    DataSetBuilder set(folder.path(), "D");
    set.setHeader({"9", "c", "k", std::string(" 2 "), 4})
        .addPoint({"P1", "abc", "1.0"})
        .addLine(SurveyFile::Points, "")
        .addRawLine(SurveyFile::Points, "\x82")
        .withoutFinalLineEnd(SurveyFile::Points)
        .setRawBytes(SurveyFile::ControlPoints, "raw")
        .omit(SurveyFile::Parcels);
    set.write();
    EXPECT_EQ(readBytes(set.headerPath()), "HD,1,9,0\r\n");
    EXPECT_EQ(readBytes(set.path(SurveyFile::Points)), "P1,abc,1.0,0,1\r\n\r\n\x82");
    EXPECT_EQ(readBytes(set.path(SurveyFile::ControlPoints)), "raw");
    EXPECT_FALSE(std::filesystem::exists(set.path(SurveyFile::Parcels)));
    EXPECT_TRUE(std::filesystem::exists(set.path(SurveyFile::Owners)));
    EXPECT_EQ(readBytes(set.path(SurveyFile::Owners)), "");
}

TEST(DataSetBuilder, SetsModificationTimes)
{
    TempFolder folder;
    DataSetBuilder set(folder.path(), "E");
    set.setModificationTime(SurveyFile::Header, {2021, 3, 4, 5, 6, 7})
        .setModificationTime(SurveyFile::Points, {2023, 12, 31, 23, 59, 58});
    set.write();
    EXPECT_EQ(platform::modificationTimeText(set.headerPath()), "2021/03/04 05:06:07");
    EXPECT_EQ(platform::modificationTimeText(set.path(SurveyFile::Points)), "2023/12/31 23:59:58");
}

} // namespace
} // namespace ft::test
