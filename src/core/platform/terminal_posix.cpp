#include "core/platform/terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace ft::platform {

bool isTerminal(int fd)
{
    return ::isatty(fd) == 1;
}

int terminalColumns(int fd)
{
    winsize size{};
    if (::ioctl(fd, TIOCGWINSZ, &size) != 0)
        return 0;
    return size.ws_col;
}

void prepareConsoleOutput()
{
}

} // namespace ft::platform
