// Paper of a chosen size: how a drawing larger than a sheet is cut into
// overlapping numbered sheets, and the PDF that holds them after a key sheet.
#include "viewer/paper_sheets.h"

#include "devtools/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace ft::viewer {
namespace {

// A4 landscape: a map frame of 277 x 178 mm (297 x 210 less the margins and
// the title band); at 1:1000 one sheet shows 277 x 178 m, neighbours share
// 15 m.
const Paper kA4Landscape;
constexpr double kScale = 1000.0;

TEST(PaperSheets, AnAreaThatFitsGetsOneSheetCentredOnIt)
{
    const QRectF area(100, 200, 270, 160);
    const SheetPlan plan = planSheets(area, kScale, kA4Landscape);
    ASSERT_EQ(plan.tiles.size(), 1u);
    EXPECT_NEAR(plan.tiles[0].mapArea.width(), 277.0, 1e-6);
    EXPECT_NEAR(plan.tiles[0].mapArea.height(), 178.0, 1e-6);
    EXPECT_NEAR(plan.tiles[0].mapArea.center().x(), area.center().x(), 1e-6);
    EXPECT_NEAR(plan.tiles[0].mapArea.center().y(), area.center().y(), 1e-6);
}

struct TilingCase {
    const char* name;
    QSizeF area; // metres
    Paper paper;
    int columns;
    int rows;
};

class Tiling : public ::testing::TestWithParam<TilingCase> {};

TEST_P(Tiling, SheetsCoverTheAreaOverlappingTheirNeighbours)
{
    const TilingCase& c = GetParam();
    const QRectF area(QPointF(-5000, 3000), c.area);
    const SheetPlan plan = planSheets(area, kScale, c.paper);
    EXPECT_EQ(plan.columns, c.columns);
    EXPECT_EQ(plan.rows, c.rows);
    ASSERT_EQ(plan.tiles.size(), static_cast<std::size_t>(c.columns * c.rows));
    EXPECT_TRUE(plan.covered.contains(area));
    const double overlap = kOverlapMm * kScale / 1000.0;
    for (const SheetTile& tile : plan.tiles) {
        // Numbered row by row from the top left (north-west).
        EXPECT_EQ(tile.number, tile.row * c.columns + tile.column + 1);
        if (const SheetTile* east = plan.at(tile.row, tile.column + 1)) {
            EXPECT_NEAR(tile.mapArea.right() - east->mapArea.left(), overlap, 1e-6);
            EXPECT_NEAR(east->mapArea.y(), tile.mapArea.y(), 1e-6);
        }
        if (const SheetTile* south = plan.at(tile.row + 1, tile.column)) {
            EXPECT_NEAR(south->mapArea.bottom() - tile.mapArea.top(), overlap, 1e-6);
        }
    }
    EXPECT_EQ(plan.at(c.rows, 0), nullptr);
    EXPECT_EQ(plan.at(0, -1), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Viewer, Tiling,
    ::testing::Values(
        // 373 x 400 mm at 1:1000 on A4 landscape: 2 x 3 sheets.
        TilingCase{"A4Landscape", {373, 400}, kA4Landscape, 2, 3},
        // Exactly one sheet wide: still one column.
        TilingCase{"ExactlyOneSheetWide", {277, 400}, kA4Landscape, 1, 3},
        TilingCase{"OneMillimetreWider", {278, 100}, kA4Landscape, 2, 1},
        TilingCase{"A3Portrait", {600, 600}, Paper{QPageSize::A3, QPageLayout::Portrait}, 3, 2}),
    [](const auto& info) { return info.param.name; });

int pdfPages(const std::filesystem::path& file)
{
    QFile pdf(QString::fromStdString(file.string()));
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = pdf.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n")) +
           static_cast<int>(bytes.count("/Type /Page\r")) +
           static_cast<int>(bytes.count("/Type /Page ")) +
           static_cast<int>(bytes.count("/Type /Page/"));
}

TEST(PaperSheets, ThePdfHoldsTheKeyThenEverySheetAndRefusesTooMany)
{
    test::TempFolder folder;
    const std::filesystem::path several = folder / "several.pdf";
    const PaperJob job{kScale, QRectF(0, 0, 373, 400), kA4Landscape, QStringLiteral("T")};
    ASSERT_FALSE(exportPdfSheets(several, job, {}, Layers{}).has_value());
    EXPECT_EQ(pdfPages(several), 1 + 6);

    const std::filesystem::path one = folder / "one.pdf";
    ASSERT_FALSE(
        exportPdfSheets(one, {kScale, QRectF(0, 0, 100, 100), kA4Landscape, {}}, {}, Layers{})
            .has_value());
    EXPECT_EQ(pdfPages(one), 1);

    const PaperJob huge{kScale, QRectF(0, 0, 20000, 20000), kA4Landscape, {}};
    EXPECT_TRUE(exportPdfSheets(folder / "huge.pdf", huge, {}, Layers{}).has_value());
    EXPECT_FALSE(std::filesystem::exists(folder / "huge.pdf"));
}

} // namespace
} // namespace ft::viewer
