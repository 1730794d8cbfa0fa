// findtavla-bench-registration: registers every data set below a folder (as
// the folder route does, all entries confirmed) into fresh catalogues, then
// replays the INSERT statements of the run's trace log through the sqlite3
// command-line shell, one transaction per source file, into a catalogue with
// the same tables and indexes, as the floor that registration is measured
// against. Then runs the registration again over the same folder, which
// finds nothing new, and times that run; its floor is the sqlite3 shell
// reading the FILE rows of the catalogue.
//
//   findtavla-bench-registration --data FOLDER [--work FOLDER] [--sqlite3 PROGRAM]
//   findtavla-bench-registration --data FOLDER --work FOLDER --rerun-only
//
// --rerun-only skips the first registration and the replay and times only
// the run that finds nothing new, on the catalogues left in --work.

#include "bench/bench_support.h"
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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ft::bench::Clock;

struct Options {
    fs::path data;
    std::optional<fs::path> work;
    std::string sqlite3 = "sqlite3";
    bool rerunOnly = false;
};

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (std::erase(args, "--rerun-only") > 0)
        options.rerunOnly = true;
    if (args.size() % 2 != 0)
        return std::nullopt;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string_view option = args[i];
        const std::string value(args[i + 1]);
        if (option == "--data")
            options.data = value;
        else if (option == "--work")
            options.work = fs::path(value);
        else if (option == "--sqlite3")
            options.sqlite3 = value;
        else
            return std::nullopt;
    }
    if (options.data.empty() || (options.rerunOnly && !options.work))
        return std::nullopt;
    return options;
}

using ft::bench::cpuSeconds;
using ft::bench::secondsSince;

long long rowsOf(ft::catalogue::CatalogueDatabase& db)
{
    long long rows = 0;
    for (const char* table : {"FILE", "CHIBAN", "MAP", "FTEN", "ZTEN"})
        rows += std::stoll(db.GetTable(std::string("SELECT COUNT(*) FROM ") + table).Fields(0));
    return rows;
}

// The CREATE statements of the catalogue's tables and indexes, tables first,
// so that the floor writes into the same structure as the program.
std::vector<std::string> schemaOf(ft::catalogue::CatalogueDatabase& db)
{
    std::vector<std::string> statements;
    ft::catalogue::TSQLiteTable rows =
        db.GetTable("SELECT sql FROM sqlite_master WHERE sql IS NOT NULL "
                    "ORDER BY type='index', rowid");
    for (; !rows.Eof(); rows.Next())
        statements.push_back(rows.Fields(0));
    return statements;
}

// A run over the same data sets, which are all registered by now.
void measureRerun(const Options& options, const fs::path& work)
{
    ft::platform::SilentProgress progress;
    ft::workspace::Workspace state(work / "data", work / "settings");
    ft::registration::TargetList targets;
    ft::registration::PassedBy passedBy;
    const auto walkStart = Clock::now();
    ft::registration::CollectDataSets(options.data, targets, progress, passedBy);
    const double walk = secondsSince(walkStart);
    const double residentBefore = ft::bench::residentMiB();
    const auto start = Clock::now();
    const double cpuStart = cpuSeconds(RUSAGE_SELF);
    const ft::registration::RegistrationResult result =
        ft::registration::RegisterTargets(state, targets, progress);
    const double rerun = secondsSince(start);
    const double rerunCpu = cpuSeconds(RUSAGE_SELF) - cpuStart;
    const double residentAfter = ft::bench::residentMiB();
    const double floor = ft::bench::timedCommand(
        options.sqlite3 + " " +
        ft::bench::shellQuoted(state.cataloguePath(ft::workspace::Datum::World)) +
        " 'SELECT PATH,TIME FROM FILE' > /dev/null");
    std::printf("run finding nothing new: %zu sets, registered %d, already registered %d\n",
                targets.size(), result.registered, result.alreadyRegistered);
    std::printf("finding the sets (walk)  %8.3f s (not part of the run)\n", walk);
    std::printf("run wall time            %8.3f s   CPU %.3f s\n", rerun, rerunCpu);
    std::printf("sqlite3 reading FILE     %8.3f s (floor)\n", floor);
    std::printf("resident memory          %8.1f MiB -> %.1f MiB\n", residentBefore, residentAfter);
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
        if (options->rerunOnly) {
            measureRerun(*options, work);
            return 0;
        }
        fs::remove_all(work / "data");
        fs::remove_all(work / "settings");

        ft::platform::SilentProgress progress;
        long long rows = 0;
        double registration = 0.0;
        double registrationCpu = 0.0;
        int registered = 0;
        std::size_t sets = 0;
        std::vector<std::string> schema;
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
            schema = schemaOf(state.catalogue(ft::workspace::Datum::World));
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);

        const fs::path script = work / "floor.sql";
        const fs::path floorDb = work / "floor.db";
        fs::remove(floorDb);
        const long long statements = ft::bench::writeInsertScript(
            work / "data" / "test.log", schema, script,
            [](const std::string& line) { return ft::platform::cp932ToUtf8(line); });
        const auto floorStart = Clock::now();
        const std::string command = options->sqlite3 + " " + ft::bench::shellQuoted(floorDb) +
                                    " < " + ft::bench::shellQuoted(script);
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
        std::printf("indexes of the catalogue %8zu\n",
                    static_cast<std::size_t>(
                        std::count_if(schema.begin(), schema.end(), [](const std::string& sql) {
                            return sql.starts_with("CREATE INDEX");
                        })));
        measureRerun(*options, work);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-bench-registration: %s\n", error.what());
        return 1;
    }
}
