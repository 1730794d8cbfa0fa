// Another program on the same data folder, for the tests that make several
// processes meet there. As a holder it opens both catalogues at its start
// and holds them open, as the desktop program does; as a visitor it opens
// them only for what it is asked, as the command-line tool and a reader in
// a shell do. Then it does what its standard input asks, one line at a
// time, answering each with one line:
//
//   register FOLDER         (holder) registers the folder's data sets as the
//                           tool does -> "registered N"
//   register-paused FOLDER  (holder) the same, but before each data set it
//                           writes "between" and waits for a line "go"
//   hold / release          opens connections of its own with a read
//                           transaction on both catalogues / ends and closes
//                           them -> "held" / "released"
//   search-loop             searches both catalogues, opening and closing
//                           its connections for every search, until a line
//                           "stop" comes -> "searched N failed M"
//   quit                    ends
//
// Usage: findtavla-test-peer holder|visitor DATA_FOLDER SETTINGS_FOLDER;
// writes "open" when ready.

#include "cli/driver_registrar.h"

#include "core/catalogue/sqlite_database.h"
#include "core/workspace/workspace.h"

#include <poll.h>
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using ft::workspace::Datum;
namespace fs = std::filesystem;
using Connections = std::vector<std::unique_ptr<ft::catalogue::TSQLiteDatabase>>;

// A connection to each catalogue of the folder.
Connections connect(const fs::path& dataFolder)
{
    Connections connections;
    for (const Datum datum : ft::workspace::kDatums)
        connections.push_back(std::make_unique<ft::catalogue::TSQLiteDatabase>(
            ft::workspace::Catalogues::pathIn(dataFolder, datum).string()));
    return connections;
}

// Stops before every data set of a run until the test says go.
class PausingProgress final : public ft::platform::Progress {
public:
    void showStatus(const QString&) override {}
    void processEvents() override {}
    void beginBusy() override {}
    void endBusy() override {}
    bool stopRequested() override
    {
        std::cout << "between" << std::endl;
        std::string line;
        std::getline(std::cin, line);
        return line != "go";
    }
};

bool inputWaiting()
{
    pollfd input{STDIN_FILENO, POLLIN, 0};
    return ::poll(&input, 1, 0) > 0;
}

// One search as a separate program makes it: its own connections, closed
// afterwards. False when it fails.
bool searchOnce(const fs::path& dataFolder)
{
    try {
        for (const auto& db : connect(dataFolder))
            db->GetTable("SELECT COUNT(*) FROM CHIBAN JOIN FILE USING (FILENO);");
        return true;
    } catch (const std::exception& error) {
        std::cerr << "search failed: " << error.what() << '\n';
        return false;
    }
}

void searchUntilStopped(const fs::path& dataFolder)
{
    int searched = 0;
    int failed = 0;
    while (!inputWaiting())
        ++(searchOnce(dataFolder) ? searched : failed);
    std::string stop;
    std::getline(std::cin, stop);
    std::cout << "searched " << searched << " failed " << failed << std::endl;
}

// A read transaction keeps the snapshot it read first until it ends.
Connections holdReads(const fs::path& dataFolder)
{
    Connections held = connect(dataFolder);
    for (const auto& db : held) {
        db->BeginTransaction();
        db->GetTable("SELECT COUNT(*) FROM FILE;");
    }
    return held;
}

void releaseReads(Connections& held)
{
    for (const auto& db : held)
        db->Commit();
    held.clear();
}

int registerFolder(std::unique_ptr<ft::workspace::Workspace>& workspace, const std::string& folder,
                   ft::platform::Progress& progress)
{
    if (!workspace)
        throw std::runtime_error("a visitor does not register");
    ft::cli::DriverRegistrar registrar(*workspace, progress);
    return registrar.registerFolder(folder).registered;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string role = argc == 4 ? argv[1] : "";
    if (role != "holder" && role != "visitor") {
        std::cerr << "usage: findtavla-test-peer holder|visitor DATA_FOLDER SETTINGS_FOLDER\n";
        return 2;
    }
    const fs::path dataFolder = argv[2];
    try {
        std::unique_ptr<ft::workspace::Workspace> workspace;
        if (role == "holder")
            workspace = std::make_unique<ft::workspace::Workspace>(dataFolder, argv[3]);
        std::cout << "open" << std::endl;
        ft::platform::SilentProgress quiet;
        PausingProgress pausing;
        Connections held;
        std::string line;
        while (std::getline(std::cin, line) && line != "quit") {
            const std::size_t blank = line.find(' ');
            const std::string command = line.substr(0, blank);
            const std::string operand = blank == std::string::npos ? "" : line.substr(blank + 1);
            if (command == "register" || command == "register-paused") {
                ft::platform::Progress& progress =
                    command == "register" ? static_cast<ft::platform::Progress&>(quiet) : pausing;
                const int registered = registerFolder(workspace, operand, progress);
                std::cout << "registered " << registered << std::endl;
            } else if (command == "hold") {
                held = holdReads(dataFolder);
                std::cout << "held" << std::endl;
            } else if (command == "release") {
                releaseReads(held);
                std::cout << "released" << std::endl;
            } else if (command == "search-loop") {
                searchUntilStopped(dataFolder);
            } else {
                std::cout << "unknown command " << line << std::endl;
            }
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "findtavla-test-peer: " << error.what() << '\n';
        std::cout << "error " << error.what() << std::endl;
        return 1;
    }
}
