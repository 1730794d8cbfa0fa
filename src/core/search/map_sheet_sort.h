#pragma once

#include "core/search/result_rows.h"

#include <optional>

namespace ft::search {

// "Sorts before" for the rows of the map sheet list, as a click on a column
// heading orders them (ascending; a second click sorts the same way again).
using MapSheetLess = bool (*)(const MapSheetRow&, const MapSheetRow&);

// The order of a column of the map sheet list: 縮尺の分母 (1) by the scale as a
// number, so 500 comes before 1000; 区分 (2) by the shown text without regard
// to ASCII case, so 10 comes before 9. 図葉番号 (0) and FileNo (3) do not sort:
// nothing. Both orders are strict weak orders; rows they find equal keep
// their order when sorted stably.
std::optional<MapSheetLess> mapSheetColumnOrder(int column);

// The same orders over the keys a map sheet window keeps of its rows, which
// hold the scale and the kind.
using MapSheetKeyLess = bool (*)(const MapSheetKey&, const MapSheetKey&);
std::optional<MapSheetKeyLess> mapSheetKeyOrder(int column);

} // namespace ft::search
