#include "cli/cli_run.h"
#include "core/gis/gdal_runtime.h"
#include "core/platform/disk_full.h"
#include "core/platform/operator_message.h"
#include "core/platform/program_arguments.h"
#include "core/platform/terminal.h"

#include <QCoreApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    ft::platform::ignoreFileSizeLimitSignal();
    // Released at exit, after any export.
    const ft::gis::GdalRuntime gdal;
    ft::platform::prepareConsoleOutput();
    const std::vector<std::string> args = ft::platform::programArguments(argc, argv);
    // The messages speak Japanese, as in the windows, whatever the locale.
    QCoreApplication application(argc, argv);
    ft::platform::loadJapaneseTexts(application);
    const bool terminal = ft::platform::isTerminal(ft::platform::kStandardErrorFd);
    const int columns = ft::platform::terminalColumns(ft::platform::kStandardErrorFd);
    return ft::cli::runCli(args, std::cout, std::cerr, ft::cli::platformFolders,
                           {terminal, columns > 0 ? columns : 80});
}
