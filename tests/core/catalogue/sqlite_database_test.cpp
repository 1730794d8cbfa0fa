#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/platform/operator_message.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace ft::catalogue {
namespace {

// The message of the ESQLiteException that `action` raises.
std::string errorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ESQLiteException& error) {
        return error.what();
    }
    ADD_FAILURE() << "no ESQLiteException";
    return {};
}

class SQLiteDatabaseTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return (m_folder / name).string(); }

    test::TempFolder m_folder;
    std::unique_ptr<TSQLiteDatabase> m_db = std::make_unique<TSQLiteDatabase>(path("Dorsawrd.db"));
};

TEST_F(SQLiteDatabaseTest, OpeningCreatesTheFileAndAFailureNamesIt)
{
    EXPECT_TRUE(std::filesystem::exists(path("Dorsawrd.db")));

    const std::string missing = path("no-such-folder/Dorsajpn.db");
    EXPECT_EQ(errorText([&] { TSQLiteDatabase db(missing); }),
              "Failed to open database \"" + missing + "\" : unable to open database file");
}

TEST_F(SQLiteDatabaseTest, EmptyResult)
{
    CreateSchemaIfMissing(*m_db);
    TSQLiteTable table = m_db->GetTable("SELECT * FROM FILE");
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.ColumnCount(), 0);
    EXPECT_TRUE(table.Eof());
    EXPECT_FALSE(table.MoveFirst());
    EXPECT_FALSE(table.Next());
    EXPECT_EQ(errorText([&] { table.FieldByName("PATH"); }), "Field PATH Not found. Empty dataset");
    EXPECT_EQ(errorText([&] { table.FieldAsString(0); }), "Table is at End of File");
}

TEST_F(SQLiteDatabaseTest, AggregatesOverAnEmptyTable)
{
    CreateSchemaIfMissing(*m_db);
    const TSQLiteTable count = m_db->GetTable("SELECT COUNT(*) FROM FILE;");
    ASSERT_EQ(count.Count(), 1);
    EXPECT_EQ(count.Kind(0), ColumnKind::Integer);
    EXPECT_EQ(count.Fields(0), "0");

    // MAX has no declared type and its first value is NULL, so the column
    // takes the null kind and the cell is absent.
    const TSQLiteTable max = m_db->GetTable("SELECT MAX(FILENO) FROM FILE");
    ASSERT_EQ(max.Count(), 1);
    EXPECT_EQ(max.Kind(0), ColumnKind::Null);
    EXPECT_EQ(max.FieldAsString(0), "");
    EXPECT_EQ(max.Fields(0), "");
}

TEST_F(SQLiteDatabaseTest, RowsReadInOrderWithCaseInsensitiveNamesAndJapaneseText)
{
    CreateSchemaIfMissing(*m_db);
    m_db->ExecSQL(
        "INSERT INTO FILE VALUES ('/data/地籍/①髙橋', '2001/02/03 04:05:06', 7, '作成者', "
        "'地区', 0, 2)");
    m_db->ExecSQL("INSERT INTO FILE (PATH, FILENO) VALUES ('/data/b', NULL)");
    TSQLiteTable table = m_db->GetTable("SELECT * FROM FILE");

    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.ColumnNames(), (std::vector<std::string>{"PATH", "TIME", "FILENO", "CREATER",
                                                             "CHIKU", "KEI", "SOKU"}));
    EXPECT_EQ(table.Kind(0), ColumnKind::Text);    // VARCHAR (256)
    EXPECT_EQ(table.Kind(2), ColumnKind::Integer); // INTEGER
    ASSERT_TRUE(table.MoveFirst());
    EXPECT_EQ(table.FieldByName("path"), "/data/地籍/①髙橋");
    EXPECT_EQ(table.FieldByName("Fileno"), "7");
    EXPECT_EQ(table.FieldAsString(3), "作成者");
    EXPECT_EQ(table.FieldIndex("chiku"), 4);
    EXPECT_EQ(errorText([&] { table.FieldIndex("nope"); }), "Field not found in dataset: nope");

    ASSERT_TRUE(table.Next());
    // NULL in an integer column: "0" by name, empty through FieldAsString.
    EXPECT_EQ(table.FieldByName("FILENO"), "0");
    EXPECT_EQ(table.FieldAsString(2), "");
    EXPECT_EQ(table.FieldByName("TIME"), "");

    ASSERT_TRUE(table.Next());
    EXPECT_TRUE(table.Eof());
    EXPECT_FALSE(table.Next());
    EXPECT_EQ(errorText([&] { table.FieldByName("PATH"); }), "Table is at End of File");
    EXPECT_EQ(errorText([&] { table.FieldAsString(0); }), "Table is at End of File");
    ASSERT_TRUE(table.MoveFirst());
    EXPECT_EQ(table.Fields(2), "7");
    EXPECT_THROW(table.Fields(7), std::out_of_range);
    EXPECT_THROW(table.Fields(-1), std::out_of_range);
}

