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

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

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
