// A small drawing rendered offscreen, with pixels checked where the parcels,
// their outlines, the marks and the paper must be.
#include "viewer/paper_output.h"
#include "viewer/scene_renderer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace ft::viewer {
namespace {

using dataset::OutlineShape;

// Two square parcels side by side, 0..10 and 10..20 east, 0..10 north, and a
// boundary point in the second one.
dataset::SurveyDataSet twoParcels()
{
    dataset::SurveyDataSet set;
    set.present = true;
    // (first = north, second = east)
    for (const auto& [north, east] : std::vector<std::pair<double, double>>{
             {0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 20}, {10, 20}, {5, 15}})
        set.points.push_back({"P", {north, east}, "1"});
    const auto outline = [](std::vector<std::size_t> corners) {
        dataset::Outline outline;
        for (const std::size_t corner : corners)
            outline.vertices.push_back({corner, 2});
        outline.shape = OutlineShape::Closed;
        return outline;
    };
    set.outlines.push_back(outline({0, 1, 2, 3, 0}));
    set.outlines.push_back(outline({1, 4, 5, 2, 1}));
    return set;
}

class SceneRendering : public ::testing::Test {
protected:
    // 200 x 200 pixels, 0.1 m each, centred on (east 10, north 5): east 0..20
    // spans the width, north 10 is row 50 and north 0 row 150.
    SceneRendering() : m_set(twoParcels()), m_scene(buildScene(m_set, QStringLiteral("T")))
    {
        m_view.setPixelSize(QSize(200, 200));
        m_view.setCentre(QPointF(10, 5));
        m_view.setMetresPerPixel(0.1);
    }

    QImage render(const Layers& layers = {})
    {
        QImage image(200, 200, QImage::Format_RGB32);
        QPainter painter(&image);
        RenderOptions options;
        options.layers = layers;
        renderScene(painter, m_view, {{&m_scene, &m_marks}}, std::nullopt, options);
        return image;
    }

    dataset::SurveyDataSet m_set;
    SceneDrawing m_scene;
    DrawingMarks m_marks;
    ViewTransform m_view;
};

TEST_F(SceneRendering, NorthIsUpAndTheRequestedParcelIsFilled)
{
    m_marks.outlines = {0};
    const QImage image = render();
    EXPECT_EQ(image.pixel(20, 70), kHighlightFill.rgb());   // east 2, north 8: parcel 1
    EXPECT_EQ(image.pixel(180, 70), kPaperColour.rgb());    // east 18, north 8: parcel 2
    EXPECT_EQ(image.pixel(100, 130), kOutlineColour.rgb()); // the shared edge, east 10
    EXPECT_EQ(image.pixel(20, 150), kOutlineColour.rgb());  // the south edge, north 0
    EXPECT_EQ(image.pixel(20, 40), kPaperColour.rgb());     // north of both, north 11
    EXPECT_EQ(image.pixel(150, 100), kPointColour.rgb());   // the boundary point (15, 5)
}

TEST_F(SceneRendering, SwitchedOffLayersAreNotDrawnAndRequestedPointsAreRinged)
{
    Layers layers;
    layers.outlines = false;
    layers.boundaryPoints = false;
    m_marks.points = {6};
    const QImage image = render(layers);
    EXPECT_EQ(image.pixel(100, 130), kPaperColour.rgb());
    EXPECT_EQ(image.pixel(20, 150), kPaperColour.rgb());
    // The ring around (150, 100) has a radius of 8 pixels.
    EXPECT_EQ(image.pixel(150, 100), kPaperColour.rgb());
    EXPECT_EQ(image.pixel(158, 100), kPointHighlight.rgb());
}

TEST_F(SceneRendering, ParcelsJustUnderAndOverAPixelAreInkedWhereTheyAre)
{
    // 10 m edges just under a pixel (drawn as their pixel) and just over
    // (drawn as lines); the parcels lie around pixel (100, 100).
    Layers layers;
    layers.boundaryPoints = false;
    layers.lotNumbers = false;
    m_marks.outlines = {0};
    for (const double metresPerPixel : {10.2, 9.8}) {
        m_view.setMetresPerPixel(metresPerPixel);
        for (const bool outlines : {false, true}) {
            layers.outlines = outlines;
            const QImage image = render(layers);
            const QRgb ink = outlines ? kOutlineColour.rgb() : kHighlightFill.rgb();
            int inked = 0;
            int strays = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    if (image.pixel(x, y) == kPaperColour.rgb())
                        continue;
                    const bool near = std::abs(x - 100) <= 2 && std::abs(y - 100) <= 2;
                    strays += near ? 0 : 1;
                    inked += near && image.pixel(x, y) == ink ? 1 : 0;
                }
            EXPECT_GT(inked, 0) << metresPerPixel << (outlines ? " outlines" : " fill");
            EXPECT_EQ(strays, 0) << metresPerPixel << (outlines ? " outlines" : " fill");
        }
    }
}

