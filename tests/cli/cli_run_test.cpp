#include "cli/cli_run.h"

#include "core/workspace/settings_file.h"
#include "core/workspace/workspace.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ft::cli {
using workspace::Datum;
namespace {

// The tool run as a function on catalogues in a temp folder.
class RunCliTest : public ::testing::Test {
protected:
    RunCliTest()
    {
        workspace::Workspace state(dataFolder(), settingsFolder());
        state.catalogue(Datum::Japanese)
            .ExecSQL("INSERT INTO FILE VALUES ('/測量/jpn', '2020/01/01 00:00:00', 4, '甲社', "
                     "'北', 0, 1)");
        auto& world = state.catalogue(Datum::World);
        world.ExecSQL(
            "INSERT INTO FILE VALUES ('/測量/b', '2020/01/01 00:00:00', 2, '乙社', '南', 0, 2)");
        world.ExecSQL("INSERT INTO FILE VALUES ('/測量/a\tb', '', 1, '', '', 0, 2)");
        world.ExecSQL(
            "INSERT INTO CHIBAN VALUES ('本町', '東', '12-3', 1, '山田', 'ﾔﾏﾀﾞ', 12, 3, 0, 2)");
        world.ExecSQL("INSERT INTO FTEN VALUES ('K1', 2, 1, 0, 1)");
    }

    std::filesystem::path dataFolder() const { return m_folder / "data"; }
    std::filesystem::path settingsFolder() const { return m_folder / "settings"; }

    int run(const std::vector<std::string>& args)
    {
        m_out.str({});
        m_err.str({});
        return runCli(args, m_out, m_err, [this] {
            ++m_foldersAsked;
            return CliFolders{dataFolder(), settingsFolder()};
        });
    }

    int fileRows(int datum)
    {
        workspace::Workspace state(dataFolder(), settingsFolder());
        return state.catalogue(workspace::datumFromCode(datum))
            .GetTable("SELECT * FROM FILE")
            .Count();
    }

    test::TempFolder m_folder;
    std::ostringstream m_out;
    std::ostringstream m_err;
    int m_foldersAsked = 0;
};

TEST_F(RunCliTest, UsageErrorsAnswerTwoWithoutTouchingTheFolders)
{
    EXPECT_EQ(run({"search", "parcels", "--mode", "fuzzy"}), 2);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_NE(m_err.str().find("--mode"), std::string::npos);
    EXPECT_EQ(run({"delete-all"}), 2);
    EXPECT_EQ(fileRows(2), 2);
    EXPECT_EQ(m_foldersAsked, 0);

    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(m_out.str().find("delete-all --yes"), std::string::npos);
    EXPECT_EQ(m_foldersAsked, 0);
}

TEST_F(RunCliTest, FilesListsTheSavedDatumInDrawingOrderAndEscapesTabs)
{
    EXPECT_EQ(run({"files"}), 0); // no settings file: datum 2
    EXPECT_EQ(m_out.str(), "PATH\tFILENO\tCREATER\tCHIKU\tSOKU\n"
                           "/測量/a\\tb\t1\t\t\t2\n"
                           "/測量/b\t2\t乙社\t南\t2\n");

    workspace::writeSavedDatum(settingsFolder() / "FindTavla.ini", ft::workspace::Datum::Japanese);
    EXPECT_EQ(run({"files"}), 0);
    EXPECT_EQ(m_out.str(), "PATH\tFILENO\tCREATER\tCHIKU\tSOKU\n/測量/jpn\t4\t甲社\t北\t1\n");
}

TEST_F(RunCliTest, DatumOptionHoldsForOneRunAndIsNotSaved)
{
    const auto settings = settingsFolder() / "FindTavla.ini";
    workspace::writeSavedDatum(settings, ft::workspace::Datum::Japanese);
    EXPECT_EQ(run({"--datum", "2", "search", "parcels", "--oaza", "本"}), 0);
    EXPECT_EQ(m_out.str(), "OOAZA\tKOAZA\tCHIBAN\tSNAME\tKNAME\tFILENO\tMODE\n"
                           "本町\t東\t12-3\t山田\tﾔﾏﾀﾞ\t2\t筆\n");
    EXPECT_EQ(ft::workspace::datumCode(workspace::readSavedDatum(settings)), 1);
}

TEST_F(RunCliTest, NothingFoundAnswersOneWithTheColumnLine)
{
    EXPECT_EQ(run({"search", "parcels", "--oaza", "本", "--mode", "exact"}), 1);
    EXPECT_EQ(m_out.str(), "OOAZA\tKOAZA\tCHIBAN\tSNAME\tKNAME\tFILENO\tMODE\n");
    EXPECT_EQ(m_err.str(), "見つかりません\n");

    EXPECT_EQ(run({"--datum", "1", "search", "fpoints"}), 1);
    EXPECT_EQ(run({"search", "fpoints"}), 0);
    EXPECT_EQ(m_out.str(), "TENNAME\tFILENO\nK1\t2\n");
    EXPECT_EQ(run({"search", "zpoints", "K1"}), 1);
    EXPECT_EQ(m_out.str(), "TENNAME\tFILENO\n");
}

TEST_F(RunCliTest, DeleteAllClearsOnlyTheChosenDatum)
{
    EXPECT_EQ(run({"--datum", "1", "delete-all", "--yes"}), 0);
    EXPECT_EQ(m_out.str(), "1件削除しました\n");
    EXPECT_NE(m_err.str().find("FILE 1"), std::string::npos) << m_err.str();
    EXPECT_EQ(fileRows(1), 0);
    EXPECT_EQ(fileRows(2), 2);
    EXPECT_EQ(run({"--datum", "1", "files"}), 1);
}

TEST_F(RunCliTest, OutputThatCannotBeWrittenIsAnError)
{
    // A stream without a buffer fails every write, as a full disk does.
    std::ostream broken(nullptr);
    const auto folders = [this] { return CliFolders{dataFolder(), settingsFolder()}; };
    EXPECT_EQ(runCli({"files"}, broken, m_err, folders), 2);
    EXPECT_NE(m_err.str().find("cannot write"), std::string::npos);
    EXPECT_EQ(runCli({"--help"}, broken, m_err, folders), 2);
}

TEST_F(RunCliTest, CatalogueErrorsAnswerTwoWithTheMessageOnOneLinePerPart)
{
    {
        workspace::Workspace state(dataFolder(), settingsFolder());
        // A MAP table of some other program: the search names a missing column.
        state.catalogue(Datum::World).ExecSQL("DROP TABLE MAP");
        state.catalogue(Datum::World).ExecSQL("CREATE TABLE MAP (X TEXT)");
    }
    EXPECT_EQ(run({"search", "maps", "12"}), 2);
    const std::string message = m_err.str();
    // A sentence first, the catalogue layer's text after it, a line per part.
    EXPECT_EQ(message.rfind("findTavla-cli: The catalogue could not be read or written.", 0), 0)
        << message;
    EXPECT_NE(message.find("\n\nError executing SQL.\nError [1]:"), std::string::npos) << message;
    EXPECT_EQ(message.find('\r'), std::string::npos);
}

} // namespace
} // namespace ft::cli
