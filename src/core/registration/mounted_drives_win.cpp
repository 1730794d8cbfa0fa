#include "core/platform/logical_drives.h"
#include "core/registration/volumes.h"

namespace ft::registration {
namespace {

// The drive table's codes follow Windows' drive types.
DriveType driveTypeOf(platform::LogicalDriveKind kind)
{
    switch (kind) {
    case platform::LogicalDriveKind::Removable:
        return DriveType::Removable;
    case platform::LogicalDriveKind::Fixed:
        return DriveType::HardDisk;
    case platform::LogicalDriveKind::Remote:
        return DriveType::Network;
    case platform::LogicalDriveKind::CdRom:
        return DriveType::CdRom;
    case platform::LogicalDriveKind::RamDisk:
        return DriveType::RamDisk;
    case platform::LogicalDriveKind::Unknown:
        break;
    }
    return DriveType::Unknown;
}

} // namespace

// The drive letters in use, in letter order.
std::vector<DriveInfo> MountedDrives()
{
    std::vector<DriveInfo> drives;
    for (const platform::LogicalDrive& logical : platform::logicalDrives()) {
        DriveInfo drive;
        drive.mountPoint = logical.root;
        drive.type = driveTypeOf(logical.kind);
        drive.ready = logical.ready;
        drive.totalBytes = logical.totalBytes;
        drive.availableBytes = logical.availableBytes;
        drives.push_back(std::move(drive));
    }
    return drives;
}

} // namespace ft::registration
