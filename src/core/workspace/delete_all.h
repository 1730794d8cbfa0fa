#pragma once

#include "core/workspace/datum.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ft::workspace {

class Workspace;

// What delete-all removed.
struct DeletedRegistrations {
    Datum datum = Datum::World;
    // Rows deleted from each table, in the order of catalogue::kTableNames
    // (FILE, the second, counts the drawings).
    std::array<std::int64_t, 7> rows{};
    std::vector<std::filesystem::path> removedFiles;

    std::int64_t drawings() const { return rows[1]; }
};

// Empties the current datum's catalogue in one transaction, then removes that
// datum's three overview working files (missing ones are passed over). The
// other datum's catalogue and working files stay: its drawings are still
// registered. A working file that cannot be removed throws
// std::filesystem::filesystem_error after the rows are gone and the other files removed.
DeletedRegistrations deleteAllRegistrations(Workspace& workspace);

// The number of drawings registered in the current catalogue as text, empty
// when there are none (the text of the main window's drawing count label).
std::string registeredDrawingCountText(Workspace& workspace);

// The number of drawings registered in the current catalogue.
std::int64_t registeredDrawingCount(Workspace& workspace);

} // namespace ft::workspace
