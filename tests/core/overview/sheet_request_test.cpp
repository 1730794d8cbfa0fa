#include "core/overview/overview_hit_test.h"

#include "core/catalogue/sqlite_database.h"
#include "core/formats/converter_support.h"
#include "core/formats/request_file.h"
#include "core/platform/cp932.h"
#include "core/workspace/workspace.h"
#include "devtools/temp_folder.h"
#include "overview_files.h"
#include "support/cp932_lines.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

namespace ft::overview {
using workspace::Datum;
using workspace::WorkingFileKind;
namespace {

using platform::utf8ToCp932;
using test::readBytes;
using test::sheetLine;
using test::writeLines;

// A click on a 601-pixel overview drawn from the extent 0..1000 x 0..500
// (left -100, top 850, 1200 units each way) with datum 2 current. Pixel
// (300, 300) is survey (499.0, 251.0) or so; pixel (580, 20) lies on
// nothing.
class SheetRequest : public testing::Test {
protected:
    SheetRequest() : state(folder / "data", folder / "settings")
    {
        state.setCurrentDatum(Datum::World);
        OverviewView& view = overview.view;
        view.clientWidth = view.pixelWidth = 601;
        view.clientHeight = view.pixelHeight = 601;
        EXPECT_TRUE(fitWindow(view, {0, 0, 1000, 500}));
        registerDrawing(2, 4, "/survey/四丁目/A04");
        registerDrawing(2, 7, "/survey/b,\"q\"/B07");
        registerDrawing(1, 4, "/survey/japanese-datum/J04");
    }

    void registerDrawing(int datum, int fileNo, const std::string& utf8Path)
    {
        state.catalogue(workspace::datumFromCode(datum))
            .ExecSQL("INSERT INTO FILE VALUES ('" + utf8Path + "','2024/01/01 00:00:00'," +
                     std::to_string(fileNo) + ",'','',0," + std::to_string(datum) + ")");
    }

    void writeSheets(int datum, const std::vector<std::string>& lines)
    {
        writeLines(
            state.workingFile(WorkingFileKind::SheetOutlines, workspace::datumFromCode(datum)),
            lines);
    }

    std::filesystem::path requestFile() const
    {
        return formats::requestFilePath(state.settingsFolder());
    }

