// Moving like a map: zoom keeps the point under the pointer, a drag moves the
// drawing with the pointer, a fit shows the box; and the grid that culls what
// is out of view never loses an item that reaches into it.
#include "viewer/grid_index.h"
#include "viewer/view_transform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ft::viewer {
namespace {

TEST(ViewTransform, ZoomPanAndFitKeepTheMapWhereTheUserExpectsIt)
{
    ViewTransform view;
    view.setPixelSize(QSize(400, 200));
    view.setCentre(QPointF(1000, 2000));
    view.setMetresPerPixel(0.5);
    // North up: a point north of the centre is above it on screen.
    EXPECT_EQ(view.toPixel(QPointF(1000, 2010)), QPointF(200, 80));

    const QPointF pointer(50, 150);
    const QPointF under = view.toMap(pointer);
    view.zoomAround(pointer, 4.0);
    EXPECT_DOUBLE_EQ(view.metresPerPixel(), 0.125);
    EXPECT_NEAR(view.toMap(pointer).x(), under.x(), 1e-9);
    EXPECT_NEAR(view.toMap(pointer).y(), under.y(), 1e-9);

    // Dragging right and down by (10, 20) pixels brings the map along.
    const QPointF before = view.toPixel(under);
    view.panByPixels(QPointF(10, 20));
    EXPECT_EQ(view.toPixel(under), before + QPointF(10, 20));

    // A box 100 m wide and 10 m high fills the width, with a tenth to spare
    // on each side; a single point is shown some metres across.
    view.fit(QRectF(0, 0, 100, 10));
    EXPECT_DOUBLE_EQ(view.metresPerPixel(), 1.2 * 100 / 400);
    EXPECT_EQ(view.centre(), QPointF(50, 5));
    view.fit(QRectF(7, 7, 0, 0));
    EXPECT_DOUBLE_EQ(view.metresPerPixel(), 1.2 * ViewTransform::kSmallestFit / 200);

    // Zoom stops at its limits instead of reaching zero or infinity.
    for (int i = 0; i < 200; ++i)
        view.zoomAround(pointer, 10.0);
    EXPECT_DOUBLE_EQ(view.metresPerPixel(), ViewTransform::kMinMetresPerPixel);
}

TEST(GridIndex, AQueryFindsEveryItemThatReachesIntoIt)
{
    // Many small items on a line, one long item crossing all of them, and
    // one item without a box.
    std::vector<std::optional<QRectF>> boxes;
    for (int i = 0; i < 200; ++i)
        boxes.emplace_back(QRectF(i * 10.0, 0, 1, 1));
    boxes.emplace_back(QRectF(0, 5, 2000, 1)); // its centre lies at x 1000
    boxes.emplace_back(std::nullopt);
    const GridIndex grid(boxes);

    std::vector<std::uint32_t> found;
    grid.query(QRectF(15, -1, 10, 10), [&](std::uint32_t i) {
        if (boxes[i] && boxes[i]->intersects(QRectF(15, -1, 10, 10)))
            found.push_back(i);
    });
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::uint32_t>{2, 200}));

    bool visitedOutside = false;
    grid.query(QRectF(5000, 5000, 1, 1), [&](std::uint32_t) { visitedOutside = true; });
    EXPECT_FALSE(visitedOutside);
}

} // namespace
} // namespace ft::viewer
