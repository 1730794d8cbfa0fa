#include "core/overview/overview_drawing.h"

#include "core/formats/converter_support.h"
#include "core/formats/working_files.h"
#include "core/overview/overview_window.h"
#include "core/overview/segment_store.h"
#include "core/workspace/workspace.h"
#include "devtools/temp_folder.h"
#include "overview_files.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>

namespace ft::overview {
using workspace::Datum;
using workspace::kDatums;
using workspace::WorkingFileKind;
namespace {

using test::segmentLine;
using test::sheetLine;
using test::TempFolder;
using test::writeLines;

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kBlack = qRgb(0, 0, 0);

// The example window: extent 0..1000 across, 0..500 up, in 601 x 601 pixels,
// so left -100, top 850, 1200 units each way. Survey (0, 0) is pixel
// (50, 426), (1000, 500) is (551, 175) and (500, 250) is (300, 300).
const formats::Extent kExampleExtent{0, 0, 1000, 500};

// A 601-pixel canvas like the main window's, white to begin with.
class OverviewCanvas : public testing::Test {
protected:
    OverviewCanvas() : image(601, 601, QImage::Format_RGB32)
    {
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(kWhite);
        view.clientWidth = view.pixelWidth = 601;
        view.clientHeight = view.pixelHeight = 601;
        files = {folder / "findTavla.he1", folder / "findTavla.zu1", folder / "findTavla.az1"};
    }

    bool draw(const formats::Extent& extent = kExampleExtent)
    {
        QPainter canvas(&image);
        return drawOverviewOf(canvas, view, extent, files, ShownDrawings{});
    }

    QRgb at(int x, int y) const { return image.pixel(x, y); }

    // Pixels of a colour within a rectangle (clipped to the image).
    int count(QRgb colour, QRect area = QRect(0, 0, 601, 601)) const
    {
        area &= image.rect();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixel(x, y) == colour ? 1 : 0;
        return n;
    }

    // The smallest rectangle holding every pixel of the colour.
    QRect boundsOf(QRgb colour, QRect area) const
    {
        QRect bounds;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixel(x, y) == colour)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }

