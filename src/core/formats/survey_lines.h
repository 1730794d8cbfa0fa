#pragma once

// One record line of each comma-separated survey file, taken apart field by
// field. The catalogue converters, the overview writers and the whole-data-set
// reader all take a file's lines apart through these, so that each format has
// one reader. Texts stay CP932 exactly as the file holds them (not trimmed,
// not folded) unless a comment says otherwise; callers fold with ToHalfWidth
// where the catalogue does.

#include "core/formats/point_table.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ft::formats {

// The first line of the header file (".hed"); the other fields are read past.
struct HeaderLine {
    std::string kei;     // field 3: the plane rectangular zone
    std::string creater; // field 5
    std::string chiku;   // field 7
    std::string datum;   // field 9: the datum code, "1" or "2"
};
HeaderLine parseHeaderLine(std::string line);

// A boundary point line (".pnt"). The name is trimmed (outlines look points up
// by the trimmed name); field 4 is not used. The coordinates stay text until
// asked for, so that the catalogue converter, which stores only the name and
// the classification, never fails on them.
struct PointLine {
    std::string name;   // field 1, trimmed
    std::string first;  // field 2
    std::string second; // field 3
    std::string kind;   // field 5, the point classification as written

    // The two values by the rule of NextFloat (blank is 0); a value that is
    // not a number throws ConversionError.
    PointCoords coords() const;
    // "first" or "second" when a named point lacks that value: a line cut
    // short (a copy broken off, a full disk), which read as 0 would put the
    // point at the origin, kilometres from the survey. Null otherwise.
    const char* missingValue() const;
};
PointLine parsePointLine(std::string line);

// A control point line (".tcp"): the name as written, then the coordinates.
struct ControlPointLine {
    std::string name;
    std::string first;
    std::string second;

    // Nothing when both values are blank: reading them as 0 would put the
    // point at the origin, kilometres from the survey. A value that is not a
    // number throws ConversionError.
    std::optional<PointCoords> coords() const;
};
ControlPointLine parseControlPointLine(std::string line);

// A parcel attribute line (".atr"); the detail lines of a grouped parcel
// (".und") have the same 22-field layout.
struct ParcelLine {
    std::string number;    // field 1: the record's number, which outlines refer to
    std::string oaza;      // field 3
    std::string koaza;     // field 4
    std::string lot;       // field 5, the lot number as written (often full width)
    std::string ownerKana; // field 14
    std::string owner;     // field 15
};
ParcelLine parseParcelLine(std::string line);

// The parcel header line of the owner-list file (".cos"), announcing the
// owner lines that follow it.
struct OwnerListHeader {
    std::string oaza;   // field 3
    std::string koaza;  // field 4
    std::string lot;    // field 5
    int ownerCount = 0; // field 6, 0 when it is not a number
};
OwnerListHeader parseOwnerListHeader(std::string line);

// An owner line of the owner-list file.
struct OwnerLine {
    std::string kana; // field 2
    std::string name; // field 3
};
OwnerLine parseOwnerLine(std::string line);

// The group header line of the grouped parcel file (".und"), announcing the
// detail lines that follow it.
struct ParcelGroupHeader {
    std::string number;  // field 1
    int parcelCount = 0; // field 4, 0 when it is not a number
};
ParcelGroupHeader parseParcelGroupHeader(std::string line);

// A map-sheet line (".map"): name, scale, then two or four corners as (first,
// second) pairs. With a seventh field that starts like a number ("-" or a
// digit) the line has four corners, otherwise two, and the second pair is the
// sheet's far corner. The classification is field 12 in both forms.
struct MapSheetLine {
    std::string name; // field 1 as written
    int scale = 0;    // field 2, 0 when it is not a number
    // The corner values as written: two pairs (near and far corner) or four
    // (in the file's order; the third is the far one).
    std::vector<std::array<std::string, 2>> cornerTexts;
    int kubun = 0; // field 12, 0 when it is not a number

    // The corners by the rule of NextFloat; a value that is not a number
    // throws ConversionError (the fourth corner is checked too, though no
    // reader draws it).
    std::vector<PointCoords> corners() const;
};
MapSheetLine parseMapSheetLine(std::string line);

// The corner the overview takes as a sheet's minimum, and its maximum.
inline const PointCoords& nearCorner(const std::vector<PointCoords>& corners)
{
    return corners.front();
}
inline const PointCoords& farCorner(const std::vector<PointCoords>& corners)
{
    return corners.size() == 4 ? corners[2] : corners[1];
}

} // namespace ft::formats
