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

// Inside an open transaction a guard is a savepoint: its rollback undoes its
// own rows only, and what it commits lands with the outer transaction or
// not at all. BeginTransaction itself still refuses a second transaction.
TEST_F(TransactionTest, AGuardInsideAnOpenTransactionIsASavepoint)
{
    {
        Transaction outer(m_db);
        m_db.ExecSQL("INSERT INTO P VALUES (1)");
        {
            Transaction kept(m_db);
            EXPECT_TRUE(kept.isSavepoint());
            m_db.ExecSQL("INSERT INTO P VALUES (2)");
            kept.commit();
        }
        {
            Transaction undone(m_db);
            m_db.ExecSQL("INSERT INTO P VALUES (3)");
            undone.rollback();
        }
        {
            Transaction left(m_db);
            m_db.ExecSQL("INSERT INTO P VALUES (4)");
        }
        EXPECT_EQ(m_db.SavepointDepth(), 0);
        EXPECT_THROW(m_db.BeginTransaction(), ESQLiteException);
        EXPECT_EQ(rows("P"), 2);
    }
    EXPECT_FALSE(m_db.InTransaction());
    EXPECT_EQ(rows("P"), 0);

    Transaction outer(m_db);
    {
        Transaction kept(m_db);
        m_db.ExecSQL("INSERT INTO P VALUES (5)");
        kept.commit();
    }
    outer.commit();
    EXPECT_EQ(rows("P"), 1);
    EXPECT_THROW(m_db.Savepoint(), ESQLiteException); // no transaction open
}

} // namespace
} // namespace ft::catalogue
