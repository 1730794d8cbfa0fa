#include "core/platform/trace_log.h"

namespace ft::platform {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void writeLineTo(std::FILE* file, std::string_view cp932Line)
{
    std::fwrite(cp932Line.data(), 1, cp932Line.size(), file);
    std::fwrite(kLineEnd.data(), 1, kLineEnd.size(), file);
}

} // namespace

void TraceLog::openTruncated(const std::filesystem::path& file)
{
    // A log that cannot be created stays closed and swallows its lines.
    m_file = openFile(file, "wb");
}

void TraceLog::close()
{
    m_file.reset();
}

void TraceLog::writeLine(std::string_view cp932Line)
{
    if (!m_file)
        return;
    writeLineTo(m_file.get(), cp932Line);
    // Flushed per line so that the trace of a run that ends abruptly is
    // complete up to its last step, and readers see it while it is open.
    if (!m_batched)
        std::fflush(m_file.get());
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
        std::fflush(m_file.get());
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
            writeLineTo(m_batchFile.get(), cp932Line);
        return;
    }
    const OwnedFile file = openFile(m_path, "ab");
    if (file)
        writeLineTo(file.get(), cp932Line);
}

void AppendingTraceLog::setBatched(bool batched)
{
    m_batched = batched;
    if (!batched)
        m_batchFile.reset();
}

void AppendingTraceLog::flush()
{
    if (m_batchFile)
        std::fflush(m_batchFile.get());
}

} // namespace ft::platform
