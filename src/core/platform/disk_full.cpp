#include "core/platform/disk_full.h"

#include <cerrno>
#include <csignal>
#include <system_error>

namespace ft::platform {

DiskFull::DiskFull(std::filesystem::path file)
    : std::runtime_error("ディスクの空きが足りません: " + file.string()), m_file(std::move(file))
{
}

bool isOutOfSpace(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

void throwWriteError(int error, const std::string& what, const std::filesystem::path& file)
{
    if (isOutOfSpace(error))
        throw DiskFull(file);
    throw std::system_error(error, std::generic_category(), what + " " + file.string());
}

void ignoreFileSizeLimitSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace ft::platform
