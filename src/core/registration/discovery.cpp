#include "core/registration/discovery.h"

#include "core/formats/text_helpers.h"
#include "core/platform/file_system.h"
#include "core/platform/file_time.h"
#include "core/platform/path_text.h"
#include "core/platform/progress.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>

namespace ft::registration {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeaderExtension = ".hed";
constexpr int kDatumField = 9;

// How often the thread that shows a walk redraws its state and lets
// pending events run.
constexpr std::chrono::milliseconds kScanShowInterval{50};

std::string_view extensionOfName(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// The entries of one folder sorted by the bytes of their names: those read
// before the reading failed, if it did; `failed` tells.
std::vector<fs::directory_entry> sortedEntries(const fs::path& folder, bool& failed)
{
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(*it);
    failed = static_cast<bool>(error);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return platform::pathText(a.path().filename()) < platform::pathText(b.path().filename());
    });
    return entries;
}

enum class EntryKind { Subfolder, Other, Unexaminable };

// A real subfolder (not a link to one) whose name does not start with ".",
// anything else, or an entry whose kind cannot be learnt. The kind the
// folder listing gave is used where there is one.
EntryKind kindOf(const fs::directory_entry& entry)
{
    if (platform::pathText(entry.path().filename()).starts_with('.'))
        return EntryKind::Other;
    std::error_code error;
    const bool link = entry.is_symlink(error);
    const bool folder = !error && !link && entry.is_directory(error);
    if (error)
        return EntryKind::Unexaminable;
    return folder ? EntryKind::Subfolder : EntryKind::Other;
}

// What one walk carries down into every folder.
struct Walk {
    std::uint64_t volume;
    std::string_view extension;
    std::vector<fs::path>& found;
    ScanTally& tally;
    std::vector<fs::path>& unreadableFolders;
};

