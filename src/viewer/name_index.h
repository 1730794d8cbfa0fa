#pragma once

// The names requested items are looked up by, across the open drawings: one
// flat index per kind of name, built once (on every core) and only read
// after, so that several threads can match items against it at once.

#include "viewer/drawing_records.h"
#include "viewer/request_matching.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ft::viewer {

// UTF-8 of CP932 text; nothing for bytes that are not CP932 (such text can
// match nothing).
std::optional<std::string> utf8Of(std::string_view cp932);
// Full-width letters and digits made half width, as the catalogue holds names.
std::string folded(std::string_view cp932);

// The kinds of names items are looked up by.
enum class KeyKind : std::size_t {
    Parcels,        // "oaza,koaza,lot" with the lot folded
    GroupedParcels, // likewise
    MapSheets,      // "name,scale,kubun" with the name folded
    MapSheetNames,  // sheet names as the overview's sheet-outline file holds them, folded
    FrameNames,
    Points,        // trimmed, then folded, as the catalogue holds them
    ControlPoints, // folded but not trimmed
};
inline constexpr std::size_t kKeyKinds = 7;

// Where a name is: the open drawing, and the item's index in it.
struct Place {
    std::uint32_t drawing;
    std::uint32_t item;
};

// The names of one kind, each with its place, as a sorted list of (hash of
// the name's UTF-8, place): a map of strings to lists would hold half a
// million small allocations for a large request, and a copy of every name.
// Names are told apart by their text only on a hash hit (DrawingNames). The
// places of one hash stand by drawing, then in the data's order. A directory
// by the hash's top bits leads to the few entries a hash can be among: a
// binary search of the whole list missed the cache at nearly every step, for
// each of a million request lines.
class KeyIndex {
public:
    void add(std::string_view utf8Key, std::size_t drawing, std::size_t item);
    // Adds the names of another index, whose drawings all come after these.
    void append(const KeyIndex& later);
    // Makes the names searchable; none is added after.
    void seal();
    // The places whose name has the hash of this one.
    void withHashOf(std::string_view utf8Key, std::vector<Place>& places) const;

private:
    struct Entry {
        std::uint64_t hash;
        std::uint32_t drawing;
        std::uint32_t item;

        friend auto operator<=>(const Entry&, const Entry&) = default;
    };

    std::size_t slotOf(std::uint64_t hash) const;

    std::vector<Entry> m_entries;
    // The entries whose hash starts with the top bits b are
    // m_entries[m_starts[b], m_starts[b + 1]).
    std::vector<std::uint32_t> m_starts;
    int m_shift = 64;
};

// The indexes of the kinds asked for, over every open drawing that was read;
// the other kinds are empty. The drawings must outlive it.
class DrawingNames {
public:
    DrawingNames(const std::vector<OpenDrawing>& drawings, const std::vector<KeyKind>& kinds);

    // The places of a name (UTF-8), by drawing, then in the data's order.
    void find(KeyKind kind, std::string_view utf8Key, std::vector<Place>& places) const;

private:
    const std::vector<OpenDrawing>& m_drawings;
    std::array<KeyIndex, kKeyKinds> m_indexes;
};

// One matcher's questions to the shared names. An item asks for its name
// several times (which drawings hold it, then what each holds): the last
// answer of each kind is kept for the next.
class NameLookup {
public:
    explicit NameLookup(const DrawingNames& names) : m_names(names) {}

    // The items of `drawing` with the name, in the data's order.
    std::vector<std::size_t> itemsIn(KeyKind kind, std::size_t drawing, const std::string& key);
    // The drawings that hold the name as one of these kinds, ascending.
    std::vector<std::size_t> drawingsHolding(std::initializer_list<KeyKind> kinds,
                                             const std::string& key);

private:
    const std::vector<Place>& placesOf(KeyKind kind, const std::string& key);

    struct LastLookup {
        std::string key;
        std::vector<Place> places;
        bool done = false;
    };

    const DrawingNames& m_names;
    std::array<LastLookup, kKeyKinds> m_last;
};

} // namespace ft::viewer
