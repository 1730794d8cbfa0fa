#include "core/dataset/data_set_links.h"

#include "core/formats/text_helpers.h"

#include <initializer_list>
#include <optional>
#include <unordered_set>

namespace ft::dataset {

namespace {

// Parcel record numbers that occur once, and those that occur more often.
struct ParcelNumbers {
    std::unordered_map<int, std::size_t> unique;
    std::unordered_set<int> repeated;
};

std::optional<int> numberOf(const ParcelFields& fields)
{
    return formats::IntOf(formats::TrimBlanks(fields.number));
}

ParcelNumbers numbersOf(const std::vector<Parcel>& parcels)
{
    ParcelNumbers numbers;
    numbers.unique.reserve(parcels.size());
    for (std::size_t i = 0; i < parcels.size(); ++i) {
        const std::optional<int> number = numberOf(parcels[i].fields);
        if (!number)
            continue;
        if (numbers.repeated.count(*number) != 0)
            continue;
        if (!numbers.unique.emplace(*number, i).second) {
            numbers.unique.erase(*number);
            numbers.repeated.insert(*number);
        }
    }
    return numbers;
}

// A label given in the outline header must name the parcel; an empty one says
// nothing either way.
bool labelsAgree(const Outline& outline, const Parcel& parcel)
{
    const std::string oaza = formats::TrimBlanks(outline.labelC);
    if (!oaza.empty() && oaza != formats::TrimBlanks(parcel.fields.oaza))
        return false;
    const std::string lot = foldedLot(outline.labelD);
    return lot.empty() || lot == foldedLot(parcel.fields.lot);
}

OutlineShape shapeOf(const Outline& outline, const std::vector<BoundaryPoint>& points)
{
    if (!outline.missingPoints.empty())
        return OutlineShape::MissingPoints;
    // A ring needs three corners and the way back to the first.
    if (outline.vertices.size() < 4)
        return OutlineShape::Open;
    const std::size_t first = outline.vertices.front().point;
    const std::size_t last = outline.vertices.back().point;
    const bool returns = first == last || (points[first].at.first == points[last].at.first &&
                                           points[first].at.second == points[last].at.second);
    return returns ? OutlineShape::Closed : OutlineShape::Open;
}

OutlineLink linkOf(const Outline& outline, const ParcelNumbers& numbers,
                   const std::vector<Parcel>& parcels, std::size_t& parcel)
{
    parcel = kNoIndex;
    if (outline.groupA < 0)
        return OutlineLink::NoNumber;
    if (numbers.repeated.count(outline.groupA) != 0)
        return OutlineLink::NumberNotUnique;
    const auto found = numbers.unique.find(outline.groupA);
    if (found == numbers.unique.end())
        return OutlineLink::NoSuchParcel;
    if (!labelsAgree(outline, parcels[found->second]))
        return OutlineLink::LabelsDisagree;
    parcel = found->second;
    return OutlineLink::Linked;
}

} // namespace

std::string foldedLot(std::string_view lot)
{
    return formats::ToHalfWidth(formats::TrimBlanks(lot));
}

ParcelKeyIndex::ParcelKeyIndex(const std::vector<Parcel>& parcels)
{
    m_index.reserve(parcels.size());
    for (std::size_t i = 0; i < parcels.size(); ++i) {
        const ParcelFields& fields = parcels[i].fields;
        m_index.emplace(keyOf(fields.oaza, fields.koaza, fields.lot), i);
    }
}

std::string ParcelKeyIndex::keyOf(std::string_view oaza, std::string_view koaza,
                                  std::string_view lot)
{
    // Each part but the last goes with its length in front: a hostile file
    // may put any byte, a zero byte too, into a field, so no separator could
    // keep ("a?b", "c") and ("a", "b?c") apart.
    const std::string folded = foldedLot(lot);
    std::string key;
    key.reserve(oaza.size() + koaza.size() + folded.size() + 24);
    for (const std::string_view part : {oaza, koaza}) {
        key += std::to_string(part.size());
        key += ':';
        key += part;
    }
    key += folded;
    return key;
}

std::size_t ParcelKeyIndex::find(std::string_view oaza, std::string_view koaza,
                                 std::string_view lot) const
{
    const auto found = m_index.find(keyOf(oaza, koaza, lot));
    return found == m_index.end() ? kNoIndex : found->second;
}

void linkOutlinesToParcels(SurveyDataSet& set)
{
    const ParcelNumbers numbers = numbersOf(set.parcels);
    for (std::size_t i = 0; i < set.outlines.size(); ++i) {
        Outline& outline = set.outlines[i];
        outline.shape = shapeOf(outline, set.points);
        outline.link = linkOf(outline, numbers, set.parcels, outline.parcel);
        if (outline.parcel != kNoIndex)
            set.parcels[outline.parcel].outlines.push_back(i);
    }
}

} // namespace ft::dataset
