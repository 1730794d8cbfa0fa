#include "core/platform/logical_drives.h"

#include <windows.h>

#include <string>

namespace ft::platform {
namespace {

LogicalDriveKind kindOf(UINT driveType)
{
    switch (driveType) {
    case DRIVE_REMOVABLE:
        return LogicalDriveKind::Removable;
    case DRIVE_FIXED:
        return LogicalDriveKind::Fixed;
    case DRIVE_REMOTE:
        return LogicalDriveKind::Remote;
    case DRIVE_CDROM:
        return LogicalDriveKind::CdRom;
    case DRIVE_RAMDISK:
        return LogicalDriveKind::RamDisk;
    default:
        return LogicalDriveKind::Unknown;
    }
}

// Asking an empty floppy or card drive about its volume would otherwise
// bring up the system's "insert a disk" box.
class NoCriticalErrorBoxes {
public:
    NoCriticalErrorBoxes()
    {
        ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &m_previous);
    }
    ~NoCriticalErrorBoxes() { ::SetThreadErrorMode(m_previous, nullptr); }
    NoCriticalErrorBoxes(const NoCriticalErrorBoxes&) = delete;
    NoCriticalErrorBoxes& operator=(const NoCriticalErrorBoxes&) = delete;

private:
    DWORD m_previous = 0;
};

LogicalDrive driveAt(const std::wstring& root)
{
    LogicalDrive drive;
    drive.root = std::filesystem::path(root);
    drive.kind = kindOf(::GetDriveTypeW(root.c_str()));
    drive.ready =
        ::GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0);
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    if (drive.ready && ::GetDiskFreeSpaceExW(root.c_str(), &available, &total, nullptr)) {
        drive.totalBytes = static_cast<std::int64_t>(total.QuadPart);
        drive.availableBytes = static_cast<std::int64_t>(available.QuadPart);
    }
    return drive;
}

} // namespace

std::vector<LogicalDrive> logicalDrives()
{
    const NoCriticalErrorBoxes quiet;
    std::vector<LogicalDrive> drives;
    const DWORD letters = ::GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        if ((letters & (DWORD{1} << index)) == 0)
            continue;
        const std::wstring root{static_cast<wchar_t>(L'A' + index), L':', L'\\'};
        drives.push_back(driveAt(root));
    }
    return drives;
}

} // namespace ft::platform
