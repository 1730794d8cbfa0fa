#pragma once

// Tavla's command line: what the hand-off passes (-E2 and the request file),
// data sets named by their headers, or nothing at all.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ft::viewer {

struct CommandLine {
    bool help = false;
    std::optional<std::filesystem::path> requestFile; // -E2 FILE
    std::vector<std::filesystem::path> headers;       // PATH.hed, or a drawing path without it
    std::string error; // bad usage, in English like other command-line messages; empty when fine
};

// How options that are not Tavla's own are taken: before Qt has taken its
// own options (-platform, -geometry ...) out of the arguments they are passed
// by; after it they are bad usage.
enum class OtherOptions { PassBy, Refuse };

// The arguments after the program name, as native byte strings.
CommandLine parseCommandLine(const std::vector<std::string>& arguments,
                             OtherOptions otherOptions = OtherOptions::Refuse);

// True when --help (or -h) is among the arguments; looked at before a window
// system is needed.
bool asksForHelp(const std::vector<std::string>& arguments);

const char* helpText();

} // namespace ft::viewer
