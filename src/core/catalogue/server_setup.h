#pragma once

#include <string>
#include <vector>

namespace ft::catalogue {

// The statements that make a datum's schema on a catalogue server (tables,
// functions), for an administrator to run where the desks' role may not.
// Throws CatalogueError in a build without server support.
std::vector<std::string> ServerSetupStatements(const std::string& schema);

} // namespace ft::catalogue
