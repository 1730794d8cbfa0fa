#include "core/platform/disk_full.h"

#include <cerrno>
#include <csignal>

namespace ft::platform {

bool isOutOfSpace(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

void ignoreFileSizeLimitSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace ft::platform
