#include "core/registration/volumes.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <fstream>
#include <string>
#include <system_error>

namespace ft::registration {

namespace fs = std::filesystem;

namespace {

bool isOneOf(std::string_view value, std::initializer_list<std::string_view> candidates)
{
    return std::find(candidates.begin(), candidates.end(), value) != candidates.end();
}

// The whole disk a block device belongs to: a partition's sysfs entry has a
// "partition" file and sits inside its disk's entry.
fs::path diskSysfsEntry(std::string_view device)
{
    const std::size_t slash = device.rfind('/');
    const std::string name(slash == std::string_view::npos ? device : device.substr(slash + 1));
    std::error_code error;
    fs::path entry = fs::canonical(fs::path("/sys/class/block") / name, error);
    if (error)
        return {};
    if (fs::exists(entry / "partition", error))
        entry = entry.parent_path();
    return entry;
}

bool isRemovableDevice(std::string_view device)
{
    if (!device.starts_with("/dev/"))
        return false;
    const fs::path disk = diskSysfsEntry(device);
    if (disk.empty())
        return false;
    std::ifstream flag(disk / "removable");
    char value = '0';
    return flag.get(value) && value == '1';
}

} // namespace

QString DriveTypeText(int typeCode)
{
    switch (typeCode) {
    case 0:
        return QStringLiteral("不明");
    case 1:
        return QStringLiteral("リムーバブルディスク");
    case 2:
        return QStringLiteral("ハードディスク");
    case 3:
        return QStringLiteral("ネットワークドライブ");
    case 4:
        return QStringLiteral("CD-ROMドライブ");
    case 5:
        return QStringLiteral("RAMディスク");
    default:
        return {};
    }
}

QString GigabytesText(std::int64_t bytes)
{
    const double gigabytes = static_cast<double>(bytes) / 1024.0 / 1024.0 / 1024.0;
    // The C locale groups with "," and writes "." as the decimal point,
    // whatever the desktop's language.
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(gigabytes, 'f', 1) + QStringLiteral(" GB");
}

DriveType DriveTypeOf(std::string_view fileSystemType, std::string_view device)
{
    if (isOneOf(fileSystemType, {"iso9660", "udf"}))
        return DriveType::CdRom;
    if (isOneOf(fileSystemType, {"tmpfs", "ramfs"}))
        return DriveType::RamDisk;
    if (isOneOf(fileSystemType, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "sshfs", "fuse.sshfs"}))
        return DriveType::Network;
    if (isRemovableDevice(device))
        return DriveType::Removable;
    return DriveType::HardDisk;
}

bool IsPseudoFileSystem(std::string_view fileSystemType, std::string_view mountPoint)
{
    if (isOneOf(fileSystemType,
                {"proc",      "sysfs",           "devtmpfs",   "devpts",   "cgroup",
                 "cgroup2",   "securityfs",      "pstore",     "bpf",      "tracefs",
                 "debugfs",   "mqueue",          "hugetlbfs",  "configfs", "fusectl",
                 "autofs",    "binfmt_misc",     "efivarfs",   "nsfs",     "rpc_pipefs",
                 "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal"}))
        return true;
    // Kernel and runtime mounts; removable media mounted under /run/media stay.
    for (const std::string_view system : {"/proc", "/sys", "/dev"}) {
        if (mountPoint == system || mountPoint.starts_with(std::string(system) + "/"))
            return true;
    }
    return (mountPoint == "/run" || mountPoint.starts_with("/run/")) &&
           !mountPoint.starts_with("/run/media/");
}

} // namespace ft::registration
