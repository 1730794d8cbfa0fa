#pragma once

#include <string>

namespace ft::app {

class AppState;

// Empties the current datum's catalogue in one transaction, then removes that
// datum's three overview working files (missing ones are passed over) and
// clears the drawings-present flag. The other datum's catalogue and working
// files stay: its drawings are still registered.
void deleteAllRegistrations(AppState& state);

// The number of drawings registered in the current catalogue as text, empty
// when there are none (the text of the main window's drawing count label).
std::string registeredDrawingCountText(AppState& state);

} // namespace ft::app
