#include "core/platform/folders.h"

// windows.h first: the shell's headers build on it.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <memory>
#include <stdexcept>

namespace ft::platform {
namespace {

constexpr const wchar_t* kProgramFolder = L"findTavla";

struct TaskMemoryFree {
    void operator()(wchar_t* memory) const { ::CoTaskMemFree(memory); }
};

// A known folder of the shell, by its id; UTF-16 all the way, so a Japanese
// user name in the path stays whole.
std::filesystem::path knownFolder(const KNOWNFOLDERID& id, const char* name)
{
    wchar_t* path = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path);
    const std::unique_ptr<wchar_t, TaskMemoryFree> owned(path);
    if (FAILED(result) || path == nullptr)
        throw std::runtime_error(std::string("cannot find the ") + name + " folder");
    return std::filesystem::path(path);
}

std::filesystem::path createdProgramFolder(const std::filesystem::path& base)
{
    auto folder = base / kProgramFolder;
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

// The installer creates this folder and lets every user of the machine
// change what is in it, so a second user can work with the catalogues the
// first one registered.
std::filesystem::path dataFolder()
{
    return createdProgramFolder(knownFolder(FOLDERID_ProgramData, "common application-data"));
}

std::filesystem::path settingsFolder()
{
    return createdProgramFolder(knownFolder(FOLDERID_RoamingAppData, "application-data"));
}

} // namespace ft::platform
