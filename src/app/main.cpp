#include "core/platform/disk_full.h"
#include "ui/main/desktop_program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    ft::platform::ignoreFileSizeLimitSignal();
    QApplication application(argc, argv);
    return ft::app::runDesktopProgram(application);
}
