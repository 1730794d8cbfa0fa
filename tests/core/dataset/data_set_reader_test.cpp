// A whole data set read from files the data-set builder writes: the link of
// outlines to parcel records, and what is listed instead of guessed.
#include "core/dataset/data_set_reader.h"

#include "core/platform/cp932.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ft::dataset {
namespace {

using platform::utf8ToCp932;
using test::DataSetBuilder;

// A parcel attribute line with its own number in field 1 (the builder numbers
// its lines in order, which cannot make two records share a number).
std::string parcelLine(const std::string& number, const std::string& lot)
{
    std::vector<std::string> fields(22);
    fields[0] = number;
    fields[2] = "大字本町";
    fields[3] = "字東";
    fields[4] = lot;
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + fields[i];
    return line;
}

bool hasProblem(const SurveyDataSet& set, SurveyFile file, ProblemKind kind, std::size_t record)
{
    return std::any_of(set.problems.begin(), set.problems.end(), [&](const ReadProblem& p) {
        return p.file == file && p.kind == kind && p.record == record;
    });
}

class DataSetReader : public ::testing::Test {
protected:
    // Four points of a square and a fifth beside it.
    DataSetReader() : m_set(m_folder.path(), "A01", 2)
    {
        m_set.addPoint({"Ｐ１", "0.000", "0.000"})
            .addPoint({"Ｐ２", "0.000", "10.000"})
            .addPoint({"Ｐ３", "10.000", "10.000"})
            .addPoint({"Ｐ４", "10.000", "0.000"})
            .addPoint({"Ｐ５", "20.000", "0.000"});
    }

    test::OutlineRecord square(std::string a, std::string lot)
    {
        return {std::move(a),
                "1",
                lot.empty() ? "" : "大字本町",
                std::move(lot),
                {{"Ｐ１"}, {"Ｐ２"}, {"Ｐ３"}, {"Ｐ４"}, {"Ｐ１"}},
                {}};
    }

    SurveyDataSet read() { return readDataSetAtHeader(m_set.write()); }

