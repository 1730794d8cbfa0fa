#include "core/catalogue/sqlite_database.h"
#include "core/catalogue/transaction.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::catalogue {
namespace {

class TransactionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A deferred foreign key lets a statement through and fails COMMIT.
        m_db.ExecSQL("PRAGMA foreign_keys = ON");
        m_db.ExecSQL("CREATE TABLE P (ID INTEGER PRIMARY KEY)");
        m_db.ExecSQL("CREATE TABLE C (P INTEGER REFERENCES P(ID) DEFERRABLE INITIALLY DEFERRED)");
    }
    int rows(const char* table)
    {
        return m_db.GetTable(std::string("SELECT * FROM ") + table).Count();
    }

    test::TempFolder m_folder;
    TSQLiteDatabase m_db{(m_folder.path() / "t.db").string()};
};

TEST_F(TransactionTest, AFailedCommitIsRolledBackWhenTheGuardGoes)
{
    {
        Transaction transaction(m_db);
        m_db.ExecSQL("INSERT INTO P VALUES (1)");
        m_db.ExecSQL("INSERT INTO C VALUES (2)");
        EXPECT_THROW(transaction.commit(), ESQLiteException);
        EXPECT_TRUE(m_db.InTransaction());
    }
    EXPECT_FALSE(m_db.InTransaction());
    EXPECT_EQ(rows("P"), 0);
}

TEST_F(TransactionTest, AGuardThatCannotBeginLeavesTheOpenTransactionAlone)
{
    m_db.BeginTransaction();
    m_db.ExecSQL("INSERT INTO P VALUES (1)");
    EXPECT_THROW(Transaction{m_db}, ESQLiteException);
    EXPECT_TRUE(m_db.InTransaction());
    m_db.Commit();
    EXPECT_EQ(rows("P"), 1);
}

} // namespace
} // namespace ft::catalogue
