#pragma once

// Placeholder declarations until the implementation lands on this branch;
// the delete-all command and the count shown in Label6.

#include <string>

namespace ft::app {

class AppState;

void deleteAllRegistrations(AppState& state);
std::string registeredDrawingCountText(AppState& state);

} // namespace ft::app
