#pragma once

#include "core/platform/owned_file.h"

#include <filesystem>
#include <string_view>

namespace ft::platform {

// A file written whole or not at all, and the one way the program replaces a
// whole file (settings, request file, tidy record, working files, an
// exported GeoPackage): the bytes go to a new temporary file in the target's
// folder, and only commit() puts it in the target's place, by a rename, so
// whoever reads the target sees either its old bytes or all of the new ones.
// commit() puts the bytes on the disk before the rename and the folder after
// it. A replacement dropped without commit() removes its temporary file and
// leaves the target as it was.
//
// Other programs may hold the target open while it is replaced (a viewer
// reading the request file, another findTavla reading the settings or an
// extent file): they go on reading the old bytes and find the new ones when
// they open it again. POSIX rename() allows that; on Windows MoveFileExW
// with MOVEFILE_REPLACE_EXISTING (or ReplaceFileW) does, as long as every
// reader opens with FILE_SHARE_DELETE, which the Windows side must keep so.
class ReplacementFile {
public:
    // Who writes the bytes: this object through write(), or a library that
    // creates the temporary file by its name (temporaryPath()), writes it and
    // closes it before commit().
    enum class Writer { Stream, ByName };

    // Creates the temporary file (readable and writable by the user only),
    // its name ending in `extension` (for a library that goes by it); for a
    // writer by name only picks the name, which no file had a moment before.
    // Throws std::system_error naming the target when that fails.
    explicit ReplacementFile(std::filesystem::path target, Writer writer = Writer::Stream,
                             std::string_view extension = {});
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ReplacementFile(ReplacementFile&& other) noexcept;
    ReplacementFile& operator=(ReplacementFile&& other) noexcept;

    // Appends the bytes; refused for a file written by name. Throws DiskFull
    // (naming the target) when there is no room for them, std::system_error
    // when the write fails otherwise.
    void write(std::string_view bytes);
    // Flushes the bytes to the disk and renames the file over the target.
    // Throws DiskFull or std::system_error, as write() does, when any of
    // that fails; the target then keeps its old bytes. Writing after
    // commit() is refused.
    void commit();

    const std::filesystem::path& target() const { return m_target; }
    // Empty once committed.
    const std::filesystem::path& temporaryPath() const { return m_temporary; }
    bool committed() const { return m_committed; }

private:
    void discard() noexcept;

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    OwnedFile m_file; // empty for a file written by name
    Writer m_writer = Writer::Stream;
    bool m_committed = false;
};

// Replaces the file with these bytes through a ReplacementFile.
void replaceFileWith(const std::filesystem::path& target, std::string_view bytes);

} // namespace ft::platform
