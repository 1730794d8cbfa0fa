#include "core/platform/viewer_process.h"

#include "core/platform/path_text.h"
#include "core/platform/viewer_process_system.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace ft::platform {

const char* const kViewerProgram = "Tavla.exe";
const char kPathListSeparator = ';';

// Read as UTF-16, so a folder with a Japanese name stays whole.
std::string pathVariable()
{
    const wchar_t* path = ::_wgetenv(L"PATH");
    return path == nullptr ? std::string() : pathText(std::filesystem::path(path));
}

// GetModuleFileNameW cuts a name that does not fit; the buffer grows until
// the whole name fits.
std::optional<std::filesystem::path> executableFolder()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return std::nullopt;
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

// Windows runs any regular file it can read whose name ends in .exe.
bool isRunnableFile(const std::filesystem::path& file)
{
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

// Windows tells without help from the viewer: WaitForInputIdle returns once
// the viewer's first thread waits for input, its window shown.
ViewerWatch openViewerWatch(std::optional<EnvironmentEntry>&)
{
    return {};
}

void watchStartedViewer(ViewerWatch& watch, std::int64_t processId)
{
    const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE,
                                         static_cast<DWORD>(processId));
    if (process != nullptr)
        watch.setWaitEnd(reinterpret_cast<std::intptr_t>(process));
}

bool waitOnViewerWatch(const ViewerWatch& watch, std::chrono::milliseconds limit)
{
    if (watch.waitEnd() == ViewerWatch::kNone) {
        ::Sleep(static_cast<DWORD>(limit.count()));
        return false;
    }
    return ::WaitForInputIdle(reinterpret_cast<HANDLE>(watch.waitEnd()),
                              static_cast<DWORD>(limit.count())) == 0;
}

void closeWatchEnd(std::intptr_t end) noexcept
{
    ::CloseHandle(reinterpret_cast<HANDLE>(end));
}

void TellStarterWindowShown()
{
}

} // namespace ft::platform
