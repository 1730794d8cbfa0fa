#pragma once

#include <cstdint>

namespace ft::catalogue {

class CatalogueDatabase;

// A number kept in each catalogue that goes up with every change to what is
// registered in it: a set registered, registrations removed, the catalogue
// emptied. Windows that keep row keys or counts of a catalogue remember it
// and read it again before they trust what they remember: another program
// (the command-line tool, a second desk) may have changed the rows since.
//
// It lives in a table of the program's own (FINDTAVLA_CHANGES, one row), so
// the designed tables keep their definitions. These two calls are all that
// the rest of the program knows of it; another catalogue engine keeps it in
// its own way.

// The present count; 0 for a catalogue never changed since it has the table
// (or that cannot take it, being read-only). Throws CatalogueError when
// the catalogue cannot be read.
std::int64_t ReadChangeCounter(CatalogueDatabase& db);

// Raises the count by one, in the caller's open transaction so that it lands
// with the change it counts (made outside one, it is a change of its own).
// Makes the table when the catalogue lacks it.
void RaiseChangeCounter(CatalogueDatabase& db);

} // namespace ft::catalogue
