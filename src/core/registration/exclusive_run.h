#pragma once

// What keeps two runs of the desktop program and the command-line tool
// apart on one data folder, and what tells a later start that a run ended
// halfway.

#include "core/platform/file_lock.h"
#include "core/platform/operator_message.h"

#include <filesystem>

namespace ft::registration {

// Another run is registering into the same data folder.
class RegistrationInProgress : public platform::MessageError {
public:
    using platform::MessageError::MessageError;
};

// Keeps every other run on the same data folder out while it lives: the
// desktop program and the command-line tool share the catalogues and working
// files, and a second run would take the first one's unfinished sets for
// leftovers of a crash and remove them, and hand out its FILENOs again.
// Every run holds one; so does anything else that rewrites a whole
// catalogue (delete-all). Throws RegistrationInProgress when another holds
// it.
class ExclusiveRun {
public:
    explicit ExclusiveRun(const std::filesystem::path& dataFolder);

private:
    platform::FileLock m_lock;
};

// The marker a registration run keeps in the data folder from its start to
// its clean end (findTavla.running). Found by a program that starts while no
// run holds the folder, it tells that a run ended halfway (killed, crashed,
// the power gone) and may have left working-file records of unfinished sets
// behind.
std::filesystem::path RunMarkerPath(const std::filesystem::path& dataFolder);

} // namespace ft::registration
