#include "core/platform/file_time.h"

#include <sys/stat.h>

#include <ctime>

namespace ft::platform {

std::optional<std::string> modificationTimeText(const std::filesystem::path& file)
{
    struct _stat64 status {};
    if (::_wstat64(file.c_str(), &status) != 0)
        return std::nullopt;
    std::tm local{};
    if (::_localtime64_s(&local, &status.st_mtime) != 0)
        return std::nullopt;
    char text[32];
    // Zero-padded fields in descending order, so the texts sort like the times.
    if (std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local) == 0)
        return std::nullopt;
    return std::string(text);
}

} // namespace ft::platform
