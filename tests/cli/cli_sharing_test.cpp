// findTavla-cli on a data folder that other programs use at the same time:
// a registration running elsewhere, one that was killed halfway, and the
// trace logs they write.

#include "cli/cli_run.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/platform/file_lock.h"
#include "core/registration/registration_driver.h"
#include "core/registration/tidy_record.h"
#include "core/workspace/workspace.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ft::cli {
namespace {

namespace fs = std::filesystem;

class CliSharingTest : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& args)
    {
        m_out.str({});
        m_err.str({});
        return runCli(args, m_out, m_err, [this] { return CliFolders{m_data, m_folder / "cfg"}; });
    }

    fs::path validSet(const std::string& name)
    {
        return test::DataSetBuilder::smallValidSet(m_folder / "sets", name, 2).write();
    }

    test::TempFolder m_folder;
    fs::path m_data = m_folder / "data";
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(CliSharingTest, AStartAfterAnInterruptedRunListsNoRowOfASetThatNeverRegistered)
{
    ASSERT_EQ(run({"register", validSet("A").string()}), 0);
    EXPECT_FALSE(fs::exists(registration::RunMarkerPath(m_data)));
    {
        // A run killed while it registered a second set.
        workspace::Workspace state(m_data, m_folder / "cfg");
        state.catalogue(workspace::Datum::World)
            .ExecSQL("INSERT INTO MAP VALUES ('orphan', 7, 500, 0, 0, 0);");
        test::writeBytes(registration::RunMarkerPath(m_data), "");
    }
    EXPECT_EQ(run({"search", "maps", "orphan"}), 1);
    EXPECT_EQ(run({"search", "maps"}), 0);
    EXPECT_EQ(m_out.str().find("orphan"), std::string::npos);
    EXPECT_FALSE(fs::exists(registration::RunMarkerPath(m_data)));
}

TEST_F(CliSharingTest, ASecondRegisterIsToldAnotherRunsWhileTheFirstCommits)
{
    // The first run holds the data folder and is in the middle of a commit.
    fs::create_directories(m_data);
    catalogue::TSQLiteDatabase first((m_data / "Dorsawrd.db").string());
    catalogue::CreateSchemaIfMissing(first);
    const platform::FileLock running(m_data / "findTavla.lock");
    first.ExecSQL("BEGIN EXCLUSIVE");

    EXPECT_EQ(run({"register", validSet("A").string()}), 2);
    EXPECT_NE(m_err.str().find("Another findTavla is registering"), std::string::npos)
        << m_err.str();
    EXPECT_EQ(run({"files"}), 1);
    first.ExecSQL("ROLLBACK");
}

TEST_F(CliSharingTest, OnlyRegisterEmptiesTheTraceLogs)
{
    const std::string othersLine = "written by a registration of another program\r\n";
    test::writeBytes(m_data / "test.log", othersLine);
    test::writeBytes(m_data / "test2.log", othersLine);
    run({"files"});
    run({"search", "fpoints"});
    EXPECT_EQ(test::readBytes(m_data / "test.log"), othersLine);
    EXPECT_EQ(test::readBytes(m_data / "test2.log"), othersLine);

    EXPECT_EQ(run({"register", validSet("A").string()}), 0);
    const std::string log = test::readBytes(m_data / "test.log");
    EXPECT_EQ(log.find(othersLine), std::string::npos);
    EXPECT_NE(log.find("storeFileName,1,"), std::string::npos);
    EXPECT_EQ(test::readBytes(m_data / "test2.log").find(othersLine), std::string::npos);
}

// The record that spares the next run its tidy-up cannot be written (a
// folder in its place): the run that registered succeeds, and every later
// command runs as usual.
TEST_F(CliSharingTest, ATidyRecordThatCannotBeWrittenIsToldAndStopsNothing)
{
    fs::create_directories(registration::TidyRecordPath(m_data) / "in the way");

    EXPECT_EQ(run({"register", validSet("A").string()}), 0);
    EXPECT_EQ(run({"files"}), 0);
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(run({"register", validSet("B").string()}), 0);
    EXPECT_EQ(run({"files"}), 0);
    EXPECT_EQ(m_err.str(), "");
    EXPECT_NE(m_out.str().find("B"), std::string::npos) << m_out.str();
    EXPECT_FALSE(fs::exists(registration::RunMarkerPath(m_data)));
}

} // namespace
} // namespace ft::cli
