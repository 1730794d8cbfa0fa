// Tavla: the drawing viewer findTavla hands its request file to.

#include "ui/widgets/system_button.h"
#include "viewer/command_line.h"
#include "viewer/viewer_window.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    const std::vector<std::string> raw(argv + 1, argv + argc);
    // Help needs no window system, so it is answered before one is opened.
    if (ft::viewer::asksForHelp(raw)) {
        std::fputs(ft::viewer::helpText(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavla"));
    QFont font = ft::widgets::japaneseUiFont();
    font.setPointSize(10);
    QApplication::setFont(font);

    // Qt has taken its own options (-platform ...) out of these.
    std::vector<std::string> arguments;
    const QStringList given = QApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i)
        arguments.push_back(QFile::encodeName(given[i]).toStdString());
    const ft::viewer::CommandLine line = ft::viewer::parseCommandLine(arguments);
    if (!line.error.empty()) {
        std::fprintf(stderr, "Tavla: %s\n(Tavla --help tells the usage)\n", line.error.c_str());
        return 2;
    }

    ft::viewer::ViewerWindow window;
    window.show();
    if (line.requestFile)
        window.openRequest(*line.requestFile);
    if (!line.headers.empty())
        window.openHeaders(line.headers);
    return application.exec();
}
