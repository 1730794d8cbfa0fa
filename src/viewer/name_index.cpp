#include "viewer/name_index.h"

#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
#include "viewer/side_by_side.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace ft::viewer {

namespace {

std::uint64_t hashOf(std::string_view key)
{
    return std::hash<std::string_view>()(key);
}

// "oaza,koaza,lot" as the parcel list writes a parcel (lot folded).
std::string parcelKey(const ParcelNames& parcels, std::size_t i)
{
    std::string key(parcels.oaza[i]);
    key += ',';
    key += parcels.koaza[i];
    key += ',';
    key += folded(parcels.lot[i]);
    return key;
}

// "name,scale,kubun" as the map sheet list writes a sheet.
std::string sheetKey(const DrawingRecords& records, std::size_t i)
{
    return folded(records.mapSheetNames[i]) + "," + std::to_string(records.mapSheetScales[i]) +
           "," + std::to_string(records.mapSheetKubun[i]);
}

// How many names of a kind a drawing has.
std::size_t countOf(KeyKind kind, const OpenDrawing& open)
{
    const DrawingRecords& records = *open.records;
    switch (kind) {
    case KeyKind::Parcels:
        return records.parcels.size();
    case KeyKind::GroupedParcels:
        return records.groupedParcels.size();
    case KeyKind::MapSheets:
    case KeyKind::MapSheetNames:
        return records.mapSheetNames.size();
    case KeyKind::FrameNames:
        return records.frameNames.size();
    case KeyKind::Points:
        return open.scene->pointNames.size();
    case KeyKind::ControlPoints:
        return records.controlPointNames.size();
    }
    return 0;
}

// The name of item i of a kind in a drawing, CP932.
std::string keyOf(KeyKind kind, const OpenDrawing& open, std::size_t i)
{
    const DrawingRecords& records = *open.records;
    switch (kind) {
    case KeyKind::Parcels:
        return parcelKey(records.parcels, i);
    case KeyKind::GroupedParcels:
        return parcelKey(records.groupedParcels, i);
    case KeyKind::MapSheets:
        return sheetKey(records, i);
    case KeyKind::MapSheetNames:
        return folded(records.mapSheetNames[i]);
    case KeyKind::FrameNames:
        return folded(records.frameNames[i]);
    case KeyKind::Points:
        return folded(open.scene->pointNames[i]);
    case KeyKind::ControlPoints:
        return folded(records.controlPointNames[i]);
    }
    return {};
}

// The names of one kind of item in one drawing, each with its index.
void addKeysOf(KeyKind kind, const OpenDrawing& open, std::size_t drawing, KeyIndex& index)
{
    const std::size_t count = countOf(kind, open);
    for (std::size_t i = 0; i < count; ++i)
        if (const std::optional<std::string> key = utf8Of(keyOf(kind, open, i)))
            index.add(*key, drawing, i);
}

} // namespace

std::optional<std::string> utf8Of(std::string_view cp932)
{
    try {
        return platform::cp932ToUtf8(cp932);
    } catch (const platform::EncodingError&) {
        return std::nullopt;
    }
}

std::string folded(std::string_view cp932)
{
    return formats::ToHalfWidth(cp932);
}

void KeyIndex::add(std::string_view utf8Key, std::size_t drawing, std::size_t item)
{
    m_entries.push_back(
        {hashOf(utf8Key), static_cast<std::uint32_t>(drawing), static_cast<std::uint32_t>(item)});
}

void KeyIndex::append(const KeyIndex& later)
{
    m_entries.insert(m_entries.end(), later.m_entries.begin(), later.m_entries.end());
}

void KeyIndex::seal()
{
    std::sort(m_entries.begin(), m_entries.end());
    m_entries.shrink_to_fit();
    // About one entry per directory slot.
    int bits = 0;
    while (bits < 24 && (std::size_t{1} << bits) < m_entries.size())
        ++bits;
    m_shift = 64 - bits;
    m_starts.assign((std::size_t{1} << bits) + 1, 0);
    std::size_t entry = 0;
    for (std::size_t slot = 0; slot + 1 < m_starts.size(); ++slot) {
        m_starts[slot] = static_cast<std::uint32_t>(entry);
        while (entry < m_entries.size() && slotOf(m_entries[entry].hash) == slot)
            ++entry;
    }
    m_starts.back() = static_cast<std::uint32_t>(m_entries.size());
}

