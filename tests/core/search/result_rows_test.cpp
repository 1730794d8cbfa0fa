#include "core/search/result_rows.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/search/search_statements.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::search {
namespace {

TEST(IntOrZeroTest, OnlyWholeDecimal32BitTextIsANumber)
{
    EXPECT_EQ(intOrZero("1000"), 1000);
    EXPECT_EQ(intOrZero("-5"), -5);
    EXPECT_EQ(intOrZero("2147483647"), 2147483647);
    for (const char* notANumber : {"", "abc", "12a", " 12", "1.5", "3000000000", "-"})
        EXPECT_EQ(intOrZero(notANumber), 0) << notANumber;
}

TEST(ResultLayoutTest, EveryRowShowsOneTextPerColumn)
{
    EXPECT_EQ(cellTexts(ParcelRow{}).size(), resultLayout(ResultKind::Parcels).columns.size());
    EXPECT_EQ(cellTexts(MapSheetRow{}).size(), resultLayout(ResultKind::MapSheets).columns.size());
    EXPECT_EQ(cellTexts(PointRow{}).size(), resultLayout(ResultKind::Points).columns.size());
    EXPECT_EQ(cellTexts(DrawingRow{}).size(), resultLayout(ResultKind::Drawings).columns.size());
    EXPECT_EQ(resultLayout(ResultKind::Drawings).columns[0].field, "PATH");
    EXPECT_EQ(resultLayout(ResultKind::Drawings).caption, resultLayout(ResultKind::Points).caption);
}

class LoadRowsTest : public ::testing::Test {
protected:
    void SetUp() override { catalogue::CreateSchemaIfMissing(m_db); }

    void insert(const std::string& table, const std::string& values)
    {
        m_db.ExecSQL("INSERT INTO " + table + " VALUES (" + values + ")");
    }

    test::TempFolder m_folder;
    catalogue::TSQLiteDatabase m_db{(m_folder / "c.db").string()};
};

TEST_F(LoadRowsTest, ParcelsSortByOazaKoazaAndLotNumberParts)
{
    // Inserted out of order; 2 must come before 10 (numeric parts), and the
    // lot number text itself is not what sorts.
    insert("CHIBAN", "'本町', '東', '10', 1, '山田', 'ﾔﾏﾀﾞ', 10, 0, 0, 3");
    insert("CHIBAN", "'本町', '東', '2-5', 1, '鈴木', 'ｽｽﾞｷ', 2, 5, 0, 1");
    insert("CHIBAN", "'本町', '東', '2-1-9', 1, '佐藤', 'ｻﾄｳ', 2, 1, 9, 2");
    insert("CHIBAN", "'本町', '東', '2-1', 1, '', '', 2, 1, 0, 4");
    insert("CHIBAN", "'新町', '西', '99', 1, '', '', 99, 0, 0, 5");

    TskDataList<ParcelRow> rows;
    LoadRows(m_db, parcelStatement({}, MatchMode::Prefix), rows);

    std::vector<std::string> lots;
    for (const ParcelRow& row : rows)
        lots.push_back(row.CHIBAN);
    // "新町" (U+65B0) sorts before "本町" (U+672C) in UTF-8 byte order.
    EXPECT_EQ(lots, (std::vector<std::string>{"99", "2-1", "2-1-9", "2-5", "10"}));

    const ParcelRow& sato = rows.item(2);
    EXPECT_EQ(sato.OOAZA, "本町");
    EXPECT_EQ(sato.KOAZA, "東");
    EXPECT_EQ(sato.SNAME, "佐藤");
    EXPECT_EQ(sato.KNAME, "ｻﾄｳ");
    EXPECT_EQ(sato.FILENO, 2);
    EXPECT_TRUE(sato.Ticked);
    EXPECT_EQ(cellTexts(sato),
              (std::vector<std::string>{"本町", "東", "2-1-9", "佐藤", "ｻﾄｳ", "2", "筆"}));
}

// 種別 tells the parcel record from its owner and group records; a value the
// catalogue should not hold shows as itself.
TEST(ParcelKindTest, EachRecordKindHasItsWord)
{
    EXPECT_EQ(parcelKindText(1), "筆");
    EXPECT_EQ(parcelKindText(2), "所有者");
    EXPECT_EQ(parcelKindText(3), "一団");
    EXPECT_EQ(parcelKindText(0), "0");
}

TEST_F(LoadRowsTest, ConditionsAndOrderClauseCombine)
{
    insert("CHIBAN", "'本町', '東', '3', 1, 'O''Neil', '', 3, 0, 0, 1");
    insert("CHIBAN", "'本町', '東', '1', 1, 'O''Neil', '', 1, 0, 0, 1");
    insert("CHIBAN", "'本町', '東', '2', 1, 'Other', '', 2, 0, 0, 1");

    TskDataList<ParcelRow> rows;
    LoadRows(m_db, parcelStatement({"", "", "", "O'N", ""}, MatchMode::Prefix), rows);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.item(0).CHIBAN, "1");
    EXPECT_EQ(rows.item(1).CHIBAN, "3");
}

