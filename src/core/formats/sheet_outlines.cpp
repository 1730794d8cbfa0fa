// Sheet outlines of the overview, from the map-sheet file and from the frame
// records of the sheet-frame file.
#include "core/formats/outlines.h"

#include "core/formats/source_records.h"
#include "core/formats/text_helpers.h"

#include <array>

namespace ft::formats {

namespace {

bool startsLikeNumber(std::string_view field)
{
    return !field.empty() &&
           (field.front() == '-' || (field.front() >= '0' && field.front() <= '9'));
}

void appendSheet(WorkingFile& sheetOutlines, const SheetOutline& sheet, Extent& extent)
{
    sheetOutlines.writeRecord(formatSheetOutline(sheet));
    widenExtent(extent, sheet.xmin, sheet.ymin, sheet.xmax, sheet.ymax);
}

// A map-sheet line: name, scale, then corners as (first, second) pairs. With
// a seventh field that starts like a number the line has four corners and
// corner 3 is the third pair; otherwise it has two and corner 3 is the second.
SheetOutline sheetFromMapLine(std::string line, int fileNo)
{
    SheetOutline sheet;
    sheet.name = ToHalfWidth(NextField(line));
    sheet.scale = NextInt(line, 0);
    const double a1 = NextFloat(line);
    const double b1 = NextFloat(line);
    double a3 = NextFloat(line);
    double b3 = NextFloat(line);
    const std::string field = TrimBlanks(NextField(line));
    if (startsLikeNumber(field)) {
        a3 = requiredFloat(field);
        b3 = NextFloat(line);
        NextFloat(line); // corner 4 is not drawn, but must still be a number
        NextFloat(line);
    }
    sheet.xmin = b1;
    sheet.ymin = a1;
    sheet.xmax = b3;
    sheet.ymax = a3;
    sheet.fileNo = fileNo;
    return sheet;
}

// Byte positions of a frame record of the sheet-frame file.
constexpr std::size_t kCodeFirst = 1, kCodeLast = 3;
constexpr std::string_view kFrameCode = "050";
constexpr std::size_t kNameFirst = 6, kNameLast = 15;
constexpr std::size_t kScaleFirst = 16, kScaleLast = 21;
constexpr std::size_t kFirstCornerField = 22;
constexpr std::size_t kCornerFieldSize = 11;

// An 11-byte corner field: 7 bytes of integer part (sign and leading blanks
// allowed), the decimal point, 3 decimals. Not a number counts as 0. Its ten
// digits reach 9999999999 thousandths, so they are read in 64 bits.
double frameCoordinate(std::string_view field)
{
    std::string thousandths(bytesAt(field, 1, 7));
    thousandths += bytesAt(field, 9, 11);
    return static_cast<double>(LongOf(thousandths).value_or(0)) / 1000.0;
}

std::string frameSheetName(std::string_view record)
{
    return TrimBlanks(TidySheetName(TrimBlanks(bytesAt(record, kNameFirst, kNameLast))));
}

} // namespace

void convertMapToZu(WorkingFile& sheetOutlines, int fileNo, const std::filesystem::path& mapFile,
                    Extent& extent)
{
    forEachLine(mapFile, [&](std::string& line) {
        // A zero-byte line (a blank last line) is no sheet; as a record it
        // would put a sheet at the origin and stretch the overview to it.
        if (line.empty())
            return;
        appendSheet(sheetOutlines, sheetFromMapLine(std::move(line), fileNo), extent);
    });
}

void convertZukToZu(WorkingFile& sheetOutlines, int fileNo, const std::filesystem::path& frameFile,
                    Extent& extent)
{
    forEachFrameRecord(frameFile, [&](std::string& record) {
        if (bytesAt(record, kCodeFirst, kCodeLast) != kFrameCode)
            return;
        SheetOutline sheet;
        sheet.name = frameSheetName(record);
        if (sheet.name.empty())
            return;
        sheet.scale = fixedInt(bytesAt(record, kScaleFirst, kScaleLast), 0);
        std::array<double, 8> c{};
        for (std::size_t i = 0; i < c.size(); ++i) {
            const std::size_t first = kFirstCornerField + i * kCornerFieldSize;
            c[i] = frameCoordinate(bytesAt(record, first, first + kCornerFieldSize - 1));
        }
        // Corners are (c1, c2) ... (c7, c8) as (first, second) pairs.
        sheet.xmin = c[1];
        sheet.ymin = c[0];
        sheet.xmax = c[5];
        sheet.ymax = c[4];
        sheet.fileNo = fileNo;
        appendSheet(sheetOutlines, sheet, extent);
    });
}

} // namespace ft::formats
