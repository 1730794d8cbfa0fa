#include "core/dataset/survey_data_set.h"

#include "core/formats/text_helpers.h"

#include <algorithm>

namespace ft::dataset {

std::optional<int> DataSetHeader::zone() const
{
    const std::optional<int> zone = formats::IntOf(formats::TrimBlanks(kei));
    if (zone && *zone >= 1 && *zone <= 19)
        return zone;
    return std::nullopt;
}

void SurveyBox::widen(const PointCoords& p)
{
    if (isEmpty()) {
        minFirst = maxFirst = p.first;
        minSecond = maxSecond = p.second;
        return;
    }
    minFirst = std::min(minFirst, p.first);
    maxFirst = std::max(maxFirst, p.first);
    minSecond = std::min(minSecond, p.second);
    maxSecond = std::max(maxSecond, p.second);
}

void SurveyBox::widen(const SurveyBox& other)
{
    if (other.isEmpty())
        return;
    widen(PointCoords{other.minFirst, other.minSecond});
    widen(PointCoords{other.maxFirst, other.maxSecond});
}

SurveyBox SurveyDataSet::bounds() const
{
    SurveyBox box;
    for (const BoundaryPoint& point : points)
        box.widen(point.at);
    for (const ControlPoint& point : controlPoints)
        box.widen(point.at);
    for (const MapSheet& sheet : mapSheets)
        for (const PointCoords& corner : sheet.corners)
            box.widen(corner);
    for (const formats::SheetFrame& frame : sheetFrames)
        for (const PointCoords& corner : frame.corners)
            box.widen(corner);
    for (const formats::FrameLine& line : frameLines)
        for (const formats::FrameVertex& vertex : line.vertices)
            box.widen(vertex.coords);
    return box;
}

SurveyBox SurveyDataSet::boundsOf(const Outline& outline) const
{
    SurveyBox box;
    for (const OutlineVertex& vertex : outline.vertices)
        if (vertex.point != kNoIndex)
            box.widen(points[vertex.point].at);
    return box;
}

std::string extensionOf(SurveyFile file, std::optional<formats::Datum> datum)
{
    switch (file) {
    case SurveyFile::Header:
        return ".hed";
    case SurveyFile::Parcels:
        return ".atr";
    case SurveyFile::Owners:
        return ".cos";
    case SurveyFile::GroupedParcels:
        return ".und";
    case SurveyFile::MapSheets:
        return ".map";
    case SurveyFile::Points:
        return ".pnt";
    case SurveyFile::ControlPoints:
        return ".tcp";
    case SurveyFile::Outlines:
        return ".pol";
    case SurveyFile::SheetFrames:
        return ".zo" + std::to_string(formats::datumCode(datum.value_or(formats::Datum::World)));
    }
    return {};
}

} // namespace ft::dataset
