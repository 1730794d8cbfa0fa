// The Windows side of the platform layer, on the system itself (run under
// Wine here): drive letters, file names in UTF-16, the registration lock and
// the known folders.
#include "core/platform/file_lock.h"
#include "core/platform/file_system.h"
#include "core/platform/file_time.h"
#include "core/platform/folders.h"
#include "core/platform/logical_drives.h"
#include "core/platform/owned_file.h"
#include "core/platform/path_text.h"
#include "core/platform/replacement_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <type_traits>

namespace ft::platform {
namespace {

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, removed at the end.
class Scratch {
public:
    Scratch()
        : m_folder(fs::temp_directory_path() /
                   pathFromText("findTavla 測地系 " + std::to_string(std::random_device{}())))
    {
        fs::create_directories(m_folder);
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const fs::path& folder() const { return m_folder; }

private:
    fs::path m_folder;
};

std::string contentOf(const fs::path& file)
{
    OwnedFile opened = openFile(file, "rb");
    std::string bytes;
    char buffer[256];
    while (opened) {
        const std::size_t read = std::fread(buffer, 1, sizeof buffer, opened.get());
        bytes.append(buffer, read);
        if (read < sizeof buffer)
            break;
    }
    return bytes;
}

TEST(WindowsPlatform, DriveCIsAReadyFixedDriveWithSpace)
{
    const std::vector<LogicalDrive> drives = logicalDrives();
    const auto c = std::find_if(drives.begin(), drives.end(),
                                [](const LogicalDrive& drive) { return drive.root == L"C:\\"; });
    ASSERT_NE(c, drives.end());
    EXPECT_EQ(c->kind, LogicalDriveKind::Fixed);
    EXPECT_TRUE(c->ready);
    EXPECT_GT(c->totalBytes, 0);
    EXPECT_GE(c->totalBytes, c->availableBytes);
}

TEST(WindowsPlatform, JapaneseFileNamesStayWhole)
{
    const Scratch scratch;
    const fs::path file = scratch.folder() / pathFromText("地番一覧.txt");
    EXPECT_EQ(pathText(file.filename()), "地番一覧.txt");

    ReplacementFile first(file);
    first.write("old");
    first.commit();
    // A second replacement goes over the file that is there now.
    ReplacementFile second(file);
    second.write("new");
    second.commit();

    EXPECT_EQ(contentOf(file), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.folder()), fs::directory_iterator()), 1);
    EXPECT_TRUE(modificationTimeText(file).has_value());
    EXPECT_EQ(fileSystemOf(file), fileSystemOf(scratch.folder()));
}

TEST(WindowsPlatform, TheLockHasOneHolderAtATime)
{
    const Scratch scratch;
    const fs::path lockFile = scratch.folder() / pathFromText("登録中.lock");
    {
        const FileLock first(lockFile);
        EXPECT_TRUE(first.held());
        const FileLock second(lockFile);
        EXPECT_FALSE(second.held());
    }
    const FileLock again(lockFile);
    EXPECT_TRUE(again.held());
}

// The child's side of the lock tests below: run by the parent as this very
// program with FT_HOLD_LOCK naming the lock file; skipped in a plain run.
// It takes the lock, says so with a file beside it, and holds it until the
// parent lets go of it (another file) or ends the process.
TEST(WindowsPlatform, HoldTheLockForTheParent)
{
    const wchar_t* lockName = ::_wgetenv(L"FT_HOLD_LOCK");
    if (lockName == nullptr)
        GTEST_SKIP() << "only run by the lock tests";
    const fs::path lockFile(lockName);
    const FileLock lock(lockFile);
    ASSERT_TRUE(lock.held());
    openFile(fs::path(lockFile).concat(L".held"), "wb");
    const fs::path release = fs::path(lockFile).concat(L".release");
    for (int i = 0; i < 3000 && !fs::exists(release); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// This program, started again to run only the child's side above.
OwnedHandle startLockHolder(const fs::path& lockFile)
{
    std::wstring program(MAX_PATH, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    std::wstring commandLine =
        L"\"" + program + L"\" --gtest_filter=WindowsPlatform.HoldTheLockForTheParent";
    ::_wputenv_s(L"FT_HOLD_LOCK", lockFile.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                                          FALSE, 0, nullptr, nullptr, &startup, &process);
    ::_wputenv_s(L"FT_HOLD_LOCK", L"");
    if (!started)
        return nullptr;
    ::CloseHandle(process.hThread);
    return OwnedHandle(process.hProcess);
}

bool waitForFile(const fs::path& file)
{
    for (int i = 0; i < 3000; ++i) {
        if (fs::exists(file))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Two separate processes: while one holds the lock the other is refused it;
// when the holder lets go, or is killed, the other gets it.
TEST(WindowsPlatform, AnotherProcessHoldingTheLockIsRefusedUntilItEnds)
{
    const Scratch scratch;
    for (const bool killed : {false, true}) {
        const fs::path lockFile =
            scratch.folder() / pathFromText(killed ? "登録中-killed.lock" : "登録中.lock");
        const OwnedHandle holder = startLockHolder(lockFile);
        ASSERT_TRUE(holder);
        ASSERT_TRUE(waitForFile(fs::path(lockFile).concat(L".held")));
        EXPECT_FALSE(FileLock(lockFile).held());
        if (killed)
            ::TerminateProcess(holder.get(), 9);
        else
            openFile(fs::path(lockFile).concat(L".release"), "wb");
        ASSERT_EQ(::WaitForSingleObject(holder.get(), 30000), WAIT_OBJECT_0);
        EXPECT_TRUE(FileLock(lockFile).held()) << (killed ? "killed" : "let go");
    }
}

TEST(WindowsPlatform, DataAndSettingsLieInTheApplicationDataFolders)
{
    const wchar_t* programData = ::_wgetenv(L"ProgramData");
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    ASSERT_NE(programData, nullptr);
    ASSERT_NE(appData, nullptr);
    EXPECT_TRUE(fs::equivalent(dataFolder(), fs::path(programData) / L"findTavla"));
    EXPECT_TRUE(fs::equivalent(settingsFolder(), fs::path(appData) / L"findTavla"));
}

} // namespace
} // namespace ft::platform
