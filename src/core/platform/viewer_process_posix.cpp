#include "core/platform/viewer_process.h"
#include "core/platform/viewer_process_system.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace ft::platform {

const char* const kViewerProgram = "Tavla";
const char kPathListSeparator = ':';

std::string pathVariable()
{
    const char* path = std::getenv("PATH");
    return path == nullptr ? std::string() : std::string(path);
}

std::optional<std::filesystem::path> executableFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::nullopt;
    return executable.parent_path();
}

bool isRunnableFile(const std::filesystem::path& file)
{
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

} // namespace ft::platform
