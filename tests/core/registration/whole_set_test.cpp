// A data set lands whole: while a run works, a second connection to the
// catalogue sees no row of a set before its FILE row, and every registered
// set raises the change counter once, in the same transaction.

#include "registration_fixture.h"

#include "core/catalogue/change_counter.h"
#include "core/catalogue/sqlite_database.h"
#include "core/registration/registration_driver.h"

namespace ft::registration {
namespace {

// Rows of a drawing without a FILE row, in one statement (one snapshot).
constexpr const char* kRowsWithoutFileRow =
    "SELECT (SELECT COUNT(*) FROM CHIBAN WHERE FILENO NOT IN (SELECT FILENO FROM FILE))"
    " + (SELECT COUNT(*) FROM MAP WHERE FILENO NOT IN (SELECT FILENO FROM FILE))"
    " + (SELECT COUNT(*) FROM FTEN WHERE FILENO NOT IN (SELECT FILENO FROM FILE))"
    " + (SELECT COUNT(*) FROM ZTEN WHERE FILENO NOT IN (SELECT FILENO FROM FILE))";

// Looks at the catalogue through its own connection at every status text,
// that is after every step of every set.
class WatchingProgress final : public platform::Progress {
public:
    explicit WatchingProgress(const std::filesystem::path& catalogue) : m_db(catalogue.string()) {}

    void showStatus(const QString&) override
    {
        ++looks;
        if (m_db.GetTable(kRowsWithoutFileRow).Fields(0) != "0")
            ++partialSetsSeen;
    }
    void processEvents() override {}
    void beginBusy() override {}
    void endBusy() override {}

    int looks = 0;
    int partialSetsSeen = 0;

private:
    catalogue::TSQLiteDatabase m_db;
};

class WholeSetTest : public RegistrationTest {
protected:
    TargetEntry entry(test::DataSetBuilder set)
    {
        set.write();
        return entryOf(set, "2024/03/01 10:00:00");
    }
};

TEST_F(WholeSetTest, NoConnectionSeesASetBeforeItsFileRow)
{
    // B fails at its very last step, with every other row of it written:
    // its header is gone by the time its FILE row is to be stored.
    TargetList targets;
    for (const TargetEntry& e :
         {entry(validSet("A", 2)), entry(validSet("B", 2)), entry(validSet("C", 2))})
        targets.append(e);
    std::filesystem::remove(sources / "B.hed");
    WatchingProgress watching(state.cataloguePath(Datum::World));

    const RegistrationResult result = RegisterTargets(state, targets, watching);

    EXPECT_EQ(result.registered, 2);
    EXPECT_EQ(result.failed.size(), 1u);
    EXPECT_GT(watching.looks, 10);
    EXPECT_EQ(watching.partialSetsSeen, 0);
    EXPECT_EQ(tableCounts(Datum::World, " WHERE FILENO=2"), (std::vector<int>{0, 0, 0, 0, 0}));
    // One raise per registered set; the failed one raised nothing.
    EXPECT_EQ(catalogue::ReadChangeCounter(state.catalogue(Datum::World)), 2);
    EXPECT_EQ(catalogue::ReadChangeCounter(state.catalogue(Datum::Japanese)), 0);
}

} // namespace
} // namespace ft::registration
