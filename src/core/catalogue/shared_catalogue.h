#pragma once

// What a catalogue shared by several desks (a catalogue server) needs beyond
// the statements every catalogue runs: the drawings' overview lines, which
// each desk copies into its own working files; one registration at a time
// across the desks; and a role that may not write being told so before
// anything is written. On a catalogue only this desk uses (the data
// folder's files) each of these does nothing.

#include "core/catalogue/catalogue_database.h"

#include <map>
#include <string>
#include <vector>

namespace ft::catalogue {

// True when other desks use the catalogue too.
bool IsShared(CatalogueDatabase& db);

// The overview working-file lines of one drawing as a registration wrote
// them (CP932 bytes without their line ends), in the order written.
struct DrawingLines {
    std::vector<std::string> sheetOutlines;
    std::vector<std::string> segments;
};

// Stores the drawing's lines in the caller's open transaction, in place of
// any it held; nothing on a catalogue that is not shared.
void StoreDrawingLines(CatalogueDatabase& db, int fileNo, const DrawingLines& lines);

// Deletes the lines of these drawings, or of every drawing, in the caller's
// transaction when one is open.
void DeleteDrawingLines(CatalogueDatabase& db, const std::vector<int>& fileNos);
void DeleteAllDrawingLines(CatalogueDatabase& db);

// The lines of these drawings; a drawing without lines has no entry.
std::map<int, DrawingLines> ReadDrawingLines(CatalogueDatabase& db,
                                             const std::vector<int>& fileNos);

// Refuses (CatalogueError, the role's message) a role that may not insert,
// update and delete in every table of the catalogue, or a connection that
// may only read. Nothing on a catalogue that is not shared: the embedded
// engine reports a file it may not write when it writes.
void RequireWriteAccess(CatalogueDatabase& db);

// Another desk holds the registration lock of the shared catalogue.
class RegistrationElsewhere : public CatalogueError {
public:
    using CatalogueError::CatalogueError;
};

// One registration or delete-all at a time across every desk of a shared
// catalogue: held from construction to destruction on the catalogue's
// connection (it goes with the connection when the desk dies). Taking it
// never waits: a second desk is refused at once with RegistrationElsewhere,
// whose message names the desk (its host name) that holds it. Searches never
// take it. On a catalogue that is not shared it holds nothing.
class SharedRegistrationLock {
public:
    explicit SharedRegistrationLock(CatalogueDatabase& db);
    ~SharedRegistrationLock();
    SharedRegistrationLock(const SharedRegistrationLock&) = delete;
    SharedRegistrationLock& operator=(const SharedRegistrationLock&) = delete;

private:
    CatalogueDatabase* m_held = nullptr;
};

} // namespace ft::catalogue
