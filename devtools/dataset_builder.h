#pragma once

// Builds survey data sets for tests: the header and its siblings, written as
// CP932 bytes with CRLF line ends into a folder. Tests say which records go
// into which file, in UTF-8; the builder knows each file's field order and
// byte layout. Broken variants are made with the same calls (a text where a
// number belongs, fewer fields, blank lines, raw bytes, a missing file).
//
// Example:
//     DataSetBuilder set(folder.path(), "A01");
//     set.addPoint({"Ｐ１", "100.000", "200.000"})
//        .addLine(SurveyFile::Points, "")          // a blank last line
//        .omit(SurveyFile::Owners);
//     const auto header = set.write();              // .../A01.hed

#include "core/dataset/survey_data_set.h"

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ft::test {

// The files of a data set and their extensions, as the reader knows them
// (the sheet-frame file's digit is the data set's datum).
using dataset::extensionOf;
using dataset::SurveyFile;

// Sheet-frame files come as text lines or as a run of 300-byte blocks.
enum class FrameForm { Lines, Blocks };

// All record fields are UTF-8 text, written as given: numbers are texts too,
// so a test can put "abc" where a coordinate belongs.

// Records whose trailing fields usually keep their defaults have
// constructors, so that {"P1"} builds one without naming the rest.

// First line of the header file (9 fields; field 9 is the datum code).
struct HeaderRecord {
    HeaderRecord(std::string kei = "9", std::string creater = "測量　太郎",
                 std::string chiku = "テスト地区", std::optional<std::string> datum = {},
                 int fieldCount = 9)
        : kei(std::move(kei)), creater(std::move(creater)), chiku(std::move(chiku)),
          datum(std::move(datum)), fieldCount(fieldCount)
    {
    }
    std::string kei;                  // field 3
    std::string creater;              // field 5
    std::string chiku;                // field 7
    std::optional<std::string> datum; // field 9; the builder's datum when absent
    int fieldCount;                   // fewer cuts the line short
};

// A parcel attribute line (.atr) and a detail line of a group (.und): 22 fields.
struct ParcelRecord {
    std::string oaza;      // field 3
    std::string koaza;     // field 4
    std::string lot;       // field 5
    std::string ownerKana; // field 14
    std::string owner;     // field 15
};

struct OwnerRecord {
    std::string kana; // field 2
    std::string name; // field 3
};

// A parcel with its owners (.cos): a header line announcing the owner lines.
struct OwnerGroup {
    std::string oaza;  // header field 3
    std::string koaza; // header field 4
    std::string lot;   // header field 5
    std::vector<OwnerRecord> owners;
    std::optional<std::string> announced; // header field 6; the owner count when absent
};

// A group of parcels (.und): a header line announcing the detail lines.
struct ParcelGroup {
    std::vector<ParcelRecord> parcels;
    std::optional<std::string> announced; // header field 4; the parcel count when absent
};

// A map-sheet line (.map): name, scale, 2 or 4 corners as (first, second)
// pairs, an unused field and the classification. With two corners and no
// classification the line has six fields.
struct MapSheetRecord {
    using Corners = std::vector<std::array<std::string, 2>>;
    MapSheetRecord(std::string name, std::string scale = "500",
                   Corners corners = {{"0.000", "0.000"}, {"100.000", "100.000"}},
                   std::optional<std::string> kubun = {})
        : name(std::move(name)), scale(std::move(scale)), corners(std::move(corners)),
          kubun(std::move(kubun))
    {
    }
    std::string name;
    std::string scale;
    Corners corners;
    std::optional<std::string> kubun; // field 12
};

// A boundary point line (.pnt): name, first value, second value, unused, kind.
struct PointRecord {
    PointRecord(std::string name, std::string first = "0.000", std::string second = "0.000",
                std::string kubun = "1")
        : name(std::move(name)), first(std::move(first)), second(std::move(second)),
          kubun(std::move(kubun))
    {
    }
    std::string name;
    std::string first;
    std::string second;
    std::string kubun; // field 5
};

// A control point line (.tcp): name, first value, second value.
struct ControlPointRecord {
    ControlPointRecord(std::string name, std::string first = "0.000", std::string second = "0.000")
        : name(std::move(name)), first(std::move(first)), second(std::move(second))
    {
    }
    std::string name;
    std::string first;
    std::string second;
};

struct OutlineVertex {
    OutlineVertex(std::string name, std::string kind = "2")
        : name(std::move(name)), kind(std::move(kind))
    {
    }
    std::string name;
    std::string kind;
};

// A parcel outline (.pol): header a, b, c, d, unused, vertex count; then the
// vertex lines.
struct OutlineRecord {
    std::string a = "1";
    std::string b = "1";
    std::string c;
    std::string d;
    std::vector<OutlineVertex> vertices;
    std::optional<std::string> announced; // header field 6; the vertex count when absent
};

// A sheet-frame record (code "050") of the .zo file: name in bytes 6-15,
// number in bytes 16-21, eight coordinates of 11 bytes from byte 22, each
// written as 7 integer bytes, a full stop and 3 decimals.
struct SheetFrameRecord {
    std::string name;           // at most 10 CP932 bytes
    std::string number = "500"; // right-aligned in 6 bytes
    std::array<double, 8> corners{};
};

// A vertex sub-record of a .zo record: 44 bytes from byte 34 + 44 (k - 1).
struct FrameVertex {
    FrameVertex(std::string name, double first = 0.0, double second = 0.0, int kind = 2)
        : name(std::move(name)), first(first), second(second), kind(kind)
    {
    }
    std::string name;
    double first;
    double second;
    int kind; // one digit
};

// A vertex record of the .zo file: code, group a (bytes 12-14), group b
// (bytes 18-21) and up to six vertex sub-records.
struct FrameVerticesRecord {
    std::string code = "060";
    std::string a = "1";
    std::string b = "1";
    std::vector<FrameVertex> vertices;
};

// The bytes of one .zo record, without line end or block padding.
std::string sheetFrameBytes(const SheetFrameRecord& record);
std::string frameVerticesBytes(const FrameVerticesRecord& record);
// A coordinate in the 11-byte form of sheet-frame records, e.g. "   1234.567".
std::string frameCoordinateBytes(double value);

// Local wall-clock time for a file's modification time.
struct LocalTime {
    int year = 2024;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Sets a file's modification (and access) time to a local wall-clock time.
void setFileTime(const std::filesystem::path& file, const LocalTime& time);

class DataSetBuilder {
public:
    static constexpr std::size_t kFrameBlockSize = 300;

    // An empty data set: every file exists but holds no lines, except the
    // header, which holds its default record.
    DataSetBuilder(std::filesystem::path folder, std::string baseName, int datum = 2);

    // A complete, valid small set: a header, parcels, owners, a group, two map
    // sheets, six points whose outline closes, two control points and a
    // sheet-frame file with a frame and a vertex record; names in Japanese.
    static DataSetBuilder smallValidSet(std::filesystem::path folder, std::string baseName,
                                        int datum = 2);

    DataSetBuilder& setHeader(const HeaderRecord& record);
    DataSetBuilder& addParcel(const ParcelRecord& record);
    DataSetBuilder& addOwnerGroup(const OwnerGroup& group);
    DataSetBuilder& addParcelGroup(const ParcelGroup& group);
    DataSetBuilder& addMapSheet(const MapSheetRecord& record);
    DataSetBuilder& addPoint(const PointRecord& record);
    DataSetBuilder& addControlPoint(const ControlPointRecord& record);
    DataSetBuilder& addOutline(const OutlineRecord& record);
    DataSetBuilder& addSheetFrame(const SheetFrameRecord& record);
    DataSetBuilder& addFrameVertices(const FrameVerticesRecord& record);

    // A line of UTF-8 text appended to a file as it stands ("" is a blank line).
    DataSetBuilder& addLine(SurveyFile kind, std::string_view utf8Line);
    // A line of raw bytes appended unconverted (invalid CP932, stray CRs, ...).
    DataSetBuilder& addRawLine(SurveyFile kind, std::string cp932Line);
    // Removes every line of a file (the header included); the file stays, empty.
    DataSetBuilder& clear(SurveyFile kind);
    // The file's whole content, replacing whatever the records would write.
    DataSetBuilder& setRawBytes(SurveyFile kind, std::string bytes);
    // The file is not written at all (a missing sibling).
    DataSetBuilder& omit(SurveyFile kind);
    // Leaves the last line of a text file without its CRLF.
    DataSetBuilder& withoutFinalLineEnd(SurveyFile kind);
    DataSetBuilder& setFrameForm(FrameForm form);
    DataSetBuilder& setModificationTime(SurveyFile kind, const LocalTime& time);

    // Writes every file that is not omitted, replacing older content, then
    // applies the modification times. Returns the header path.
    std::filesystem::path write() const;

    std::filesystem::path path(SurveyFile kind) const;
    std::filesystem::path headerPath() const { return path(SurveyFile::Header); }
    // The header path without its extension: the data set's drawing path.
    std::filesystem::path basePath() const { return m_folder / m_baseName; }
    const std::filesystem::path& folder() const { return m_folder; }
    int datum() const { return m_datum; }
    // The CP932 bytes write() puts into the file.
    std::string bytesOf(SurveyFile kind) const;

private:
    void appendFields(SurveyFile kind, const std::vector<std::string>& utf8Fields);
    std::string frameFileBytes() const;

    std::filesystem::path m_folder;
    std::string m_baseName;
    int m_datum;
    FrameForm m_frameForm = FrameForm::Lines;
    std::map<SurveyFile, std::vector<std::string>> m_lines; // CP932, without line ends
    std::map<SurveyFile, std::string> m_rawBytes;
    std::set<SurveyFile> m_omitted;
    std::set<SurveyFile> m_noFinalLineEnd;
    std::map<SurveyFile, LocalTime> m_times;
};

} // namespace ft::test
