#pragma once

// One survey data set read whole: its header, boundary and control points,
// parcel records with their owners, grouped parcels, parcel outlines linked to
// their parcel records, map sheets, sheet frames and frame lines, and what
// could not be read. The viewer draws it; the command-line tool and the GIS
// export read it the same way.
//
// Texts are CP932 exactly as the files hold them (names trimmed where the
// format says so, nothing folded). Coordinates are the files' (first, second)
// pairs: first the vertical value (X, northing), second the horizontal one
// (Y, easting), in metres.

#include "core/formats/datum.h"
#include "core/formats/point_table.h"
#include "core/formats/sheet_frame_records.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ft::dataset {

using formats::PointCoords;

// The files of a data set: the header and its siblings of the same base name.
enum class SurveyFile {
    Header,         // .hed
    Parcels,        // .atr
    Owners,         // .cos
    GroupedParcels, // .und
    MapSheets,      // .map
    Points,         // .pnt
    ControlPoints,  // .tcp
    Outlines,       // .pol
    SheetFrames,    // .zo1 / .zo2
};

// What went wrong with a file or one of its records.
enum class ProblemKind {
    FileMissing,         // the sibling does not exist
    FileUnreadable,      // it exists but cannot be opened or read to its end
    BadRecord,           // a value that must be a number is not; the record is left out
    CutShortRecord,      // a point line that ends before its coordinates; it is left out
    HeaderMissing,       // no header: the data set is not there at all
    NoPosition,          // a control point without coordinates; it is left out
    OwnersWithoutParcel, // an owner-list group names no parcel record of the set
};

struct ReadProblem {
    SurveyFile file = SurveyFile::Header;
    ProblemKind kind = ProblemKind::FileMissing;
    std::size_t record = 0; // line (or 300-byte block) number from 1; 0: the whole file
    // UTF-8: the offending text, the file name or the system's reason; for
    // BadRecord with record 0, the number of bad records beyond those listed;
    // for CutShortRecord, the point's name.
    std::string detail;
};

struct DataSetHeader {
    std::string kei;                     // plane rectangular zone, as written
    std::string creater;                 // creator
    std::string chiku;                   // district
    std::optional<formats::Datum> datum; // nothing when the field names neither

    // The zone 1 to 19 when KEI holds one.
    std::optional<int> zone() const;
};

struct BoundaryPoint {
    std::string name; // trimmed
    PointCoords at;
    std::string kind; // classification as written
};

struct ControlPoint {
    std::string name; // as written
    PointCoords at;
};

struct Owner {
    std::string kana;
    std::string name;
};

// A parcel as a parcel attribute line (".atr") or a grouped parcel's detail
// line (".und") gives it.
struct ParcelFields {
    std::string number; // field 1, as written
    std::string oaza;
    std::string koaza;
    std::string lot; // as written; the catalogue folds it with ToHalfWidth
    std::string ownerKana;
    std::string owner;
};

inline constexpr std::size_t kNoIndex = static_cast<std::size_t>(-1);

struct Parcel {
    ParcelFields fields;
    std::size_t line = 0;
    // The outlines linked to this parcel (see OutlineLink); usually one.
    std::vector<std::size_t> outlines;
    // The owners the owner-list file gives for it (co-owners included).
    std::vector<Owner> owners;
};

struct GroupedParcel {
    ParcelFields fields;
    std::size_t line = 0;
    std::size_t group = 0;   // the group's position in the file, from 1
    std::string groupNumber; // the group header's field 1, as written
};

// How an outline came to belong, or not, to a parcel record. The link is what
// the two files share: the outline header's first number (group a) equals the
// parcel record's first field, and the header's labels, where given, are the
// parcel's oaza name and lot number (lot numbers compared folded). Nothing
// else is tried: an outline that fails this is listed, never matched by
// guesswork.
enum class OutlineLink {
    Linked,
    NoNumber,        // group a is not a number
    NoSuchParcel,    // no parcel record has that number
    NumberNotUnique, // several parcel records have that number
    LabelsDisagree,  // the record with that number has another oaza or lot number
};

// The shape of an outline as its vertices give it.
enum class OutlineShape {
    Closed,        // every vertex found, the last one returns to the first
    Open,          // every vertex found, but the line does not come back
    MissingPoints, // some vertex names are not in the point file
};

struct OutlineVertex {
    std::size_t point = kNoIndex; // index into SurveyDataSet::points; kNoIndex: not found
    int kind = 0;                 // line kind of the edge that starts here
};

struct Outline {
    int groupA = -1;
    int groupB = -1;
    std::string labelC;
    std::string labelD;
    std::size_t line = 0; // header line number
    std::vector<OutlineVertex> vertices;
    std::vector<std::string> missingPoints; // names not in the point file, in order
    OutlineShape shape = OutlineShape::Closed;
    OutlineLink link = OutlineLink::NoSuchParcel;
    std::size_t parcel = kNoIndex; // index into SurveyDataSet::parcels when linked
};

struct MapSheet {
    std::string name; // as written; the catalogue folds it with ToHalfWidth
    int scale = 0;
    int kubun = 0;
    std::vector<PointCoords> corners; // two (near and far) or four
    std::size_t line = 0;
};

// A box in survey coordinates; empty until something widens it.
struct SurveyBox {
    double minFirst = 0.0;
    double minSecond = 0.0;
    double maxFirst = -1.0;
    double maxSecond = -1.0;

    bool isEmpty() const { return minFirst > maxFirst || minSecond > maxSecond; }
    void widen(const PointCoords& p);
    void widen(const SurveyBox& other);
};

struct SurveyDataSet {
    // The registered path: the header's path without its extension.
    std::filesystem::path basePath;
    // False when the header could not be read: then nothing else was read.
    bool present = false;
    DataSetHeader header;
    std::vector<BoundaryPoint> points;
    std::vector<ControlPoint> controlPoints;
    std::vector<Parcel> parcels;
    std::vector<GroupedParcel> groupedParcels;
    std::vector<Outline> outlines;
    std::vector<MapSheet> mapSheets;
    std::vector<formats::SheetFrame> sheetFrames;
    std::vector<formats::FrameLine> frameLines;
    std::vector<ReadProblem> problems;

    // Everything that has a position: points, control points, sheets and frames.
    SurveyBox bounds() const;
    // The box of an outline's found vertices (empty when none was found).
    SurveyBox boundsOf(const Outline& outline) const;
};

// The extension of a sibling, with its dot; the sheet-frame file's carries
// the datum code (".zo1", ".zo2"; ".zo2" when the header names no datum).
std::string extensionOf(SurveyFile file, std::optional<formats::Datum> datum = std::nullopt);

} // namespace ft::dataset
