// Several programs on one data folder, each a process of its own: a program
// that holds the catalogues open and registers (the desktop program, or the
// test peer standing in for it), findTavla-cli opening and closing them
// meanwhile, and readers holding transactions. The processes are stepped
// through pipes, so every interleaving below happens on every run.

#include "devtools/child_process.h"
#include "devtools/dataset_builder.h"
#include "devtools/state_snapshot.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ft::cli {
namespace {

namespace fs = std::filesystem;
using test::ChildProcess;

// A home with the data and settings folders the tool takes from XDG.
struct Home {
    fs::path root;
    fs::path data() const { return root / "data" / "findTavla"; }
    fs::path settings() const { return root / "config" / "findTavla"; }
    std::vector<std::string> environment() const
    {
        return {"XDG_DATA_HOME=" + (root / "data").string(),
                "XDG_CONFIG_HOME=" + (root / "config").string(), "QT_QPA_PLATFORM=offscreen"};
    }
};

class SharedCatalogueProcessTest : public ::testing::Test {
protected:
    // `count` small data sets in a folder of their own, alternating datums.
    fs::path setsFolder(const std::string& name, int count)
    {
        const fs::path folder = m_folder / name;
        for (int i = 0; i < count; ++i)
            test::DataSetBuilder::smallValidSet(folder, name + std::to_string(i), 1 + i % 2)
                .write();
        return folder;
    }

    Home home(const std::string& name) const { return {m_folder / name}; }

    // findTavla-cli run to its end; its exit status.
    static int tool(const Home& where, const std::vector<std::string>& arguments)
    {
        return ChildProcess(FT_CLI_EXECUTABLE, arguments, where.environment()).wait();
    }

    // The test peer as a holder (catalogues open all along, as the desktop
    // program keeps them) or a visitor (opens them for each request).
    static std::unique_ptr<ChildProcess> peer(const std::string& role, const Home& where)
    {
        auto process = std::make_unique<ChildProcess>(
            FT_PEER_EXECUTABLE,
            std::vector<std::string>{role, where.data().string(), where.settings().string()},
            where.environment());
        EXPECT_EQ(process->readLine(), "open");
        return process;
    }

    static std::string ask(ChildProcess& process, const std::string& line)
    {
        process.sendLine(line);
        return process.readLine();
    }

    // What a run of the tool alone makes of the same folders.
    std::vector<std::string> quietRun(const std::vector<fs::path>& folders)
    {
        const Home quiet = home("quiet");
        for (const fs::path& folder : folders)
            EXPECT_EQ(tool(quiet, {"register", folder.string()}), 0);
        return test::registrationSnapshot(quiet.data());
    }

    test::TempFolder m_folder;
};

// A program holds the catalogues and registers; the tool opens and closes
// them between its registrations; the program is killed right after its
// last commit. Every committed set is there.
TEST_F(SharedCatalogueProcessTest, CommitsOfAProgramKilledAfterTheToolRanStay)
{
    const fs::path first = setsFolder("first", 2);
    const fs::path second = setsFolder("second", 2);
    const Home shared = home("shared");
    const auto holder = peer("holder", shared);

    EXPECT_EQ(ask(*holder, "register " + first.string()), "registered 2");
    EXPECT_EQ(tool(shared, {"search", "maps"}), 0);
    EXPECT_EQ(tool(shared, {"files", "--datum", "1"}), 0);
    EXPECT_EQ(ask(*holder, "register " + second.string()), "registered 2");
    holder->kill();

    EXPECT_EQ(test::registrationSnapshot(shared.data()), quietRun({first, second}));
}

// A registration while a second process searches in a loop and a third
// holds read transactions. Before each data set the tool searches once while
// a read is held, and once with the loop stopped and no read held: its close
// is then the last of every connection but the registrar's, whose lock alone
// keeps the tool from taking itself for the last user and deleting the
// write-ahead log the registrar goes on writing to. The registering program
// is killed after its run. The catalogues end as a quiet run's, and every
// search answers.
TEST_F(SharedCatalogueProcessTest, ARegistrationAmongSearchesAndReadersEqualsAQuietOne)
{
    const fs::path sets = setsFolder("sets", 8);
    const Home shared = home("shared");
    const auto registrar = peer("holder", shared);
    const auto searcher = peer("visitor", shared);
    const auto reader = peer("visitor", shared);

    registrar->sendLine("register-paused " + sets.string());
    std::string line = registrar->readLine();
    int pauses = 0;
    for (; line == "between"; line = registrar->readLine()) {
        ++pauses;
        EXPECT_EQ(ask(*reader, "hold"), "held");
        EXPECT_LE(tool(shared, {"search", "parcels"}), 1);
        EXPECT_EQ(ask(*reader, "release"), "released");
        if (pauses > 1) {
            const std::string searches = ask(*searcher, "stop");
            EXPECT_NE(searches.find(" failed 0"), std::string::npos) << searches;
        }
        EXPECT_LE(tool(shared, {"search", "fpoints"}), 1);
        searcher->sendLine("search-loop");
        registrar->sendLine("go");
    }
    EXPECT_EQ(line, "registered 8");
    EXPECT_GE(pauses, 8);
    const std::string searches = ask(*searcher, "stop");
    EXPECT_NE(searches.find(" failed 0"), std::string::npos) << searches;
    // The registering program then ends abruptly, as a window can.
    registrar->kill();

    EXPECT_EQ(test::registrationSnapshot(shared.data()), quietRun({sets}));
}

// The desktop program's window holds its catalogues across registrations
// made in it while the tool searches and lists; the window is then killed.
// Nothing it registered is lost.
TEST_F(SharedCatalogueProcessTest, RegistrationsInTheWindowSurviveTheToolAndAKill)
{
    const fs::path first = setsFolder("first", 2);
    const fs::path second = setsFolder("second", 2);
    const Home shared = home("shared");
    ChildProcess window(FT_WINDOW_PEER_EXECUTABLE,
                        {shared.data().string(), shared.settings().string()}, shared.environment());
    ASSERT_EQ(window.readLine(), "open");

    EXPECT_EQ(ask(window, "register " + first.string()), "registered");
    EXPECT_EQ(tool(shared, {"search", "parcels"}), 0);
    EXPECT_EQ(ask(window, "register " + second.string()), "registered");
    EXPECT_EQ(tool(shared, {"files", "--datum", "2"}), 0);
    window.kill();

    EXPECT_EQ(test::registrationSnapshot(shared.data()), quietRun({first, second}));
}

} // namespace
} // namespace ft::cli
