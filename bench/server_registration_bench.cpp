// findtavla-bench-server-registration: registers every data set below a
// folder three ways, side by side in one run, and prints wall and CPU time:
//  1. into fresh catalogue files (the embedded engine);
//  2. into the catalogue schemas of a PostgreSQL server, emptied first;
//  3. the INSERT statements of run 2's trace log, adapted to the server's
//     dialect, replayed through psql into a schema of the same tables, one
//     transaction per source file (the client floor the issue names).
//
//   findtavla-bench-server-registration --data FOLDER --server CONNECTION
//       [--work FOLDER] [--psql PROGRAM]
//
// The server's own CPU time is read from /proc for the backends of run 2
// (the server must run on this machine).

#include "bench/bench_support.h"
#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/server_dialect.h"
#include "core/catalogue/server_setup.h"
#include "core/platform/cp932.h"
#include "core/platform/progress.h"
#include "core/registration/discovery.h"
#include "core/registration/registration_driver.h"
#include "core/registration/target_list.h"
#include "core/search/search_statements.h"
#include "core/workspace/workspace.h"
#include "devtools/temp_folder.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ft::bench::Clock;
using ft::bench::cpuSeconds;
using ft::bench::secondsSince;
using ft::workspace::Datum;

struct Options {
    fs::path data;
    std::string server;
    std::optional<fs::path> work;
    std::string psql = "psql";
};

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() % 2 != 0)
        return std::nullopt;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string value(args[i + 1]);
        if (args[i] == "--data")
            options.data = value;
        else if (args[i] == "--server")
            options.server = value;
        else if (args[i] == "--work")
            options.work = fs::path(value);
        else if (args[i] == "--psql")
            options.psql = value;
        else
            return std::nullopt;
    }
    if (options.data.empty() || options.server.empty())
        return std::nullopt;
    return options;
}

struct Timing {
    double wall = 0;
    double cpu = 0;       // this process (or the client program)
    double serverCpu = 0; // the server's backends, when known
    long long rows = 0;
};

