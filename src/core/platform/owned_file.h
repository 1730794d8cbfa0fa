#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

namespace ft::platform {

// An open C stream that is closed when its owner goes. Whoever needs to know
// whether the last bytes reached the disk closes it with closeFile() instead.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

// Opens the file with fopen's mode; an empty OwnedFile when it cannot be
// opened (errno says why), for callers to whom a missing file is no error.
OwnedFile openFile(const std::filesystem::path& file, const char* mode);
// The same, but a file that cannot be opened throws std::system_error with
// the text "cannot open " and the path.
OwnedFile openFileOrThrow(const std::filesystem::path& file, const char* mode);
// Closes the file and leaves `file` empty. False when the close failed
// (errno says why), which for a file being written means lost bytes. An
// empty `file` closes successfully.
bool closeFile(OwnedFile& file);

// An open file descriptor that is closed when its owner goes.
class OwnedDescriptor {
public:
    OwnedDescriptor() = default;
    explicit OwnedDescriptor(int descriptor) : m_descriptor(descriptor) {}
    ~OwnedDescriptor() { reset(); }
    OwnedDescriptor(OwnedDescriptor&& other) noexcept : m_descriptor(other.release()) {}
    OwnedDescriptor& operator=(OwnedDescriptor&& other) noexcept;
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;

    int get() const { return m_descriptor; }
    bool valid() const { return m_descriptor >= 0; }
    // Closes the descriptor held, if any, and takes `descriptor` instead.
    void reset(int descriptor = -1) noexcept;
    int release() noexcept;

private:
    int m_descriptor = -1;
};

} // namespace ft::platform
