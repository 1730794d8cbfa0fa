#pragma once

#include "core/platform/owned_file.h"

#include <filesystem>
#include <string_view>

namespace ft::platform {

// A plain text trace of what registration did: one CP932 line per step and
// per statement, CRLF line ends. A log that could not be opened swallows its
// lines, so a read-only data folder never stops the program; a write that
// finds no space left ends the work with DiskFull like any other file would.
// Lines are appended at the file's end as it is when they are written, so a
// log that another program truncates meanwhile never gets a hole of zero
// bytes where the lines before the truncation were.
class TraceLog {
public:
    TraceLog() = default;

    // Creates or truncates the file and keeps it open for writing.
    void openTruncated(const std::filesystem::path& file);
    void close();
    bool isOpen() const { return m_file != nullptr; }

    void writeLine(std::string_view cp932Line);

    // Each line reaches the file as it is written, unless the log is
    // batched: a registration run writes a line per catalogue row, and
    // batches them so that the file sees one write per step (flush()) rather
    // than one per line. Ending the batch flushes.
    void setBatched(bool batched);
    void flush();

private:
    OwnedFile m_file;
    std::filesystem::path m_path;
    bool m_batched = false;
};

// The second trace log: opened for appending and closed again for every line,
// as the parcel and point converters use it. Write failures as for TraceLog.
class AppendingTraceLog {
public:
    AppendingTraceLog() = default;
    explicit AppendingTraceLog(std::filesystem::path file) : m_path(std::move(file)) {}

    // Creates or truncates the file, then closes it again.
    void truncate();
    void writeLine(std::string_view cp932Line);
    const std::filesystem::path& path() const { return m_path; }

    // While batched, the file stays open between lines and is written per
    // flush(); ending the batch flushes and closes it again.
    void setBatched(bool batched);
    void flush();

private:
    std::filesystem::path m_path;
    OwnedFile m_batchFile;
    bool m_batched = false;
};

} // namespace ft::platform
