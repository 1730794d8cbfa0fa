// findTavla-cli register on the registration driver, with data sets built in
// a temp folder, then read back through files and search.

#include "cli/cli_run.h"
#include "cli/table_output.h"
#include "core/platform/path_text.h"

#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ft::cli {
namespace {

class CliRegisterTest : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& args)
    {
        m_out.str({});
        m_err.str({});
        return runCli(args, m_out, m_err, [this] {
            return CliFolders{m_folder / "data", m_folder / "settings"};
        });
    }

    test::TempFolder m_folder;
    std::filesystem::path m_sets = m_folder / "sets";
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(CliRegisterTest, FolderRegistersEachSetIntoItsDatumAndNamesTheOnesItCannot)
{
    const auto world = test::DataSetBuilder::smallValidSet(m_sets, "A01", 2).write();
    test::DataSetBuilder::smallValidSet(m_sets / "sub", "B01", 1).write();
    const auto unaccepted = test::DataSetBuilder::smallValidSet(m_sets, "C01", 2)
                                .setHeader(test::HeaderRecord("9", "x", "y", "3"))
                                .write();
    const auto broken = test::DataSetBuilder::smallValidSet(m_sets, "D01", 2)
                            .addPoint({"Ｐ９", "abc", "0.000"})
                            .write();

    EXPECT_EQ(run({"register", m_sets.string()}), 1);
    EXPECT_EQ(m_out.str(), unaccepted.string() + "は登録できません\n" + broken.string() +
                               "は登録できません\n2件登録しました\n");
    EXPECT_FALSE(m_err.str().empty()); // progress and reasons

    EXPECT_EQ(run({"--datum", "2", "files"}), 0);
    std::istringstream worldFiles(m_out.str());
    std::string line;
    std::getline(worldFiles, line);
    std::getline(worldFiles, line);
    // Fields are escaped: a Windows path's backslashes come out doubled.
    EXPECT_EQ(line.substr(0, line.find('\t')), escapedField(platform::pathText(m_sets / "A01")));
    EXPECT_FALSE(std::getline(worldFiles, line)); // one drawing only

    EXPECT_EQ(run({"--datum", "1", "search", "fpoints", "P1"}), 0);
    EXPECT_EQ(m_out.str().substr(0, 16), "TENNAME\tFILENO\nP");

    // Registered already: nothing to refuse, nothing registered anew.
    EXPECT_EQ(run({"register", world.string()}), 0);
    EXPECT_EQ(m_out.str(), "0件登録しました\n");
    EXPECT_NE(m_err.str().find("already registered"), std::string::npos);
}

TEST_F(CliRegisterTest, AHeaderThatFailsIsRefusedAndLeavesNothing)
{
    const auto broken = test::DataSetBuilder::smallValidSet(m_sets, "D01", 2)
                            .addPoint({"Ｐ９", "abc", "0.000"})
                            .write();
    EXPECT_EQ(run({"register", broken.string()}), 1);
    EXPECT_EQ(m_out.str(), broken.string() + "は登録できません\n0件登録しました\n");

    EXPECT_EQ(run({"--datum", "2", "search", "parcels"}), 1);
}

// A damaged catalogue costs only its own datum's sets, each refused with the
// catalogue named; the file is left as it was.
TEST_F(CliRegisterTest, ADamagedCatalogueRefusesItsDatumAndTheOtherRegisters)
{
    test::DataSetBuilder::smallValidSet(m_sets, "A01", 2).write();
    const auto japanese = test::DataSetBuilder::smallValidSet(m_sets, "B01", 1).write();
    const std::filesystem::path damaged = m_folder / "data" / "Dorsajpn.db";
    std::filesystem::create_directories(damaged.parent_path());
    const std::string garbage = "not a database, but long enough for a page";
    test::writeBytes(damaged, garbage);

    EXPECT_EQ(run({"register", m_sets.string()}), 1);
    EXPECT_EQ(m_out.str(), japanese.string() + "は登録できません\n1件登録しました\n");
    EXPECT_NE(m_err.str().find("The catalogue " + damaged.string() + " cannot be opened"),
              std::string::npos)
        << m_err.str();
    EXPECT_EQ(test::readBytes(damaged), garbage);
}

// Piped or redirected, standard error carries only the reasons of the
// failures; --quiet drops the count line too.
TEST_F(CliRegisterTest, InAScriptOnlyFailuresAndTheCountAreWritten)
{
    test::DataSetBuilder::smallValidSet(m_sets, "A01", 2).write();
    const auto broken = test::DataSetBuilder::smallValidSet(m_sets, "D01", 2)
                            .addPoint({"Ｐ９", "abc", "0.000"})
                            .write();

    EXPECT_EQ(run({"register", m_sets.string()}), 1);
    EXPECT_EQ(m_out.str(), broken.string() + "は登録できません\n1件登録しました\n");
    std::istringstream reasons(m_err.str());
    std::string line;
    while (std::getline(reasons, line))
        EXPECT_EQ(line.rfind(broken.string() + ": ", 0), 0u) << line;

    const auto more = test::DataSetBuilder::smallValidSet(m_sets / "more", "B01", 2).write();
    EXPECT_EQ(run({"register", "--quiet", (m_sets / "more").string()}), 0);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_EQ(m_err.str(), "");
}

TEST_F(CliRegisterTest, TraceLogsAreOffWhenTheSettingsOrTheOptionSaySo)
{
    struct Case {
        const char* settings; // FindTavla.ini, or nullptr for none
        bool noTrace;
        bool traced;
    };
    const Case cases[] = {
        {nullptr, false, true},
        {"[trace]\r\nenabled=1\r\n", false, true},
        {"[trace]\r\nenabled=0\r\n", false, false},
        {nullptr, true, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        std::filesystem::remove_all(m_folder / "data");
        std::filesystem::remove_all(m_folder / "settings");
        if (c.settings)
            test::writeBytes(m_folder / "settings" / "FindTavla.ini", c.settings);
        const auto set =
            test::DataSetBuilder::smallValidSet(m_sets / std::to_string(n++), "A01", 2).write();
        std::vector<std::string> args{"register", set.string()};
        if (c.noTrace)
            args.insert(args.begin(), "--no-trace");
        EXPECT_EQ(run(args), 0);
        EXPECT_EQ(std::filesystem::exists(m_folder / "data" / "test.log"), c.traced);
        EXPECT_EQ(std::filesystem::exists(m_folder / "data" / "test2.log"), c.traced);
    }
}

} // namespace
} // namespace ft::cli
