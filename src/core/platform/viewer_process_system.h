#pragma once

// What the viewer start asks of the system; one source file for each system
// answers it.

#include "core/platform/viewer_process.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace ft::platform {

// What separates the entries of PATH.
extern const char kPathListSeparator;

// The value of PATH as UTF-8; empty when it is not set.
std::string pathVariable();

// The folder of the running executable; nothing when the system will not say.
std::optional<std::filesystem::path> executableFolder();

// Whether the file is a regular file this user may run.
bool isRunnableFile(const std::filesystem::path& file);

// An environment entry (name, value) to hand a started program.
using EnvironmentEntry = std::pair<std::string, std::string>;

// Made just before the viewer starts: what it will tell its first window
// through, and the entry naming that in the viewer's environment (none when
// the system watches the process itself, or nothing could be made: the wait
// then runs to its limit).
ViewerWatch openViewerWatch(std::optional<EnvironmentEntry>& entry);
// Called once the viewer runs with the process id it got.
void watchStartedViewer(ViewerWatch& watch, std::int64_t processId);
// See WaitForViewerWindow.
bool waitOnViewerWatch(const ViewerWatch& watch, std::chrono::milliseconds limit);
// Closes one end a ViewerWatch holds.
void closeWatchEnd(std::intptr_t end) noexcept;

} // namespace ft::platform
