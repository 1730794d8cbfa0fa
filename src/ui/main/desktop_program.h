#pragma once

#include <QApplication>

namespace ft::app {

// Runs the desktop program: builds the main window (which opens the
// catalogues), shows it and runs the event loop until it closes. A start-up
// that fails is reported and ends the program with exit code 1.
int runDesktopProgram(QApplication& application);

} // namespace ft::app
