#include "core/platform/folders.h"

#include "core/platform/operator_message.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace ft::platform {
namespace {

constexpr const char* kProgramFolder = "findTavla";

// The user's home folder: $HOME, or the password database when HOME is unset.
std::filesystem::path homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr)
        return found->pw_dir;
    throw MessageError(
        Message(QT_TRANSLATE_NOOP("findTavla", "cannot find the home folder: HOME is not set")));
}

// An XDG base folder: the variable when it holds an absolute path (the XDG
// rules say relative ones are to be ignored), otherwise the default under home.
std::filesystem::path xdgFolder(const char* variable, const char* defaultUnderHome)
{
    if (const char* value = std::getenv(variable); value != nullptr) {
        std::filesystem::path folder(value);
        if (folder.is_absolute())
            return folder;
    }
    return homeFolder() / defaultUnderHome;
}

std::filesystem::path createdProgramFolder(const std::filesystem::path& base)
{
    auto folder = base / kProgramFolder;
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

std::filesystem::path dataFolder()
{
    return createdProgramFolder(xdgFolder("XDG_DATA_HOME", ".local/share"));
}

std::filesystem::path settingsFolder()
{
    return createdProgramFolder(xdgFolder("XDG_CONFIG_HOME", ".config"));
}

} // namespace ft::platform
