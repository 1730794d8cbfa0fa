#include "core/registration/discovery.h"

#include "core/formats/text_helpers.h"
#include "core/platform/file_system.h"
#include "core/platform/file_time.h"
#include "core/platform/progress.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <system_error>

namespace ft::registration {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeaderExtension = ".hed";
constexpr int kDatumField = 9;

QString pathText(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

std::string_view extensionOfName(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// The entries of one folder sorted by the bytes of their names; empty when
// the folder cannot be read.
std::vector<fs::directory_entry> sortedEntries(const fs::path& folder)
{
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename().string() < b.path().filename().string();
    });
    return entries;
}

bool isWalkedFolder(const fs::directory_entry& entry, std::uint64_t volume)
{
    if (entry.path().filename().string().starts_with('.'))
        return false;
    std::error_code error;
    // symlink_status: a link to a folder is not the folder.
    if (!fs::is_directory(entry.symlink_status(error)) || error)
        return false;
    return platform::fileSystemOf(entry.path()) == volume;
}

void walk(const fs::path& folder, std::uint64_t volume, std::string_view extension,
          std::vector<fs::path>& found, platform::Progress& progress)
{
    for (const fs::directory_entry& entry : sortedEntries(folder)) {
        if (isWalkedFolder(entry, volume)) {
            walk(entry.path(), volume, extension, found, progress);
        } else if (extensionOfName(entry.path().filename().string()) == extension) {
            found.push_back(entry.path());
            progress.showStatus(pathText(entry.path()));
        }
        progress.processEvents();
    }
}

// The datum code of the header's first line, or nothing when the header
// cannot be opened or read or is empty.
std::optional<std::string> readDatumCode(const fs::path& headerPath)
{
    // Only a file is read: opening a named pipe or a device would wait for
    // a writer, or read without end.
    std::error_code error;
    if (!fs::is_regular_file(headerPath, error))
        return std::nullopt;
    formats::RecordLineReader reader(headerPath);
    if (!reader.isOpen())
        return std::nullopt;
    std::string line;
    try {
        if (!reader.next(line))
            return std::nullopt;
    } catch (const std::system_error&) {
        return std::nullopt; // a folder named like a header, or a read error
    }
    std::string field;
    for (int i = 0; i < kDatumField; ++i)
        field = formats::NextField(line);
    return formats::TrimBlanks(field);
}

// The latest of the four modification times; the fixed text form sorts like
// the times themselves.
std::string dataSetTime(const fs::path& headerPath)
{
    std::string latest;
    for (const fs::path& file : {SiblingOf(headerPath, ".pol"), headerPath,
                                 SiblingOf(headerPath, ".pnt"), SiblingOf(headerPath, ".atr")}) {
        const std::optional<std::string> time = platform::modificationTimeText(file);
        if (time && *time > latest)
            latest = *time;
    }
    return latest;
}

} // namespace

void FindHeaderFiles(const fs::path& folder, std::string_view extension,
                     std::vector<fs::path>& found, platform::Progress& progress)
{
    const std::optional<std::uint64_t> volume = platform::fileSystemOf(folder);
    if (!volume)
        return;
    walk(folder, *volume, extension, found, progress);
}

HeaderClass ClassifyHeader(const fs::path& headerPath)
{
    HeaderClass result;
    const std::optional<std::string> code = readDatumCode(headerPath);
    if (!code)
        return result;
    result.datumCode = *code;
    result.accepted = *code == "1" || *code == "2";
    result.time = dataSetTime(headerPath);
    return result;
}

TargetEntry MakeTargetEntry(const fs::path& headerPath)
{
    TargetEntry entry;
    entry.headerPath = headerPath;
    const HeaderClass header = ClassifyHeader(headerPath);
    if (header.accepted) {
        entry.datumCode = header.datumCode;
        entry.time = header.time;
        entry.checked = true;
    }
    return entry;
}

bool HasRequiredSiblings(const fs::path& headerPath)
{
    std::error_code error;
    for (const std::string_view extension : {".pol", ".pnt", ".atr"}) {
        if (!fs::exists(SiblingOf(headerPath, extension), error))
            return false;
    }
    return true;
}

int CollectDataSets(const fs::path& folder, TargetList& targets, platform::Progress& progress)
{
    std::vector<fs::path> headers;
    FindHeaderFiles(folder, kHeaderExtension, headers, progress);
    int appended = 0;
    for (const fs::path& header : headers) {
        progress.showStatus(pathText(header));
        if (!HasRequiredSiblings(header))
            continue;
        targets.append(MakeTargetEntry(header));
        ++appended;
    }
    return appended;
}

} // namespace ft::registration
