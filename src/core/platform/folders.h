#pragma once

#include <filesystem>

namespace ft::platform {

// The machine-wide data folder: catalogues, overview working files and the
// trace logs. $XDG_DATA_HOME/findTavla, default ~/.local/share/findTavla;
// on Windows the common application-data folder's findTavla
// (%ProgramData%\findTavla). Created when missing.
std::filesystem::path dataFolder();

// The per-user settings folder: FindTavla.ini and the viewer request file.
// $XDG_CONFIG_HOME/findTavla, default ~/.config/findTavla; on Windows the
// user's application-data folder's findTavla (%APPDATA%\findTavla).
// Created when missing.
std::filesystem::path settingsFolder();

} // namespace ft::platform
