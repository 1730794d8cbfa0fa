#include "core/platform/disk_full.h"
#include "ui/main/desktop_program.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

int main(int argc, char* argv[])
{
    ft::platform::ignoreFileSizeLimitSignal();
    // The one option the desktop program takes; answered before any window
    // system is needed.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::puts("findTavla " FT_VERSION);
        return 0;
    }
    QApplication application(argc, argv);
    return ft::app::runDesktopProgram(application);
}
