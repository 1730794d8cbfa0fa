// No catalogue file, nor its -wal, -shm or -journal, is opened by anything
// but SQLite. On POSIX systems closing any descriptor of a file drops every
// lock the process holds on it, so one stray open and close of a catalogue
// lets another program take its write-ahead log for unused and delete it.
//
// This executable defines open, openat and fopen itself: the dynamic linker
// binds every library's calls to them here, so each open of the program is
// seen, with the library that asked for it.

#include "cli/cli_run.h"

#include "core/workspace/workspace.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sqlite3.h>

#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What the interposed functions saw: opens of catalogue files, split by
// whether SQLite asked for them.
struct OpenLog {
    std::mutex mutex;
    std::vector<std::string> bySqlite;
    std::vector<std::string> byOthers;
};

OpenLog& openLog()
{
    static OpenLog log;
    return log;
}

bool namesACatalogue(const char* path)
{
    if (path == nullptr)
        return false;
    const std::string_view name(path);
    return name.find("Dorsajpn.db") != std::string_view::npos ||
           name.find("Dorsawrd.db") != std::string_view::npos;
}

// The object (executable or shared library) that holds the code at `address`.
const void* objectOf(const void* address)
{
    Dl_info info{};
    return dladdr(address, &info) != 0 ? info.dli_fbase : nullptr;
}

void note(const char* path, const void* caller)
{
    if (!namesACatalogue(path))
        return;
    static const void* const sqlite = objectOf(reinterpret_cast<const void*>(&sqlite3_open_v2));
    OpenLog& log = openLog();
    const std::lock_guard lock(log.mutex);
    (objectOf(caller) == sqlite ? log.bySqlite : log.byOthers).emplace_back(path);
}

template <typename Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

mode_t modeOf(int flags, va_list arguments)
{
    return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

} // namespace

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    note(path, __builtin_return_address(0));
    static const auto real = next<int (*)(const char*, int, ...)>("open");
    return real(path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    note(path, __builtin_return_address(0));
    static const auto real = next<int (*)(const char*, int, ...)>("open64");
    return real(path, flags, mode);
}

int openat(int folder, const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    note(path, __builtin_return_address(0));
    static const auto real = next<int (*)(int, const char*, int, ...)>("openat");
    return real(folder, path, flags, mode);
}

int openat64(int folder, const char* path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeOf(flags, arguments);
    va_end(arguments);
    note(path, __builtin_return_address(0));
    static const auto real = next<int (*)(int, const char*, int, ...)>("openat64");
    return real(folder, path, flags, mode);
}

FILE* fopen(const char* path, const char* mode)
{
    note(path, __builtin_return_address(0));
    static const auto real = next<FILE* (*)(const char*, const char*)>("fopen");
    return real(path, mode);
}

FILE* fopen64(const char* path, const char* mode)
{
    note(path, __builtin_return_address(0));
    static const auto real = next<FILE* (*)(const char*, const char*)>("fopen64");
    return real(path, mode);
}

} // extern "C"

namespace ft::cli {
namespace {

namespace fs = std::filesystem;

class CatalogueOpenGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::lock_guard lock(openLog().mutex);
        openLog().bySqlite.clear();
        openLog().byOthers.clear();
    }

    int run(const std::vector<std::string>& args)
    {
        std::ostringstream out;
        std::ostringstream err;
        return runCli(args, out, err, [this] { return CliFolders{m_data, m_folder / "cfg"}; });
    }

    std::vector<std::string> othersOpens()
    {
        const std::lock_guard lock(openLog().mutex);
        return openLog().byOthers;
    }

    std::size_t sqliteOpens()
    {
        const std::lock_guard lock(openLog().mutex);
        return openLog().bySqlite.size();
    }

    test::TempFolder m_folder;
    fs::path m_data = m_folder / "data";
};

// The guard itself: SQLite's opens pass, a stream opened on a catalogue is caught.
TEST_F(CatalogueOpenGuardTest, TellsSqlitesOpensFromOthers)
{
    ASSERT_EQ(run({"files"}), 1);
    EXPECT_GT(sqliteOpens(), 0u);
    EXPECT_TRUE(othersOpens().empty());

    std::ifstream(workspace::Catalogues::pathIn(m_data, workspace::Datum::World));
    EXPECT_EQ(othersOpens().size(), 1u);
}

// A program holds its catalogues open (as the window does) while the tool
// starts, registers, searches and deletes in the same folder.
TEST_F(CatalogueOpenGuardTest, OnlySqliteOpensTheCatalogues)
{
    const workspace::Workspace window(m_data, m_folder / "cfg");

    EXPECT_EQ(run({"register", FT_SAMPLES_DIR}), 0);
    EXPECT_EQ(run({"search", "maps"}), 0);
    EXPECT_EQ(run({"search", "parcels", "--datum", "1"}), 0);
    EXPECT_EQ(run({"files", "--datum", "2"}), 0);
    EXPECT_EQ(run({"delete-all", "--datum", "2", "--yes"}), 0);
    EXPECT_EQ(run({"register", FT_SAMPLES_DIR}), 0);

    EXPECT_GT(sqliteOpens(), 0u);
    EXPECT_EQ(othersOpens(), std::vector<std::string>{});
}

} // namespace
} // namespace ft::cli
