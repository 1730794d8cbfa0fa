#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace ft::platform {

// Identifies the file system (the mounted volume) a path lies on, so that a
// folder walk can stay on the volume it started on. Symbolic links are
// followed. Nothing when the path cannot be examined.
std::optional<std::uint64_t> fileSystemOf(const std::filesystem::path& path);

// True when this process may create files in `folder` as far as the system's
// permissions say (a read-only mount or folder answers false).
bool isWritableFolder(const std::filesystem::path& folder);

} // namespace ft::platform
