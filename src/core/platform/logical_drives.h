#pragma once

// The drives of a Windows machine as Win32 tells them. Only the Windows
// build has them: on Linux the drive table lists mounted volumes instead
// (core/registration/mounted_drives_posix.cpp).

#include <cstdint>
#include <filesystem>
#include <vector>

namespace ft::platform {

// What GetDriveTypeW says a drive is.
enum class LogicalDriveKind {
    Unknown,
    Removable,
    Fixed,
    Remote,
    CdRom,
    RamDisk,
};

struct LogicalDrive {
    std::filesystem::path root; // "C:\"
    LogicalDriveKind kind = LogicalDriveKind::Unknown;
    bool ready = false; // a medium is in it and its volume can be read
    std::int64_t totalBytes = 0;
    std::int64_t availableBytes = 0; // the space this user may still fill
};

// Every drive letter in use (GetLogicalDrives), A: to Z:, with its kind
// (GetDriveTypeW), whether its volume answers (GetVolumeInformationW) and
// its space (GetDiskFreeSpaceExW). A drive without a medium is listed, not
// ready, and is never waited for.
std::vector<LogicalDrive> logicalDrives();

} // namespace ft::platform
