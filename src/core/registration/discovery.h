#pragma once

#include "core/registration/target_list.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace ft::platform {
class Progress;
struct ScanState;
} // namespace ft::platform

namespace ft::registration {

// What a walk passed by. These are not listed as targets, but the operator
// is told of them, so that a set left out is not thought registered.
struct PassedBy {
    // Headers without their ".pol", ".pnt" or ".atr" sibling.
    std::vector<std::filesystem::path> incompleteSets;
    // Folders whose entries could not be read (the walk's own folder too).
    std::vector<std::filesystem::path> unreadableFolders;

    bool empty() const { return incompleteSets.empty() && unreadableFolders.empty(); }
};

// What a walk has done so far. The thread that walks writes it; the thread
// that shows the walk reads it, and may ask the walk to stop.
class ScanTally {
public:
    void enterFolder(const std::filesystem::path& folder);
    void folderRead();
    void headerFound();
    // The walk reads no further folder; what it found stays found.
    void requestStop() { m_stopRequested = true; }
    bool stopRequested() const { return m_stopRequested; }
    platform::ScanState snapshot() const;

private:
    mutable std::mutex m_mutex;
    int m_foldersRead = 0;
    int m_headersFound = 0;
    std::filesystem::path m_currentFolder;
    std::atomic<bool> m_stopRequested = false;
};

// Appends to `found` the path of every file below `folder` whose extension
// (the text from the last "." of its name) equals `extension` exactly, case
// included. The walk goes depth first through real subfolders only: not
// through symbolic links, not into folders whose name starts with ".", and
// not onto another mounted volume. Entries are visited in byte order of their
// names, so the same tree always gives the same order. A folder that cannot
// be read gives nothing and is appended to `unreadableFolders`. Every folder
// entered and read and every hit is told to the tally; when the tally asks
// the walk to stop, no further folder is read. Touches no window: it may run
// on any thread.
void FindHeaderFiles(const std::filesystem::path& folder, std::string_view extension,
                     std::vector<std::filesystem::path>& found, ScanTally& tally,
                     std::vector<std::filesystem::path>& unreadableFolders);

// What the first line of a header says about its data set.
struct HeaderClass {
    bool accepted = false; // field 9, trimmed, is exactly "1" or "2"
    std::string datumCode; // field 9 trimmed, whatever it holds (CP932)
    std::string time;      // the data set time, see ClassifyHeader
};

// Reads the header's first line: field 9, trimmed, is the datum code, and the
// header is accepted when that is "1" or "2". A header that is no file,
// cannot be opened or read, or is empty, is not accepted. The time is the latest modification
// time ("yyyy/MM/dd HH:mm:ss") of the header and its ".pol", ".pnt" and ".atr"
// siblings; a file that is missing does not take part, and when all are
// missing the time is empty.
HeaderClass ClassifyHeader(const std::filesystem::path& headerPath);

// The target entry of a header, as both the folder walk and the file route
// form it: classified and checked when ClassifyHeader accepts it, otherwise
// the path alone, unchecked.
TargetEntry MakeTargetEntry(const std::filesystem::path& headerPath);

// True when the ".pol", ".pnt" and ".atr" siblings of the header all exist:
// without them a header is no data set candidate.
bool HasRequiredSiblings(const std::filesystem::path& headerPath);

// The data sets a walk found, in walk order, each formed by MakeTargetEntry,
// and what it passed by.
struct Discovery {
    std::vector<TargetEntry> candidates;
    PassedBy passedBy;
};

// Walks the folder for ".hed" files and adds every candidate (a header with
// its required siblings) to `found`, headers without their siblings and
// folders that could not be read to its passed-by lists. A walk the tally
// stops still forms the entries of the headers it found. Any thread.
void DiscoverDataSets(const std::filesystem::path& folder, ScanTally& tally, Discovery& found);

// Runs `walk` on a thread of its own and meanwhile shows the tally through
// `progress` several times a second, passing on a stop the operator asks
// for; ends the showing when the walk has ended. Rethrows what the walk threw.
void RunScan(platform::Progress& progress, ScanTally& tally, const std::function<void()>& walk);

// Appends the candidates the list does not hold yet (by canonical path), in
// order. Returns how many were appended.
int AppendNewCandidates(const Discovery& found, TargetList& targets);

// Walks the folder for ".hed" files and appends every candidate (a header
// with its required siblings) to the target list, in walk order, each formed
// by MakeTargetEntry, unless the list holds it already. The walk runs off
// this thread (RunScan). Headers without their siblings and folders that
// could not be read are added to `passedBy`. Returns how many entries were
// appended.
int CollectDataSets(const std::filesystem::path& folder, TargetList& targets,
                    platform::Progress& progress, PassedBy& passedBy);

} // namespace ft::registration
