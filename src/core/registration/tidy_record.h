#pragma once

// A registration run begins by tidying both catalogues and their working
// files: registrations an update or a datum change left behind, rows of
// drawings that never registered, working-file records of drawings that are
// gone. That reads every row of the catalogues and every line of the segment
// files, a second or more for a million rows, and it finds nothing to do
// unless a run was interrupted or something else wrote the files.
//
// So a run that ends leaves them in step and writes down the state it left
// them in (findTavla.tidy in the data folder): per catalogue a checksum of
// its FILE rows and the last rowid of each table that holds FILENO, per
// working file its size and modification time. The next run that finds
// exactly that state knows nothing was changed since and skips the tidying.
// Anything that changed a catalogue's registrations or rows (a run that was
// interrupted, delete-all, another program) or a working file changes the
// state, and the run tidies as before.

#include "core/registration/registration_stores.h"

#include <filesystem>
#include <string>

namespace ft::registration {

std::filesystem::path TidyRecordPath(const std::filesystem::path& dataFolder);

// The present state of both catalogues and their working files, as the
// record's text.
std::string TidyState(RegistrationStores stores);

// True when the record holds exactly the present state.
bool StillInStep(RegistrationStores stores);

// Records the present state. The record is written beside itself and renamed
// into place, so it is whole or absent. Throws what the working files throw.
void RecordInStep(RegistrationStores stores);

} // namespace ft::registration
