// What 全体表示 frames: every coordinate of an ordinary drawing, exactly as
// its bounds; without the few wild ones far outside the bulk, which are
// still drawn.
#include "viewer/drawing_view.h"
#include "viewer/framing.h"
#include "viewer/viewer_window.h"

#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace ft::viewer {
namespace {

// A survey-like drawing: a 20 x 10 grid of points 10 m apart around
// (east -35,000, north 100,000), 200 coordinates.
std::vector<QPointF> grid()
{
    std::vector<QPointF> points;
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 10; ++j)
            points.emplace_back(-35000.0 + 10 * i, 100000.0 + 10 * j);
    return points;
}

std::vector<QPointF> gridWith(std::vector<QPointF> extra)
{
    std::vector<QPointF> points = grid();
    points.insert(points.end(), extra.begin(), extra.end());
    return points;
}

struct FramingCase {
    const char* name;
    std::vector<QPointF> coordinates;
    MapBox expected; // left, bottom, right, top
};

// The case by its name in ctest's output, not as 64 bytes.
void PrintTo(const FramingCase& framing, std::ostream* out)
{
    *out << framing.name;
}

class Framing : public ::testing::TestWithParam<FramingCase> {};

TEST_P(Framing, FramesWhatAUserExpects)
{
    const MapBox box = framingBox(GetParam().coordinates);
    const MapBox& expected = GetParam().expected;
    EXPECT_EQ(box.left, expected.left);
    EXPECT_EQ(box.bottom, expected.bottom);
    EXPECT_EQ(box.right, expected.right);
    EXPECT_EQ(box.top, expected.top);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
const MapBox kGridBox{-35000.0, 100000.0, -34810.0, 100090.0};

INSTANTIATE_TEST_SUITE_P(
    Cases, Framing,
    ::testing::Values(FramingCase{"OrdinaryIsItsBoundingBox", grid(), kGridBox},
                      FramingCase{"OneWildEasting", gridWith({{1e12, 100050.0}}), kGridBox},
                      FramingCase{"OneWildNorthingBelow", gridWith({{-34900.0, -1e12}}), kGridBox},
                      // A slip of one digit, ten times the value: hundreds of kilometres off.
                      FramingCase{"ADigitTooMany", gridWith({{-350000.0, 100000.0}}), kGridBox},
                      // A tenth of the drawing 3 km away is a part of it, not a slip.
                      FramingCase{"AFarPartIsKept",
                                  gridWith(std::vector<QPointF>(22, {-32000.0, 103000.0})),
                                  MapBox{-35000.0, 100000.0, -32000.0, 103000.0}},
                      // A control point a kilometre beyond the parcels is kept.
                      FramingCase{"ANearOutlierIsKept", gridWith({{-33800.0, 100050.0}}),
                                  MapBox{-35000.0, 100000.0, -33800.0, 100090.0}},
                      FramingCase{"TooFewToTellAreAllFramed",
                                  std::vector<QPointF>{{0, 0}, {10, 10}, {1e12, 5}},
                                  MapBox{0, 0, 1e12, 10}},
                      FramingCase{"NotFiniteIsNeverFramed",
                                  gridWith({{kInf, 100050.0}, {-34900.0, -kInf}}), kGridBox},
                      FramingCase{"NothingFramesNothing", std::vector<QPointF>{}, MapBox{}}),
    [](const ::testing::TestParamInfo<FramingCase>& info) { return info.param.name; });

// In the window: 全体表示 frames the drawing, the wild point is still drawn and
// under the pointer it still counts as the drawing's.
TEST(ViewerFitAll, AWildPointDoesNotShrinkTheDrawingToADot)
{
    test::TempFolder folder;
    test::DataSetBuilder::smallValidSet(folder.path(), "A01")
        .addPoint({"Ｐ９", "1000000000000.000", "2100.000", "1"})
        .write();
    ViewerWindow window;
    window.resize(800, 600);
    window.show();
    window.openHeaders({folder / "A01.hed"});
    window.fitAll();

    const SceneDrawing& scene = *window.session().drawings().front().scene;
    EXPECT_EQ(scene.bounds.top, 1e12);
    EXPECT_EQ(scene.framing.top, 1400.0);
    const QRect shown = window.drawingView()->rect();
    const QPointF sheetCorner = window.drawingView()->transform().toPixel(QPointF(2200.0, 1400.0));
    EXPECT_TRUE(shown.contains(sheetCorner.toPoint()));
    // The 400 m of sheets fill most of the view, not a pixel of it.
    EXPECT_LT(window.drawingView()->transform().metresPerPixel(), 2.0);
}

} // namespace
} // namespace ft::viewer
