#pragma once

// How the files of a data set refer to one another: outlines to parcel
// records by number (checked against their labels), owner-list groups to
// parcel records by oaza, koaza and lot number.

#include "core/dataset/survey_data_set.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ft::dataset {

// The lot number as the catalogue holds it: blanks trimmed, folded with
// ToHalfWidth ("１０１－２" -> "101-2").
std::string foldedLot(std::string_view lot);

// Parcels by oaza, koaza and folded lot number; the first record answers.
class ParcelKeyIndex {
public:
    explicit ParcelKeyIndex(const std::vector<Parcel>& parcels);
    // The parcel's index, or kNoIndex.
    std::size_t find(std::string_view oaza, std::string_view koaza, std::string_view lot) const;

private:
    static std::string keyOf(std::string_view oaza, std::string_view koaza, std::string_view lot);
    std::unordered_map<std::string, std::size_t> m_index;
};

// Works out each outline's shape from its vertices and links it to its
// parcel record as OutlineLink describes; fills Parcel::outlines.
void linkOutlinesToParcels(SurveyDataSet& set);

} // namespace ft::dataset
