// The keys a result window keeps of its rows, and the texts read back by
// rowid a page or a block at a time: they must give exactly the rows LoadRows
// gives, and tell rows that are gone from rows that are there.
#include "core/search/result_request.h"
#include "core/search/result_rows.h"
#include "core/search/row_page_cache.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/search/search_statements.h"
#include "devtools/temp_folder.h"
#include "support/cp932_lines.h"

#include <gtest/gtest.h>

#include <functional>

namespace ft::search {
namespace {

class ResultKeysTest : public ::testing::Test {
protected:
    void SetUp() override { catalogue::CreateSchemaIfMissing(m_db); }

    void insert(const std::string& table, const std::string& values)
    {
        m_db.ExecSQL("INSERT INTO " + table + " VALUES (" + values + ")");
    }

    // `count` parcels of drawing `fileNo`, lot numbers 1.., in one transaction.
    void insertParcels(int count, int fileNo)
    {
        m_db.BeginTransaction();
        for (int lot = 1; lot <= count; ++lot)
            insert("CHIBAN", "'本町','東','" + std::to_string(lot) + "',1,'',''," +
                                 std::to_string(lot) + ",0,0," + std::to_string(fileNo));
        m_db.Commit();
    }

    // The rows as the keys and ReadRowsById give them, in list order; a gone
    // row as "-".
    template <class Row> std::vector<std::string> rowsViaKeys(const std::string& statement)
    {
        ResultRowKeys<Row> rows;
        LoadRowKeys(m_db, statement, rows);
        std::vector<typename Row::Key> keys(rows.keys.begin(), rows.keys.end());
        std::vector<std::string> shown;
        const auto texts = ReadRowsById<Row>(m_db, rows.table, keys);
        for (std::size_t i = 0; i < keys.size(); ++i)
            shown.push_back(texts[i] ? shownRow(*texts[i], keys[i].Ticked) : "-");
        return shown;
    }

    template <class Row> std::vector<std::string> rowsViaLoadRows(const std::string& statement)
    {
        TskDataList<Row> rows;
        LoadRows(m_db, statement, rows);
        std::vector<std::string> shown;
        for (const Row& row : rows)
            shown.push_back(shownRow(row, row.Ticked));
        return shown;
    }

    template <class Row> static std::string shownRow(const Row& row, bool ticked)
    {
        std::string text = ticked ? "[x]" : "[ ]";
        for (const std::string& cell : cellTexts(row))
            text += "|" + cell;
        return text;
    }

