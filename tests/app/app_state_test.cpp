#include "app/app_state.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::app {
namespace {

int tableCount(catalogue::TSQLiteDatabase& db)
{
    return db.GetTable("SELECT name FROM sqlite_master WHERE type = 'table'").Count();
}

TEST(AppState, FirstStartCreatesBothCataloguesAndTheTraceLogs)
{
    test::TempFolder temp;
    const auto data = temp / "data";
    const auto settings = temp / "settings";
    AppState state(data, settings);

    EXPECT_TRUE(std::filesystem::is_directory(settings));
    EXPECT_EQ(state.cataloguePath(1), data / "Dorsajpn.db");
    EXPECT_EQ(state.cataloguePath(2), data / "Dorsawrd.db");
    EXPECT_TRUE(std::filesystem::exists(data / "Dorsajpn.db"));
    EXPECT_TRUE(std::filesystem::exists(data / "Dorsawrd.db"));
    EXPECT_EQ(tableCount(state.catalogue(1)), 7);
    EXPECT_EQ(tableCount(state.catalogue(2)), 7);
    EXPECT_TRUE(state.trace().isOpen());
    EXPECT_TRUE(std::filesystem::exists(data / "test.log"));
    EXPECT_EQ(state.trace2().path(), data / "test2.log");
    EXPECT_TRUE(std::filesystem::exists(data / "test2.log"));
    EXPECT_EQ(state.settingsFile(), settings / "FindTavla.ini");
    EXPECT_EQ(state.currentDatum(), 2);
    EXPECT_FALSE(state.drawingsPresent());
}

TEST(AppState, EachDatumHasItsOwnCatalogueAndWorkingFiles)
{
    test::TempFolder temp;
    AppState state(temp.path(), temp.path());
    state.catalogue(1).ExecSQL("INSERT INTO FILE (PATH, FILENO) VALUES ('/a', 1)");
    EXPECT_EQ(state.catalogue(1).GetTable("SELECT * FROM FILE").Count(), 1);
    EXPECT_EQ(state.catalogue(2).GetTable("SELECT * FROM FILE").Count(), 0);

    state.setCurrentDatum(1);
    EXPECT_EQ(&state.currentCatalogue(), &state.catalogue(1));
    state.setCurrentDatum(7);
    EXPECT_EQ(state.currentDatum(), 2);
    EXPECT_EQ(&state.currentCatalogue(), &state.catalogue(2));

    EXPECT_EQ(state.workingFile(WorkingFile::SheetOutlines, 1), temp / "findTavla.zu1");
    EXPECT_EQ(state.workingFile(WorkingFile::Segments, 1), temp / "findTavla.az1");
    EXPECT_EQ(state.workingFile(WorkingFile::Extent, 1), temp / "findTavla.he1");
    EXPECT_EQ(state.workingFile(WorkingFile::SheetOutlines, 2), temp / "findTavla.zu2");
    EXPECT_EQ(state.workingFile(WorkingFile::Segments, 2), temp / "findTavla.az2");
    EXPECT_EQ(state.workingFile(WorkingFile::Extent, 2), temp / "findTavla.he2");
}

TEST(AppState, RestartTruncatesTheLogsAndKeepsTheCatalogues)
{
    test::TempFolder temp;
    {
        AppState state(temp.path(), temp.path());
        state.trace().writeLine("first run");
        state.trace2().writeLine("first run");
        state.catalogue(2).ExecSQL("INSERT INTO FILE (PATH, FILENO) VALUES ('/a', 1)");
    }
    AppState state(temp.path(), temp.path());
    EXPECT_EQ(test::readBytes(temp / "test.log"), "");
    EXPECT_EQ(test::readBytes(temp / "test2.log"), "");
    EXPECT_EQ(state.catalogue(2).GetTable("SELECT * FROM FILE").Count(), 1);
}

TEST(AppState, ATraceLogThatCannotBeCreatedDoesNotStopStartUp)
{
    test::TempFolder temp;
    std::filesystem::create_directory(temp / "test.log"); // a folder in the log's place
    AppState state(temp.path(), temp.path());
    EXPECT_FALSE(state.trace().isOpen());
    state.trace().writeLine("swallowed");
    EXPECT_EQ(tableCount(state.catalogue(1)), 7);
}

TEST(AppState, ACatalogueThatCannotBeOpenedFailsStartUp)
{
    test::TempFolder temp;
    test::writeBytes(temp / "Dorsawrd.db",
                     "not a database, but long enough to have a header page....");
    EXPECT_THROW(AppState(temp.path(), temp.path()), catalogue::ESQLiteException);
}

} // namespace
} // namespace ft::app
