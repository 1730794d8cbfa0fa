#include "viewer/drawing_records.h"

namespace ft::viewer {

namespace {

void addParcel(ParcelNames& names, const dataset::ParcelFields& fields)
{
    names.oaza.push_back(fields.oaza);
    names.koaza.push_back(fields.koaza);
    names.lot.push_back(fields.lot);
}

} // namespace

void FlatTexts::push_back(std::string_view text)
{
    m_bytes.append(text);
    m_ends.push_back(static_cast<std::uint32_t>(m_bytes.size()));
}

std::string_view FlatTexts::operator[](std::size_t i) const
{
    const std::uint32_t begin = i == 0 ? 0 : m_ends[i - 1];
    return std::string_view(m_bytes).substr(begin, m_ends[i] - begin);
}

void FlatTexts::shrinkToFit()
{
    m_bytes.shrink_to_fit();
    m_ends.shrink_to_fit();
}

void RepeatedTexts::push_back(std::string_view text)
{
    // Parcels come grouped by oaza and koaza: the text of the entry before
    // is the likeliest.
    if (!m_entries.empty() && m_different[m_entries.back()] == text) {
        m_entries.push_back(m_entries.back());
        return;
    }
    const auto [number, added] =
        m_numbers.try_emplace(std::string(text), static_cast<std::uint32_t>(m_different.size()));
    if (added)
        m_different.push_back(text);
    m_entries.push_back(number->second);
}

void RepeatedTexts::shrinkToFit()
{
    m_numbers = {};
    m_different.shrinkToFit();
    m_entries.shrink_to_fit();
}

std::span<const std::uint32_t> DrawingRecords::outlinesOf(std::size_t parcel) const
{
    const std::uint32_t begin = parcel == 0 ? 0 : m_outlineEnds[parcel - 1];
    return std::span(m_parcelOutlines).subspan(begin, m_outlineEnds[parcel] - begin);
}

DrawingRecords DrawingRecords::of(const dataset::SurveyDataSet& set)
{
    DrawingRecords records;
    records.basePath = set.basePath;
    records.header = set.header;
    records.m_outlineEnds.reserve(set.parcels.size());
    for (const dataset::Parcel& parcel : set.parcels) {
        addParcel(records.parcels, parcel.fields);
        for (const std::size_t outline : parcel.outlines)
            records.m_parcelOutlines.push_back(static_cast<std::uint32_t>(outline));
        records.m_outlineEnds.push_back(
            static_cast<std::uint32_t>(records.m_parcelOutlines.size()));
    }
    for (const dataset::GroupedParcel& parcel : set.groupedParcels)
        addParcel(records.groupedParcels, parcel.fields);
    for (const dataset::ControlPoint& point : set.controlPoints)
        records.controlPointNames.push_back(point.name);
    for (const dataset::MapSheet& sheet : set.mapSheets) {
        records.mapSheetNames.push_back(sheet.name);
        records.mapSheetScales.push_back(sheet.scale);
        records.mapSheetKubun.push_back(sheet.kubun);
    }
    for (const formats::SheetFrame& frame : set.sheetFrames)
        records.frameNames.push_back(frame.name);
    for (ParcelNames* names : {&records.parcels, &records.groupedParcels}) {
        names->oaza.shrinkToFit();
        names->koaza.shrinkToFit();
        names->lot.shrinkToFit();
    }
    for (FlatTexts* texts :
         {&records.controlPointNames, &records.mapSheetNames, &records.frameNames})
        texts->shrinkToFit();
    records.m_parcelOutlines.shrink_to_fit();
    return records;
}

} // namespace ft::viewer
