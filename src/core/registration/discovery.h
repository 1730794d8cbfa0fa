#pragma once

#include "core/registration/target_list.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ft::platform {
class Progress;
}

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

// Appends to `found` the path of every file below `folder` whose extension
// (the text from the last "." of its name) equals `extension` exactly, case
// included. The walk goes depth first through real subfolders only: not
// through symbolic links, not into folders whose name starts with ".", and
// not onto another mounted volume. Entries are visited in byte order of their
// names, so the same tree always gives the same order. A folder that cannot
// be read gives nothing and is appended to `unreadableFolders`. Each hit is
// shown as a status text; pending events run after every entry.
void FindHeaderFiles(const std::filesystem::path& folder, std::string_view extension,
                     std::vector<std::filesystem::path>& found, platform::Progress& progress,
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

// Walks the folder for ".hed" files and appends every candidate (a header
// with its required siblings) to the target list, in walk order, each formed
// by MakeTargetEntry. Headers without their siblings and folders that could
// not be read are added to `passedBy`. Returns how many entries were appended.
int CollectDataSets(const std::filesystem::path& folder, TargetList& targets,
                    platform::Progress& progress, PassedBy& passedBy);

} // namespace ft::registration
