#pragma once

#include <array>
#include <string_view>

namespace ft::catalogue {

class TSQLiteDatabase;

// The CREATE TABLE statements of a catalogue, in the order they are run.
extern const std::array<std::string_view, 7> kCreateTableStatements;
// The DELETE statements that empty a catalogue, in the order they are run.
extern const std::array<std::string_view, 7> kDeleteAllStatements;

// Creates the seven tables when the catalogue lacks CHIBAN; a catalogue that
// has CHIBAN is taken as complete and left alone.
void CreateSchemaIfMissing(TSQLiteDatabase& db);

// Empties every table in one transaction: a failure midway leaves the
// catalogue as it was.
void DeleteAllRows(TSQLiteDatabase& db);

} // namespace ft::catalogue