TEST_F(SQLiteDatabaseTest, KindsFollowTheDeclaredTypeExactly)
{
    m_db->ExecSQL("CREATE TABLE T (I INTEGER, B BOOLEAN, N NUMERIC, F FLOAT, D DOUBLE, R REAL, "
                  "L BLOB, LOWER boolean, V VARCHAR (10))");
    m_db->ExecSQL("INSERT INTO T VALUES (-9007199254740993, 1, 0.1, 1e20, 123456789012345678, 3.0, "
                  "X'410042', 5, 'x')");
    m_db->ExecSQL("INSERT INTO T VALUES (NULL, NULL, NULL, NULL, NULL, NULL, X'', NULL, NULL)");
    TSQLiteTable table = m_db->GetTable("SELECT * FROM T");

    const std::vector<ColumnKind> kinds = {
        ColumnKind::Integer, ColumnKind::Integer, ColumnKind::Numeric,
        ColumnKind::Numeric, ColumnKind::Numeric, ColumnKind::Numeric,
        ColumnKind::Blob,    ColumnKind::Text,    ColumnKind::Text};
    for (int column = 0; column < 9; ++column)
        EXPECT_EQ(table.Kind(column), kinds[static_cast<std::size_t>(column)]) << column;

    const std::vector<std::string> first = {
        "-9007199254740993",    "1", "0.1", "1e+20", "1.23456789012346e+17", "3",
        std::string("A\0B", 3), "5", "x"};
    for (int column = 0; column < 9; ++column)
        EXPECT_EQ(table.Fields(column), first[static_cast<std::size_t>(column)]) << column;

    ASSERT_TRUE(table.Next());
    const std::vector<std::string> absent = {"0", "0", "0", "0", "0", "0", "", "", ""};
    for (int column = 0; column < 9; ++column) {
        EXPECT_EQ(table.Fields(column), absent[static_cast<std::size_t>(column)]) << column;
        EXPECT_EQ(table.FieldAsString(column), "") << column;
    }
}

TEST_F(SQLiteDatabaseTest, ExpressionColumnsTakeTheKindOfTheirFirstValue)
{
    TSQLiteTable table = m_db->GetTable("SELECT 2.5, 7, 'a' || CAST(X'00' AS TEXT) || 'b', NULL "
                                        "UNION ALL SELECT 'x', 'y', 'z', 'w'");
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Kind(0), ColumnKind::Numeric);
    EXPECT_EQ(table.Kind(1), ColumnKind::Integer);
    EXPECT_EQ(table.Kind(2), ColumnKind::Text);
    EXPECT_EQ(table.Kind(3), ColumnKind::Null);
    EXPECT_EQ(table.Fields(0), "2.5");
    EXPECT_EQ(table.Fields(2), "a"); // text ends at its first zero byte
    ASSERT_TRUE(table.Next());
    // The kinds were fixed by the first row.
    EXPECT_EQ(table.Fields(0), "0");
    EXPECT_EQ(table.Fields(1), "0");
    EXPECT_EQ(table.Fields(2), "z");
    EXPECT_EQ(table.Fields(3), "");
    EXPECT_EQ(table.FieldAsString(3), "");
}

