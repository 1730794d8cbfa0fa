#include "core/platform/disk_full.h"

#include "core/platform/path_text.h"

#include <system_error>

namespace ft::platform {

DiskFull::DiskFull(std::filesystem::path file)
    : std::runtime_error("ディスクの空きが足りません: " + pathText(file)), m_file(std::move(file))
{
}

void throwWriteError(int error, const std::string& what, const std::filesystem::path& file)
{
    if (isOutOfSpace(error))
        throw DiskFull(file);
    throw std::system_error(error, std::generic_category(), what + " " + pathText(file));
}

} // namespace ft::platform
