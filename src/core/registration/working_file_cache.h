#pragma once

// On a catalogue shared by several desks, each desk's overview working files
// are a cache of the lines the catalogue keeps per drawing: whichever desk
// registered a drawing, every desk's overview shows it. The cache is brought
// up to date drawing by drawing when the catalogue's change counter differs
// from the one it was last brought up to date with: the lines of drawings
// gone from the catalogue leave the working files, and only the lines of
// drawings the cache lacks are read from the catalogue.
//
// What the cache holds is kept in the state file (findTavla.ca1, .ca2 in the
// data folder): the catalogue it was made from, that counter, and the
// drawings the working files hold whole. A drawing is recorded only after its lines are written,
// so lines of a drawing that is not recorded (an update cut short) are
// removed and read again at the next update.

#include "core/registration/registration_stores.h"

#include <set>

namespace ft::registration {

enum class CacheUpdate {
    NotShared, // the catalogue is this desk's own: the working files are no cache
    UpToDate,  // nothing changed since the last update
    Updated,
    Busy, // another program of this desk is registering; it updates the cache itself
};

// Brings the datum's working files up to date, holding the data folder
// against the other programs of this desk meanwhile (never waiting for
// them). Throws CatalogueError when the catalogue cannot be read and
// std::system_error (or DiskFull) when a working file cannot be written;
// the cache then stays as it was or is brought up to date next time.
CacheUpdate UpdateWorkingFileCache(RegistrationStores stores, workspace::Datum datum);

// The same, for a registration run that holds the data folder already.
CacheUpdate UpdateHeldWorkingFileCache(RegistrationStores stores, workspace::Datum datum);

// Records drawings whose lines this desk's registration wrote into the
// working files itself, so that the next update need not read them again.
void RecordCachedDrawings(RegistrationStores stores, workspace::Datum datum,
                          const std::set<int>& fileNos);

} // namespace ft::registration
