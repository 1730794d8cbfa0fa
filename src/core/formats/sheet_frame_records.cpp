#include "core/formats/sheet_frame_records.h"

#include "core/formats/source_records.h"
#include "core/formats/text_helpers.h"

namespace ft::formats {

namespace {

// Byte positions of a frame record.
constexpr std::size_t kCodeFirst = 1, kCodeLast = 3;
constexpr std::string_view kFrameCode = "050";
constexpr std::size_t kNameFirst = 6, kNameLast = 15;
constexpr std::size_t kNumberFirst = 16, kNumberLast = 21;
constexpr std::size_t kFirstCornerField = 22;
constexpr std::size_t kCornerFieldSize = 11;

// Byte positions of a frame-line record.
constexpr std::size_t kGroupAFirst = 12, kGroupALast = 14;
constexpr std::size_t kGroupBFirst = 18, kGroupBLast = 21;
constexpr std::size_t kFirstSubRecord = 34;
constexpr std::size_t kSubRecordSize = 44;
constexpr std::size_t kSubRecordCount = 6;

// An 11-byte corner field: 7 bytes of integer part (sign and leading blanks
// allowed), the decimal point, 3 decimals. Not a number counts as 0. Its ten
// digits reach 9999999999 thousandths, so they are read in 64 bits.
double cornerValue(std::string_view field)
{
    std::string thousandths(bytesAt(field, 1, 7));
    thousandths += bytesAt(field, 9, 11);
    return static_cast<double>(LongOf(thousandths).value_or(0)) / 1000.0;
}

// A signed value of a vertex sub-record: the sign byte, then a 10-byte
// magnitude that is trimmed before conversion.
double signedMagnitude(std::string_view subRecord, std::size_t signAt)
{
    const double magnitude = requiredFloat(bytesAt(subRecord, signAt + 1, signAt + 10));
    return bytesAt(subRecord, signAt, signAt) == "-" ? -magnitude : magnitude;
}

FrameVertex readSubRecord(std::string_view subRecord)
{
    FrameVertex vertex;
    vertex.coords.first = signedMagnitude(subRecord, 22);
    vertex.coords.second = signedMagnitude(subRecord, 33);
    vertex.kind = fixedInt(bytesAt(subRecord, 44, 44), 0);
    return vertex;
}

} // namespace

bool isSheetFrameRecord(std::string_view record)
{
    return bytesAt(record, kCodeFirst, kCodeLast) == kFrameCode;
}

std::optional<SheetFrame> readSheetFrame(std::string_view record)
{
    if (!isSheetFrameRecord(record))
        return std::nullopt;
    SheetFrame sheet;
    sheet.name = TrimBlanks(TidySheetName(TrimBlanks(bytesAt(record, kNameFirst, kNameLast))));
    if (sheet.name.empty())
        return std::nullopt;
    sheet.number = fixedInt(bytesAt(record, kNumberFirst, kNumberLast), 0);
    for (std::size_t i = 0; i < 8; ++i) {
        const std::size_t first = kFirstCornerField + i * kCornerFieldSize;
        const double value = cornerValue(bytesAt(record, first, first + kCornerFieldSize - 1));
        PointCoords& corner = sheet.corners[i / 2];
        (i % 2 == 0 ? corner.first : corner.second) = value;
    }
    return sheet;
}

FrameLine readFrameLine(std::string_view record)
{
    FrameLine line;
    line.groupA = fixedInt(bytesAt(record, kGroupAFirst, kGroupALast), -1);
    line.groupB = fixedInt(bytesAt(record, kGroupBFirst, kGroupBLast), -1);
    for (std::size_t k = 0; k < kSubRecordCount; ++k) {
        const std::size_t first = kFirstSubRecord + k * kSubRecordSize;
        const std::string_view subRecord = bytesAt(record, first, first + kSubRecordSize - 1);
        if (isBlank(subRecord))
            break;
        line.vertices.push_back(readSubRecord(subRecord));
    }
    return line;
}

} // namespace ft::formats
