#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ft::catalogue {

class CatalogueDatabase;

// The CREATE TABLE statements of a catalogue, in the order they are run.
extern const std::array<std::string_view, 7> kCreateTableStatements;
// The DELETE statements that empty a catalogue, in the order they are run.
extern const std::array<std::string_view, 7> kDeleteAllStatements;

// The names of the seven tables, in the order of their CREATE TABLE statements.
extern const std::array<std::string_view, 7> kTableNames;

// The index that gives the parcel list its order (its order clause ends in
// rowid, which every index entry carries last), so that listing every parcel
// reads the index instead of sorting the table.
extern const std::string_view kParcelOrderIndexStatement;

// Creates each of the seven tables the catalogue lacks, with its own
// statement, in the order of the statements. Tables that exist are left as
// they are, rows and all: a catalogue missing one table (a tool dropped it, a
// copy went wrong) becomes usable again without losing the others.
void CreateSchemaIfMissing(CatalogueDatabase& db);

// Creates the parcel order index when the catalogue lacks it. Building it
// over a large CHIBAN takes a while and writes the catalogue, so only a
// registration run does it, holding the data folder; catalogues without it
// give the same lists, sorted on each search.
void CreateOrderIndexIfMissing(CatalogueDatabase& db);

// Empties every table in one transaction, raising the change counter with
// it: a failure midway leaves the catalogue as it was. Returns the rows deleted from each table, in
// the order of kTableNames.
std::array<std::int64_t, 7> DeleteAllRows(CatalogueDatabase& db);

} // namespace ft::catalogue
