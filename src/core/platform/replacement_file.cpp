#include "core/platform/replacement_file.h"

#include "core/platform/disk_full.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "core/platform/replacement_file_system.h"

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

namespace ft::platform {
namespace {

[[noreturn]] void throwErrno(int error, const char* marked, const std::filesystem::path& file)
{
    throw SystemFailure(error, Message(marked, {QString::fromStdString(pathText(file))}));
}

} // namespace

ReplacementFile::ReplacementFile(std::filesystem::path target, Writer writer,
                                 std::string_view extension)
    : m_target(std::move(target)), m_writer(writer)
{
    // Beside the target, so the rename stays on one file system.
    m_file = createFileBeside(m_target, extension, m_temporary);
    if (!m_file) {
        const int error = errno; // before building the message can touch it
        throwErrno(error, QT_TRANSLATE_NOOP("findTavla", "Cannot create a file beside %1"),
                   m_target);
    }
    // A library that writes by name creates the file itself (some refuse a
    // file that exists), with the permissions it gives new files: the name
    // made here, free an instant ago, is handed on without a file.
    if (m_writer == Writer::ByName) {
        m_file.reset();
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
    }
}

ReplacementFile::~ReplacementFile()
{
    discard();
}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : m_target(std::move(other.m_target)), m_temporary(std::exchange(other.m_temporary, {})),
      m_file(std::move(other.m_file)), m_writer(other.m_writer), m_committed(other.m_committed)
{
}

ReplacementFile& ReplacementFile::operator=(ReplacementFile&& other) noexcept
{
    if (this != &other) {
        discard();
        m_target = std::move(other.m_target);
        m_temporary = std::exchange(other.m_temporary, {});
        m_file = std::move(other.m_file);
        m_writer = other.m_writer;
        m_committed = other.m_committed;
    }
    return *this;
}

void ReplacementFile::discard() noexcept
{
    m_file.reset();
    if (!m_temporary.empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
        m_temporary.clear();
    }
}

void ReplacementFile::write(std::string_view bytes)
{
    if (!m_file)
        throwErrno(EBADF, QT_TRANSLATE_NOOP("findTavla", "The replacement of %1 is closed"),
                   m_target);
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size())
        throwWriteError(errno, QT_TRANSLATE_NOOP("findTavla", "Cannot write %1"), m_target);
}

void ReplacementFile::commit()
{
    if (m_temporary.empty() || (m_writer == Writer::Stream && !m_file))
        throwErrno(EBADF, QT_TRANSLATE_NOOP("findTavla", "The replacement of %1 is closed"),
                   m_target);
    // The bytes must be on the disk before the name points at them, or a
    // crash right after the rename could leave an empty file in its place.
    // A full disk shows here for most requests, the buffer holding them whole
    // until the flush; it is named by the target, the file the operator knows.
    const bool written =
        m_writer == Writer::ByName
            ? syncToDisk(m_temporary)
            : std::fflush(m_file.get()) == 0 && syncToDisk(m_file.get()) && closeFile(m_file);
    if (!written)
        throwWriteError(errno, QT_TRANSLATE_NOOP("findTavla", "Cannot write %1"), m_target);
    if (!replaceFile(m_temporary, m_target))
        throwWriteError(errno, QT_TRANSLATE_NOOP("findTavla", "Cannot replace %1"), m_target);
    m_temporary.clear();
    m_committed = true;
    syncFolderOf(m_target);
}

void replaceFileWith(const std::filesystem::path& target, std::string_view bytes)
{
    ReplacementFile replacement(target);
    replacement.write(bytes);
    replacement.commit();
}

} // namespace ft::platform
