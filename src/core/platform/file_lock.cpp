#include "core/platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace ft::platform {

FileLock::FileLock(const std::filesystem::path& file)
{
    // Close-on-exec: a program started while the lock is held must not keep
    // it after we let go.
    const int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0)
        throw std::system_error(errno, std::generic_category(), "cannot open " + file.string());
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        m_descriptor = descriptor;
        return;
    }
    const int error = errno;
    ::close(descriptor);
    if (error != EWOULDBLOCK)
        throw std::system_error(error, std::generic_category(), "cannot lock " + file.string());
}

FileLock::~FileLock()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

} // namespace ft::platform
