// The viewer's tests draw text and build windows: they need a widget
// application, on the offscreen platform. Started as
// `viewer_tests --write-window-place FILE N X`, the program is instead one of
// the separate processes of the settings-file test: it keeps the place
// (X, X, 600, 400) N times and ends. Tavla's Japanese texts are loaded as
// Tavla loads them.
#include "core/platform/operator_message.h"
#include "viewer/window_placement.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--write-window-place") == 0) {
        const int times = std::stoi(argv[3]);
        const int corner = std::stoi(argv[4]);
        for (int i = 0; i < times; ++i)
            ft::viewer::writeWindowPlace(argv[2], {QRect(corner, corner, 600, 400), false});
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The texts the tests read are the ones Tavla shows.
    ft::platform::loadJapaneseTexts(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