TEST_F(SQLiteDatabaseTest, ErrorTexts)
{
    EXPECT_EQ(errorText([&] { m_db->ExecSQL("SELEC 1"); }),
              "Error executing SQL.\rError [1]: SQL error or missing database.\r\"SELEC 1\": near "
              "\"SELEC\": syntax error");
    // SQL and SQLite's message are values, never format text.
    EXPECT_EQ(errorText([&] { m_db->GetTable("SELECT * FROM [%s%d]"); }),
              "Error executing SQL.\rError [1]: SQL error or missing database.\r\"SELECT * FROM "
              "[%s%d]\": no such table: %s%d");
    EXPECT_EQ(errorText([&] { m_db->ExecSQL("-- only a comment"); }),
              "Could not prepare SQL statement");
    EXPECT_EQ(errorText([&] { m_db->ExecSQL(""); }), "Could not prepare SQL statement");
    // SQLite has no error to report for a statement that merely returned a row.
    EXPECT_EQ(errorText([&] { m_db->ExecSQL("SELECT 1"); }), "Error executing SQL statement");

    m_db->ExecSQL("CREATE TABLE T (A INTEGER NOT NULL)");
    EXPECT_EQ(
        errorText([&] { m_db->ExecSQL("INSERT INTO T VALUES (NULL)"); }),
        "Error executing SQL statement.\rError [19]: Abort due to contraint violation.\r\"INSERT "
        "INTO T VALUES (NULL)\": NOT NULL constraint failed: T.A");
    EXPECT_EQ(errorText([&] { m_db->GetTable("SELECT abs(-9223372036854775807 - 1)"); }),
              "Could not retrieve data.\rError [1]: SQL error or missing database.\r\"SELECT "
              "abs(-9223372036854775807 - 1)\": integer overflow");
    // A catalogue that may not be written is told so, not called damaged.
    m_db->ExecSQL("PRAGMA query_only = 1");
    try {
        m_db->ExecSQL("INSERT INTO T VALUES (3)");
        ADD_FAILURE() << "no ESQLiteException";
    } catch (const ESQLiteException& error) {
        EXPECT_EQ(platform::failureText(error).sentence.toStdString(),
                  "The catalogue " + path("Dorsawrd.db") +
                      " cannot be written. Check that you may write in it and in its folder, "
                      "then try again.");
    }
    m_db->ExecSQL("PRAGMA query_only = 0");
    // Only the first statement of a text runs.
    m_db->ExecSQL("INSERT INTO T VALUES (1); INSERT INTO T VALUES (2)");
    EXPECT_EQ(m_db->GetTable("SELECT * FROM T").Count(), 1);
}

TEST_F(SQLiteDatabaseTest, ATextHoldingAZeroByteIsRefusedNotCutShort)
{
    m_db->ExecSQL("CREATE TABLE T (A INTEGER)");
    m_db->ExecSQL("INSERT INTO T VALUES (1)");
    m_db->ExecSQL("INSERT INTO T VALUES (2)");
    const std::string cutShort("DELETE FROM T\0 WHERE A = 2", 26);
    EXPECT_THROW(m_db->ExecSQL(cutShort), ESQLiteException);
    EXPECT_THROW(m_db->GetTable(cutShort), ESQLiteException);
    EXPECT_EQ(m_db->GetTable("SELECT * FROM T").Count(), 2);
}

TEST_F(SQLiteDatabaseTest, ReadersNeverHoldUpAWriterAndABusyCatalogueIsNamed)
{
    m_db->ExecSQL("CREATE TABLE T (A INTEGER)");
    m_db->ExecSQL("INSERT INTO T VALUES (1)");
    TSQLiteDatabase other(path("Dorsawrd.db"));
    EXPECT_EQ(other.GetTable("PRAGMA journal_mode").Fields(0), "wal");
    EXPECT_EQ(other.GetTable("PRAGMA busy_timeout").Fields(0),
              std::to_string(kBusyTimeoutMilliseconds));

    // A search in the middle of reading: the registration's commit goes
    // through, and the search goes on with what it began with.
    other.ExecSQL("BEGIN");
    EXPECT_EQ(other.GetTable("SELECT * FROM T").Count(), 1);
    m_db->ExecSQL("INSERT INTO T VALUES (2)");
    EXPECT_EQ(other.GetTable("SELECT * FROM T").Count(), 1);
    other.ExecSQL("COMMIT");

    // A writer that keeps the catalogue: readers still read; another writer
    // waits, and after the wait the message names the catalogue.
    m_db->ExecSQL("BEGIN EXCLUSIVE");
    EXPECT_EQ(other.GetTable("SELECT * FROM T").Count(), 2);
    sqlite3_busy_timeout(other.handle(), 20); // the wait itself is not what is tested
    const std::string busy = errorText([&] { other.ExecSQL("INSERT INTO T VALUES (3)"); });
    EXPECT_EQ(busy, ECatalogueBusy(path("Dorsawrd.db")).what());
    EXPECT_NE(busy.find(path("Dorsawrd.db") + " is in use by another findTavla"),
              std::string::npos);
    m_db->ExecSQL("COMMIT");
    other.ExecSQL("INSERT INTO T VALUES (3)");
}

