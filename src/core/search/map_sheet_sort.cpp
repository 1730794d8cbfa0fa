#include "core/search/map_sheet_sort.h"

#include <algorithm>
#include <string>

namespace ft::search {
namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool lessIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(asciiLower(x)) <
               static_cast<unsigned char>(asciiLower(y));
    });
}

template <class Row> bool scaleLess(const Row& a, const Row& b)
{
    return a.SCALE < b.SCALE;
}

// The shown texts: the kubun in decimal, compared as text.
template <class Row> bool kubunTextLess(const Row& a, const Row& b)
{
    return lessIgnoringAsciiCase(std::to_string(a.KUBUN), std::to_string(b.KUBUN));
}

template <class Row> auto columnOrder(int column) -> std::optional<bool (*)(const Row&, const Row&)>
{
    switch (column) {
    case 1:
        return &scaleLess<Row>;
    case 2:
        return &kubunTextLess<Row>;
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<MapSheetLess> mapSheetColumnOrder(int column)
{
    return columnOrder<MapSheetRow>(column);
}

std::optional<MapSheetKeyLess> mapSheetKeyOrder(int column)
{
    return columnOrder<MapSheetKey>(column);
}

} // namespace ft::search
