#include "core/platform/replacement_file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace ft::platform {

OwnedFile createFileBeside(const std::filesystem::path& target, std::string_view extension,
                           std::filesystem::path& name)
{
    // mkstemps picks a name no one else is using.
    const std::string pattern = target.string() + ".XXXXXX" + std::string(extension);
    std::vector<char> chosen(pattern.begin(), pattern.end());
    chosen.push_back('\0');
    const int fd = ::mkstemps(chosen.data(), static_cast<int>(extension.size()));
    if (fd < 0)
        return {};
    OwnedFile file(::fdopen(fd, "wb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        ::unlink(chosen.data());
        errno = error;
        return {};
    }
    name = chosen.data();
    return file;
}

bool syncToDisk(std::FILE* file)
{
    return ::fsync(::fileno(file)) == 0;
}

bool syncToDisk(const std::filesystem::path& file)
{
    const OwnedDescriptor descriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    return descriptor.valid() && ::fsync(descriptor.get()) == 0;
}

bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void syncFolderOf(const std::filesystem::path& file)
{
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const OwnedDescriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.valid())
        ::fsync(descriptor.get());
}

} // namespace ft::platform
