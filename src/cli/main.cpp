#include "cli/cli_run.h"
#include "core/gis/gdal_runtime.h"
#include "core/platform/disk_full.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    ft::platform::ignoreFileSizeLimitSignal();
    // Released at exit, after any export.
    const ft::gis::GdalRuntime gdal;
    const std::vector<std::string> args(argv + 1, argv + argc);
    return ft::cli::runCli(args, std::cout, std::cerr);
}
