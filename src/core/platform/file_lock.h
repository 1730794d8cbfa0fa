#pragma once

#include "core/platform/owned_file.h"

#include <filesystem>

namespace ft::platform {

// An exclusive advisory lock on a file (created when missing), taken without
// waiting and held while the object lives. The system drops the lock when
// the holding process ends, however it ends, so a crash leaves no stale
// lock. Two locks on one file exclude each other also within one process.
class FileLock {
public:
    // Throws std::system_error when the file cannot be opened or locked for
    // another reason than someone else holding it.
    explicit FileLock(const std::filesystem::path& file);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when another holder had the lock.
    bool held() const { return m_descriptor.valid(); }

private:
    OwnedDescriptor m_descriptor;
};

} // namespace ft::platform
