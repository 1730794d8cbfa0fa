#pragma once

#include "core/platform/operator_message.h"

#include <filesystem>
#include <string>

namespace ft::platform {

// A write that did not fit: the file system is full, the user's quota is
// used up, or the file reached the process's file-size limit. It ends the
// work in progress whatever that is, since everything after it would fail
// the same way. The operator sees "ディスクの空きが足りません: <path>。..."
class DiskFull : public MessageError {
public:
    explicit DiskFull(std::filesystem::path file);
    const std::filesystem::path& file() const { return m_file; }

private:
    std::filesystem::path m_file;
};

// True for the errno values of a write that did not fit: ENOSPC, EDQUOT, EFBIG.
bool isOutOfSpace(int error);

// Throws DiskFull for an errno of isOutOfSpace, a SystemFailure (a
// std::system_error) for any other: `marked` is a marked text whose %1 is
// the path, "Cannot write %1" say.
[[noreturn]] void throwWriteError(int error, const char* marked, const std::filesystem::path& file);

// A write past the file-size limit (RLIMIT_FSIZE) then fails with EFBIG,
// which the program reports as DiskFull, instead of the process being
// killed by SIGXFSZ halfway through a registration. Called once by each
// program's main().
void ignoreFileSizeLimitSignal();

} // namespace ft::platform