    test::TempFolder folder;
    workspace::Workspace state;
    OverviewState overview;
};

TEST_F(SheetRequest, TwoSheetsOfOneDrawingGiveOneDrawingAndBothNames)
{
    writeSheets(2, {sheetLine("A", 0, 0, 1000, 500, 4), sheetLine("ELSEWHERE", 0, 0, 10, 10, 7),
                    sheetLine(utf8ToCp932("図１"), 400, 200, 600, 300, 4)});
    EXPECT_TRUE(requestSheetsAt(state, overview.view, 300, 300));
    // The name is folded to half width and written in CP932.
    EXPECT_EQ(readBytes(requestFile()),
              ft::test::cp932Lines({"0,\"/survey/四丁目/A04\"", "3,A", "3,図1"}));
}

TEST_F(SheetRequest, ANameRepeatedRightAfterADrawingChangeIsNotSentAgain)
{
    writeSheets(2, {sheetLine("A", 0, 0, 1000, 500, 4), sheetLine("A", 0, 0, 1000, 500, 7),
                    sheetLine("B", 0, 0, 1000, 500, 7)});
    EXPECT_TRUE(requestSheetsAt(state, overview.view, 300, 300));
    // The path goes between the quotes as it stands.
    EXPECT_EQ(readBytes(requestFile()), ft::test::cp932Lines({"0,\"/survey/四丁目/A04\"", "3,A",
                                                              "0,\"/survey/b,\"q\"/B07\"", "3,B"}));
}

TEST_F(SheetRequest, APressOnEmptySpaceEmptiesTheRequestAndStartsNothing)
{
    writeSheets(2, {sheetLine("A", 0, 0, 1000, 500, 4)});
    ASSERT_TRUE(requestSheetsAt(state, overview.view, 300, 300));
    ASSERT_FALSE(readBytes(requestFile()).empty());

    EXPECT_FALSE(requestSheetsAt(state, overview.view, 580, 20));
    EXPECT_TRUE(std::filesystem::exists(requestFile()));
    EXPECT_EQ(readBytes(requestFile()), "");
}

TEST_F(SheetRequest, OnlyTheCurrentDatumsFileAndCatalogueAreUsed)
{
    writeSheets(1, {sheetLine("J", 0, 0, 1000, 500, 4)});
    test::writeBytes(requestFile(), "earlier request\r\n");
    // Datum 2 has no sheet-outline file: nothing happens at all.
    EXPECT_FALSE(requestSheetsAt(state, overview.view, 300, 300));
    EXPECT_EQ(readBytes(requestFile()), "earlier request\r\n");

    state.setCurrentDatum(Datum::Japanese);
    EXPECT_TRUE(requestSheetsAt(state, overview.view, 300, 300));
    EXPECT_EQ(readBytes(requestFile()),
              ft::test::cp932Lines({"0,\"/survey/japanese-datum/J04\"", "3,J"}));
}

TEST_F(SheetRequest, ARecordBelowDrawingOneDoesNotSpoilTheClick)
{
    writeSheets(2, {sheetLine("Z", 0, 0, 1000, 500, 0), sheetLine("A", 0, 0, 1000, 500, 4)});
    EXPECT_TRUE(requestSheetsAt(state, overview.view, 300, 300));
    EXPECT_EQ(readBytes(requestFile()), ft::test::cp932Lines({"0,\"/survey/四丁目/A04\"", "3,A"}));
}

// A sheet whose drawing has no FILE row (a set still registering in another
// program, or one that never did) is passed over, as the drawing leaves it out.
TEST_F(SheetRequest, ASheetOfADrawingWithoutAFileRowIsPassedOver)
{
    writeSheets(2, {sheetLine("A", 0, 0, 1000, 500, 4), sheetLine("B", 0, 0, 1000, 500, 9)});
    EXPECT_TRUE(requestSheetsAt(state, overview.view, 300, 300));
    EXPECT_EQ(readBytes(requestFile()), ft::test::cp932Lines({"0,\"/survey/四丁目/A04\"", "3,A"}));
    writeSheets(2, {sheetLine("B", 0, 0, 1000, 500, 9)});
    EXPECT_FALSE(requestSheetsAt(state, overview.view, 300, 300));
    EXPECT_EQ(readBytes(requestFile()), "");
}

// A failure anywhere leaves the previous request as it was, byte for byte:
// a path CP932 cannot hold, or one holding a line break.
TEST_F(SheetRequest, AFailedRequestKeepsThePreviousOne)
{
    registerDrawing(2, 8, "/survey/caf\u00FC/C08");
    registerDrawing(2, 6, "/survey/line\nbreak/F06");
    const std::string previous = "0,\"/earlier\"\r\n3,X\r\n";
    for (const int fileNo : {8, 6}) {
        writeSheets(2,
                    {sheetLine("A", 0, 0, 1000, 500, 4), sheetLine("B", 0, 0, 1000, 500, fileNo)});
        test::writeBytes(requestFile(), previous);
        EXPECT_ANY_THROW(requestSheetsAt(state, overview.view, 300, 300)) << fileNo;
        EXPECT_EQ(readBytes(requestFile()), previous) << fileNo;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state.settingsFolder()),
                                std::filesystem::directory_iterator()),
                  1)
            << "a temporary file was left behind";
    }
}

TEST_F(SheetRequest, ABadNumberEndsThePressBeforeTheRequestIsTouched)
{
    std::string bad = sheetLine("B", 0, 0, 1000, 500, 4);
    bad.replace(bad.find("1000.000"), 8, "1O00.000");
    writeSheets(2, {sheetLine("A", 0, 0, 1000, 500, 4), bad});
    test::writeBytes(requestFile(), "earlier request\r\n");
    EXPECT_THROW(requestSheetsAt(state, overview.view, 300, 300), formats::SourceFileError);
    EXPECT_EQ(readBytes(requestFile()), "earlier request\r\n");
}

} // namespace
} // namespace ft::overview
