#include "core/platform/file_system.h"

#include <io.h>
#include <windows.h>

#include <array>

namespace ft::platform {

// The serial number of the volume the path lies on: what tells two volumes
// apart on Windows, where a folder of one may also be the mount point of
// another.
std::optional<std::uint64_t> fileSystemOf(const std::filesystem::path& path)
{
    std::array<wchar_t, MAX_PATH + 1> volume{};
    if (!::GetVolumePathNameW(path.c_str(), volume.data(), static_cast<DWORD>(volume.size())))
        return std::nullopt;
    DWORD serialNumber = 0;
    if (!::GetVolumeInformationW(volume.data(), nullptr, 0, &serialNumber, nullptr, nullptr,
                                 nullptr, 0))
        return std::nullopt;
    return serialNumber;
}

// _waccess knows only the read-only attribute of a folder; the folder's
// permissions are for the system to enforce when a file is made.
bool isWritableFolder(const std::filesystem::path& folder)
{
    constexpr int kWritable = 2;
    return ::_waccess(folder.c_str(), kWritable) == 0;
}

} // namespace ft::platform
