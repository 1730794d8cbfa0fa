#pragma once

#include "core/formats/extent.h"
#include "core/platform/owned_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ft::formats {

// The overview's working files: CP932 text, one record per line, CR LF line
// ends, every field followed by "," (so each record ends with a comma).
// Coordinates are written with CoordText, horizontal value first.

// One open working file that records are appended to. Closing happens when
// the object goes; call close() to learn whether the last bytes reached disk.
class WorkingFile {
public:
    enum class Mode {
        Append,   // keep what the file holds and add to its end
        Truncate, // start the file empty
    };

    // Throws std::system_error naming the path when the file cannot be
    // opened, platform::DiskFull when there is no room for it.
    WorkingFile(const std::filesystem::path& file, Mode mode);

    // Writes the record followed by CR LF. Throws std::system_error on
    // failure, platform::DiskFull when the disk is full.
    void writeRecord(std::string_view record);
    // Flushes and closes; throws as writeRecord does. Further writes are
    // refused.
    void close();

    const std::filesystem::path& path() const { return m_path; }

private:
    platform::OwnedFile m_file;
    std::filesystem::path m_path;
};

// Creates the file empty, or empties it.
void createEmptyWorkingFile(const std::filesystem::path& file);

// One line of the sheet-outline file: the rectangle of one map sheet.
struct SheetOutline {
    std::string name; // CP932
    int scale = 0;
    double xmin = 0.0;
    double ymin = 0.0;
    double xmax = 0.0;
    double ymax = 0.0;
    int fileNo = 0;
};

// The record text without its line end. A comma in the name is written as the
// full-width comma (CP932 81 43) and every control byte (00-1F, 7F) as a
// blank, so the record always keeps its seven fields on one line.
std::string formatSheetOutline(const SheetOutline& sheet);
// Reads a sheet-outline line as the overview does: the name folded with
// ToHalfWidth, the scale and FILENO with default 0. A coordinate that is not
// a number throws ConversionError.
SheetOutline parseSheetOutline(std::string line);

// One line of the segment file: one drawn edge of a parcel or frame outline.
struct Segment {
    int groupA = -1;
    int groupB = -1;
    std::string labelC; // CP932, may be empty
    std::string labelD;
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    int kind = 0;
    int fileNo = 0;
};

// How the two group numbers are written: parcel outlines leave a negative
// group empty; sheet-frame segments write every number as it is.
enum class GroupText { BlankWhenNegative, AsNumber };

// The record text without its line end; the labels are kept on one field as
// sheet names are.
std::string formatSegment(const Segment& segment, GroupText groups);
// Reads a segment line as the overview does: groups with default -1, kind and
// FILENO with default 0. A coordinate that is not a number throws
// ConversionError.
Segment parseSegment(std::string line);

// What the overview draws of a segment line: its two ends and its drawing
// number, read as parseSegment reads them (the same values, the same
// ConversionError for a coordinate that is not a number) without copying the
// fields it passes over: a drawing reads a million of them.
struct SegmentEnds {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    int fileNo = 0;
};
SegmentEnds parseSegmentEnds(std::string_view line);

// Widens the extent by a sheet whose corner 1 is (xmin, ymin) and corner 3
// (xmax, ymax). Corner 1 only lowers the minimum, corner 3 only raises the
// maximum.
void widenExtent(Extent& extent, double xmin, double ymin, double xmax, double ymax);

// "qxmin,qymin,qxmax,qymax," with CoordText; the same text goes to the trace log.
std::string formatExtent(const Extent& extent);
// The four numbers of an extent line. A value that is not a number throws
// ConversionError.
Extent parseExtent(std::string line);

// Rewrites the extent file with its one line. Throws std::system_error.
void writeExtentFile(const std::filesystem::path& file, const Extent& extent);
// The extent of the file's first line (an empty file reads as four zeros);
// nullopt when the file cannot be opened. A value that is not a number
// throws SourceFileError.
std::optional<Extent> readExtentFile(const std::filesystem::path& file);

} // namespace ft::formats
