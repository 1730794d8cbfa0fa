#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace ft::platform {

// The state of a file as the file system tells it: there or not, its size
// and its modification time. Two stamps of a file that are equal say that
// nobody wrote it in between (a write changes the time, to the nanosecond).
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // nanoseconds since the file clock's epoch

    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file; one that does not exist, or cannot be examined, has
// the stamp of a missing file.
FileStamp stampOf(const std::filesystem::path& file);

// "exists size modified", or "missing": one line of a record that a later
// run compares with the stamp it finds.
std::string stampText(const FileStamp& stamp);

} // namespace ft::platform
