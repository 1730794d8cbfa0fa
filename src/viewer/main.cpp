// Tavla: the drawing viewer findTavla hands its request file to.

#include "core/platform/folders.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "core/platform/program_arguments.h"
#include "core/platform/viewer_process.h"
#include "ui/widgets/desktop_integration.h"
#include "ui/widgets/system_button.h"
#include "viewer/command_line.h"
#include "viewer/viewer_window.h"
#include "viewer/window_placement.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    const std::vector<std::string> raw = ft::platform::programArguments(argc, argv);
    // Help, the version and a broken -E2 need no window system, so they are
    // answered before one is opened.
    if (ft::viewer::asksForHelp(raw)) {
        std::fputs(ft::viewer::helpText(), stdout);
        return 0;
    }
    if (raw.size() == 1 && raw.front() == "--version") {
        std::puts("Tavla " FT_VERSION);
        return 0;
    }
    const auto usageError = [](const std::string& error) {
        std::fprintf(stderr, "Tavla: %s\n(Tavla --help tells the usage)\n", error.c_str());
        return 2;
    };
    const ft::viewer::CommandLine early =
        ft::viewer::parseCommandLine(raw, ft::viewer::OtherOptions::PassBy);
    if (!early.error.empty())
        return usageError(early.error);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavla"));
    QApplication::setApplicationVersion(QStringLiteral(FT_VERSION));
    QApplication::setWindowIcon(ft::widgets::programIcon(QStringLiteral("findtavla")));
    // The file, print and input dialogs speak Japanese like the window.
    ft::widgets::installJapaneseQtTranslation(application);
    ft::platform::loadJapaneseTexts(application);
    QFont font = ft::widgets::japaneseUiFont();
    font.setPointSize(10);
    QApplication::setFont(font);

    // Qt has taken its own options (-platform ...) out of these.
    std::vector<std::string> arguments;
    const QStringList given = QApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i)
        arguments.push_back(ft::platform::pathText(ft::platform::pathFromFileName(given[i])));
    const ft::viewer::CommandLine line = ft::viewer::parseCommandLine(arguments);
    if (!line.error.empty())
        return usageError(line.error);

    ft::viewer::ViewerWindow window;
    window.placeOnScreen(ft::viewer::viewerSettingsFile(ft::platform::settingsFolder()));
    window.show();
    if (line.requestFile)
        window.openRequest(*line.requestFile);
    if (!line.headers.empty())
        window.openHeaders(line.headers);
    // The program that started Tavla waits, minimised, until the window is up
    // (and then leaves it in front). The first turn of the event loop maps
    // the window.
    QTimer::singleShot(0, &window, [] { ft::platform::TellStarterWindowShown(); });
    return application.exec();
}