    TempFolder folder;
    QImage image;
    OverviewView view;
    OverviewFiles files;
};

TEST_F(OverviewCanvas, ClearPaintsTheWholeImageWhite)
{
    image.fill(qRgb(10, 20, 30));
    {
        QPainter canvas(&image);
        // A half-transparent pen must not tint the background.
        canvas.setPen(QColor(255, 0, 0, 128));
        ClearOverview(canvas, 601, 601);
    }
    EXPECT_EQ(count(kWhite), 601 * 601);
}

TEST_F(OverviewCanvas, SheetIsAOnePixelGreenRectangleAtTheTransformedCorners)
{
    writeLines(files.sheetOutlines, {sheetLine("S1", 0, 0, 1000, 500, 1)});
    ASSERT_TRUE(draw());

    for (const auto& [x, y] : {std::pair{50, 426}, {551, 175}, {50, 175}, {551, 426}})
        EXPECT_EQ(at(x, y), kGreen) << x << ", " << y;
    // Edges one pixel wide, nothing filled.
    EXPECT_EQ(at(50, 250), kGreen);
    EXPECT_EQ(at(49, 250), kWhite);
    EXPECT_EQ(at(51, 250), kWhite);
    EXPECT_EQ(at(300, 175), kGreen);
    EXPECT_EQ(at(300, 174), kWhite);
    EXPECT_EQ(at(300, 176), kWhite);
    EXPECT_EQ(at(300, 426), kGreen);
    EXPECT_EQ(at(551, 350), kGreen);
    EXPECT_EQ(at(150, 250), kWhite);
    // Nothing outside the rectangle.
    EXPECT_EQ(count(kGreen, QRect(0, 0, 601, 175)), 0);
    EXPECT_EQ(count(kGreen, QRect(0, 427, 601, 174)), 0);
    EXPECT_EQ(count(kGreen, QRect(0, 0, 50, 601)), 0);
    EXPECT_EQ(count(kGreen, QRect(552, 0, 49, 601)), 0);
}

TEST_F(OverviewCanvas, LabelIsGreenCentredAndHangsBelowTheCentreLine)
{
    writeLines(files.sheetOutlines, {sheetLine("LABEL-12", 0, 0, 1000, 500, 1)});
    ASSERT_TRUE(draw());

    // Centre pixel (300, 300). The inside of the rectangle holds the label
    // and nothing else, in the one green: no background, no blended edges.
    const QRect inside(51, 176, 500, 250);
    const QRect ink = boundsOf(kGreen, inside);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_EQ(count(kGreen, inside) + count(kWhite, inside), inside.width() * inside.height());
    EXPECT_GE(ink.top(), 300);
    EXPECT_LE(ink.bottom(), 300 + 14);

    // Left edge at the centre less half the advance (truncated).
    QFont font;
    font.setPointSize(kSheetLabelPointSize);
    const int advance = QFontMetrics(font, &image).horizontalAdvance(QStringLiteral("LABEL-12"));
    EXPECT_GE(ink.left(), 300 - advance / 2);
    EXPECT_LE(ink.right(), 300 - advance / 2 + advance);
    EXPECT_NEAR((ink.left() + ink.right()) / 2.0, 300, 3);
}

TEST_F(OverviewCanvas, SheetsWithoutADrawingNumberAreLeftOut)
{
    std::string noNumber = sheetLine("S3", 100, 100, 200, 200, 1);
    noNumber.erase(noNumber.rfind("1,"));
    writeLines(files.sheetOutlines,
               {sheetLine("S1", 0, 0, 1000, 500, 0), sheetLine("S2", 0, 0, 1000, 500, -3), noNumber,
                sheetLine("S4", 0, 0, 1000, 500, 1 - 1)});
    ASSERT_TRUE(draw());
    EXPECT_EQ(count(kGreen), 0);
}

TEST_F(OverviewCanvas, SegmentIsTwoPixelsWideBlackAndLiesOverTheSheets)
{
    // Written first in neither file order nor layer order: sheets still go
    // under segments.
    writeLines(files.segments, {segmentLine(-50, 250, 1050, 250, 2),  // row 300
                                segmentLine(800, 100, 800, 400, 2)}); // column 451
    writeLines(files.sheetOutlines, {sheetLine("S1", 0, 0, 1000, 500, 1)});
    ASSERT_TRUE(draw());

    int blackInColumn = 0;
    for (int y = 0; y < 601; ++y)
        blackInColumn += at(200, y) == kBlack ? 1 : 0;
    EXPECT_EQ(blackInColumn, 2);
    EXPECT_TRUE(at(200, 300) == kBlack || at(200, 299) == kBlack);
    int blackInRow = 0;
    for (int x = 0; x < 601; ++x)
        blackInRow += at(x, 250) == kBlack ? 1 : 0;
    EXPECT_EQ(blackInRow, 2);
    // Where the segment crosses the sheet's left edge, black covers green.
    EXPECT_TRUE(at(50, 300) == kBlack || at(50, 299) == kBlack);
    EXPECT_EQ(at(50, 296), kGreen);
}

TEST_F(OverviewCanvas, SegmentsWithoutADrawingNumberAreLeftOut)
{
    writeLines(files.segments, {segmentLine(0, 0, 1000, 500, 0), segmentLine(0, 500, 1000, 0, -1)});
    ASSERT_TRUE(draw());
    EXPECT_EQ(count(kBlack), 0);
}

// Lines of drawings not shown (no FILE row yet) are left out, whether the
// segments come from the file or from memory, where one drawing's segments
// may come in several runs.
TEST_F(OverviewCanvas, LinesOfDrawingsNotShownAreLeftOut)
{
    writeLines(files.segments, {segmentLine(-50, 250, 1050, 250, 1),   // row 300
                                segmentLine(800, 100, 800, 400, 2),    // column 451
                                segmentLine(-50, 400, 1050, 400, 1)}); // row 226
    writeLines(files.sheetOutlines,
               {sheetLine("S1", 0, 0, 1000, 500, 1), sheetLine("S2", 100, 100, 200, 200, 2)});
    const std::optional<SegmentStore> store = SegmentStore::load(files.segments);
    ASSERT_TRUE(store.has_value());
    const auto blackInColumn = [&](int x) {
        int n = 0;
        for (int y = 0; y < 601; ++y)
            n += at(x, y) == kBlack ? 1 : 0;
        return n;
    };
    for (const SegmentStore* segments : {static_cast<const SegmentStore*>(nullptr), &*store}) {
        image.fill(kWhite);
        ASSERT_TRUE(fitWindow(view, kExampleExtent));
        QPainter canvas(&image);
        drawOverviewWindow(canvas, view, files, ShownDrawings{std::set<int>{1, 3}}, segments);
        canvas.end();
        EXPECT_EQ(blackInColumn(451), 4);
        EXPECT_EQ(blackInColumn(200), 4);
        EXPECT_EQ(at(100, 350), kWhite); // S2's left edge
        EXPECT_EQ(at(50, 350), kGreen);
    }
}

TEST_F(OverviewCanvas, AMissingFileLeavesOutItsLayerOnly)
{
    writeLines(files.segments, {segmentLine(-50, 250, 1050, 250, 2)});
    ASSERT_TRUE(draw());
    EXPECT_EQ(count(kGreen), 0);
    EXPECT_GT(count(kBlack), 0);

    image.fill(kWhite);
    std::filesystem::remove(files.segments);
    writeLines(files.sheetOutlines, {sheetLine("S1", 0, 0, 1000, 500, 1)});
    ASSERT_TRUE(draw());
    EXPECT_GT(count(kGreen), 0);
    EXPECT_EQ(count(kBlack), 0);
}

TEST_F(OverviewCanvas, BadNumberEndsTheDrawAtItsLineAndKeepsWhatWasDrawn)
{
    std::string bad = sheetLine("S2", 0, 0, 1000, 500, 1);
    bad.replace(bad.find("0.000"), 5, "1O0.5"); // a letter O among the digits
    writeLines(files.sheetOutlines,
               {sheetLine("S1", 0, 0, 1000, 500, 1), bad, sheetLine("S3", 0, 0, 200, 200, 1)});
    writeLines(files.segments, {segmentLine(-50, 250, 1050, 250, 2)});
    try {
        draw();
        FAIL() << "a bad coordinate was drawn";
    } catch (const formats::SourceFileError& error) {
        EXPECT_EQ(error.file(), files.sheetOutlines);
        EXPECT_NE(std::string(error.what()).find("record 2"), std::string::npos) << error.what();
    }
    EXPECT_EQ(at(50, 426), kGreen);       // the first sheet stays
    EXPECT_EQ(at(50 + 100, 426), kGreen); // its bottom edge
    EXPECT_EQ(count(kBlack), 0);          // segments never came
    // The third sheet (top right corner at pixel (150, 326)) was not drawn.
    EXPECT_EQ(at(150, 350), kWhite);
}

TEST_F(OverviewCanvas, ASinglePointExtentIsDrawnAroundItsCentre)
{
    // One unit high and wide, plus margins: 1.2 units across 601 pixels.
    writeLines(files.sheetOutlines, {sheetLine("", 249.5, 749.5, 250.5, 750.5, 1)});
    writeLines(files.segments, {segmentLine(249.9, 750, 250.1, 750, 1)});
    ASSERT_TRUE(draw({250, 750, 250, 750}));
    EXPECT_EQ(at(50, 426), kGreen);
    EXPECT_EQ(at(551, 175), kGreen);
    EXPECT_TRUE(at(300, 300) == kBlack || at(300, 299) == kBlack);
    EXPECT_EQ(at(200, 300), kWhite);
}

TEST_F(OverviewCanvas, AnEmptyExtentDrawsNothingAndKeepsTheWindow)
{
    writeLines(files.sheetOutlines, {sheetLine("S1", 0, 0, 1000, 500, 1)});
    writeLines(files.segments, {segmentLine(0, 0, 1000, 500, 1)});
    view.left = 7;
    EXPECT_FALSE(draw(formats::Extent{}));
    EXPECT_EQ(count(kWhite), 601 * 601);
    EXPECT_EQ(view.left, 7);
}

TEST_F(OverviewCanvas, CoordinatesFarOutsideTheWindowStillDrawTheirVisiblePart)
{
    // Far beyond any int pixel: the part crossing the image must still show
    // where it belongs.
    writeLines(files.segments,
               {segmentLine(-1e12, 250, 1e12, 250, 1), segmentLine(500, -1e15, 500, 1e15, 1)});
    writeLines(files.sheetOutlines, {sheetLine("HUGE", -1e13, -1e13, 1e13, 1e13, 1)});
    ASSERT_TRUE(draw());
    EXPECT_TRUE(at(100, 300) == kBlack || at(100, 299) == kBlack);
    EXPECT_TRUE(at(300, 100) == kBlack || at(299, 100) == kBlack);
    // The giant sheet's edges lie far off the image; only its label shows,
    // hanging below its centre, survey (0, 0) at pixel (50, 426).
    const QRect label = boundsOf(kGreen, image.rect());
    ASSERT_FALSE(label.isEmpty());
    EXPECT_GE(label.top(), 426);
    EXPECT_NEAR((label.left() + label.right()) / 2.0, 50, 3);
}

// Segments are drawn through a mask rather than the painter's wide pen: the
// picture may differ from the pen's only by a pixel at a line's side or end
// (square where the pen is round). Lines of every direction and length, some
// of them reaching beyond the image, drawn both ways.
TEST_F(OverviewCanvas, SegmentsStayWithinAPixelOfThePaintersWidePen)
{
    std::vector<std::string> lines;
    QImage pen(601, 601, QImage::Format_RGB32);
    pen.fill(kWhite);
    QPainter reference(&pen);
    reference.setPen(QPen(QColor(kBlack), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    ASSERT_TRUE(fitWindow(view, kExampleExtent));
    std::uint32_t seed = 12345;
    const auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
    };
    for (int i = 0; i < 400; ++i) {
        const double x1 = -150 + next(1300);
        const double y1 = -400 + next(1300);
        const double length = i % 4 == 0 ? next(400) : next(12);
        const double angle = next(3600) * 3.14159265358979 / 1800;
        const double x2 = x1 + length * std::cos(angle);
        const double y2 = y1 + length * std::sin(angle);
        lines.push_back(segmentLine(x1, y1, x2, y2, 1));
        const PixelPoint a = toPixel(view, {x1, y1});
        const PixelPoint b = toPixel(view, {x2, y2});
        reference.drawLine(QPoint(static_cast<int>(a.x), static_cast<int>(a.y)),
                           QPoint(static_cast<int>(b.x), static_cast<int>(b.y)));
    }
    reference.end();
    writeLines(files.segments, lines);
    ASSERT_TRUE(draw());

    const auto blackNear = [](const QImage& picture, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (QRect(0, 0, 601, 601).contains(x + dx, y + dy) &&
                    picture.pixel(x + dx, y + dy) == kBlack)
                    return true;
        return false;
    };
    int differing = 0;
    for (int y = 0; y < 601; ++y) {
        for (int x = 0; x < 601; ++x) {
            const bool drawn = at(x, y) == kBlack;
            if (drawn == (pen.pixel(x, y) == kBlack))
                continue;
            ++differing;
            EXPECT_TRUE(drawn ? blackNear(pen, x, y) : blackNear(image, x, y)) << x << ", " << y;
        }
    }
    // Most pixels agree exactly.
    EXPECT_LT(differing, count(kBlack) / 5);
}

// The program's entry point: the drawings-present flag and the current
// datum choose what is drawn.
class ProgramOverview : public testing::Test {
protected:
    ProgramOverview()
        : state(folder / "data", folder / "settings"), image(601, 601, QImage::Format_RGB32)
    {
        image.fill(kWhite);
        auto& view = overview.view;
        view.clientWidth = view.pixelWidth = 601;
        view.clientHeight = view.pixelHeight = 601;
        for (const Datum datum : kDatums) {
            writeLines(file(workspace::WorkingFileKind::SheetOutlines, datum),
                       {sheetLine("S", 0, 0, datum == Datum::Japanese ? 1000 : 500, 500, 1)});
            formats::writeExtentFile(file(workspace::WorkingFileKind::Extent, datum),
                                     {0, 0, datum == Datum::Japanese ? 1000.0 : 500.0, 500});
        }
    }

    std::filesystem::path file(WorkingFileKind kind, Datum datum) const
    {
        return state.workingFile(kind, datum);
    }

    void draw()
    {
        QPainter canvas(&image);
        DrawOverview(canvas, state, overview, ShownDrawings{});
    }

    TempFolder folder;
    workspace::Workspace state;
    OverviewState overview;
    QImage image;
};

TEST_F(ProgramOverview, NothingIsDrawnWhileNoDrawingsArePresent)
{
    state.setCurrentDatum(Datum::Japanese);
    draw();
    EXPECT_EQ(image.pixel(50, 426), kWhite);
    EXPECT_EQ(overview.view.windowWidth, 0.0);
    EXPECT_TRUE(state.extent(Datum::Japanese).isEmpty());
}

TEST_F(ProgramOverview, DrawsTheCurrentDatumAndKeepsItsExtent)
{
    overview.drawingsPresent = true;
    state.setCurrentDatum(Datum::Japanese);
    draw();
    EXPECT_EQ(image.pixel(551, 175), kGreen);
    EXPECT_EQ(image.pixel(300, 175), kGreen);
    EXPECT_DOUBLE_EQ(overview.view.left, -100);
    EXPECT_DOUBLE_EQ(overview.view.top, 850);
    EXPECT_EQ(state.extent(Datum::Japanese).qxmax, 1000.0);
    EXPECT_TRUE(state.extent(Datum::World).isEmpty());

    image.fill(kWhite);
    state.setCurrentDatum(Datum::World);
    draw();
    // Datum 2's sheet is the tall-window case: 500 x 500 fitted square.
    EXPECT_EQ(image.pixel(300, 175), kWhite);
    EXPECT_EQ(image.pixel(50, 551), kGreen);
    EXPECT_EQ(state.extent(Datum::World).qxmax, 500.0);
}

TEST_F(ProgramOverview, AMissingExtentFileDrawsNothingEvenWithSheets)
{
    overview.drawingsPresent = true;
    state.setCurrentDatum(Datum::Japanese);
    std::filesystem::remove(file(WorkingFileKind::Extent, Datum::Japanese));
    overview.view.left = 42;
    draw();
    EXPECT_EQ(image.pixel(50, 426), kWhite);
    EXPECT_EQ(overview.view.left, 42);
}

TEST_F(ProgramOverview, ABadExtentFileIsReportedBeforeAnythingIsDrawn)
{
    overview.drawingsPresent = true;
    state.setCurrentDatum(Datum::Japanese);
    test::writeBytes(file(WorkingFileKind::Extent, Datum::Japanese), "0.000,0.000,x,500.000,\r\n");
    EXPECT_THROW(draw(), formats::SourceFileError);
    EXPECT_EQ(image.pixel(50, 426), kWhite);
}

} // namespace
} // namespace ft::overview
