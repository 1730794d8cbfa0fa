#include "core/platform/disk_full.h"

#include <cerrno>

namespace ft::platform {

// The C runtime reports a write that found the disk full (ERROR_DISK_FULL,
// also what a used-up quota gives) as ENOSPC. EFBIG stays for a file the
// file system cannot make larger (4 GiB on FAT32).
bool isOutOfSpace(int error)
{
    return error == ENOSPC || error == EFBIG;
}

// Windows has no file-size limit of a process and no signal for it.
void ignoreFileSizeLimitSignal()
{
}

} // namespace ft::platform
