#pragma once

// Starting the external drawing viewer. The viewer is a separate program,
// `Tavla`; the program hands it nothing but its command line (which names the
// request file) and keeps no hold on the process it starts.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ft::platform {

// The viewer's file name: Tavla, on Windows Tavla.exe.
extern const char* const kViewerProgram;

// Where the viewer is looked for, in order: the folder of the running
// executable, then each absolute entry of PATH (separated by ':', on Windows
// by ';'). The current folder and
// relative PATH entries (".", "bin") are never searched: a file called Tavla
// in a data folder must not be run.
std::vector<std::filesystem::path> viewerFolders();
// The same with the executable's folder given (nothing when unknown) and the
// value of PATH given.
std::vector<std::filesystem::path>
viewerFolders(const std::optional<std::filesystem::path>& executableFolder, std::string_view path);

// The first regular file called Tavla that this user may run, in the folders
// in their order; nothing when none has one.
std::optional<std::filesystem::path> findViewer(const std::vector<std::filesystem::path>& folders);

// The arguments of an argument text: leading and trailing blanks and control
// characters removed, then split at blanks outside double quotes. The quotes
// group and are dropped, so " -E2 \"/a b/TAVLA.E2\"" gives -E2 and /a b/TAVLA.E2.
std::vector<std::string> splitArgumentText(std::string_view argumentText);

// How a start of the viewer went.
struct ViewerStart {
    bool started = false;
    // The program that was run, when one was found.
    std::optional<std::filesystem::path> program;
    // The folders that were searched, in order.
    std::vector<std::filesystem::path> searched;
    // Why it did not start (English), when it was found but failed.
    std::string error;
};

// Looks the viewer up (viewerFolders) and starts it with the arguments of
// the text, detached, in the current folder and with the inherited
// environment, and returns at once: nothing is read back.
ViewerStart StartViewer(std::string_view argumentText);

} // namespace ft::platform
