#include "core/registration/volumes.h"

#include <QStorageInfo>

#include <algorithm>
#include <string>

namespace ft::registration {

std::vector<DriveInfo> MountedDrives()
{
    std::vector<DriveInfo> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const std::string type = volume.fileSystemType().toStdString();
        const std::string mountPoint = volume.rootPath().toStdString();
        if (IsPseudoFileSystem(type, mountPoint))
            continue;
        DriveInfo drive;
        drive.mountPoint = mountPoint;
        drive.type = DriveTypeOf(type, volume.device().toStdString());
        drive.ready = volume.isValid() && volume.isReady();
        if (drive.ready) {
            drive.totalBytes = volume.bytesTotal();
            drive.availableBytes = volume.bytesAvailable();
        }
        drives.push_back(std::move(drive));
    }
    std::sort(drives.begin(), drives.end(), [](const DriveInfo& a, const DriveInfo& b) {
        return a.mountPoint.string() < b.mountPoint.string();
    });
    return drives;
}

} // namespace ft::registration
