#pragma once

// What the viewer start asks of the system; one source file for each system
// answers it.

#include <filesystem>
#include <optional>
#include <string>

namespace ft::platform {

// What separates the entries of PATH.
extern const char kPathListSeparator;

// The value of PATH as UTF-8; empty when it is not set.
std::string pathVariable();

// The folder of the running executable; nothing when the system will not say.
std::optional<std::filesystem::path> executableFolder();

// Whether the file is a regular file this user may run.
bool isRunnableFile(const std::filesystem::path& file);

} // namespace ft::platform
