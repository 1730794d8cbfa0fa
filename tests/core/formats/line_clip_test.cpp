// The part of a line inside a box, which the overview and the viewer cut far-off
// lines to before painting.
#include "core/formats/line_clip.h"

#include <gtest/gtest.h>

#include <optional>

namespace ft::formats {
namespace {

struct ClipCase {
    const char* name;
    double x, y, dx, dy;
    std::optional<LineSpan> expected;
};

class LineClip : public ::testing::TestWithParam<ClipCase> {};

// The box 0..10 by 0..10.
TEST_P(LineClip, KeepsThePartInsideTheBox)
{
    const ClipCase& c = GetParam();
    const std::optional<LineSpan> span = clipLine(c.x, c.y, c.dx, c.dy, {0, 0, 10, 10});
    ASSERT_EQ(span.has_value(), c.expected.has_value());
    if (span) {
        EXPECT_DOUBLE_EQ(span->enter, c.expected->enter);
        EXPECT_DOUBLE_EQ(span->leave, c.expected->leave);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineClip,
    ::testing::Values(ClipCase{"Inside", 2, 2, 6, 6, LineSpan{0, 1}},
                      ClipCase{"CrossesFromFarLeftToFarRight", -10, 5, 30, 0,
                               LineSpan{1.0 / 3, 2.0 / 3}},
                      ClipCase{"EntersFromBelow", 5, -10, 0, 15, LineSpan{2.0 / 3, 1}},
                      ClipCase{"PassesByTheCorner", 8, -5, 10, 10, std::nullopt},
                      ClipCase{"ParallelOutside", -1, 0, 0, 10, std::nullopt},
                      ClipCase{"AlongTheEdge", 0, -5, 0, 20, LineSpan{0.25, 0.75}},
                      ClipCase{"APointInside", 3, 3, 0, 0, LineSpan{0, 1}},
                      ClipCase{"APointOutside", 30, 3, 0, 0, std::nullopt}),
    [](const ::testing::TestParamInfo<ClipCase>& info) { return info.param.name; });

} // namespace
} // namespace ft::formats
