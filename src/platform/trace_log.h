#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

namespace ft::platform {

// A plain text trace of what registration did: one CP932 line per step and
// per statement, CRLF line ends. A log that could not be opened swallows its
// lines, so a read-only data folder never stops the program.
class TraceLog {
public:
    TraceLog() = default;

    // Creates or truncates the file and keeps it open for writing.
    void openTruncated(const std::filesystem::path& file);
    void close();
    bool isOpen() const { return m_file != nullptr; }

    void writeLine(std::string_view cp932Line);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> m_file;
};

// The second trace log: opened for appending and closed again for every line,
// as the parcel and point converters use it.
class AppendingTraceLog {
public:
    AppendingTraceLog() = default;
    explicit AppendingTraceLog(std::filesystem::path file) : m_path(std::move(file)) {}

    // Creates or truncates the file, then closes it again.
    void truncate();
    void writeLine(std::string_view cp932Line);
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace ft::platform
