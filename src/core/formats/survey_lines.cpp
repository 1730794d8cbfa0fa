#include "core/formats/survey_lines.h"

#include "core/formats/source_records.h"
#include "core/formats/text_helpers.h"

namespace ft::formats {

namespace {

void skipFields(std::string& line, int count)
{
    for (int i = 0; i < count; ++i)
        NextField(line);
}

bool startsLikeNumber(std::string_view field)
{
    return !field.empty() &&
           (field.front() == '-' || (field.front() >= '0' && field.front() <= '9'));
}

PointCoords nextCoords(std::string& line)
{
    PointCoords coords;
    coords.first = NextFloat(line);
    coords.second = NextFloat(line);
    return coords;
}

} // namespace

HeaderLine parseHeaderLine(std::string line)
{
    HeaderLine header;
    skipFields(line, 2);
    header.kei = NextField(line);
    skipFields(line, 1);
    header.creater = NextField(line);
    skipFields(line, 1);
    header.chiku = NextField(line);
    skipFields(line, 1);
    header.datum = NextField(line);
    return header;
}

PointLine parsePointLine(std::string line)
{
    PointLine point;
    point.name = TrimBlanks(NextField(line));
    point.coords = nextCoords(line);
    skipFields(line, 1);
    point.kind = NextField(line);
    return point;
}

ControlPointLine parseControlPointLine(std::string line)
{
    ControlPointLine point;
    point.name = NextField(line);
    const std::string first = NextField(line);
    const std::string second = NextField(line);
    // Blank coordinates would read as 0 and put the point at the origin,
    // kilometres away from the survey: no position is the honest reading.
    if (!isBlank(first) || !isBlank(second))
        point.coords = PointCoords{FloatOf(first), FloatOf(second)};
    return point;
}

ParcelLine parseParcelLine(std::string line)
{
    ParcelLine parcel;
    parcel.number = NextField(line);
    skipFields(line, 1);
    parcel.oaza = NextField(line);
    parcel.koaza = NextField(line);
    parcel.lot = NextField(line);
    skipFields(line, 8);
    parcel.ownerKana = NextField(line);
    parcel.owner = NextField(line);
    return parcel;
}

OwnerListHeader parseOwnerListHeader(std::string line)
{
    OwnerListHeader header;
    skipFields(line, 2);
    header.oaza = NextField(line);
    header.koaza = NextField(line);
    header.lot = NextField(line);
    header.ownerCount = NextInt(line, 0);
    return header;
}

OwnerLine parseOwnerLine(std::string line)
{
    OwnerLine owner;
    skipFields(line, 1);
    owner.kana = NextField(line);
    owner.name = NextField(line);
    return owner;
}

ParcelGroupHeader parseParcelGroupHeader(std::string line)
{
    ParcelGroupHeader header;
    header.number = NextField(line);
    skipFields(line, 2);
    header.parcelCount = NextInt(line, 0);
    return header;
}

MapSheetLine parseMapSheetLine(std::string line)
{
    MapSheetLine sheet;
    sheet.name = NextField(line);
    sheet.scale = NextInt(line, 0);
    sheet.corners.push_back(nextCoords(line));
    sheet.corners.push_back(nextCoords(line));
    const std::string seventh = TrimBlanks(NextField(line));
    if (startsLikeNumber(seventh)) {
        PointCoords third;
        third.first = requiredFloat(seventh);
        third.second = NextFloat(line);
        sheet.corners.push_back(third);
        sheet.corners.push_back(nextCoords(line));
        skipFields(line, 1); // field 11 is not used
    } else {
        skipFields(line, 4); // fields 8 to 11 of a two-corner line
    }
    sheet.kubun = NextInt(line, 0);
    return sheet;
}

} // namespace ft::formats
