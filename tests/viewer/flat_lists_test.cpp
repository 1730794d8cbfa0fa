// The flat lists a drawing's names are kept in, and the helper that runs
// work on every core, at their edges.
#include "viewer/drawing_records.h"
#include "viewer/name_index.h"
#include "viewer/side_by_side.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace ft::viewer {
namespace {

// Each list of texts, put in and read back: empty texts first and last, a
// text repeated apart from its first showing, many different texts.
TEST(FlatLists, TextsReadBackAsTheyWerePut)
{
    std::vector<std::vector<std::string>> cases{
        {},
        {""},
        {"", "大字桜木", "", "大字桜木", ""},
        {"a", "b", "a", "a", "c", "b"},
    };
    std::vector<std::string> many;
    for (int i = 0; i < 3000; ++i)
        many.push_back("字" + std::to_string(i % 1500));
    cases.push_back(many);
    for (const std::vector<std::string>& texts : cases) {
        FlatTexts flat;
        RepeatedTexts repeated;
        for (const std::string& text : texts) {
            flat.push_back(text);
            repeated.push_back(text);
        }
        flat.shrinkToFit();
        repeated.shrinkToFit();
        ASSERT_EQ(flat.size(), texts.size());
        ASSERT_EQ(repeated.size(), texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(flat[i], texts[i]) << i;
            EXPECT_EQ(repeated[i], texts[i]) << i;
        }
    }
}

// The index of names finds every place of a name, by drawing then item, at
// any size: none sealed, empty, one name, and many names over many slots of
// its directory (each named in two drawings, one of them twice).
TEST(FlatLists, NameIndexFindsEveryPlaceOfAName)
{
    std::vector<Place> places;
    KeyIndex unsealed;
    unsealed.withHashOf("a", places);
    EXPECT_TRUE(places.empty());
    for (const std::size_t names : {std::size_t{0}, std::size_t{1}, std::size_t{5000}}) {
        KeyIndex index;
        for (std::size_t i = 0; i < names; ++i) {
            const std::string name = "地番" + std::to_string(i);
            index.add(name, i % 7 + 1, i);
            index.add(name, 0, i);
            if (i % 3 == 0)
                index.add(name, 0, i + names);
        }
        index.seal();
        for (std::size_t i = 0; i < names; ++i) {
            index.withHashOf("地番" + std::to_string(i), places);
            std::vector<std::pair<std::uint32_t, std::uint32_t>> found;
            for (const Place& place : places)
                found.emplace_back(place.drawing, place.item);
            std::vector<std::pair<std::uint32_t, std::uint32_t>> wanted{{0, i}};
            if (i % 3 == 0)
                wanted.emplace_back(0, i + names);
            wanted.emplace_back(i % 7 + 1, i);
            EXPECT_EQ(found, wanted) << i;
        }
        index.withHashOf("どこにもない", places);
        EXPECT_TRUE(places.empty());
    }
}

TEST(FlatLists, EveryPieceRunsOnceAndAFailureComesBackAfterTheOthers)
{
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{97}}) {
        std::vector<std::atomic<int>> runs(count);
        sideBySide(count, [&](std::size_t i) { ++runs[i]; });
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_EQ(runs[i].load(), 1) << i;
    }
    std::atomic<int> done{0};
    EXPECT_THROW(sideBySide(50,
                            [&](std::size_t i) {
                                if (i == 7)
                                    throw std::runtime_error("piece 7");
                                ++done;
                            }),
                 std::runtime_error);
    EXPECT_EQ(done.load(), 49);
}

} // namespace
} // namespace ft::viewer
