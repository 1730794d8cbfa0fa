#include "core/platform/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

namespace ft::platform {

std::optional<std::uint64_t> fileSystemOf(const std::filesystem::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(status.st_dev);
}

bool isWritableFolder(const std::filesystem::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

} // namespace ft::platform
