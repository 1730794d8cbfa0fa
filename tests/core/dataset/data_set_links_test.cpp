// Owner lists find their parcel record by oaza, koaza and lot number.
#include "core/dataset/data_set_links.h"

#include <gtest/gtest.h>

namespace ft::dataset {
namespace {

using namespace std::string_literals;

// A hostile parcel file may hold any byte in a field, a zero byte too: two
// records whose parts differ only in where such a byte falls stay apart.
TEST(ParcelKeyIndex, FieldsHoldingZeroBytesNeverShareAKey)
{
    struct Key {
        std::string oaza, koaza, lot;
    };
    const std::pair<Key, Key> cases[] = {
        {{"a\0b"s, "c", "1"}, {"a", "b\0c"s, "1"}},
        {{"a", "b\0"s, "1"},
         {"a", "b",
          "\0"s
          "1"}},
        {{"a\0"s, "", "1"},
         {"a", "",
          "\0"s
          "1"}},
        {{"1:a", "", "1"}, {"", "a", "1"}},
    };
    for (const auto& [first, second] : cases) {
        std::vector<Parcel> parcels(2);
        parcels[0].fields.oaza = first.oaza;
        parcels[0].fields.koaza = first.koaza;
        parcels[0].fields.lot = first.lot;
        parcels[1].fields.oaza = second.oaza;
        parcels[1].fields.koaza = second.koaza;
        parcels[1].fields.lot = second.lot;
        const ParcelKeyIndex index(parcels);
        EXPECT_EQ(index.find(first.oaza, first.koaza, first.lot), 0u) << first.oaza;
        EXPECT_EQ(index.find(second.oaza, second.koaza, second.lot), 1u) << second.oaza;
    }
}

} // namespace
} // namespace ft::dataset
