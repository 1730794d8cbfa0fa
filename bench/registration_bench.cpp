// findtavla-bench-registration: registers every data set below a folder (as
// the folder route does, all entries confirmed) into fresh catalogues, then
// replays the INSERT statements of the run's trace log through the sqlite3
// command-line shell, one transaction per source file, as the floor that
// registration is measured against.
//
//   findtavla-bench-registration --data FOLDER [--work FOLDER] [--sqlite3 PROGRAM]

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/platform/cp932.h"
#include "core/platform/progress.h"
#include "core/registration/discovery.h"
#include "core/registration/registration_driver.h"
#include "core/registration/target_list.h"
#include "core/workspace/workspace.h"
#include "devtools/temp_folder.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Options {
    fs::path data;
    std::optional<fs::path> work;
    std::string sqlite3 = "sqlite3";
};

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--data")
            options.data = argv[i + 1];
        else if (option == "--work")
            options.work = fs::path(argv[i + 1]);
        else if (option == "--sqlite3")
            options.sqlite3 = argv[i + 1];
        else
            return std::nullopt;
    }
    if (argc % 2 == 0 || options.data.empty())
        return std::nullopt;
    return options;
}

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long long rowsOf(ft::catalogue::TSQLiteDatabase& db)
{
    long long rows = 0;
    for (const char* table : {"FILE", "CHIBAN", "MAP", "FTEN", "ZTEN"})
        rows += std::stoll(db.GetTable(std::string("SELECT COUNT(*) FROM ") + table).Fields(0));
    return rows;
}

// The trace log's INSERT statements as a script for the sqlite3 shell: the
// statements of one source file stand together in the log, each file's run
// ended by a step line, so every run of INSERT lines becomes one transaction.
long long writeFloorScript(const fs::path& traceLog, const fs::path& script)
{
    std::ifstream in(traceLog, std::ios::binary);
    std::ofstream out(script, std::ios::binary);
    for (const std::string_view create : ft::catalogue::kCreateTableStatements)
        out << create << '\n';
    std::string line;
    bool inTransaction = false;
    long long statements = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const bool insert = line.starts_with("INSERT INTO ");
        if (insert && !inTransaction)
            out << "BEGIN;\n";
        if (!insert && inTransaction)
            out << "COMMIT;\n";
        inTransaction = insert;
        if (insert) {
            out << ft::platform::cp932ToUtf8(line) << '\n';
            ++statements;
        }
    }
    if (inTransaction)
        out << "COMMIT;\n";
    return statements;
}

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fputs("usage: findtavla-bench-registration --data FOLDER [--work FOLDER] [--sqlite3 "
                   "PROGRAM]\n",
                   stderr);
        return 2;
    }
    try {
        ft::test::TempFolder temp;
        const fs::path work = options->work.value_or(temp.path());
        fs::remove_all(work / "data");
        fs::remove_all(work / "settings");

        ft::platform::SilentProgress progress;
        long long rows = 0;
        double registration = 0.0;
        double registrationCpu = 0.0;
        int registered = 0;
        std::size_t sets = 0;
        {
            ft::workspace::Workspace state(work / "data", work / "settings");
            ft::registration::TargetList targets;
            ft::registration::PassedBy passedBy;
            ft::registration::CollectDataSets(options->data, targets, progress, passedBy);
            sets = targets.size();
            const auto start = Clock::now();
            const double cpuStart = cpuSeconds(RUSAGE_SELF);
            registered = ft::registration::RegisterTargets(state, targets, progress).registered;
            registration = secondsSince(start);
            registrationCpu = cpuSeconds(RUSAGE_SELF) - cpuStart;
            rows = rowsOf(state.catalogue(ft::workspace::Datum::Japanese)) +
                   rowsOf(state.catalogue(ft::workspace::Datum::World));
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);

        const fs::path script = work / "floor.sql";
        const fs::path floorDb = work / "floor.db";
        fs::remove(floorDb);
        const long long statements = writeFloorScript(work / "data" / "test.log", script);
        const auto floorStart = Clock::now();
        const std::string command =
            options->sqlite3 + " " + quoted(floorDb) + " < " + quoted(script);
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("the sqlite3 shell failed: " + command);
        const double floor = secondsSince(floorStart);
        const double floorCpu = cpuSeconds(RUSAGE_CHILDREN);

        std::printf("data sets found %zu, registered %d\n", sets, registered);
        std::printf("catalogue rows %lld (INSERT statements in the trace log %lld)\n", rows,
                    statements);
        std::printf("registration wall time   %8.2f s   %9.0f rows/s\n", registration,
                    rows / registration);
        std::printf("sqlite3 floor wall time  %8.2f s   %9.0f rows/s\n", floor, rows / floor);
        std::printf("ratio registration/floor %8.2f\n", registration / floor);
        std::printf("CPU time (user + sys)    %8.2f s registration, %.2f s sqlite3 floor\n",
                    registrationCpu, floorCpu);
        std::printf("peak memory (max RSS)    %8.1f MiB\n", usage.ru_maxrss / 1024.0);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-bench-registration: %s\n", error.what());
        return 1;
    }
}