std::size_t KeyIndex::slotOf(std::uint64_t hash) const
{
    // A shift by 64 is undefined: an index of at most one entry has one slot.
    return m_shift >= 64 ? 0 : static_cast<std::size_t>(hash >> m_shift);
}

void KeyIndex::withHashOf(std::string_view utf8Key, std::vector<Place>& places) const
{
    places.clear();
    if (m_starts.empty())
        return;
    const std::uint64_t hash = hashOf(utf8Key);
    const std::size_t slot = slotOf(hash);
    const auto end = m_entries.begin() + m_starts[slot + 1];
    auto entry = std::lower_bound(m_entries.begin() + m_starts[slot], end, Entry{hash, 0, 0});
    for (; entry != end && entry->hash == hash; ++entry)
        places.push_back({entry->drawing, entry->item});
}

DrawingNames::DrawingNames(const std::vector<OpenDrawing>& drawings,
                           const std::vector<KeyKind>& kinds)
    : m_drawings(drawings)
{
    // Each kind is cut into runs of drawings, one per core; the runs are
    // indexed side by side and joined in order.
    const std::size_t runs = std::min(coreCount(), std::max<std::size_t>(drawings.size(), 1));
    std::vector<KeyIndex> pieces(kinds.size() * runs);
    sideBySide(pieces.size(), [&](std::size_t piece) {
        const KeyKind kind = kinds[piece / runs];
        const std::size_t run = piece % runs;
        for (std::size_t d = drawings.size() * run / runs; d < drawings.size() * (run + 1) / runs;
             ++d)
            if (drawings[d].records)
                addKeysOf(kind, drawings[d], d, pieces[piece]);
    });
    // Each piece is let go once joined: the pieces of the parcels' names
    // are as large as their index.
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        KeyIndex& index = m_indexes[static_cast<std::size_t>(kinds[k])];
        index = std::move(pieces[k * runs]);
        for (std::size_t run = 1; run < runs; ++run)
            index.append(std::exchange(pieces[k * runs + run], KeyIndex{}));
    }
    sideBySide(kinds.size(),
               [&](std::size_t k) { m_indexes[static_cast<std::size_t>(kinds[k])].seal(); });
}

void DrawingNames::find(KeyKind kind, std::string_view utf8Key, std::vector<Place>& places) const
{
    m_indexes[static_cast<std::size_t>(kind)].withHashOf(utf8Key, places);
    // A hash is almost always one name; the text decides.
    std::erase_if(places, [&](const Place& place) {
        return utf8Of(keyOf(kind, m_drawings[place.drawing], place.item)) != utf8Key;
    });
}

std::vector<std::size_t> NameLookup::itemsIn(KeyKind kind, std::size_t drawing,
                                             const std::string& key)
{
    const std::vector<Place>& places = placesOf(kind, key);
    auto place = std::lower_bound(places.begin(), places.end(), drawing,
                                  [](const Place& p, std::size_t d) { return p.drawing < d; });
    std::vector<std::size_t> found;
    for (; place != places.end() && place->drawing == drawing; ++place)
        found.push_back(place->item);
    return found;
}

std::vector<std::size_t> NameLookup::drawingsHolding(std::initializer_list<KeyKind> kinds,
                                                     const std::string& key)
{
    std::vector<std::size_t> drawings;
    for (const KeyKind kind : kinds)
        for (const Place& place : placesOf(kind, key))
            drawings.push_back(place.drawing);
    std::sort(drawings.begin(), drawings.end());
    drawings.erase(std::unique(drawings.begin(), drawings.end()), drawings.end());
    return drawings;
}

const std::vector<Place>& NameLookup::placesOf(KeyKind kind, const std::string& key)
{
    LastLookup& last = m_last[static_cast<std::size_t>(kind)];
    if (last.done && last.key == key)
        return last.places;
    m_names.find(kind, key, last.places);
    last.key = key;
    last.done = true;
    return last.places;
}

} // namespace ft::viewer
