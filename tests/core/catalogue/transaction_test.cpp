#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/transaction.h"

#include "devtools/temp_folder.h"

#include "support/catalogue_engines.h"

#include <gtest/gtest.h>

namespace ft::catalogue {
namespace {

class TransactionTest : public ::testing::TestWithParam<test::Engine> {
protected:
    void SetUp() override
    {
        FT_SKIP_WITHOUT_SERVER(GetParam());
        // A deferred foreign key lets a statement through and fails COMMIT.
        if (GetParam() == test::Engine::Embedded)
            m_db.ExecSQL("PRAGMA foreign_keys = ON");
        m_db.ExecSQL("CREATE TABLE P (ID INTEGER PRIMARY KEY)");
        m_db.ExecSQL("CREATE TABLE C (P INTEGER REFERENCES P(ID) DEFERRABLE INITIALLY DEFERRED)");
    }
    int rows(const char* table)
    {
        return m_db.GetTable(std::string("SELECT * FROM ") + table).Count();
    }

    test::TempFolder m_folder;
    test::EngineCatalogue m_catalogue{GetParam(), m_folder.path()};
    catalogue::CatalogueDatabase& m_db = *m_catalogue;
};

TEST_P(TransactionTest, AFailedCommitIsRolledBackWhenTheGuardGoes)
{
    {
        Transaction transaction(m_db);
        m_db.ExecSQL("INSERT INTO P VALUES (1)");
        m_db.ExecSQL("INSERT INTO C VALUES (2)");
        EXPECT_THROW(transaction.commit(), ESQLiteException);
        // The server ends a transaction whose commit failed; the file keeps it open.
        EXPECT_EQ(m_db.InTransaction(), GetParam() == test::Engine::Embedded);
    }
    EXPECT_FALSE(m_db.InTransaction());
    EXPECT_EQ(rows("P"), 0);
}

// Inside an open transaction a guard is a savepoint: its rollback undoes its
// own rows only, and what it commits lands with the outer transaction or
// not at all. BeginTransaction itself still refuses a second transaction.
TEST_P(TransactionTest, AGuardInsideAnOpenTransactionIsASavepoint)
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

INSTANTIATE_TEST_SUITE_P(Engines, TransactionTest,
                         ::testing::Values(test::Engine::Embedded, test::Engine::Server),
                         test::engineName);

} // namespace
} // namespace ft::catalogue
