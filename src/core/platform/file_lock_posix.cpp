#include "core/platform/file_lock.h"

#include "core/platform/path_text.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

namespace ft::platform {

FileLock::FileLock(const std::filesystem::path& file)
{
    // Close-on-exec: a program started while the lock is held must not keep
    // it after we let go.
    OwnedDescriptor descriptor(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (!descriptor.valid())
        throw std::system_error(errno, std::generic_category(), "cannot open " + pathText(file));
    if (::flock(descriptor.get(), LOCK_EX | LOCK_NB) == 0) {
        m_descriptor = std::move(descriptor);
        return;
    }
    const int error = errno;
    if (error != EWOULDBLOCK)
        throw std::system_error(error, std::generic_category(), "cannot lock " + pathText(file));
}

} // namespace ft::platform