    test::TempFolder m_folder;
    catalogue::TSQLiteDatabase m_db{(m_folder / "c.db").string()};
};

TEST_F(ResultKeysTest, KeysAndTheirTextsGiveTheRowsOfLoadRows)
{
    // Rows whose order keys are all equal, numbers stored as text, NULLs and
    // numbers beyond 32 bits: every window's list, its order and its texts.
    insert("CHIBAN", "'本町','東','2',1,'乙','',2,0,0,5");
    insert("CHIBAN", "'本町','東','2',1,'甲','',2,0,0,'5'");
    insert("CHIBAN", "'本町','東','1',1,NULL,'ｺｳ',1,0,0,NULL");
    insert("CHIBAN", "'新町','西','2',1,'','',2,0,0,3000000000");
    insert("MAP", "'A',1,500,1,0,9");
    insert("MAP", "'B',1,'x',1,0,10");
    insert("MAP", "'C',1,500,1,0,9");
    insert("FTEN", "'P1',2,1,0,0");
    insert("FTEN", "'P1',2,1,0,0");
    insert("ZTEN", "'Z1',1,1,0");
    insert("FILE", "'/b','t',2,'作成者','地区',0,1");
    insert("FILE", "'/a','t',1,'','',0,NULL");

    const std::string parcels = parcelStatement({}, MatchMode::Prefix);
    EXPECT_EQ(rowsViaKeys<ParcelRow>(parcels), rowsViaLoadRows<ParcelRow>(parcels));
    EXPECT_EQ(rowsViaKeys<ParcelRow>(parcels).size(), 4u);
    const std::string owners = parcelStatement({"", "", "", "甲", ""}, MatchMode::Exact);
    EXPECT_EQ(rowsViaKeys<ParcelRow>(owners), rowsViaLoadRows<ParcelRow>(owners));
    EXPECT_EQ(rowsViaKeys<MapSheetRow>(mapSheetStatement("", MatchMode::Prefix)),
              rowsViaLoadRows<MapSheetRow>(mapSheetStatement("", MatchMode::Prefix)));
    EXPECT_EQ(rowsViaKeys<PointRow>(boundaryPointStatement("P1", MatchMode::Prefix)),
              rowsViaLoadRows<PointRow>(boundaryPointStatement("P1", MatchMode::Prefix)));
    EXPECT_EQ(rowsViaKeys<PointRow>(controlPointStatement("", MatchMode::Prefix)),
              rowsViaLoadRows<PointRow>(controlPointStatement("", MatchMode::Prefix)));
    EXPECT_EQ(rowsViaKeys<DrawingRow>(registeredDrawingsStatement()),
              rowsViaLoadRows<DrawingRow>(registeredDrawingsStatement()));

    // The map sheet keys hold what the heading clicks sort by.
    ResultRowKeys<MapSheetRow> sheets;
    LoadRowKeys(m_db, mapSheetStatement("", MatchMode::Prefix), sheets);
    ASSERT_EQ(sheets.keys.size(), 3);
    EXPECT_EQ(sheets.keys.item(0).SCALE, 500);
    EXPECT_EQ(sheets.keys.item(1).SCALE, 0);
    EXPECT_EQ(sheets.keys.item(1).KUBUN, 10);
    EXPECT_THROW(LoadRowKeys(m_db, "SELECT FILENO FROM MAP", sheets), std::invalid_argument);
    EXPECT_TRUE(sheets.keys.empty());
}

// Pages of 128 rows, 16 kept: rows read at and around the edges of pages,
// in both directions and after older pages were dropped, are the right rows.
TEST_F(ResultKeysTest, PagesAgreeWithTheListAtTheirEdges)
{
    constexpr int kRows = 16 * 128 + 300;
    insertParcels(kRows, 1);
    ResultRowKeys<ParcelRow> rows;
    LoadRowKeys(m_db, parcelStatement({}, MatchMode::Prefix), rows);
    ASSERT_EQ(rows.keys.size(), kRows);
    RowPageCache<ParcelRow> pages;
    for (const int index :
         {0, 127, 128, 255, 256, kRows - 1, kRows - 44, 1000, 129, 0, kRows - 1}) {
        const std::optional<ParcelRow>& row = pages.row(rows, index);
        ASSERT_TRUE(row) << index;
        EXPECT_EQ(row->CHIBAN, std::to_string(index + 1)) << index;
    }
    for (int index = kRows - 1; index >= 0; index -= 97)
        EXPECT_EQ(pages.row(rows, index)->CHIBAN, std::to_string(index + 1)) << index;
}

// A command-line registration may delete or replace rows while a window is
// open: a row that is gone, or whose rowid now holds a row of another
// drawing, reads as nothing, whether the rows are read as one span of rowids
// or looked up one by one.
TEST_F(ResultKeysTest, RowsDeletedOrReplacedUnderTheListReadAsNothing)
{
    insertParcels(400, 1);
    ResultRowKeys<ParcelRow> rows;
    LoadRowKeys(m_db, parcelStatement({}, MatchMode::Prefix), rows);
    m_db.ExecSQL("DELETE FROM CHIBAN WHERE OYA IN (2, 300)");
    // The last rowid deleted and given to a row of a new drawing.
    m_db.ExecSQL("DELETE FROM CHIBAN WHERE OYA=400");
    insert("CHIBAN", "'本町','東','400',1,'','',400,0,0,2");

    const std::vector<RowKey> all(rows.keys.begin(), rows.keys.end());
    const std::vector<RowKey> close(all.begin(), all.begin() + 5);  // one span
    const std::vector<RowKey> apart = {all[0], all[299], all[399]}; // looked up
    const auto dense = ReadRowsById<ParcelRow>(m_db, rows.table, close);
    EXPECT_TRUE(dense[0] && dense[2] && dense[4]);
    EXPECT_FALSE(dense[1]);
    EXPECT_EQ(dense[2]->CHIBAN, "3");
    const auto sparse = ReadRowsById<ParcelRow>(m_db, rows.table, apart);
    EXPECT_TRUE(sparse[0]);
    EXPECT_FALSE(sparse[1]);
    EXPECT_FALSE(sparse[2]);
}

class KeyRequestTest : public ResultKeysTest {
protected:
    void SetUp() override
    {
        ResultKeysTest::SetUp();
        insert("FILE", "'/s/three','t',3,'','',0,2");
        insert("FILE", "'/s/seven','t',7,'','',0,2");
        insertParcels(3, 3);
        insertParcels(2, 7);
    }

