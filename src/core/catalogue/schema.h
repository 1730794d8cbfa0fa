#pragma once

#include <array>
#include <string_view>

namespace ft::catalogue {

class TSQLiteDatabase;

// The CREATE TABLE statements of a catalogue, in the order they are run.
extern const std::array<std::string_view, 7> kCreateTableStatements;
// The DELETE statements that empty a catalogue, in the order they are run.
extern const std::array<std::string_view, 7> kDeleteAllStatements;

// The index that gives the parcel list its order (its order clause ends in
// rowid, which every index entry carries last), so that listing every parcel
// reads the index instead of sorting the table.
extern const std::string_view kParcelOrderIndexStatement;

// Creates the seven tables when the catalogue lacks CHIBAN; a catalogue that
// has CHIBAN is taken as complete and left alone.
void CreateSchemaIfMissing(TSQLiteDatabase& db);

// Creates the parcel order index when the catalogue lacks it. Building it
// over a large CHIBAN takes a while and writes the catalogue, so only a
// registration run does it, holding the data folder; catalogues without it
// give the same lists, sorted on each search.
void CreateOrderIndexIfMissing(TSQLiteDatabase& db);

// Empties every table in one transaction: a failure midway leaves the
// catalogue as it was.
void DeleteAllRows(TSQLiteDatabase& db);

} // namespace ft::catalogue
