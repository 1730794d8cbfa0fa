#pragma once

#include "core/formats/extent.h"
#include "core/formats/point_table.h"
#include "core/formats/working_files.h"

#include <filesystem>

namespace ft::formats {

// Writers of the overview working files for one data set. Each takes the
// working file it appends to (opened and closed by the registration driver),
// the data set's drawing file number (FILENO) and the source file. A source
// file that cannot be opened adds nothing. A coordinate that is not a number
// ends the writer with SourceFileError (records already appended stay);
// file errors come out as std::system_error.

// Sheet outlines from the map-sheet file (".map"): one record per non-empty
// line, with corner 1 and corner 3 of the sheet; widens `extent` (the running
// extent of the data set's datum) by each sheet written.
void convertMapToZu(WorkingFile& sheetOutlines, int fileNo, const std::filesystem::path& mapFile,
                    Extent& extent);

// Sheet outlines from the sheet-frame file (".zo1"/".zo2", lines or 300-byte
// blocks): one record per frame record (code "050") with a name; widens
// `extent` the same way.
void convertZukToZu(WorkingFile& sheetOutlines, int fileNo, const std::filesystem::path& frameFile,
                    Extent& extent);

// Parcel outline segments from the parcel-outline file (".pol"), the vertex
// names looked up in `points`. An edge joins two found vertices of the same
// outline and carries the line kind of its start vertex; kinds 0, 1 and 5
// are not drawn. Returns false only for a file that opens but holds no
// outline header.
bool convertPolToInxAza(WorkingFile& segments, int fileNo, const std::filesystem::path& polFile,
                        const PointTable& points);

// Frame segments from the vertex records of the sheet-frame file: each
// record joins its consecutive vertex sub-records. Frame records (code "050")
// carry corners, not vertices, and are passed by; a blank sub-record ends the
// record's vertices. Returns true.
bool convertZukToInxAza(WorkingFile& segments, int fileNo, const std::filesystem::path& frameFile);

} // namespace ft::formats
