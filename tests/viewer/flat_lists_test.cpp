// The flat lists a drawing's names are kept in, and the helper that runs
// work on every core, at their edges.
#include "viewer/drawing_records.h"
#include "viewer/side_by_side.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
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
