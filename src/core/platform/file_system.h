#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace ft::platform {

// Identifies the file system (the mounted volume) a path lies on, so that a
// folder walk can stay on the volume it started on. Symbolic links are
// followed. Nothing when the path cannot be examined.
std::optional<std::uint64_t> fileSystemOf(const std::filesystem::path& path);

} // namespace ft::platform