    test::TempFolder m_folder;
    DataSetBuilder m_set;
};

TEST_F(DataSetReader, AnOutlineBelongsToTheParcelOfItsNumberWhenItsLabelsAgree)
{
    for (const auto& [number, lot] : std::vector<std::pair<std::string, std::string>>{
             {"1", "101"}, {"2", "102"}, {"3", "103"}, {"4", "104"}, {"4", "105"}})
        m_set.addLine(test::SurveyFile::Parcels, parcelLine(number, lot));
    m_set
        .addOutline(square("1", "１０１")) // full width in the outline: folded, it agrees
        .addOutline(square("2", ""))       // no labels: the number alone
        .addOutline(square("3", "999"))    // the lot number of another parcel
        .addOutline(square("9", "109"))    // no parcel record 9
        .addOutline(square("x", "101"))    // not a number
        .addOutline(square("4", "104"));   // two records carry number 4
    const SurveyDataSet set = read();

    const std::vector<std::pair<OutlineLink, std::size_t>> expected{
        {OutlineLink::Linked, 0},
        {OutlineLink::Linked, 1},
        {OutlineLink::LabelsDisagree, kNoIndex},
        {OutlineLink::NoSuchParcel, kNoIndex},
        {OutlineLink::NoNumber, kNoIndex},
        {OutlineLink::NumberNotUnique, kNoIndex},
    };
    ASSERT_EQ(set.outlines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(set.outlines[i].link, expected[i].first);
        EXPECT_EQ(set.outlines[i].parcel, expected[i].second);
        EXPECT_EQ(set.outlines[i].shape, OutlineShape::Closed);
    }
    EXPECT_EQ(set.parcels[0].outlines, std::vector<std::size_t>{0});
    EXPECT_EQ(set.parcels[1].outlines, std::vector<std::size_t>{1});
    for (const std::size_t withoutOutline : {2u, 3u, 4u})
        EXPECT_TRUE(set.parcels[withoutOutline].outlines.empty());
}

TEST_F(DataSetReader, OutlinesWithMissingPointsOrThatDoNotCloseAreToldApart)
{
    m_set.addParcel({"大字本町", "字東", "101", "", ""})
        .addOutline({"1", "1", "", "", {{"Ｐ１"}, {"Ｐ９"}, {"Ｐ３"}, {"Ｐ８"}, {"Ｐ１"}}, {}})
        .addOutline({"1", "1", "", "", {{"Ｐ１"}, {"Ｐ２"}, {"Ｐ３"}, {"Ｐ５"}}, {}})
        .addOutline({"1", "1", "", "", {{"Ｐ１"}, {"Ｐ２"}, {"Ｐ１"}}, {}})
        .addOutline({"1", "1", "", "", {{"Ｐ１"}, {"Ｐ２"}, {"Ｐ３"}, {"Ｐ４"}, {"Ｐ１"}}, {}});
    const SurveyDataSet set = read();
    ASSERT_EQ(set.outlines.size(), 4u);
    EXPECT_EQ(set.outlines[0].shape, OutlineShape::MissingPoints);
    EXPECT_EQ(set.outlines[0].missingPoints,
              (std::vector<std::string>{utf8ToCp932("Ｐ９"), utf8ToCp932("Ｐ８")}));
    EXPECT_EQ(set.outlines[0].vertices[1].point, kNoIndex);
    EXPECT_EQ(set.outlines[0].vertices[2].point, 2u);
    EXPECT_EQ(set.outlines[1].shape, OutlineShape::Open);
    EXPECT_EQ(set.outlines[2].shape, OutlineShape::Open); // there and back is no ring
    EXPECT_EQ(set.outlines[3].shape, OutlineShape::Closed);
    // Each one is still linked: the shape does not decide the parcel.
    EXPECT_EQ(set.parcels[0].outlines, (std::vector<std::size_t>{0, 1, 2, 3}));
}

// Owner lists left out at first and read later give what a whole read gives.
TEST_F(DataSetReader, OwnerListsReadLaterMatchAWholeRead)
{
    m_set.addParcel({"大字本町", "字東", "１０１", "", ""})
        .addOwnerGroup({"大字本町", "字東", "101", {{"ヤマダ", "山田"}, {"スズキ", "鈴木"}}, {}})
        .addOwnerGroup({"大字本町", "字西", "101", {{"タナカ", "田中"}}, {}});
    const std::filesystem::path header = m_set.write();
    SurveyDataSet later = readDataSetAtHeader(header, ReadParts{.owners = false});
    ASSERT_EQ(later.parcels.size(), 1u);
    EXPECT_TRUE(later.parcels[0].owners.empty());
    EXPECT_FALSE(hasProblem(later, SurveyFile::Owners, ProblemKind::OwnersWithoutParcel, 4));

    readOwnerLists(later);
    const SurveyDataSet whole = readDataSetAtHeader(header);
    ASSERT_EQ(later.parcels[0].owners.size(), whole.parcels[0].owners.size());
    EXPECT_EQ(later.parcels[0].owners[1].name, whole.parcels[0].owners[1].name);
    EXPECT_TRUE(hasProblem(later, SurveyFile::Owners, ProblemKind::OwnersWithoutParcel, 4));
}

TEST_F(DataSetReader, OwnersGroupsAndSheetsComeWithTheirParcelsAndCorners)
{
    m_set.addParcel({"大字本町", "字東", "１０１", "ヤマダ　タロウ", "山田　太郎"})
        .addOwnerGroup({"大字本町", "字東", "101", {{"ヤマダ", "山田"}, {"スズキ", "鈴木"}}, {}})
        .addOwnerGroup({"大字本町", "字西", "101", {{"タナカ", "田中"}}, {}})
        .addParcelGroup(
            {{{"大字本町", "字東", "101-50", "", ""}, {"大字本町", "字東", "101-51", "", ""}}, {}})
        .addMapSheet({"Ｘ１", "500", {{"0.000", "0.000"}, {"100.000", "200.000"}}, "7"})
        .addMapSheet(
            {"Ｘ２",
             "250",
             {{"0.000", "0.000"}, {"0.000", "5.000"}, {"5.000", "5.000"}, {"5.000", "0.000"}},
             "1"})
        .addControlPoint({"Ｔ１", "1.000", "2.000"})
        .addControlPoint({"Ｔ２", "", ""});
    const SurveyDataSet set = read();

    ASSERT_EQ(set.parcels.size(), 1u);
    ASSERT_EQ(set.parcels[0].owners.size(), 2u); // lot numbers compared folded
    EXPECT_EQ(set.parcels[0].owners[1].name, utf8ToCp932("鈴木"));
    EXPECT_TRUE(hasProblem(set, SurveyFile::Owners, ProblemKind::OwnersWithoutParcel, 4));
    ASSERT_EQ(set.groupedParcels.size(), 2u);
    EXPECT_EQ(set.groupedParcels[1].group, 1u);
    EXPECT_EQ(set.groupedParcels[1].line, 3u);
    ASSERT_EQ(set.mapSheets.size(), 2u);
    EXPECT_EQ(set.mapSheets[0].kubun, 7);
    EXPECT_EQ(set.mapSheets[0].corners.size(), 2u);
    EXPECT_EQ(set.mapSheets[1].corners.size(), 4u);
    EXPECT_EQ(set.mapSheets[1].scale, 250);
    // A control point without coordinates is listed, not put at the origin.
    ASSERT_EQ(set.controlPoints.size(), 1u);
    EXPECT_TRUE(hasProblem(set, SurveyFile::ControlPoints, ProblemKind::NoPosition, 2));
}

TEST_F(DataSetReader, SheetFramesAndFrameLinesInBlockForm)
{
    m_set.setFrameForm(test::FrameForm::Blocks)
        .addSheetFrame({"X1", "500", {0, 10, 0, 20, 30, 20, 30, 10}})
        .addFrameVertices({"060", "7", "1", {{"F1", 0, 10, 2}, {"F2", -0.5, 20, 1}}})
        .addFrameVertices({"060", "8", "1", {{"F1", 1, 1}, {"F2", 2, 2}}});
    // A magnitude that is not a number leaves that record out, not the file.
    std::string broken = test::frameVerticesBytes({"060", "9", "1", {{"F1", 1, 1}}});
    broken.replace(33 + 22, 10, "  12x4.000"); // the first magnitude of sub-record 1
    m_set.addRawLine(test::SurveyFile::SheetFrames, broken);
    const SurveyDataSet set = read();
    ASSERT_EQ(set.sheetFrames.size(), 1u);
    EXPECT_EQ(set.sheetFrames[0].corners[2].first, 30.0);
    EXPECT_EQ(set.sheetFrames[0].corners[2].second, 20.0);
    ASSERT_EQ(set.frameLines.size(), 2u);
    EXPECT_EQ(set.frameLines[0].groupA, 7);
    EXPECT_EQ(set.frameLines[0].vertices[1].coords.first, -0.5);
    EXPECT_EQ(set.frameLines[0].vertices[1].kind, 1);
    EXPECT_TRUE(hasProblem(set, SurveyFile::SheetFrames, ProblemKind::BadRecord, 4));
}

TEST_F(DataSetReader, WhatCannotBeReadIsListedAndTheRestIsRead)
{
    m_set.addPoint({"Ｐ６", "abc", "1.000"})
        .addPoint({"Ｐ７", "1.000", "1.000"})
        .omit(test::SurveyFile::ControlPoints)
        .addMapSheet({"Ｘ１", "500", {{"x", "0"}, {"1", "1"}}, "1"});
    const SurveyDataSet set = read();
    EXPECT_TRUE(set.present);
    EXPECT_EQ(set.points.size(), 6u); // all but the broken line
    EXPECT_EQ(set.points.back().name, utf8ToCp932("Ｐ７"));
    EXPECT_TRUE(hasProblem(set, SurveyFile::Points, ProblemKind::BadRecord, 6));
    EXPECT_TRUE(hasProblem(set, SurveyFile::ControlPoints, ProblemKind::FileMissing, 0));
    EXPECT_TRUE(hasProblem(set, SurveyFile::MapSheets, ProblemKind::BadRecord, 1));
    EXPECT_TRUE(set.mapSheets.empty());

    // Siblings in upper case, as DOS-era discs carry them, are found.
    std::filesystem::rename(m_set.path(test::SurveyFile::Points), m_folder / "A01.PNT");
    EXPECT_EQ(readDataSet(m_set.basePath()).points.size(), 6u);

    std::filesystem::remove(m_set.headerPath());
    const SurveyDataSet gone = readDataSet(m_set.basePath());
    EXPECT_FALSE(gone.present);
    EXPECT_TRUE(gone.points.empty());
    EXPECT_TRUE(hasProblem(gone, SurveyFile::Header, ProblemKind::HeaderMissing, 0));
}

} // namespace
} // namespace ft::dataset
