#pragma once

// Keeps the overview's working files in step with the catalogue: a record
// belongs in a working file only while its FILENO has a FILE row in the
// catalogue of the file's datum.

#include "core/formats/extent.h"

#include <filesystem>
#include <set>

namespace ft::registration {

// Removes from the sheet-outline file every record whose FILENO is not in
// `registered` and returns the bounding box of the sheet outlines that stay
// (corner 1 minimum, corner 3 maximum; the empty extents when none stay).
// A missing file stays missing. The file is rewritten only when a record
// goes, through a temporary file renamed over it, so an interrupted rewrite
// never leaves half a file. Throws std::system_error on file errors.
formats::Extent PruneSheetOutlines(const std::filesystem::path& sheetOutlineFile,
                                   const std::set<int>& registered);

// The bounding box of the sheet outlines the file holds, as
// PruneSheetOutlines returns it when it removes nothing.
formats::Extent SheetOutlinesExtent(const std::filesystem::path& sheetOutlineFile);

// The same for the segment file (FILENO in field 10).
void PruneSegments(const std::filesystem::path& segmentFile, const std::set<int>& registered);

} // namespace ft::registration
