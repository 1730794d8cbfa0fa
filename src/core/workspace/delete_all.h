#pragma once

#include <string>

namespace ft::workspace {

class Workspace;

// Empties the current datum's catalogue in one transaction, then removes that
// datum's three overview working files (missing ones are passed over). The
// other datum's catalogue and working files stay: its drawings are still
// registered. A working file that cannot be removed throws
// std::filesystem::filesystem_error after the rows are gone and the other files removed.
void deleteAllRegistrations(Workspace& workspace);

// The number of drawings registered in the current catalogue as text, empty
// when there are none (the text of the main window's drawing count label).
std::string registeredDrawingCountText(Workspace& workspace);

} // namespace ft::workspace