TEST_F(SQLiteDatabaseTest, EveryWayOfRunningAStatementNamesACatalogueInUse)
{
    m_db->ExecSQL("CREATE TABLE T (A INTEGER)");
    TSQLiteDatabase other(path("Dorsawrd.db"));
    sqlite3_busy_timeout(other.handle(), 20);
    m_db->ExecSQL("BEGIN EXCLUSIVE");
    const std::string write = "INSERT INTO T VALUES (1)";
    const std::function<void()> runs[] = {
        [&] { other.ExecSQL(write); },
        [&] { other.GetTable(write); },
        [&] { other.HasRows(write); },
    };
    for (const auto& run : runs)
        EXPECT_EQ(errorText(run), ECatalogueBusy(path("Dorsawrd.db")).what());
    m_db->ExecSQL("COMMIT");
}

TEST_F(SQLiteDatabaseTest, ACatalogueInAFolderThatTakesNoNewFileIsStillRead)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "every folder takes new files for root";
    m_db->ExecSQL("CREATE TABLE T (A INTEGER)");
    m_db->ExecSQL("INSERT INTO T VALUES (1)");
    m_db.reset(); // the last connection goes: no index is left beside the file
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(path("Dorsawrd.db")).parent_path();
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
    const std::string count =
        TSQLiteDatabase(path("Dorsawrd.db")).GetTable("SELECT COUNT(*) FROM T").Fields(0);
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(count, "1");

    // A log left with commits in it: the file alone would read without them.
    std::ofstream(path("Dorsawrd.db-wal"), std::ios::binary) << "commits";
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_THROW(TSQLiteDatabase(path("Dorsawrd.db")).GetTable("SELECT COUNT(*) FROM T"),
                 ESQLiteException);
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(SQLiteDatabaseTest, Transactions)
{
    m_db->ExecSQL("CREATE TABLE T (A INTEGER)");
    m_db->BeginTransaction();
    EXPECT_EQ(errorText([&] { m_db->BeginTransaction(); }), "Transaction already open");
    EXPECT_TRUE(m_db->InTransaction());
    m_db->ExecSQL("INSERT INTO T VALUES (1)");
    m_db->Rollback();
    EXPECT_FALSE(m_db->InTransaction());
    EXPECT_EQ(m_db->GetTable("SELECT * FROM T").Count(), 0);

    m_db->BeginTransaction();
    m_db->ExecSQL("INSERT INTO T VALUES (2)");
    m_db->Commit();
    EXPECT_FALSE(m_db->InTransaction());

    // A transaction still open when the connection goes is rolled back.
    m_db->BeginTransaction();
    m_db->ExecSQL("INSERT INTO T VALUES (3)");
    m_db.reset();
    TSQLiteDatabase reopened(path("Dorsawrd.db"));
    const TSQLiteTable rows = reopened.GetTable("SELECT A FROM T");
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows.Fields(0), "2");
}

TEST_F(SQLiteDatabaseTest, RollbackAfterSQLiteEndedTheTransactionClearsTheFlag)
{
    m_db->BeginTransaction();
    m_db->ExecSQL("ROLLBACK"); // as SQLite does by itself after a full disk
    EXPECT_NO_THROW(m_db->Rollback());
    EXPECT_FALSE(m_db->InTransaction());
    EXPECT_NO_THROW(m_db->BeginTransaction());
    m_db->Commit();
    // Without an open transaction ROLLBACK is still an error.
    EXPECT_THROW(m_db->Rollback(), ESQLiteException);
}

TEST_F(SQLiteDatabaseTest, TableExistsIgnoresCase)
{
    EXPECT_FALSE(m_db->TableExists("CHIBAN"));
    m_db->ExecSQL("CREATE TABLE Chiban (A INTEGER)");
    m_db->ExecSQL("CREATE VIEW MAP AS SELECT 1");
    EXPECT_TRUE(m_db->TableExists("CHIBAN"));
    EXPECT_TRUE(m_db->TableExists("chiban"));
    EXPECT_FALSE(m_db->TableExists("MAP")); // a view is not a table
}

TEST(ResultCodeText, KnownAndUnknownCodes)
{
    EXPECT_EQ(ResultCodeText(0), "Successful result");
    EXPECT_EQ(ResultCodeText(19), "Abort due to contraint violation");
    EXPECT_EQ(ResultCodeText(26), "File opened that is not a database file");
    EXPECT_EQ(ResultCodeText(100), "sqlite3_step() has another row ready");
    EXPECT_EQ(ResultCodeText(101), "sqlite3_step() has finished executing");
    EXPECT_EQ(ResultCodeText(27), "Unknown SQLite Error Code \"27\"");
    EXPECT_EQ(ResultCodeText(-1), "Unknown SQLite Error Code \"-1\"");
}

} // namespace
} // namespace ft::catalogue
