#include "core/platform/file_lock.h"

#include "core/platform/operator_message.h"
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
        throw SystemFailure(errno, Message(QT_TRANSLATE_NOOP("findTavla", "cannot open %1"),
                                           {QString::fromStdString(pathText(file))}));
    if (::flock(descriptor.get(), LOCK_EX | LOCK_NB) == 0) {
        m_descriptor = std::move(descriptor);
        return;
    }
    const int error = errno;
    if (error != EWOULDBLOCK)
        throw SystemFailure(error, Message(QT_TRANSLATE_NOOP("findTavla", "cannot lock %1"),
                                           {QString::fromStdString(pathText(file))}));
}

} // namespace ft::platform