void walk(const fs::path& folder, const Walk& w)
{
    // Asked before each folder: a stop takes effect between folders.
    if (w.tally.stopRequested())
        return;
    w.tally.enterFolder(folder);
    bool failed = false;
    const std::vector<fs::directory_entry> entries = sortedEntries(folder, failed);
    w.tally.folderRead();
    if (failed)
        w.unreadableFolders.push_back(folder);
    for (const fs::directory_entry& entry : entries) {
        const EntryKind kind = kindOf(entry);
        if (kind == EntryKind::Subfolder) {
            // The walk stays on its volume; a folder that cannot even be
            // examined cannot be read either.
            const std::optional<std::uint64_t> volume = platform::fileSystemOf(entry.path());
            if (!volume)
                w.unreadableFolders.push_back(entry.path());
            else if (*volume == w.volume)
                walk(entry.path(), w);
        } else if (kind == EntryKind::Unexaminable) {
            w.unreadableFolders.push_back(entry.path());
        } else if (extensionOfName(platform::pathText(entry.path().filename())) == w.extension) {
            w.found.push_back(entry.path());
            w.tally.headerFound();
        }
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

void ScanTally::enterFolder(const fs::path& folder)
{
    const std::lock_guard lock(m_mutex);
    m_currentFolder = folder;
}

void ScanTally::folderRead()
{
    const std::lock_guard lock(m_mutex);
    ++m_foldersRead;
}

void ScanTally::headerFound()
{
    const std::lock_guard lock(m_mutex);
    ++m_headersFound;
}

platform::ScanState ScanTally::snapshot() const
{
    const std::lock_guard lock(m_mutex);
    return {m_foldersRead, m_headersFound, m_currentFolder};
}

void FindHeaderFiles(const fs::path& folder, std::string_view extension,
                     std::vector<fs::path>& found, ScanTally& tally,
                     std::vector<fs::path>& unreadableFolders)
{
    const std::optional<std::uint64_t> volume = platform::fileSystemOf(folder);
    if (!volume) {
        unreadableFolders.push_back(folder);
        return;
    }
    walk(folder, {*volume, extension, found, tally, unreadableFolders});
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

void DiscoverDataSets(const fs::path& folder, ScanTally& tally, Discovery& found)
{
    std::vector<fs::path> headers;
    FindHeaderFiles(folder, kHeaderExtension, headers, tally, found.passedBy.unreadableFolders);
    for (const fs::path& header : headers) {
        if (HasRequiredSiblings(header))
            found.candidates.push_back(MakeTargetEntry(header));
        else
            found.passedBy.incompleteSets.push_back(header);
    }
}

namespace {

// Joins the walking thread however the showing ends: when the showing
// itself fails, the walk is stopped first so the join does not wait long.
class WalkThread {
public:
    WalkThread(ScanTally& tally, const std::function<void()>& walk) : m_tally(tally)
    {
        m_thread = std::thread([this, &walk] {
            try {
                walk();
            } catch (...) {
                m_failure = std::current_exception();
            }
            {
                const std::lock_guard lock(m_mutex);
                m_done = true;
            }
            m_ended.notify_all();
        });
    }
    ~WalkThread()
    {
        if (!finished())
            m_tally.requestStop();
        m_thread.join();
    }
    WalkThread(const WalkThread&) = delete;
    WalkThread& operator=(const WalkThread&) = delete;

    // True when the walk ended within `interval`.
    bool waitFor(std::chrono::milliseconds interval)
    {
        std::unique_lock lock(m_mutex);
        return m_ended.wait_for(lock, interval, [this] { return m_done; });
    }
    bool finished()
    {
        const std::lock_guard lock(m_mutex);
        return m_done;
    }
    // What the walk threw, once it has ended.
    std::exception_ptr failure() const { return m_failure; }

private:
    ScanTally& m_tally;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

// Ends the showing of a walk also when it ends with an exception.
class ScanShowing {
public:
    ScanShowing(platform::Progress& progress, const ScanTally& tally)
        : m_progress(progress), m_tally(tally)
    {
    }
    ~ScanShowing()
    {
        platform::ScanState last = m_tally.snapshot();
        last.currentFolder.clear();
        m_progress.scanEnded(last);
    }
    ScanShowing(const ScanShowing&) = delete;
    ScanShowing& operator=(const ScanShowing&) = delete;

private:
    platform::Progress& m_progress;
    const ScanTally& m_tally;
};

} // namespace

void RunScan(platform::Progress& progress, ScanTally& tally, const std::function<void()>& walk)
{
    const ScanShowing showing(progress, tally);
    std::exception_ptr failure;
    {
        progress.showScan(tally.snapshot());
        // A stop asked before the walk begins: it reads no folder.
        if (progress.scanStopRequested())
            tally.requestStop();
        WalkThread walker(tally, walk);
        while (!walker.waitFor(kScanShowInterval)) {
            if (progress.scanStopRequested())
                tally.requestStop();
            progress.showScan(tally.snapshot());
        }
        failure = walker.failure();
    }
    if (failure)
        std::rethrow_exception(failure);
}

int AppendNewCandidates(const Discovery& found, TargetList& targets)
{
    int appended = 0;
    for (const TargetEntry& entry : found.candidates)
        appended += targets.append(entry) ? 1 : 0;
    return appended;
}

int CollectDataSets(const fs::path& folder, TargetList& targets, platform::Progress& progress,
                    PassedBy& passedBy)
{
    ScanTally tally;
    Discovery found;
    RunScan(progress, tally, [&] { DiscoverDataSets(folder, tally, found); });
    const auto keep = [](std::vector<fs::path>& to, std::vector<fs::path>& from) {
        to.insert(to.end(), from.begin(), from.end());
    };
    keep(passedBy.incompleteSets, found.passedBy.incompleteSets);
    keep(passedBy.unreadableFolders, found.passedBy.unreadableFolders);
    return AppendNewCandidates(found, targets);
}

} // namespace ft::registration
