#pragma once

// A drawing's owner lists (".cos") are read when first needed, not with the
// drawing: the first view shows no owners, and the lists are a fifth of a
// drawing's bytes. What they are matched against is what the drawing was
// read from, so the files are noted before it is read; a file changed or gone
// since is told, never read into the drawing's older records.

#include "core/platform/file_stamp.h"
#include "viewer/drawing_records.h"
#include "viewer/problem_texts.h"

#include <filesystem>
#include <vector>

namespace ft::viewer {

struct NotedFile {
    std::filesystem::path path;
    platform::FileStamp stamp;
};

// The parcel and owner-list files of the data set at basePath as they are
// now: noted before the set is read, so that a change during the reading is
// seen too.
std::vector<NotedFile> noteOwnerListFiles(const std::filesystem::path& basePath);

// What the owner lists of a drawing read without them have to tell (an owner
// list of no parcel, a file that is missing or cannot be read), with the
// drawing's records standing for its parcels; or, when a noted file has
// changed or gone since, that and nothing else.
std::vector<ListedProblem> ownerListProblems(const DrawingRecords& records,
                                             const std::vector<NotedFile>& noted);

} // namespace ft::viewer
