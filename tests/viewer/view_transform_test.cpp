// Moving like a map: zoom keeps the point under the pointer, a drag moves the
// drawing with the pointer, a fit shows the box; and the grid that culls what
// is out of view never loses an item that reaches into it; the picture shown
// while the map moves moves with it.
#include "viewer/cached_picture.h"
#include "viewer/grid_index.h"
#include "viewer/scene_renderer.h"
#include "viewer/view_transform.h"

#include <QPainter>

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

TEST(CachedPicture, AMovedOrZoomedViewShowsTheKeptGroundWhereItNowIs)
{
    ViewTransform view;
    view.setPixelSize(QSize(100, 80));
    view.setCentre(QPointF(500, 300));
    view.setMetresPerPixel(1.0);
    // One black pixel at the map point (510, 290): pixel (60, 50).
    CachedPicture picture;
    picture.redraw(view, 1.0, [](QPainter& painter, const ViewTransform& drawn) {
        painter.fillRect(QRect(QPoint(0, 0), drawn.pixelSize()), kPaperColour);
        painter.fillRect(QRectF(drawn.toPixel(QPointF(510, 290)), QSizeF(1, 1)), Qt::black);
    });
    ASSERT_TRUE(picture.fits(QSize(100, 80)));

    const auto blackAt = [&](const ViewTransform& moved) {
        QImage frame(moved.pixelSize(), QImage::Format_RGB32);
        QPainter painter(&frame);
        picture.drawMoved(painter, moved);
        painter.end();
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                if (frame.pixel(x, y) != kPaperColour.rgb())
                    return QPoint(x, y);
        return QPoint(-1, -1);
    };
    ViewTransform dragged = view;
    dragged.panByPixels(QPointF(7, -3)); // the ground follows the pointer
    EXPECT_EQ(blackAt(dragged), QPoint(67, 47));
    ViewTransform zoomed = view;
    zoomed.zoomAround(QPointF(60, 50), 2.0); // the point under the pointer stays
    const QPoint shown = blackAt(zoomed);
    EXPECT_GE(shown.x(), 59);
    EXPECT_LE(shown.x(), 61);
    EXPECT_GE(shown.y(), 49);
    EXPECT_LE(shown.y(), 51);
}

} // namespace
} // namespace ft::viewer
