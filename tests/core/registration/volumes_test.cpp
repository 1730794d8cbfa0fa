// The drive table's texts and the mapping of mounted volumes to drive kinds.

#include "core/platform/path_text.h"
#include "core/registration/volumes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ft::registration {
namespace {

TEST(VolumesTest, DriveTableTexts)
{
    EXPECT_EQ(DriveTypeText(0), QStringLiteral("不明"));
    EXPECT_EQ(DriveTypeText(1), QStringLiteral("リムーバブルディスク"));
    EXPECT_EQ(DriveTypeText(2), QStringLiteral("ハードディスク"));
    EXPECT_EQ(DriveTypeText(3), QStringLiteral("ネットワークドライブ"));
    EXPECT_EQ(DriveTypeText(4), QStringLiteral("CD-ROMドライブ"));
    EXPECT_EQ(DriveTypeText(5), QStringLiteral("RAMディスク"));
    EXPECT_EQ(DriveTypeText(6), QString());

    constexpr std::int64_t kGiB = 1024LL * 1024 * 1024;
    EXPECT_EQ(GigabytesText(0), QStringLiteral("0.0 GB"));
    EXPECT_EQ(GigabytesText(kGiB / 2), QStringLiteral("0.5 GB"));
    EXPECT_EQ(GigabytesText(1234 * kGiB + 4 * kGiB / 10), QStringLiteral("1,234.4 GB"));
    EXPECT_EQ(GigabytesText(1234567 * kGiB), QStringLiteral("1,234,567.0 GB"));
}

TEST(VolumesTest, FileSystemTypesMapToDriveKinds)
{
    EXPECT_EQ(DriveTypeOf("iso9660", "/dev/sr0"), DriveType::CdRom);
    EXPECT_EQ(DriveTypeOf("udf", "/dev/sr0"), DriveType::CdRom);
    EXPECT_EQ(DriveTypeOf("tmpfs", "tmpfs"), DriveType::RamDisk);
    EXPECT_EQ(DriveTypeOf("nfs4", "server:/export"), DriveType::Network);
    EXPECT_EQ(DriveTypeOf("cifs", "//server/share"), DriveType::Network);
    EXPECT_EQ(DriveTypeOf("fuse.sshfs", "user@host:"), DriveType::Network);
    EXPECT_EQ(DriveTypeOf("ext4", "/dev/no-such-device"), DriveType::HardDisk);

    EXPECT_TRUE(IsPseudoFileSystem("proc", "/proc"));
    EXPECT_TRUE(IsPseudoFileSystem("cgroup2", "/sys/fs/cgroup"));
    EXPECT_TRUE(IsPseudoFileSystem("tmpfs", "/run/user/1000"));
    EXPECT_FALSE(IsPseudoFileSystem("vfat", "/run/media/user/USB"));
    EXPECT_FALSE(IsPseudoFileSystem("tmpfs", "/tmp"));
    EXPECT_FALSE(IsPseudoFileSystem("ext4", "/"));
}

#ifdef _WIN32
// Windows lists its drive letters: the one holding the temporary folder is among them.
TEST(VolumesTest, MountedDrivesIncludeTheTemporaryFoldersDrive)
{
    const std::filesystem::path system = std::filesystem::temp_directory_path().root_path();
    const std::vector<DriveInfo> drives = MountedDrives();
    const auto drive = std::find_if(drives.begin(), drives.end(),
                                    [&](const DriveInfo& d) { return d.mountPoint == system; });
    ASSERT_NE(drive, drives.end()) << platform::pathText(system);
    EXPECT_TRUE(drive->ready);
    EXPECT_GT(drive->totalBytes, 0);
}
#else
TEST(VolumesTest, MountedDrivesIncludeTheRootAndNoKernelFileSystems)
{
    const std::vector<DriveInfo> drives = MountedDrives();
    const auto root = std::find_if(drives.begin(), drives.end(),
                                   [](const DriveInfo& drive) { return drive.mountPoint == "/"; });
    ASSERT_NE(root, drives.end());
    EXPECT_TRUE(root->ready);
    EXPECT_GT(root->totalBytes, 0);
    for (const DriveInfo& drive : drives) {
        EXPECT_NE(drive.mountPoint, "/proc");
        EXPECT_FALSE(drive.mountPoint.string().starts_with("/sys/"));
    }
}
#endif

} // namespace
} // namespace ft::registration
