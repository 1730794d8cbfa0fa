#include "core/platform/file_lock.h"

#include "core/platform/path_text.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <system_error>
#include <utility>

namespace ft::platform {

FileLock::FileLock(const std::filesystem::path& file)
{
    // Not inherited: a program started while the lock is held must not keep
    // it after we let go.
    OwnedDescriptor descriptor(::_wopen(file.c_str(), _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT,
                                        _S_IREAD | _S_IWRITE));
    if (!descriptor.valid())
        throw std::system_error(errno, std::generic_category(), "cannot open " + pathText(file));
    // A lock on the whole possible range of the file, held by this handle.
    // Windows drops it when the handle closes, also when the process ends
    // however it ends; a second handle, in this process or another, is
    // refused it.
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor.get()));
    OVERLAPPED whole{};
    if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD, &whole)) {
        m_descriptor = std::move(descriptor);
        return;
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_LOCK_VIOLATION)
        throw std::system_error(static_cast<int>(error), std::system_category(),
                                "cannot lock " + pathText(file));
}

} // namespace ft::platform