// User plus system time of a process on this machine, from /proc.
double processCpuSeconds(const std::string& pid)
{
    std::ifstream in("/proc/" + pid + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i >= 14)
            ticks += std::stod(field);
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long long rowsOf(ft::catalogue::CatalogueDatabase& db)
{
    long long rows = 0;
    for (const char* table : {"FILE", "CHIBAN", "MAP", "FTEN", "ZTEN"})
        rows += std::stoll(db.GetTable(std::string("SELECT COUNT(*) FROM ") + table).Fields(0));
    return rows;
}

double backendsCpu(ft::workspace::Workspace& state, std::vector<std::string>& pids)
{
    if (pids.empty())
        for (const Datum datum : ft::workspace::kDatums)
            pids.push_back(state.catalogue(datum).GetTable("SELECT pg_backend_pid()").Fields(0));
    double seconds = 0;
    for (const std::string& pid : pids)
        seconds += processCpuSeconds(pid);
    return seconds;
}

// Registers every set below the data folder into the workspace's
// catalogues; `server` empty means the files.
Timing registerAll(const Options& options, const fs::path& desk, const std::string& server)
{
    ft::platform::SilentProgress progress;
    ft::workspace::Workspace state(desk / "data", desk / "settings",
                                   ft::workspace::Workspace::Traces::AsSettingsSay, server);
    ft::registration::TargetList targets;
    ft::registration::PassedBy passedBy;
    ft::registration::CollectDataSets(options.data, targets, progress, passedBy);
    std::vector<std::string> pids;
    const double serverBefore = server.empty() ? 0 : backendsCpu(state, pids);
    Timing timing;
    const auto start = Clock::now();
    const double cpuStart = cpuSeconds(RUSAGE_SELF);
    ft::registration::RegisterTargets(state, targets, progress);
    timing.wall = secondsSince(start);
    timing.cpu = cpuSeconds(RUSAGE_SELF) - cpuStart;
    timing.serverCpu = server.empty() ? 0 : backendsCpu(state, pids) - serverBefore;
    for (const Datum datum : ft::workspace::kDatums)
        timing.rows += rowsOf(state.catalogue(datum));
    return timing;
}

// The parcel list with every field empty (the longest list there is) on
// the world datum's catalogue: the time to its first row and to its last.
void measureFirstRows(const fs::path& desk, const std::string& server, const char* name)
{
    ft::workspace::Workspace state(desk / "data", desk / "settings",
                                   ft::workspace::Workspace::Traces::Off, server);
    const std::string statement = ft::search::parcelStatement({}, ft::search::MatchMode::Prefix);
    const auto start = Clock::now();
    ft::catalogue::ResultCursor rows = state.catalogue(Datum::World).OpenCursor(statement);
    rows.Step();
    const double first = secondsSince(start);
    long long count = 1;
    while (rows.Step())
        ++count;
    std::printf("%-28s first row %.3f s, all %lld rows %.3f s\n", name, first, count,
                secondsSince(start));
}

void emptyServer(const std::string& server)
{
    const auto admin = ft::catalogue::OpenServerCatalogue(server, "ft_bench_admin");
    for (const char* schema : {"dorsajpn", "dorsawrd", "ft_bench_replay"})
        admin->ExecSQL(std::string("DROP SCHEMA IF EXISTS ") + schema + " CASCADE");
}

// The trace log's statements through psql into a schema of the same tables.
Timing replayThroughPsql(const Options& options, const fs::path& traceLog, const fs::path& work)
{
    const std::string schema = "ft_bench_replay";
    const fs::path setup = work / "replay-schema.sql";
    const fs::path script = work / "replay.sql";
    ft::bench::writeInsertScript(fs::path(), ft::catalogue::ServerSetupStatements(schema), setup,
                                 [](const std::string& line) { return line; });
    Timing timing;
    timing.rows = ft::bench::writeInsertScript(
        traceLog, {"SET search_path TO " + schema}, script, [](const std::string& line) {
            return ft::catalogue::ServerStatement(ft::platform::cp932ToUtf8(line));
        });
    const std::string psql = options.psql + " -q -X -v ON_ERROR_STOP=1 " +
                             ft::bench::shellQuoted(options.server) + " -f ";
    ft::bench::timedCommand(psql + ft::bench::shellQuoted(setup) + " > /dev/null");
    const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
    timing.wall = ft::bench::timedCommand(psql + ft::bench::shellQuoted(script) + " > /dev/null");
    timing.cpu = cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
    return timing;
}

void print(const char* name, const Timing& timing)
{
    std::printf("%-28s %8.2f s wall %9.0f rows/s   CPU %.2f s", name, timing.wall,
                timing.rows / timing.wall, timing.cpu);
    if (timing.serverCpu > 0)
        std::printf(" + server %.2f s", timing.serverCpu);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fputs("usage: findtavla-bench-server-registration --data FOLDER --server CONNECTION "
                   "[--work FOLDER] [--psql PROGRAM]\n",
                   stderr);
        return 2;
    }
    try {
        ft::test::TempFolder temp;
        const fs::path work = options->work.value_or(temp.path());
        for (const char* desk : {"files", "server"})
            fs::remove_all(work / desk);
        emptyServer(options->server);
        const Timing files = registerAll(*options, work / "files", {});
        const Timing server = registerAll(*options, work / "server", options->server);
        const Timing psql = replayThroughPsql(*options, work / "server/data/test.log", work);
        std::printf("catalogue rows: files %lld, server %lld, psql replay %lld statements\n",
                    files.rows, server.rows, psql.rows);
        print("registration into files", files);
        print("registration into server", server);
        print("psql replaying its INSERTs", psql);
        std::printf("ratio server/files %.2f, server/psql %.2f\n", server.wall / files.wall,
                    server.wall / psql.wall);
        measureFirstRows(work / "files", {}, "parcel list, files");
        measureFirstRows(work / "server", options->server, "parcel list, server");
        std::printf("load average at the end: ");
        std::fflush(stdout);
        ft::bench::timedCommand("cut -d' ' -f1-3 /proc/loadavg");
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-bench-server-registration: %s\n", error.what());
        return 1;
    }
}
