#include "core/workspace/workspace.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::workspace {
namespace {

int tableCount(catalogue::CatalogueDatabase& db)
{
    return db.GetTable("SELECT name FROM sqlite_master WHERE type = 'table'").Count();
}

TEST(Workspace, FirstStartCreatesBothCatalogues)
{
    test::TempFolder temp;
    const auto data = temp / "data";
    const auto settings = temp / "settings";
    Workspace state(data, settings);

    EXPECT_TRUE(std::filesystem::is_directory(settings));
    EXPECT_EQ(state.cataloguePath(Datum::Japanese), data / "Dorsajpn.db");
    EXPECT_EQ(state.cataloguePath(Datum::World), data / "Dorsawrd.db");
    EXPECT_TRUE(std::filesystem::exists(data / "Dorsajpn.db"));
    EXPECT_TRUE(std::filesystem::exists(data / "Dorsawrd.db"));
    EXPECT_EQ(tableCount(state.catalogue(Datum::Japanese)), 7);
    EXPECT_EQ(tableCount(state.catalogue(Datum::World)), 7);
    EXPECT_EQ(state.trace2().path(), data / "test2.log");
    EXPECT_EQ(state.settingsFile(), settings / "FindTavla.ini");
    EXPECT_EQ(state.currentDatum(), Datum::World);
}

TEST(Workspace, EachDatumHasItsOwnCatalogueAndWorkingFiles)
{
    test::TempFolder temp;
    Workspace state(temp.path(), temp.path());
    state.catalogue(Datum::Japanese).ExecSQL("INSERT INTO FILE (PATH, FILENO) VALUES ('/a', 1)");
    EXPECT_EQ(state.catalogue(Datum::Japanese).GetTable("SELECT * FROM FILE").Count(), 1);
    EXPECT_EQ(state.catalogue(Datum::World).GetTable("SELECT * FROM FILE").Count(), 0);

    state.setCurrentDatum(Datum::Japanese);
    EXPECT_EQ(&state.currentCatalogue(), &state.catalogue(Datum::Japanese));
    state.setCurrentDatum(datumFromCode(7));
    EXPECT_EQ(state.currentDatum(), Datum::World);
    EXPECT_EQ(&state.currentCatalogue(), &state.catalogue(Datum::World));

    EXPECT_EQ(state.workingFile(WorkingFileKind::SheetOutlines, Datum::Japanese),
              temp / "findTavla.zu1");
    EXPECT_EQ(state.workingFile(WorkingFileKind::Segments, Datum::Japanese),
              temp / "findTavla.az1");
    EXPECT_EQ(state.workingFile(WorkingFileKind::Extent, Datum::Japanese), temp / "findTavla.he1");
    EXPECT_EQ(state.workingFile(WorkingFileKind::SheetOutlines, Datum::World),
              temp / "findTavla.zu2");
    EXPECT_EQ(state.workingFile(WorkingFileKind::Segments, Datum::World), temp / "findTavla.az2");
    EXPECT_EQ(state.workingFile(WorkingFileKind::Extent, Datum::World), temp / "findTavla.he2");
}

TEST(Workspace, OnlyTheFirstRegistrationOfARunEmptiesTheLogs)
{
    // A start may come while another program's registration writes the logs:
    // it leaves them alone, as does everything but a registration.
    test::TempFolder temp;
    test::writeBytes(temp / "test.log", "other run\r\n");
    test::writeBytes(temp / "test2.log", "other run\r\n");
    Workspace state(temp.path(), temp.path());
    state.trace().writeLine("swallowed");
    EXPECT_EQ(test::readBytes(temp / "test.log"), "other run\r\n");
    EXPECT_EQ(test::readBytes(temp / "test2.log"), "other run\r\n");

    state.traces().beginRegistration();
    state.trace().writeLine("first");
    state.trace2().writeLine("first");
    state.traces().beginRegistration();
    state.trace().writeLine("second");
    EXPECT_EQ(test::readBytes(temp / "test.log"), "first\r\nsecond\r\n");
    EXPECT_EQ(test::readBytes(temp / "test2.log"), "first\r\n");
}

TEST(Workspace, ATraceLogThatCannotBeCreatedStopsNothing)
{
    test::TempFolder temp;
    std::filesystem::create_directory(temp / "test.log"); // a folder in the log's place
    Workspace state(temp.path(), temp.path());
    state.traces().beginRegistration();
    EXPECT_FALSE(state.trace().isOpen());
    state.trace().writeLine("swallowed");
    EXPECT_EQ(tableCount(state.catalogue(Datum::Japanese)), 7);
}

// One damaged catalogue does not stop the program: it stays closed and says
// why whenever it is asked for; the other datum works.
TEST(Workspace, ACatalogueThatCannotBeOpenedLeavesTheOtherUsable)
{
    test::TempFolder temp;
    test::writeBytes(temp / "Dorsawrd.db",
                     "not a database, but long enough to have a header page....");
    Workspace state(temp.path(), temp.path());
    EXPECT_FALSE(state.catalogues().isOpen(Datum::World));
    EXPECT_TRUE(state.catalogues().isOpen(Datum::Japanese));
    EXPECT_EQ(tableCount(state.catalogue(Datum::Japanese)), 7);
    const std::string failure = state.catalogues().openingFailure(Datum::World);
    EXPECT_NE(failure.find((temp / "Dorsawrd.db").string()), std::string::npos) << failure;
    try {
        state.catalogue(Datum::World);
        FAIL() << "a closed catalogue was handed out";
    } catch (const catalogue::ESQLiteException& error) {
        // The catalogue layer's own text follows the sentence unchanged.
        EXPECT_TRUE(failure.ends_with("\n\n" + std::string(error.what()))) << failure;
    }
    // Nothing was written over the damaged file.
    EXPECT_EQ(test::readBytes(temp / "Dorsawrd.db"),
              "not a database, but long enough to have a header page....");
}

} // namespace
} // namespace ft::workspace
