#pragma once

#include <QStringList>

#include <string>

namespace ft::app {

// What findTavla's command line asks before any window is opened.
struct DesktopCommandLine {
    enum class Answer { OpenWindow, Help, Version };
    Answer answer = Answer::OpenWindow;
    std::string text; // the help or the version line
};

// Reads the command line (program name first). --help and --version are
// answered without a window system; the options Qt takes for itself
// (-platform, -style, ...) are left to the application.
DesktopCommandLine readDesktopCommandLine(const QStringList& arguments);

} // namespace ft::app
