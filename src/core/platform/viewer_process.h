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

inline constexpr const char* kViewerProgram = "Tavla";

// The viewer program: an executable `Tavla` in the folder of the running
// executable, else the first one on PATH. Nothing when neither has one.
std::optional<std::filesystem::path> findViewer();
// The same search with the executable's folder given.
std::optional<std::filesystem::path> findViewer(const std::filesystem::path& executableFolder);

// The arguments of an argument text: leading and trailing blanks and control
// characters removed, then split at blanks outside double quotes. The quotes
// group and are dropped, so " -E2 \"/a b/TAVLA.E2\"" gives -E2 and /a b/TAVLA.E2.
std::vector<std::string> splitArgumentText(std::string_view argumentText);

// Starts the viewer with the arguments of the text, detached, in the current
// folder and with the inherited environment, and returns at once: there is
// nothing to wait for and nothing is read back. A viewer that cannot be found
// or started is silently nothing; the result only tells whether it started.
bool StartViewer(std::string_view argumentText);

} // namespace ft::platform
