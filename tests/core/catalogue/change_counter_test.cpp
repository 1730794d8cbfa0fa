#include "core/catalogue/change_counter.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/transaction.h"
#include "devtools/temp_folder.h"

#include "support/catalogue_engines.h"

#include <gtest/gtest.h>

namespace ft::catalogue {
namespace {

class ChangeCounterTest : public ::testing::TestWithParam<test::Engine> {
protected:
    void SetUp() override
    {
        FT_SKIP_WITHOUT_SERVER(GetParam());
        CreateSchemaIfMissing(m_db);
    }

    test::TempFolder m_folder;
    test::EngineCatalogue m_catalogue{GetParam(), m_folder.path()};
    catalogue::CatalogueDatabase& m_db = *m_catalogue;
};

TEST_P(ChangeCounterTest, CountsChangesThatLandAndNoOther)
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
TEST_P(ChangeCounterTest, ACatalogueWithoutTheTableCountsZero)
{
    EXPECT_EQ(ReadChangeCounter(m_db), 0);
    // (A server's schema is made with the table.)
    if (GetParam() == test::Engine::Embedded) {
        EXPECT_FALSE(m_db.TableExists("FINDTAVLA_CHANGES"));
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, ChangeCounterTest,
                         ::testing::Values(test::Engine::Embedded, test::Engine::Server),
                         test::engineName);

} // namespace
} // namespace ft::catalogue
