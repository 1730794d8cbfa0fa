// What a request makes the viewer highlight and fit, from data sets and a
// request file written as findTavla writes them.
#include "viewer/viewer_session.h"

#include "core/formats/request_file.h"
#include "core/platform/cp932.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

namespace ft::viewer {
namespace {

using test::DataSetBuilder;
using Kind = SceneItem::Kind;

// A square parcel 101 with its outline, parcels 102 and (本町, 1, 500)
// without one, a grouped parcel, two map sheets (the second is 本町 at 1:1,
// classification 500), a frame, points and a control point. Set "B01"
// lies 1000 m east of "A01".
DataSetBuilder makeSet(const test::TempFolder& folder, const std::string& name, double east)
{
    const auto at = [east](double second) { return std::to_string(second + east); };
    DataSetBuilder set(folder.path(), name, 2);
    set.addPoint({"Ｐ１", "0.000", at(0)})
        .addPoint({"Ｐ２", "0.000", at(10)})
        .addPoint({"Ｐ３", "10.000", at(10)})
        .addPoint({"Ｐ４", "10.000", at(0)})
        .addPoint({"Ｐ５", "30.000", at(30)})
        .addParcel({"大字本町", "字東", "１０１", "", ""})
        .addParcel({"大字本町", "字東", "１０２", "", ""})
        .addParcel({"本町", "1", "500", "", ""})
        .addParcelGroup({{{"大字本町", "字東", "１０２－５０", "", ""}}, {}})
        .addOutline({"1",
                     "1",
                     "大字本町",
                     "１０１",
                     {{"Ｐ１"}, {"Ｐ２"}, {"Ｐ３"}, {"Ｐ４"}, {"Ｐ１"}},
                     {}})
        .addMapSheet({"Ｘ１", "500", {{"0.000", at(0)}, {"50.000", at(50)}}, "1"})
        .addMapSheet({"本町", "1", {{"50.000", at(0)}, {"100.000", at(50)}}, "500"})
        .addControlPoint({"Ｔ１", "40.000", at(40)})
        .addSheetFrame({"X1", "500", {0, east, 0, east + 50, 50, east + 50, 50, east}});
    return set;
}

class RequestMatching : public ::testing::Test {
protected:
    RequestMatching()
    {
        makeSet(m_folder, "A01", 0).write();
        makeSet(m_folder, "B01", 1000)
            .clear(test::SurveyFile::Parcels)
            .clear(test::SurveyFile::Outlines)
            .write();
    }

    std::string pathOf(const std::string& name) const { return (m_folder / name).string(); }

    // Writes the request with findTavla's writer and opens it.
    void open(const std::function<void(formats::RequestWriter&)>& write)
    {
        formats::RequestWriter out(m_folder.path());
        write(out);
        out.finish();
        m_session.openRequest(formats::requestFilePath(m_folder.path()));
    }

    const RequestMatch& match() const { return m_session.match(); }

