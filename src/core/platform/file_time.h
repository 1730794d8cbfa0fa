#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ft::platform {

// Modification time of a file as local time in the fixed zero-padded form
// "yyyy/MM/dd HH:mm:ss", which orders correctly as text. Empty when the
// file does not exist or cannot be read.
std::optional<std::string> modificationTimeText(const std::filesystem::path& file);

} // namespace ft::platform