// Boundary points are marked while no more than the limit are in view in the
// whole picture: the drawing wholly in view (7 points), partly (5 of them),
// and drawn twice (14, each drawing alone under the limit).
TEST_F(SceneRendering, PointsAreMarkedUpToTheirLimitInView)
{
    struct Case {
        QPointF centre;
        double metresPerPixel;
        std::size_t limit;
        QPoint point; // where the point (east 15, north 5) falls
        bool marked;
        std::size_t times = 1; // how often the drawing is drawn
    };
    const std::vector<Case> cases{
        {{10, 5}, 0.2, 7, {125, 100}, true},     {{10, 5}, 0.2, 6, {125, 100}, false},
        {{15, 5}, 0.05, 5, {100, 100}, true},    {{15, 5}, 0.05, 4, {100, 100}, false},
        {{10, 5}, 0.2, 14, {125, 100}, true, 2}, {{10, 5}, 0.2, 13, {125, 100}, false, 2},
    };
    Layers layers;
    layers.lotNumbers = false;
    for (const Case& c : cases) {
        m_view.setCentre(c.centre);
        m_view.setMetresPerPixel(c.metresPerPixel);
        QImage image(200, 200, QImage::Format_RGB32);
        QPainter painter(&image);
        RenderOptions options;
        options.layers = layers;
        options.maxPointMarks = c.limit;
        const std::vector<DrawingToRender> drawings(c.times, {&m_scene, &m_marks});
        renderScene(painter, m_view, drawings, std::nullopt, options);
        EXPECT_EQ(image.pixel(c.point) == kPointColour.rgb(), c.marked) << c.limit;
    }
}

// The shared edge of the two parcels is kept once whichever way round they
// run; a ring ends at its first missing point.
TEST_F(SceneRendering, EachEdgeIsKeptOnceAndARingEndsAtAGap)
{
    EXPECT_EQ(m_scene.edges.size(), 7U);
    EXPECT_EQ(m_scene.firstPieceOf(0).size(), 5);
    dataset::SurveyDataSet broken = twoParcels();
    broken.outlines[1].vertices[2].point = dataset::kNoIndex;
    broken.outlines[1].shape = OutlineShape::MissingPoints;
    const SceneDrawing scene = buildScene(broken, QStringLiteral("B"));
    EXPECT_EQ(scene.edges.size(), 4U); // the broken outline's edges are drawn piece by piece
    EXPECT_EQ(scene.firstPieceOf(1), QPolygonF({QPointF(10, 0), QPointF(20, 0)}));
    EXPECT_EQ(scene.piecesOf(1).size(), 2U);
}

TEST_F(SceneRendering, OnPaperAMetreAtOneToFiveHundredIsTwoMillimetres)
{
    EXPECT_EQ(parseScale(QStringLiteral("1:500")), 500.0);
    EXPECT_EQ(parseScale(QStringLiteral(" 1/2500 ")), 2500.0);
    EXPECT_EQ(parseScale(QStringLiteral("250")), 250.0);
    EXPECT_FALSE(parseScale(QStringLiteral("1:0")).has_value());
    EXPECT_FALSE(parseScale(QStringLiteral("half")).has_value());

    // 20 m x 10 m at 1:500: 40 x 20 mm of map, a 10 mm margin and the title.
    const QRectF area(0, 0, 20, 10);
    const QSizeF page = pageSizeMm(area, 500);
    EXPECT_DOUBLE_EQ(page.width(), 60.0);
    EXPECT_DOUBLE_EQ(page.height(), 40.0 + kTitleBandMm);

    // At 10 dots per millimetre the shared edge (east 10) is 20 mm into the
    // map, which starts 10 mm in: column 300.
    QImage image(static_cast<int>(page.width() * 10), static_cast<int>(page.height() * 10),
                 QImage::Format_RGB32);
    QPainter painter(&image);
    renderPaper(painter, 10.0, {500, area, QStringLiteral("T")}, {{&m_scene, nullptr}}, Layers{});
    painter.end();
    const int row = static_cast<int>((kPaperMarginMm + kTitleBandMm + 10) * 10); // north 5
    EXPECT_EQ(image.pixel(300, row), kOutlineColour.rgb());
    EXPECT_EQ(image.pixel(280, row), kPaperColour.rgb());
}

} // namespace
} // namespace ft::viewer
