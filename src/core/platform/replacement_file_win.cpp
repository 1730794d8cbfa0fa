#include "core/platform/replacement_file_system.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

namespace ft::platform {
namespace {

// A name beside the target with six random letters and digits, like the
// names mkstemp picks.
std::filesystem::path candidateBeside(const std::filesystem::path& target,
                                      std::string_view extension, std::mt19937& random)
{
    static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
    std::wstring suffix = L".";
    for (int i = 0; i < 6; ++i)
        suffix += kLetters[pick(random)];
    std::filesystem::path name = target;
    name += suffix;
    name += std::filesystem::path(std::string(extension)).native();
    return name;
}

} // namespace

OwnedFile createFileBeside(const std::filesystem::path& target, std::string_view extension,
                           std::filesystem::path& name)
{
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = candidateBeside(target, extension, random);
        // _O_EXCL: a name someone else took in the meantime is not opened.
        const int fd =
            ::_wopen(candidate.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                     _S_IREAD | _S_IWRITE);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        OwnedFile file(::_fdopen(fd, "wb"));
        if (!file) {
            const int error = errno;
            ::_close(fd);
            ::_wunlink(candidate.c_str());
            errno = error;
            return {};
        }
        name = candidate;
        return file;
    }
    errno = EEXIST;
    return {};
}

bool syncToDisk(std::FILE* file)
{
    return ::_commit(::_fileno(file)) == 0;
}

bool syncToDisk(const std::filesystem::path& file)
{
    // _commit needs a descriptor open for writing.
    const int fd = ::_wopen(file.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0)
        return false;
    const bool synced = ::_commit(fd) == 0;
    const int error = errno;
    ::_close(fd);
    errno = error;
    return synced;
}

// MoveFileExW replaces an existing target, which rename does not do on
// Windows; write-through returns only once the move is on the disk.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = ::GetLastError();
    errno = error == ERROR_DISK_FULL ? ENOSPC : error == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return false;
}

// MOVEFILE_WRITE_THROUGH has put the move on the disk already.
void syncFolderOf(const std::filesystem::path&)
{
}

} // namespace ft::platform
