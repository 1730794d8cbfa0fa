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

PointCoords PointLine::coords() const
{
    return {FloatOf(first), FloatOf(second)};
}

const char* PointLine::missingValue() const
{
    if (name.empty())
        return nullptr;
    if (isBlank(first))
        return "first";
    if (isBlank(second))
        return "second";
    return nullptr;
}

PointLine parsePointLine(std::string line)
{
    FieldCursor fields(line);
    PointLine point;
    point.name = TrimBlanks(fields.next());
    point.first = fields.next();
    point.second = fields.next();
    fields.skip(1);
    point.kind = fields.next();
    return point;
}

std::optional<PointCoords> ControlPointLine::coords() const
{
    if (isBlank(first) && isBlank(second))
        return std::nullopt;
    return PointCoords{FloatOf(first), FloatOf(second)};
}

ControlPointLine parseControlPointLine(std::string line)
{
    ControlPointLine point;
    point.name = NextField(line);
    point.first = NextField(line);
    point.second = NextField(line);
    return point;
}

ParcelLine parseParcelLine(std::string line)
{
    // A cursor, not NextField: the lines of a parcel file run to 22 fields,
    // and each NextField moves the rest of the line forward.
    FieldCursor fields(line);
    ParcelLine parcel;
    parcel.number = fields.next();
    fields.skip(1);
    parcel.oaza = fields.next();
    parcel.koaza = fields.next();
    parcel.lot = fields.next();
    fields.skip(8);
    parcel.ownerKana = fields.next();
    parcel.owner = fields.next();
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

std::vector<PointCoords> MapSheetLine::corners() const
{
    std::vector<PointCoords> values;
    values.reserve(cornerTexts.size());
    for (const auto& [first, second] : cornerTexts)
        values.push_back({FloatOf(first), FloatOf(second)});
    return values;
}

MapSheetLine parseMapSheetLine(std::string line)
{
    MapSheetLine sheet;
    sheet.name = NextField(line);
    sheet.scale = NextInt(line, 0);
    const auto nextPair = [&line] {
        std::array<std::string, 2> pair;
        pair[0] = NextField(line);
        pair[1] = NextField(line);
        return pair;
    };
    sheet.cornerTexts.push_back(nextPair());
    sheet.cornerTexts.push_back(nextPair());
    std::string seventh = NextField(line);
    if (startsLikeNumber(TrimBlanks(seventh))) {
        std::array<std::string, 2> third{std::move(seventh), NextField(line)};
        sheet.cornerTexts.push_back(std::move(third));
        sheet.cornerTexts.push_back(nextPair());
        skipFields(line, 1); // field 11 is not used
    } else {
        skipFields(line, 4); // fields 8 to 11 of a two-corner line
    }
    sheet.kubun = NextInt(line, 0);
    return sheet;
}

} // namespace ft::formats
