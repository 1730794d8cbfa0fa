#pragma once

// The registration driver: turns chosen data sets into catalogue rows and
// overview working files.
//
// Every run (one call of RegisterTargets or RegisterEntries) works like this:
//  - It starts by tidying both catalogues: FILE rows left behind by an
//    interrupted update or datum change (an older registration of the same
//    path, in either catalogue) are dropped with their rows, rows whose
//    FILENO has no FILE row are deleted, and working-file records without a
//    FILE row in their datum's catalogue are removed. The running extents
//    start from the sheet outlines that remain.
//  - New FILENOs lie above every FILENO found in any table.
//  - A data set is registered already when its catalogue holds a FILE row
//    with its exact path and a time not earlier than its own. An older time
//    is an update: the set registers anew, and only once that succeeded is
//    its old registration (rows in every table, working-file records, also a
//    registration in the other datum's catalogue) removed.
//  - A set appears in its catalogue whole or not at all: its MAP rows, the
//    rows of its chain, its FILE row, the removal of its older registration
//    and the raised change counter land in one transaction. A set whose
//    chain fails (a converter answers false, a number or text that cannot
//    be converted, a source file that cannot be read) leaves nothing behind
//    and the run goes on with the next set.
//  - Working-file records are written before their set's FILE row; the
//    overview leaves out records whose drawing has no FILE row, and the run
//    removes those of sets that did not register.
//  - Working files are appended to; at the end each extent file holds the
//    bounding box of the sheet outlines left in its sheet-outline file.
//  - Each set goes into the catalogue and working files of its own datum;
//    the run is one busy span of the progress channel.
//  - A catalogue that cannot be opened or read (not a database, a folder in
//    its place, emptied) is left untouched with the working files of its
//    datum: its sets fail with the catalogue's failure as their reason, and
//    the other datum's sets register as usual.
// Catalogue failures outside the converters end the run with their
// exception, after a best-effort clean-up of the sets still in progress.

#include "core/registration/exclusive_run.h"
#include "core/registration/registration_stores.h"
#include "core/registration/target_list.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ft::platform {
class Progress;
}

namespace ft::registration {

// A data set that could not be registered, and why (UTF-8).
struct FailedSet {
    std::filesystem::path headerPath;
    std::string reason;
};

struct RegistrationResult {
    int registered = 0;        // sets whose FILE row was stored
    int alreadyRegistered = 0; // sets skipped because they are registered
    std::vector<FailedSet> failed;
    // The progress channel asked the run to stop before every set was done.
    bool stopped = false;
};

// Registers every checked entry of the target list. The entry at position i
// (counting every entry) gets FILENO = base of its datum + i. Entries found
// registered are unchecked; registered and failed entries stay checked.
// Two passes: first the map sheets (sheet outlines and MAP rows) of every
// set, then each set's chain of point, outline and parcel conversions ending
// with its FILE row. When the progress channel asks to stop, the run ends
// before the next set: the sets registered by then stay, the sets whose
// first pass ran but whose chain did not are removed again, and the entries
// not reached stay checked.
RegistrationResult RegisterTargets(RegistrationStores stores, TargetList& targets,
                                   platform::Progress& progress);

// Stopped: not reached, the run was asked to stop before it.
enum class SetOutcome { Registered, AlreadyRegistered, Failed, Stopped };

struct EntryResult {
    SetOutcome outcome = SetOutcome::Failed;
    std::string reason; // why it failed (UTF-8), empty otherwise
};

// Registers the entries one after another in one run, each set through both
// passes before the next starts (the file route, and the command-line tool's
// header arguments). Check marks are not consulted. Each set gets the next
// free FILENO of its datum. One result per entry, in order. Asked to stop,
// the run ends before the next entry; the entries not reached are Stopped.
std::vector<EntryResult> RegisterEntries(RegistrationStores stores,
                                         const std::vector<TargetEntry>& entries,
                                         platform::Progress& progress);

// For a program that starts: when the run marker is there and no run holds
// the data folder, tidies both catalogues and their working files as a run's
// start does and removes the marker, so that no search lists the rows of a
// drawing that never registered. The trace logs are left alone. True when it
// tidied; without the marker it costs one look at the folder. A catalogue
// that cannot be read is left alone and the marker stays, so that it is
// tidied once it can be read again. Throws what the catalogue layer and the
// working files throw (the marker then stays).
bool TidyAfterInterruptedRun(RegistrationStores stores);

// One entry given as its text (see ParseTargetEntry): true when it
// registered; false when it was registered already or failed.
bool RegisterOne(RegistrationStores stores, const std::string& entryText,
                 platform::Progress& progress);

} // namespace ft::registration
