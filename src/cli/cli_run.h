#pragma once

#include "cli/run_progress.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ft::workspace {
class Workspace;
}

namespace ft::cli {

struct CliCommand;

// Where the catalogues, working files and settings are kept.
struct CliFolders {
    std::filesystem::path data;
    std::filesystem::path settings;
};

// The folders of the desktop program (XDG data and config homes).
CliFolders platformFolders();

// Runs findTavla-cli with the arguments after the program name; rows and
// reports go to `out`, messages to `err`. Returns the exit status: 0 done,
// 1 nothing found or something refused, 2 bad usage or an error. The folders
// are worked out (and created) only when a command needs them. When `err` is
// a terminal, a registration shows its progress there in one line.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::function<CliFolders()>& folders = platformFolders,
           const MessageStream& errStream = {});

// A message of the lower layers as a terminal shows it: UTF-8 (it may quote
// CP932 bytes), its lines separated by line feeds (the catalogue layer
// separates them with a lone CR, which a terminal would print over the first).
std::string terminalText(std::string_view message);

// What the operator is told of a failure, as the windows tell it: the
// sentence, then the catalogue layer's or a library's text, as above.
std::string terminalText(const std::exception& error);

// Runs a parsed command on an open state whose current datum is already the
// one to use. Throws what the catalogue layer throws.
int runCommand(const CliCommand& command, workspace::Workspace& state, std::ostream& out,
               std::ostream& err, const MessageStream& errStream = {});

} // namespace ft::cli
