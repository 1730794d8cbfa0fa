#pragma once

// What ReplacementFile asks of the system; one source file for each system
// answers it.

#include "core/platform/owned_file.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace ft::platform {

// Creates a new file beside `target` under a name no one else is using,
// ending in `extension`, readable and writable by the user only, opened for
// writing bytes; sets `name` to it. An empty OwnedFile when that fails (errno
// says why), with nothing left behind.
OwnedFile createFileBeside(const std::filesystem::path& target, std::string_view extension,
                           std::filesystem::path& name);

// Puts the bytes written to the stream (already flushed) on the disk. False
// when that fails, errno saying why.
bool syncToDisk(std::FILE* file);
// The same for a closed file, by its name.
bool syncToDisk(const std::filesystem::path& file);

// Puts the closed file `from` in the place of `to`, whether `to` exists or
// not, in one step. False when that fails, errno saying why.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Puts the names of the file's folder on the disk after a replacement, where
// the system needs that done apart from the move. Best effort: a file system
// that cannot do it keeps its names its own way.
void syncFolderOf(const std::filesystem::path& file);

} // namespace ft::platform
