#include "core/platform/terminal.h"

#include <io.h>
#include <windows.h>

namespace ft::platform {
namespace {

HANDLE consoleOf(int fd)
{
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return nullptr;
    return handle;
}

} // namespace

// A console, not merely a character device: NUL is one too, and no person
// reads it.
bool isTerminal(int fd)
{
    return consoleOf(fd) != nullptr;
}

int terminalColumns(int fd)
{
    const HANDLE console = consoleOf(fd);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (console == nullptr || !::GetConsoleScreenBufferInfo(console, &info))
        return 0;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

void prepareConsoleOutput()
{
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace ft::platform