TEST_F(LoadRowsTest, MapSheetsSortByDrawingThenNameParts)
{
    insert("MAP", "'2-1', 2, 500, 2, 1, 10");
    insert("MAP", "'10', 1, 1000, 10, 0, 9");
    insert("MAP", "'9', 1, 'x', 9, 0, 3000000000");

    TskDataList<MapSheetRow> rows;
    LoadRows(m_db, mapSheetStatement("", MatchMode::Exact), rows);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.item(0).MAPNAME, "9");
    EXPECT_EQ(rows.item(1).MAPNAME, "10");
    EXPECT_EQ(rows.item(2).MAPNAME, "2-1");
    // Numbers that are not numbers, or too large for 32 bits, read as 0.
    EXPECT_EQ(rows.item(0).SCALE, 0);
    EXPECT_EQ(rows.item(0).KUBUN, 0);
    EXPECT_EQ(rows.item(2).SCALE, 500);
    EXPECT_EQ(rows.item(2).KUBUN, 10);
    EXPECT_EQ(cellTexts(rows.item(2)), (std::vector<std::string>{"2-1", "500", "10", "2"}));
}

TEST_F(LoadRowsTest, PointsOfEitherTableAndNullFieldsReadAsZero)
{
    insert("FTEN", "'K2', 1, 2, 0, 1");
    insert("FTEN", "'K1', 1, 1, 0, 1");
    insert("ZTEN", "'図根1', NULL, 1, 0");

    TskDataList<PointRow> rows;
    LoadRows(m_db, boundaryPointStatement("", MatchMode::Exact), rows);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.item(0).TENNAME, "K1");

    LoadRows(m_db, controlPointStatement("図根1", MatchMode::Exact), rows);
    ASSERT_EQ(rows.size(), 1); // the previous rows are gone
    EXPECT_EQ(rows.item(0).TENNAME, "図根1");
    EXPECT_EQ(rows.item(0).FILENO, 0);
}

TEST_F(LoadRowsTest, DrawingsStartUntickedInDrawingOrder)
{
    insert("FILE", "'/データ/b', '2020/01/02 03:04:05', 7, '測量社', '北地区', 0, 1");
    insert("FILE", "'/データ/a', '2020/01/02 03:04:05', 3, '', '', 0, 2");

    TskDataList<DrawingRow> rows;
    LoadRows(m_db, registeredDrawingsStatement(), rows);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.item(0).FILENO, 3);
    EXPECT_FALSE(rows.item(0).Ticked);
    EXPECT_EQ(cellTexts(rows.item(1)),
              (std::vector<std::string>{"/データ/b", "7", "測量社", "北地区", "1"}));
}

TEST_F(LoadRowsTest, ARejectedStatementLeavesTheStoreEmpty)
{
    insert("FTEN", "'K1', 1, 1, 0, 1");
    TskDataList<PointRow> rows;
    LoadRows(m_db, boundaryPointStatement("", MatchMode::Exact), rows);
    ASSERT_EQ(rows.size(), 1);

    m_db.ExecSQL("DROP TABLE ZTEN");
    EXPECT_THROW(LoadRows(m_db, controlPointStatement("", MatchMode::Exact), rows),
                 catalogue::ESQLiteException);
    EXPECT_TRUE(rows.empty());
}

TEST_F(LoadRowsTest, NoRowsIsAnEmptyStoreNotAnError)
{
    TskDataList<ParcelRow> rows;
    rows.append(ParcelRow{});
    EXPECT_NO_THROW(
        LoadRows(m_db, parcelStatement({"無", "", "", "", ""}, MatchMode::Exact), rows));
    EXPECT_TRUE(rows.empty());
}

} // namespace
} // namespace ft::search
