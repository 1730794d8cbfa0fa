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

bool scaleLess(const MapSheetRow& a, const MapSheetRow& b)
{
    return a.SCALE < b.SCALE;
}

// The shown texts: the kubun in decimal, compared as text.
bool kubunTextLess(const MapSheetRow& a, const MapSheetRow& b)
{
    return lessIgnoringAsciiCase(std::to_string(a.KUBUN), std::to_string(b.KUBUN));
}

} // namespace

std::optional<MapSheetLess> mapSheetColumnOrder(int column)
{
    switch (column) {
    case 1:
        return &scaleLess;
    case 2:
        return &kubunTextLess;
    default:
        return std::nullopt;
    }
}

} // namespace ft::search
