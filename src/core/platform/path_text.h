#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace ft::platform {

// Paths as the program's text, UTF-8, on every system: on Linux the native
// bytes as they are, on Windows converted from and to UTF-16, so that a
// Japanese user or folder name reaches a message or a CP932 file whole and
// no ANSI code page is ever involved.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view utf8);

// A file name as Qt hands it over (a file dialog's answer, a program
// argument) as a path naming the same file: on Linux the bytes Qt itself
// would open it by, on Windows its UTF-16 as it is.
std::filesystem::path pathFromFileName(const QString& name);

} // namespace ft::platform
