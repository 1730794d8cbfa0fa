#pragma once

#include "core/workspace/datum.h"

#include <filesystem>
#include <optional>
#include <string>

namespace ft::workspace {

// FindTavla.ini: a CP932 INI file. Section "測地系", key "T" holds the
// current datum; section "TfindTavlaF" holds the main window's placement;
// section "trace", key "enabled" switches the trace logs; section
// "catalogue", key "server" names a catalogue server.
//
// Writes go through a temporary file that replaces the old one only when
// complete, so a failed write leaves the file as it was. No room for the new
// file throws platform::DiskFull naming the settings file; other failures
// throw std::filesystem::filesystem_error.

// The saved datum: the Japanese datum when the file says 1, otherwise the
// world datum (also when the file, section or key is missing).
Datum readSavedDatum(const std::filesystem::path& settingsFile);
// Whether the trace logs are written: key "enabled" of section "trace", 0
// turns them off; on when the file, section or key is missing or holds
// anything else.
bool readTraceEnabled(const std::filesystem::path& settingsFile);
// The catalogue server: key "server" of section "catalogue", a libpq
// connection string or URI; empty (also when the file, section or key is
// missing) means the catalogue files of the data folder. A password is never
// kept here: libpq's password and service files hold it.
std::string readCatalogueServer(const std::filesystem::path& settingsFile);
// Writes the datum's code, keeping every other section and key of the file.
void writeSavedDatum(const std::filesystem::path& settingsFile, Datum datum);

// The window-placement keys "PlaceFlags" ... "PlaceNormalPos.Bottom".
struct WindowPlacement {
    unsigned flags = 0;
    unsigned showCmd = 0;
    int minX = 0, minY = 0;
    int maxX = 0, maxY = 0;
    int normalLeft = 0, normalTop = 0, normalRight = 0, normalBottom = 0;
};

// Reads the placement keys of the section, each defaulting to the field of
// `current`; negative flags or show command are not taken.
WindowPlacement readPlacement(const std::filesystem::path& settingsFile, const char* section,
                              const WindowPlacement& current);
// Writes the ten keys, keeping the rest of the file.
void writePlacement(const std::filesystem::path& settingsFile, const char* section,
                    const WindowPlacement& placement);

} // namespace ft::workspace