    std::string request(const std::function<void(formats::RequestWriter&)>& write)
    {
        formats::RequestWriter out(m_folder.path());
        write(out);
        out.finish();
        return test::readBytes(formats::requestFilePath(m_folder.path()));
    }
};

// Across blocks of rows, drawings and items come in the order the rows held
// whole would give them: a block ending where a drawing ends, and a drawing
// too large for one block.
TEST_F(KeyRequestTest, TheRequestOfKeysIsTheRequestOfWholeRows)
{
    struct Layout {
        int rowsOfThree;
        int rowsOfSeven;
    };
    for (const Layout layout : {Layout{9000, 0}, Layout{9000, 9000}, Layout{70000, 10}}) {
        SCOPED_TRACE(std::to_string(layout.rowsOfThree) + "+" + std::to_string(layout.rowsOfSeven));
        m_db.ExecSQL("DELETE FROM CHIBAN");
        insertParcels(layout.rowsOfThree, 3);
        insertParcels(layout.rowsOfSeven, 7);
        const std::string statement = parcelStatement({}, MatchMode::Prefix);
        ResultRowKeys<ParcelRow> keys;
        LoadRowKeys(m_db, statement, keys);
        TskDataList<ParcelRow> whole;
        LoadRows(m_db, statement, whole);
        for (int row = 0; row < whole.size(); row += 3) {
            keys.keys.item(row).Ticked = false;
            whole.item(row).Ticked = false;
        }
        const std::string fromKeys =
            request([&](formats::RequestWriter& out) { writeResultRequest(keys, out); });
        EXPECT_EQ(fromKeys, request([&](formats::RequestWriter& out) {
                      writeResultRequest(whole, m_db, out);
                  }));
    }
}

// Every kind of row, with cells the catalogue may hold: NULLs, numbers stored
// as text, reals, numbers beyond 32 bits, a drawing ticked twice over.
TEST_F(KeyRequestTest, EveryKindOfKeysGivesTheRequestOfWholeRows)
{
    insert("FILE", "NULL,'t',9,'','',0,2");
    insert("MAP", "'A',3,500,1,0,1");
    insert("MAP", "NULL,3,'x',1,0,NULL");
    insert("MAP", "'Ｂ',7,2.5,1,0,3000000000");
    insert("MAP", "'C','7',1,1,0,'12abc'");
    insert("FTEN", "'P1',3,1,0,0");
    insert("FTEN", "NULL,7,1,0,0");
    insert("FTEN", "12,9,1,0,0");
    insert("ZTEN", "'Z 1',3,1,0");
    const auto same = [this]<class Row>(const std::string& statement, auto writeKeys,
                                        auto writeWhole) {
        ResultRowKeys<Row> keys;
        LoadRowKeys(m_db, statement, keys);
        TskDataList<Row> whole;
        LoadRows(m_db, statement, whole);
        for (int row = 0; row < whole.size(); ++row)
            keys.keys.item(row).Ticked = whole.item(row).Ticked = true;
        const std::string fromKeys =
            request([&](formats::RequestWriter& out) { writeKeys(keys, out); });
        EXPECT_EQ(fromKeys, request([&](formats::RequestWriter& out) { writeWhole(whole, out); }))
            << statement;
        EXPECT_FALSE(fromKeys.empty()) << statement;
    };
    same.operator()<MapSheetRow>(
        mapSheetStatement("", MatchMode::Prefix),
        [](auto& rows, formats::RequestWriter& out) { writeResultRequest(rows, out); },
        [this](auto& rows, formats::RequestWriter& out) { writeResultRequest(rows, m_db, out); });
    for (const auto& [statement, code] :
         {std::pair(boundaryPointStatement("", MatchMode::Prefix), formats::kBoundaryPointRecord),
          std::pair(controlPointStatement("", MatchMode::Prefix), formats::kControlPointRecord)})
        same.operator()<PointRow>(
            statement,
            [code](auto& rows, formats::RequestWriter& out) {
                writeResultRequest(rows, code, out);
            },
            [this, code](auto& rows, formats::RequestWriter& out) {
                writeResultRequest(rows, code, m_db, out);
            });
    same.operator()<DrawingRow>(
        registeredDrawingsStatement(),
        [](auto& rows, formats::RequestWriter& out) {
            writeResultRequest(rows, formats::kRegisteredDrawingRecord, out);
        },
        [this](auto& rows, formats::RequestWriter& out) {
            writeResultRequest(rows, formats::kRegisteredDrawingRecord, m_db, out);
        });
}

TEST_F(KeyRequestTest, TickedRowsThatAreGoneAbandonTheRequestAndAreCounted)
{
    ResultRowKeys<ParcelRow> keys;
    LoadRowKeys(m_db, parcelStatement({}, MatchMode::Prefix), keys);
    keys.keys.item(0).Ticked = false;
    m_db.ExecSQL("DELETE FROM CHIBAN WHERE FILENO=7 OR (FILENO=3 AND OYA=1)");
    formats::RequestWriter out(m_folder.path());
    try {
        writeResultRequest(keys, out);
        FAIL() << "a request was written for rows that are gone";
    } catch (const RowsGoneError& error) {
        // The unticked row is not asked about; the other gone ones are counted.
        EXPECT_EQ(error.goneRows(), 2);
    }
}

// Rows are read in rowid order but written in list order: a row that cannot
// be handed over and a row that is gone are told as the rows held whole
// would meet them, the first in the request's order. Drawing 7 is written
// first, its lot 2 (rowid 5) before its lot 1; drawing 3's lot 1 is rowid 1.
TEST_F(KeyRequestTest, TheFirstFailingRowInRequestOrderIsTheOneTold)
{
    struct Case {
        const char* name;
        std::vector<std::string> changes;
        const char* told;
    };
    const Case cases[] = {
        {"two refused",
         {"UPDATE CHIBAN SET CHIBAN=CHIBAN||'\U0001F600' WHERE rowid IN (1,5)"},
         "lot number 2\U0001F600 holds"},
        {"gone, then refused",
         {"DELETE FROM CHIBAN WHERE rowid=5",
          "UPDATE CHIBAN SET CHIBAN='1\U0001F600' WHERE rowid=1"},
         "1 of the chosen rows are gone"},
        {"gone, then refused twice",
         {"DELETE FROM CHIBAN WHERE rowid=5",
          "UPDATE CHIBAN SET CHIBAN=CHIBAN||'\U0001F600' WHERE rowid IN (1,4)"},
         "1 of the chosen rows are gone"},
        {"refused, then gone",
         {"UPDATE CHIBAN SET CHIBAN='2\U0001F600' WHERE rowid=5",
          "DELETE FROM CHIBAN WHERE rowid=1"},
         "lot number 2\U0001F600 holds"},
    };
    for (const Case& c : cases) {
        m_db.ExecSQL("DELETE FROM CHIBAN");
        insertParcels(3, 3);
        insertParcels(2, 7);
        ResultRowKeys<ParcelRow> keys;
        LoadRowKeys(m_db, parcelStatement({}, MatchMode::Prefix), keys);
        for (const std::string& change : c.changes)
            m_db.ExecSQL(change);
        formats::RequestWriter out(m_folder.path());
        try {
            writeResultRequest(keys, out);
            ADD_FAILURE() << c.name << ": written";
        } catch (const std::exception& error) {
            EXPECT_NE(std::string(error.what()).find(c.told), std::string::npos)
                << c.name << ": " << error.what();
        }
    }
}

} // namespace
} // namespace ft::search
