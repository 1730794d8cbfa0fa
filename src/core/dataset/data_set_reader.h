#pragma once

#include "core/dataset/survey_data_set.h"

#include <filesystem>

namespace ft::dataset {

// Reads a whole data set: the header basePath + ".hed" and every sibling of
// the same base name (extensions in lower case, or else in upper case as
// CD-ROMs of the DOS era have them). Nothing is fatal: a missing sibling, a
// file that cannot be read and a record with a value that is not a number
// are listed in the set's problems and the rest is read. Without a readable
// header the set is not present and nothing else is read.
//
// After reading, outlines are linked to their parcel records (see
// OutlineLink), owner-list groups are attached to the parcel of the same oaza,
// koaza and lot number, and each outline's shape is worked out.
//
// A reader that shows neither owners nor their problems at first may leave
// the owner lists out (ReadParts) and read them later with readOwnerLists.
struct ReadParts {
    // The owner-list file (".cos"): often a fifth of a set's bytes, needed only
    // for a parcel's owners and the owner lists' own problems.
    bool owners = true;
};

SurveyDataSet readDataSet(const std::filesystem::path& basePath, ReadParts parts = {});

// The same for a header file named by its own path ("A01.hed", "A01.HED"):
// the base path is the header path without its extension.
SurveyDataSet readDataSetAtHeader(const std::filesystem::path& headerFile, ReadParts parts = {});

// Reads the owner lists of a set read without them, as readDataSet would
// have: owners attached to set.parcels (by their oaza, koaza and lot
// number), what goes wrong added to set.problems. The set needs its
// basePath and parcels only.
void readOwnerLists(SurveyDataSet& set);

// Only the header of the data set at basePath, read as readDataSet reads it:
// the set as readDataSet gives it before it turns to the siblings. Enough to
// learn the zone and datum of many sets before any of them is read whole.
SurveyDataSet readDataSetHeader(const std::filesystem::path& basePath);

// The sibling file of a data set as it exists on disk: basePath + extension,
// else basePath + the extension in upper case; the lower-case name when
// neither exists.
std::filesystem::path siblingPath(const std::filesystem::path& basePath,
                                  std::string_view extension);

} // namespace ft::dataset
