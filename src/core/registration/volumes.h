#pragma once

#include <QString>

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace ft::registration {

// The drive kinds of the drive table, by the codes the table knows them by.
enum class DriveType : int {
    Unknown = 0,
    Removable = 1,
    HardDisk = 2,
    Network = 3,
    CdRom = 4,
    RamDisk = 5,
};

// One row of the drive table: a mounted volume.
struct DriveInfo {
    std::filesystem::path mountPoint; // shown where a drive letter would be
    DriveType type = DriveType::Unknown;
    bool ready = false;
    std::int64_t totalBytes = 0;
    std::int64_t availableBytes = 0; // the space this user may still fill
};

// The type column's text of a drive type code; empty for an unknown code.
QString DriveTypeText(int typeCode);
// Bytes as gigabytes (divided by 1024 three times) in the form "###,##0.0 GB",
// e.g. "1,234.5 GB", "0.0 GB".
QString GigabytesText(std::int64_t bytes);

// The drive type of a mounted volume from its file system type and device:
// CD-ROM for iso9660/udf, RAM disk for tmpfs/ramfs, network drive for NFS,
// SMB and SSH file systems, removable when the kernel marks its block device
// removable, hard disk otherwise.
DriveType DriveTypeOf(std::string_view fileSystemType, std::string_view device);
// True for the kernel's and the desktop's pseudo file systems (proc, sysfs,
// cgroup, ...), which hold no survey data and are no drives.
bool IsPseudoFileSystem(std::string_view fileSystemType, std::string_view mountPoint);

// Every mounted volume except pseudo file systems, in mount-point order; on
// Windows every drive letter in use, in letter order.
std::vector<DriveInfo> MountedDrives();

} // namespace ft::registration
