#pragma once

#include "cli/cli_run.h"

#include <functional>
#include <ostream>

namespace ft::cli {

struct CliCommand;

// Whether the command works on catalogues as a whole (catalogue init, copy)
// rather than on the current datum of a workspace.
bool isCatalogueCommand(const CliCommand& command);

// Runs catalogue init or catalogue copy; returns the exit status as runCli
// does. Throws what the catalogue layer throws.
int runCatalogueCommand(const CliCommand& command, const std::function<CliFolders()>& folders,
                        std::ostream& out, std::ostream& err);

} // namespace ft::cli
