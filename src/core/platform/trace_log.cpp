#include "core/platform/trace_log.h"

#include "core/platform/disk_full.h"

#include <unistd.h>

#include <cerrno>

namespace ft::platform {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A write error that means the disk is full ends the work; any other is
// swallowed like a log that could not be opened.
void checkWritten(std::FILE* file, bool written, const std::filesystem::path& path)
{
    if (written)
        return;
    const int error = errno;
    std::clearerr(file);
    if (isOutOfSpace(error))
        throw DiskFull(path);
}

void writeLineTo(std::FILE* file, std::string_view cp932Line, const std::filesystem::path& path)
{
    const bool written =
        std::fwrite(cp932Line.data(), 1, cp932Line.size(), file) == cp932Line.size() &&
        std::fwrite(kLineEnd.data(), 1, kLineEnd.size(), file) == kLineEnd.size();
    checkWritten(file, written, path);
}

void flushTo(std::FILE* file, const std::filesystem::path& path)
{
    checkWritten(file, std::fflush(file) == 0, path);
}

} // namespace

void TraceLog::openTruncated(const std::filesystem::path& file)
{
    // Append mode: every write goes to the end of the file as it is then.
    // A log that cannot be created stays closed and swallows its lines.
    m_file = openFile(file, "ab");
    m_path = file;
    if (m_file && ::ftruncate(::fileno(m_file.get()), 0) != 0) {
        // Not a file that can be emptied (a device): written all the same.
    }
}

void TraceLog::close()
{
    m_file.reset();
}

void TraceLog::writeLine(std::string_view cp932Line)
{
    if (!m_file)
        return;
    writeLineTo(m_file.get(), cp932Line, m_path);
    // Flushed per line so that the trace of a run that ends abruptly is
    // complete up to its last step, and readers see it while it is open.
    if (!m_batched)
        flushTo(m_file.get(), m_path);
}

void TraceLog::setBatched(bool batched)
{
    m_batched = batched;
    if (!batched)
        flush();
}

void TraceLog::flush()
{
    if (m_file)
        flushTo(m_file.get(), m_path);
}

void AppendingTraceLog::truncate()
{
    if (m_path.empty())
        return;
    const OwnedFile file = openFile(m_path, "wb");
}

void AppendingTraceLog::writeLine(std::string_view cp932Line)
{
    if (m_path.empty())
        return;
    if (m_batched) {
        if (!m_batchFile)
            m_batchFile = openFile(m_path, "ab");
        if (m_batchFile)
            writeLineTo(m_batchFile.get(), cp932Line, m_path);
        return;
    }
    const OwnedFile file = openFile(m_path, "ab");
    if (file) {
        writeLineTo(file.get(), cp932Line, m_path);
        flushTo(file.get(), m_path);
    }
}

void AppendingTraceLog::setBatched(bool batched)
{
    m_batched = batched;
    if (batched || !m_batchFile)
        return;
    const auto file = std::move(m_batchFile);
    flushTo(file.get(), m_path);
}

void AppendingTraceLog::flush()
{
    if (m_batchFile)
        flushTo(m_batchFile.get(), m_path);
}

} // namespace ft::platform
