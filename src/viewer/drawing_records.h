#pragma once

// What the viewer keeps of a data set's records once its scene is built: the
// names its items are found by and listed with, in flat arrays over one byte
// buffer per kind of name (CP932, as the files hold them). A data set read
// whole holds each record as an object with strings of its own, several times
// the size of its files; a request of a hundred drawings keeps only this.

#include "core/dataset/survey_data_set.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ft::viewer {

// A list of texts in one buffer: text i runs from the end of text i - 1 to
// ends[i].
class FlatTexts {
public:
    void push_back(std::string_view text);
    std::string_view operator[](std::size_t i) const;
    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    // Gives back what growing left over.
    void shrinkToFit();

private:
    std::string m_bytes;
    std::vector<std::uint32_t> m_ends;
};

// A list of texts of which few are different (the oaza or koaza names of a
// drawing's parcels): each different text is kept once, and each entry is
// the number of its text.
class RepeatedTexts {
public:
    void push_back(std::string_view text);
    std::string_view operator[](std::size_t i) const { return m_different[m_entries[i]]; }
    std::size_t size() const { return m_entries.size(); }
    // Gives back what growing left over, and the lookup of the texts.
    void shrinkToFit();

private:
    FlatTexts m_different;
    std::vector<std::uint32_t> m_entries;
    // The number of each different text while the list is filled.
    std::unordered_map<std::string, std::uint32_t> m_numbers;
};

// Parcels as a parcel file or a grouped-parcel file gives them, by index.
struct ParcelNames {
    RepeatedTexts oaza;
    RepeatedTexts koaza;
    FlatTexts lot; // as written; folded where compared or shown

    std::size_t size() const { return lot.size(); }
};

struct DrawingRecords {
    std::filesystem::path basePath;
    dataset::DataSetHeader header;
    ParcelNames parcels;
    ParcelNames groupedParcels;
    FlatTexts controlPointNames; // as written
    FlatTexts mapSheetNames;     // as written
    std::vector<int> mapSheetScales;
    std::vector<int> mapSheetKubun;
    FlatTexts frameNames; // as written

    // The outlines linked to parcel i (indices of SurveyDataSet::outlines).
    std::span<const std::uint32_t> outlinesOf(std::size_t parcel) const;

    // The records of a data set read whole, with no room to spare.
    static DrawingRecords of(const dataset::SurveyDataSet& set);

private:
    // Parcel i's outlines are m_parcelOutlines[m_outlineEnds[i - 1] .. m_outlineEnds[i]).
    std::vector<std::uint32_t> m_outlineEnds;
    std::vector<std::uint32_t> m_parcelOutlines;
};

} // namespace ft::viewer
