#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ft::catalogue {
class CatalogueDatabase;
}

namespace ft::search {

// The oaza names the parcels of the catalogue carry, each once, in order
// (UTF-8); empty names are left out. What the 大字名称 list offers.
std::vector<std::string> registeredOazaNames(catalogue::CatalogueDatabase& db);

// The koaza names, each once, in order; when an oaza is typed, only those of
// parcels in that oaza (compared as the parcel search compares it). What the
// 小字名称 list offers.
std::vector<std::string> registeredKoazaNames(catalogue::CatalogueDatabase& db,
                                              std::string_view typedOaza);

} // namespace ft::search
