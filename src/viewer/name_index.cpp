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

// The names of one kind of item in one drawing, each with its index.
void addKeysOf(KeyKind kind, const OpenDrawing& open, std::size_t drawing, KeyIndex& index)
{
    const DrawingRecords& records = *open.records;
    const auto add = [&](std::size_t count, const auto& keyOf) {
        for (std::size_t i = 0; i < count; ++i)
            index.add(keyOf(i), drawing, i);
    };
    const auto names = [&](const FlatTexts& texts) {
        add(texts.size(), [&](std::size_t i) { return folded(texts[i]); });
    };
    switch (kind) {
    case KeyKind::Parcels:
        add(records.parcels.size(), [&](std::size_t i) { return parcelKey(records.parcels, i); });
        break;
    case KeyKind::GroupedParcels:
        add(records.groupedParcels.size(),
            [&](std::size_t i) { return parcelKey(records.groupedParcels, i); });
        break;
    case KeyKind::MapSheets:
        add(records.mapSheetNames.size(), [&](std::size_t i) { return sheetKey(records, i); });
        break;
    case KeyKind::MapSheetNames:
        names(records.mapSheetNames);
        break;
    case KeyKind::FrameNames:
        names(records.frameNames);
        break;
    case KeyKind::Points:
        names(open.scene->pointNames);
        break;
    case KeyKind::ControlPoints:
        names(records.controlPointNames);
        break;
    }
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

void KeyIndex::add(std::string_view cp932Key, std::size_t drawing, std::size_t item)
{
    if (const std::optional<std::string> key = utf8Of(cp932Key)) {
        m_keys.push_back(*key);
        m_places.push_back({static_cast<std::uint32_t>(drawing), static_cast<std::uint32_t>(item)});
    }
}

void KeyIndex::append(const KeyIndex& later)
{
    for (std::size_t i = 0; i < later.m_keys.size(); ++i)
        m_keys.push_back(later.m_keys[i]);
    m_places.insert(m_places.end(), later.m_places.begin(), later.m_places.end());
}

void KeyIndex::seal()
{
    m_byHash.reserve(m_keys.size());
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        m_byHash.push_back({hashOf(m_keys[i]), static_cast<std::uint32_t>(i)});
    std::sort(m_byHash.begin(), m_byHash.end());
    m_keys.shrinkToFit();
    m_places.shrink_to_fit();
}

void KeyIndex::find(std::string_view key, std::vector<Place>& places) const
{
    places.clear();
    const std::uint64_t hash = hashOf(key);
    auto entry = std::lower_bound(m_byHash.begin(), m_byHash.end(), Entry{hash, 0});
    for (; entry != m_byHash.end() && entry->hash == hash; ++entry)
        if (m_keys[entry->index] == key)
            places.push_back(m_places[entry->index]);
}

DrawingNames::DrawingNames(const std::vector<OpenDrawing>& drawings,
                           const std::vector<KeyKind>& kinds)
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
    m_names.of(kind).find(key, last.places);
    last.key = key;
    last.done = true;
    return last.places;
}

} // namespace ft::viewer
