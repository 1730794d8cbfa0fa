#pragma once

#include "core/workspace/settings_file.h"

#include <QWidget>

#include <filesystem>

namespace ft::app {

// The placement of a top-level window as the placement keys record it: the
// normal position as the outer rectangle (right and bottom exclusive), shown
// normally or minimised; no separate minimised or maximised positions (-1).
workspace::WindowPlacement currentPlacement(const QWidget& window);

// Moves the window to the left and top stored under `section`; the other
// keys are read but not applied. A position from which no part of the window's
// title area would lie on any screen (the screens changed since it was saved)
// is not taken: the window stays where it is.
void restoreWindowPlacement(QWidget& window, const std::filesystem::path& settingsFile,
                            const char* section);

// Stores the window's placement under `section`, so the next start reopens
// it where it was left.
void saveWindowPlacement(const QWidget& window, const std::filesystem::path& settingsFile,
                         const char* section);

} // namespace ft::app
