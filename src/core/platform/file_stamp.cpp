#include "core/platform/file_stamp.h"

#include <chrono>
#include <system_error>

namespace ft::platform {

FileStamp stampOf(const std::filesystem::path& file)
{
    std::error_code error;
    FileStamp stamp;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        return stamp;
    const std::filesystem::file_time_type modified = std::filesystem::last_write_time(file, error);
    if (error)
        return stamp;
    stamp.exists = true;
    stamp.size = size;
    stamp.modified =
        std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();
    return stamp;
}

std::string stampText(const FileStamp& stamp)
{
    if (!stamp.exists)
        return "missing";
    return "exists " + std::to_string(stamp.size) + " " + std::to_string(stamp.modified);
}

} // namespace ft::platform
