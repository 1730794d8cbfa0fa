#pragma once

// The records of the sheet-frame file (".zo1"/".zo2"), one per line or one
// per 300-byte block (forEachFrameRecord). Frame records (code "050") give a
// map sheet's name and its four corners; the other records give frame lines
// as up to six vertex sub-records. The overview's sheet-outline and segment
// writers and the whole-data-set reader all read the file through these.

#include "core/formats/point_table.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ft::formats {

// True for a frame record: bytes 1-3 are "050".
bool isSheetFrameRecord(std::string_view record);

// A frame record: the name (bytes 6-15, trimmed and tidied with
// TidySheetName), the number of bytes 16-21 (0 when not a number) and the
// corners of the eight 11-byte coordinate fields from byte 22, as (first,
// second) pairs. The first corner is the sheet's near corner, the third its
// far one.
struct SheetFrame {
    std::string name; // CP932
    int number = 0;
    std::array<PointCoords, 4> corners{};
};

// The frame record's sheet; nothing for a record of another code or with a
// blank name. Coordinates never throw: a field that is not a number counts
// as 0.
std::optional<SheetFrame> readSheetFrame(std::string_view record);

// A vertex sub-record of a frame-line record: the values with their signs
// and the line kind of the edge that starts here (0 when not a digit).
struct FrameVertex {
    PointCoords coords;
    int kind = 0;
};

// A frame-line record: group a (bytes 12-14) and group b (bytes 18-21), -1
// when not a number, and its vertices, one per 44-byte sub-record from byte
// 34, up to the first blank one (the padding of a block or the blank rest of
// a line).
struct FrameLine {
    int groupA = -1;
    int groupB = -1;
    std::vector<FrameVertex> vertices;
};

// Reads the vertices of any record; callers pass frame records by. A
// magnitude that is blank or not a number throws ConversionError.
FrameLine readFrameLine(std::string_view record);

} // namespace ft::formats
