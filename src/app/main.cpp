#include "core/gis/gdal_runtime.h"
#include "core/platform/disk_full.h"
#include "ui/main/desktop_command_line.h"
#include "ui/main/desktop_program.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    ft::platform::ignoreFileSizeLimitSignal();
    // Help and the version are answered before any window system is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    const ft::app::DesktopCommandLine line = ft::app::readDesktopCommandLine(arguments);
    switch (line.answer) {
    case ft::app::DesktopCommandLine::Answer::Help:
    case ft::app::DesktopCommandLine::Answer::Version:
        std::fputs(line.text.c_str(), stdout);
        return 0;
    case ft::app::DesktopCommandLine::Answer::OpenWindow:
        break;
    }
    // Released at exit, after any GeoPackage export.
    const ft::gis::GdalRuntime gdal;
    QApplication application(argc, argv);
    return ft::app::runDesktopProgram(application);
}