    test::TempFolder m_folder;
    ViewerSession m_session;
};

TEST_F(RequestMatching, ACodeTwoRecordIsAParcelWhereOneMatchesAndASheetElsewhere)
{
    // "本町,1,500" is a parcel and a sheet in A01, where the parcel wins, and
    // only a sheet in B01, which has no parcels; "大字本町,字東,101" is a
    // parcel in A01 and nothing in B01.
    open([&](formats::RequestWriter& out) {
        out.writeDrawing(pathOf("A01"));
        out.writeDrawing(pathOf("B01"));
        out.writeParcel("大字本町", "字東", "101");
        out.writeMapSheet("本町", 1, 500);
    });
    ASSERT_EQ(match().items.size(), 3u);
    const MatchedItem& parcel = match().items[0];
    EXPECT_EQ(parcel.drawing, std::optional<std::size_t>(0));
    EXPECT_EQ(parcel.state, ItemState::Shown);
    EXPECT_EQ(match().targetsOf(parcel), (std::vector<SceneItem>{{0, Kind::Outline, 0}}));
    // The parcel gives no entry for B01, where it is not; the sheet record
    // gives one for each drawing.
    EXPECT_EQ(match().items[1].drawing, std::optional<std::size_t>(0));
    EXPECT_EQ(match().items[1].state, ItemState::NoOutline);
    EXPECT_TRUE(match().targetsOf(match().items[1]).empty());
    EXPECT_EQ(match().targetsOf(match().items[2]),
              (std::vector<SceneItem>{{1, Kind::MapSheet, 1}}));
    EXPECT_EQ(match().marks[0].outlines, std::vector<std::size_t>{0});
    EXPECT_TRUE(match().marks[0].mapSheets.empty());
    EXPECT_EQ(match().marks[1].mapSheets, std::vector<std::size_t>{1});
}

TEST_F(RequestMatching, EachItemStateAndTheFirstViewHoldingOnlyWhatIsShown)
{
    open([&](formats::RequestWriter& out) {
        out.writeDrawing(pathOf("A01"));
        out.writeParcel("大字本町", "字東", "101");    // shown
        out.writeParcel("大字本町", "字東", "101");    // its owner row: listed once
        out.writeParcel("大字本町", "字東", "102");    // no outline
        out.writeParcel("大字本町", "字東", "102-50"); // a grouped parcel: no outline either
        out.writeParcel("大字本町", "字東", "999");    // nowhere
        out.writeNameRecord(formats::kControlPointRecord, "T1");
    });
    std::vector<ItemState> states;
    for (const MatchedItem& item : match().items)
        states.push_back(item.state);
    EXPECT_EQ(states,
              (std::vector<ItemState>{ItemState::Shown, ItemState::NoOutline, ItemState::NoOutline,
                                      ItemState::NotFound, ItemState::Shown}));
    EXPECT_FALSE(match().items[3].drawing.has_value());
    // The parcel (0..10, 0..10) and the control point (40, 40), nothing else.
    const MapBox& view = match().firstView;
    EXPECT_DOUBLE_EQ(view.left, 0.0);
    EXPECT_DOUBLE_EQ(view.bottom, 0.0);
    EXPECT_DOUBLE_EQ(view.right, 40.0);
    EXPECT_DOUBLE_EQ(view.top, 40.0);
}

TEST_F(RequestMatching, WithNothingSpecificFoundTheFirstViewIsTheWholeDrawings)
{
    open([&](formats::RequestWriter& out) {
        out.writeDrawing(pathOf("A01"));
        out.writeDrawing(pathOf("B01"));
        out.writeNameRecord(formats::kBoundaryPointRecord, "P99");
    });
    EXPECT_EQ(match().items.front().state, ItemState::NotFound);
    EXPECT_DOUBLE_EQ(match().firstView.left, 0.0);
    EXPECT_DOUBLE_EQ(match().firstView.right, 1050.0);
    EXPECT_DOUBLE_EQ(match().firstView.top, 100.0);
}

TEST_F(RequestMatching, SheetNamesOfAClickBelongToTheDrawingTheyFollow)
{
    open([&](formats::RequestWriter& out) {
        out.writeDrawing(pathOf("B01"));
        out.writeSheetName("X1");
        out.writeDrawing(pathOf("A01"));
        out.writeSheetName(platform::utf8ToCp932("本町")); // CP932, as the working file has it
    });
    ASSERT_EQ(match().items.size(), 2u);
    // Map sheet Ｘ１ and the frame X1 of B01, folded alike; 本町 of A01 only.
    EXPECT_EQ(match().targetsOf(match().items[0]),
              (std::vector<SceneItem>{{0, Kind::MapSheet, 0}, {0, Kind::Frame, 0}}));
    EXPECT_EQ(match().targetsOf(match().items[1]),
              (std::vector<SceneItem>{{1, Kind::MapSheet, 1}}));
    EXPECT_TRUE(match().marks[0].mapSheets == std::vector<std::size_t>{0});
}

TEST_F(RequestMatching, AClickOnSheetsOfOneNameInTwoDrawingsNamesItOnce)
{
    // The click writes a name only when it differs from the hit before, also
    // when the drawing changes: A01 was hit in its own X1.
    open([&](formats::RequestWriter& out) {
        out.writeDrawing(pathOf("B01"));
        out.writeSheetName("X1");
        out.writeDrawing(pathOf("A01"));
    });
    ASSERT_EQ(match().items.size(), 2u);
    EXPECT_EQ(match().items[1].drawing, std::optional<std::size_t>(1));
    EXPECT_EQ(match().targetsOf(match().items[1]),
              (std::vector<SceneItem>{{1, Kind::MapSheet, 0}, {1, Kind::Frame, 0}}));
}

// The side list's texts are made when shown, from the request and the records
// of the drawing each item was found in: one of each kind of item.
TEST_F(RequestMatching, EachKindOfItemIsLabelledFromTheRecordItWasFoundBy)
{
    open([&](formats::RequestWriter& out) {
        out.writeDrawing(pathOf("A01"));
        out.writeDrawing(pathOf("B01"));
        out.writeParcel("大字本町", "字東", "101");
        out.writeParcel("大字本町", "字東", "102-50"); // grouped, in both drawings
        out.writeMapSheet("X1", 500, 1);
        out.writeNameRecord(formats::kBoundaryPointRecord, "Ｐ２");
        out.writeNameRecord(formats::kControlPointRecord, "T1");
        out.writeNameRecord(formats::kRegisteredDrawingRecord, pathOf("B01"));
        out.writeNameRecord(formats::kBoundaryPointRecord, "P99");
        out.writeSheetName("X1");
    });
    QStringList labels;
    for (const MatchedItem& item : match().items)
        labels << m_session.itemLabel(item);
    EXPECT_EQ(labels, (QStringList{QStringLiteral("地番 大字本町 字東 101"),
                                   QStringLiteral("地番 大字本町 字東 102-50"),
                                   QStringLiteral("地番 大字本町 字東 102-50"),
                                   QStringLiteral("図葉 X1（1/500）"),
                                   QStringLiteral("図葉 X1（1/500）"), QStringLiteral("筆界点 P2"),
                                   QStringLiteral("筆界点 P2"), QStringLiteral("図根点 T1"),
                                   QStringLiteral("図根点 T1"), QStringLiteral("図面全体 B01"),
                                   QStringLiteral("筆界点 P99"), QStringLiteral("図葉 X1")}));
}

// Thousands of items are matched in runs side by side and joined: each entry
// still stands in the request's order with its own targets, wherever the
// runs were cut.
TEST_F(RequestMatching, ALargeRequestKeepsItsOrderAndEachEntrysTargets)
{
    constexpr int kNames = 2500;
    open([&](formats::RequestWriter& out) {
        out.writeDrawing(pathOf("A01"));
        out.writeDrawing(pathOf("B01"));
        out.writeParcel("大字本町", "字東", "101");
        for (int i = 1; i < kNames; ++i)
            out.writeNameRecord(formats::kBoundaryPointRecord,
                                i == kNames / 2 ? std::string("Ｐ２") : "Q" + std::to_string(i));
        out.writeMapSheet("本町", 1, 500);
    });
    const std::vector<MatchedItem>& items = match().items;
    ASSERT_EQ(items.size(), static_cast<std::size_t>(kNames + 3));
    EXPECT_EQ(match().targetsOf(items[0]), (std::vector<SceneItem>{{0, Kind::Outline, 0}}));
    for (const std::size_t i : {std::size_t{1}, std::size_t{kNames / 2 - 1}, std::size_t{kNames}})
        EXPECT_EQ(items[i].state, ItemState::NotFound) << i;
    EXPECT_EQ(match().targetsOf(items[kNames / 2]), (std::vector<SceneItem>{{0, Kind::Point, 1}}));
    EXPECT_EQ(match().targetsOf(items[kNames / 2 + 1]),
              (std::vector<SceneItem>{{1, Kind::Point, 1}}));
    EXPECT_EQ(items[kNames + 1].state, ItemState::NoOutline);
    EXPECT_EQ(match().targetsOf(items[kNames + 2]),
              (std::vector<SceneItem>{{1, Kind::MapSheet, 1}}));
    for (std::size_t i = 1; i < items.size(); ++i)
        EXPECT_LE(items[i - 1].requestItem, items[i].requestItem) << i;
    EXPECT_EQ(match().marks[0].outlines, std::vector<std::size_t>{0});
    EXPECT_EQ(match().marks[0].points, std::vector<std::size_t>{1});
    EXPECT_EQ(match().marks[1].points, std::vector<std::size_t>{1});
    EXPECT_EQ(match().marks[1].mapSheets, std::vector<std::size_t>{1});
}

TEST_F(RequestMatching, AWholeDrawingOrOneThatIsGone)
{
    open([&](formats::RequestWriter& out) {
        out.writeDrawing(pathOf("A01"));
        out.writeDrawing(pathOf("GONE"));
        out.writeNameRecord(formats::kRegisteredDrawingRecord, pathOf("A01"));
        out.writeNameRecord(formats::kRegisteredDrawingRecord, pathOf("GONE"));
    });
    ASSERT_EQ(m_session.drawings().size(), 2u);
    EXPECT_FALSE(m_session.drawings()[1].isOpen());
    ASSERT_EQ(match().items.size(), 2u);
    EXPECT_EQ(match().items[0].state, ItemState::Shown);
    EXPECT_DOUBLE_EQ(m_session.itemBox(match().items[0]).top, 100.0);
    EXPECT_EQ(match().items[1].state, ItemState::DrawingUnreadable);
    EXPECT_DOUBLE_EQ(match().firstView.right, 50.0); // A01 whole, nothing of GONE
}

} // namespace
} // namespace ft::viewer
