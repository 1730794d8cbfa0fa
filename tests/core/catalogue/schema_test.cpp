#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <exception>
#include <thread>

namespace ft::catalogue {
namespace {

const std::array<const char*, 7> kTables = {"CHIBAN", "FILE",  "MAP",  "FTEN",
                                            "ZTEN",   "OOAZA", "KOAZA"};

// name and sql of every table, in creation order.
std::vector<std::pair<std::string, std::string>> tablesOf(TSQLiteDatabase& db)
{
    std::vector<std::pair<std::string, std::string>> tables;
    TSQLiteTable table =
        db.GetTable("SELECT name, sql FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
    for (table.MoveFirst(); !table.Eof(); table.Next())
        tables.emplace_back(table.FieldByName("NAME"), table.FieldByName("SQL"));
    return tables;
}

int rowCount(TSQLiteDatabase& db, const std::string& table)
{
    return std::stoi(db.GetTable("SELECT COUNT(*) FROM " + table).Fields(0));
}

void fillEveryTable(TSQLiteDatabase& db)
{
    db.ExecSQL(
        "INSERT INTO CHIBAN VALUES ('大字', '小字', '12-3', 1, '所有者', 'ｼｮﾕｳｼｬ', 12, 3, 0, 1)");
    db.ExecSQL("INSERT INTO FILE VALUES ('/data/set', '2001/02/03 04:05:06', 1, '', '', 0, 2)");
    db.ExecSQL("INSERT INTO MAP VALUES ('1-2', 1, 500, 1, 2, 0)");
    db.ExecSQL("INSERT INTO FTEN VALUES ('K1', 1, 0, 0, 1)");
    db.ExecSQL("INSERT INTO ZTEN VALUES ('T1', 1, 0, 0)");
    db.ExecSQL("INSERT INTO OOAZA VALUES ('大字')");
    db.ExecSQL("INSERT INTO KOAZA VALUES ('大字', '小字')");
}

class SchemaTest : public ::testing::Test {
protected:
    test::TempFolder m_folder;
    TSQLiteDatabase m_db{(m_folder / "Dorsajpn.db").string()};
};

TEST_F(SchemaTest, TwoProgramsStartingOnANewCatalogueAtOnceBothGetTheTables)
{
    // The first program is creating the tables when the second looks.
    TSQLiteDatabase second((m_folder / "Dorsajpn.db").string());
    m_db.ExecSQL("BEGIN IMMEDIATE");
    std::exception_ptr failure;
    std::thread starting([&] {
        try {
            CreateSchemaIfMissing(second);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (const std::string_view statement : kCreateTableStatements)
        m_db.ExecSQL(std::string(statement));
    m_db.ExecSQL("COMMIT");
    starting.join();
    EXPECT_FALSE(failure);
    EXPECT_EQ(tablesOf(second).size(), 7u);
}

TEST_F(SchemaTest, CreatesTheSevenTablesWithTheirStatementsVerbatim)
{
    CreateSchemaIfMissing(m_db);
    const auto tables = tablesOf(m_db);
    ASSERT_EQ(tables.size(), 7u);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        EXPECT_EQ(tables[i].first, kTables[i]);
        // sqlite_master keeps the statement without its closing semicolon.
        std::string_view statement = kCreateTableStatements[i];
        statement.remove_suffix(1);
        EXPECT_EQ(tables[i].second, statement);
    }
    EXPECT_EQ(tables[1].second,
              "CREATE TABLE FILE ([PATH] VARCHAR (256), [TIME] VARCHAR (20), [FILENO] "
              "INTEGER, [CREATER] VARCHAR (60), [CHIKU] VARCHAR (60), [KEI] INTEGER, "
              "[SOKU] INTEGER  )");
    EXPECT_EQ(tables[6].second,
              "CREATE TABLE KOAZA ([OOAZA] VARCHAR (40), [KOAZA] VARCHAR (40)   )");

    CreateSchemaIfMissing(m_db); // a second start-up changes nothing
    EXPECT_EQ(tablesOf(m_db), tables);
}

// A catalogue that has CHIBAN but lost other tables gets them back, made
// with their own statements; the tables it has keep their rows.
TEST_F(SchemaTest, MissingTablesAreCreatedAndTheOthersKept)
{
    CreateSchemaIfMissing(m_db);
    fillEveryTable(m_db);
    m_db.ExecSQL("DROP TABLE MAP");
    m_db.ExecSQL("DROP TABLE KOAZA");
    CreateSchemaIfMissing(m_db);
    const auto tables = tablesOf(m_db);
    ASSERT_EQ(tables.size(), 7u);
    EXPECT_EQ(tables[5].first, "MAP");
    EXPECT_EQ(tables[5].second + ";", kCreateTableStatements[2]);
    EXPECT_EQ(tables[6].first, "KOAZA");
    EXPECT_EQ(rowCount(m_db, "MAP"), 0);
    for (const char* kept : {"CHIBAN", "FILE", "FTEN", "ZTEN", "OOAZA"})
        EXPECT_EQ(rowCount(m_db, kept), 1) << kept;
}

TEST_F(SchemaTest, DeleteAllRowsEmptiesEveryTable)
{
    CreateSchemaIfMissing(m_db);
    fillEveryTable(m_db);
    DeleteAllRows(m_db);
    for (const char* table : kTables)
        EXPECT_EQ(rowCount(m_db, table), 0) << table;
    EXPECT_FALSE(m_db.InTransaction());
    // No table is dropped; the change counter's table of the program's own
    // comes after the seven.
    const auto tables = tablesOf(m_db);
    ASSERT_EQ(tables.size(), 8u);
    for (std::size_t i = 0; i < kTables.size(); ++i)
        EXPECT_EQ(tables[i].first, kTables[i]);
    EXPECT_EQ(tables[7].first, "FINDTAVLA_CHANGES");
}

TEST_F(SchemaTest, DeleteAllRowsFailingMidwayLeavesTheCatalogueAsItWas)
{
    CreateSchemaIfMissing(m_db);
    fillEveryTable(m_db);
    m_db.ExecSQL("DROP TABLE ZTEN");

    try {
        DeleteAllRows(m_db);
        FAIL() << "DeleteAllRows succeeded without ZTEN";
    } catch (const ESQLiteException& error) {
        EXPECT_NE(std::string(error.what()).find("no such table: ZTEN"), std::string::npos)
            << error.what();
    }
    for (const char* table : {"CHIBAN", "FILE", "MAP", "FTEN"})
        EXPECT_EQ(rowCount(m_db, table), 1) << table;
    EXPECT_FALSE(m_db.InTransaction());
    EXPECT_NO_THROW(m_db.BeginTransaction()); // the connection is usable again
    m_db.Rollback();
}

} // namespace
} // namespace ft::catalogue
