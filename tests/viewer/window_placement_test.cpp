// Where Tavla's window opens, and the settings file two viewers write at once.
#include "viewer/window_placement.h"

#include "devtools/temp_folder.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

namespace ft::viewer {
namespace {

const QMargins kNoFrame;

struct PlacementCase {
    const char* name;
    std::optional<QRect> kept;
    QList<QRect> screens;
    QRect pointerScreen;
    QRect expected;
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, OpensWithinAScreen)
{
    const PlacementCase& c = GetParam();
    EXPECT_EQ(placeWindow(kDefaultWindowSize, c.kept, c.screens, c.pointerScreen, kNoFrame),
              c.expected);
}

const QRect kLaptop(0, 0, 1280, 770); // 1280 x 800 less a 30-pixel panel
const QRect kRightScreen(1280, 0, 1920, 1050);

INSTANTIATE_TEST_SUITE_P(
    Viewer, Placement,
    ::testing::Values(
        // The default 1200 x 800 is cut to the screen and centred on it.
        PlacementCase{"SmallerScreen", std::nullopt, {kLaptop}, kLaptop, QRect(40, 0, 1200, 770)},
        PlacementCase{"LargeScreenUnderThePointer",
                      std::nullopt,
                      {kLaptop, kRightScreen},
                      kRightScreen,
                      QRect(1640, 125, 1200, 800)},
        PlacementCase{"KeptPlaceRestored",
                      QRect(1400, 100, 900, 600),
                      {kLaptop, kRightScreen},
                      kLaptop,
                      QRect(1400, 100, 900, 600)},
        // Its screen is gone: placed as if nothing was kept.
        PlacementCase{"KeptOnAScreenNoLongerThere",
                      QRect(1400, 100, 900, 600),
                      {kLaptop},
                      kLaptop,
                      QRect(40, 0, 1200, 770)},
        // The top is on a screen but the rest runs off: moved and cut to it.
        PlacementCase{"KeptRunningOffItsScreen",
                      QRect(1000, 300, 1200, 800),
                      {kLaptop},
                      kLaptop,
                      QRect(80, 0, 1200, 770)}),
    [](const auto& info) { return info.param.name; });

TEST(WindowPlace, TwoViewersWritingAtOnceLeaveOneWholePlace)
{
    test::TempFolder folder;
    const std::filesystem::path file = viewerSettingsFile(folder.path());
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const int corner : {10, 20}) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(QCoreApplication::applicationFilePath(),
                              {QStringLiteral("--write-window-place"),
                               QString::fromStdString(file.string()), QStringLiteral("40"),
                               QString::number(corner)});
    }
    for (const auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(60000));
        EXPECT_EQ(writer->exitCode(), 0);
    }
    const std::optional<WindowPlace> place = readWindowPlace(file);
    ASSERT_TRUE(place.has_value());
    EXPECT_TRUE(place->geometry == QRect(10, 10, 600, 400) ||
                place->geometry == QRect(20, 20, 600, 400));
    EXPECT_FALSE(readWindowPlace(folder / "none.ini").has_value());
}

} // namespace
} // namespace ft::viewer
