#include "core/overview/overview_hit_test.h"

#include "core/formats/converter_support.h"
#include "devtools/temp_folder.h"
#include "overview_files.h"

#include <gtest/gtest.h>

namespace ft::overview {
namespace {

using test::sheetLine;
using test::TempFolder;
using test::writeLines;
using Kind = SheetRequestRecord::Kind;

std::vector<std::string> namesOf(const std::vector<SheetHit>& hits)
{
    std::vector<std::string> names;
    for (const SheetHit& hit : hits)
        names.push_back(hit.name + "/" + std::to_string(hit.fileNo));
    return names;
}

// The records as short texts: "D4" a drawing record, "S:A" a sheet name.
std::vector<std::string> shapeOf(const std::vector<SheetRequestRecord>& records)
{
    std::vector<std::string> shape;
    for (const SheetRequestRecord& record : records)
        shape.push_back(record.kind == Kind::Drawing ? "D" + std::to_string(record.fileNo)
                                                     : "S:" + record.sheetName);
    return shape;
}

class SheetFile : public testing::Test {
protected:
    std::vector<std::string> hitsAt(SurveyPoint point)
    {
        const auto hits = sheetsAt(file, point);
        EXPECT_TRUE(hits.has_value());
        return hits ? namesOf(*hits) : std::vector<std::string>{"(no file)"};
    }

    TempFolder folder;
    std::filesystem::path file = folder / "findTavla.zu2";
};

TEST_F(SheetFile, ThePixelOnTheDrawnCornerMayStillMissTheSheet)
{
    writeLines(file, {sheetLine("S1", 0, 0, 1000, 500, 1)});
    OverviewView view;
    view.clientWidth = view.pixelWidth = 601;
    view.clientHeight = view.pixelHeight = 601;
    ASSERT_TRUE(fitWindow(view, {0, 0, 1000, 500}));

    EXPECT_TRUE(hitsAt(surveyPointAt(view, 50, 426)).empty());
    EXPECT_EQ(hitsAt(surveyPointAt(view, 51, 425)), std::vector<std::string>{"S1/1"});
}

TEST_F(SheetFile, BordersCountAsInside)
{
    writeLines(file, {sheetLine("S1", 0, 0, 1000, 500, 1)});
    for (const SurveyPoint point :
         {SurveyPoint{0, 0}, {1000, 500}, {0, 250}, {1000, 0}, {500, 500}, {500, 0}})
        EXPECT_EQ(hitsAt(point).size(), 1u) << point.x << ", " << point.y;
    for (const SurveyPoint point :
         {SurveyPoint{-0.001, 250}, {1000.001, 250}, {500, 500.001}, {500, -0.001}})
        EXPECT_TRUE(hitsAt(point).empty()) << point.x << ", " << point.y;
}

TEST_F(SheetFile, AWindowNeverDrawnFindsOnlySheetsHoldingTheOrigin)
{
    writeLines(file, {sheetLine("AWAY", 10, 10, 20, 20, 1), sheetLine("AROUND", -5, -5, 5, 5, 2),
                      sheetLine("CORNER", 0, 0, 8, 8, 3)});
    OverviewView view;
    view.clientWidth = view.pixelWidth = 601;
    view.clientHeight = view.pixelHeight = 601;
    EXPECT_EQ(hitsAt(surveyPointAt(view, 400, 123)),
              (std::vector<std::string>{"AROUND/2", "CORNER/3"}));
}

TEST_F(SheetFile, LinesBelowDrawingOneArePassedByAsTheDrawingPassesThemBy)
{
    // A record cut short by a crash or a full disk reads as drawing 0; it
    // must not hide the valid sheets under the pointer.
    writeLines(file, {sheetLine("B", 0, 0, 10, 10, 4), sheetLine("A", 0, 0, 10, 10, 0),
                      "CUT,500,0.000,0.000,10.000,10.000,", sheetLine("N", 0, 0, 10, 10, -3),
                      sheetLine("\x82\x60", 0, 0, 10, 10, 4)}); // full-width "Ａ"
    EXPECT_EQ(hitsAt({5, 5}), (std::vector<std::string>{"B/4", "A/4"}));
}

TEST_F(SheetFile, MissingFileIsNothingAndABadNumberNamesItsLine)
{
    EXPECT_FALSE(sheetsAt(folder / "none.zu1", {0, 0}).has_value());

    std::string bad = sheetLine("S2", 0, 0, 10, 10, 1);
    bad.replace(bad.find("10.000"), 6, "1O.000");
    writeLines(file, {sheetLine("S1", 0, 0, 10, 10, 1), bad});
    try {
        sheetsAt(file, {5, 5});
        FAIL() << "a bad coordinate was compared";
    } catch (const formats::SourceFileError& error) {
        EXPECT_NE(std::string(error.what()).find("record 2"), std::string::npos) << error.what();
    }
}

TEST(SheetRequestRecords, ADrawingRecordPerChangeOfDrawingANameRecordPerChangeOfName)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(shapeOf(sheetRequestRecords({})), V{});
    // Two sheets of one drawing.
    EXPECT_EQ(shapeOf(sheetRequestRecords({{"A", 4}, {"B", 4}})), (V{"D4", "S:A", "S:B"}));
    // The same name in two drawings is sent once, right after the first.
    EXPECT_EQ(shapeOf(sheetRequestRecords({{"A", 4}, {"A", 7}})), (V{"D4", "S:A", "D7"}));
    // Overlapping sheets of one name in one drawing: one of each.
    EXPECT_EQ(shapeOf(sheetRequestRecords({{"A", 4}, {"A", 4}})), (V{"D4", "S:A"}));
    // Only consecutive hits are compared.
    EXPECT_EQ(shapeOf(sheetRequestRecords({{"A", 4}, {"B", 5}, {"A", 4}})),
              (V{"D4", "S:A", "D5", "S:B", "D4", "S:A"}));
    // The name before the first hit is empty.
    EXPECT_EQ(shapeOf(sheetRequestRecords({{"", 3}, {"C", 3}})), (V{"D3", "S:C"}));
    // Any number is a drawing to ask for, even one that cannot exist.
    EXPECT_EQ(shapeOf(sheetRequestRecords({{"X", -1}, {"Y", 0}})), (V{"D-1", "S:X", "D0", "S:Y"}));
}

} // namespace
} // namespace ft::overview
