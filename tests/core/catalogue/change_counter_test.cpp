#include "core/catalogue/change_counter.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/catalogue/transaction.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::catalogue {
namespace {

class ChangeCounterTest : public ::testing::Test {
protected:
    void SetUp() override { CreateSchemaIfMissing(m_db); }

    test::TempFolder m_folder;
    TSQLiteDatabase m_db{(m_folder.path() / "c.db").string()};
};

TEST_F(ChangeCounterTest, CountsChangesThatLandAndNoOther)
{
    EXPECT_EQ(ReadChangeCounter(m_db), 0);
    RaiseChangeCounter(m_db);
    RaiseChangeCounter(m_db);
    EXPECT_EQ(ReadChangeCounter(m_db), 2);
    {
        Transaction rolledBack(m_db);
        RaiseChangeCounter(m_db);
        EXPECT_EQ(ReadChangeCounter(m_db), 3);
    }
    EXPECT_EQ(ReadChangeCounter(m_db), 2);
    DeleteAllRows(m_db);
    EXPECT_EQ(ReadChangeCounter(m_db), 3);
    // The designed tables are left as they are defined.
    for (const std::string_view table : kTableNames)
        EXPECT_TRUE(m_db.TableExists(table));
}

// A catalogue no registration has changed yet (or one made by an older
// program) counts 0, and reading does not write.
TEST_F(ChangeCounterTest, ACatalogueWithoutTheTableCountsZero)
{
    EXPECT_EQ(ReadChangeCounter(m_db), 0);
    EXPECT_FALSE(m_db.TableExists("FINDTAVLA_CHANGES"));
}

} // namespace
} // namespace ft::catalogue
