#pragma once

#include "core/registration/discovery.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace ft::cli {

// What the register command needs of the registration driver.
class Registrar {
public:
    // A data set that was not registered, and why (UTF-8).
    struct SetProblem {
        std::filesystem::path headerPath;
        std::string reason;
    };
    struct FolderResult {
        int registered = 0; // sets whose registration was stored
        std::vector<SetProblem> problems;
        // Sets skipped because they are registered already.
        std::vector<std::filesystem::path> alreadyRegistered;
        // What the walk passed by: headers without their .pol, .pnt or .atr,
        // and folders that could not be read (the given one among them when
        // it could not be read itself).
        registration::PassedBy passedBy;
    };
    enum class HeaderOutcome { Registered, AlreadyRegistered, Failed };
    struct HeaderResult {
        HeaderOutcome outcome = HeaderOutcome::Failed;
        std::string reason; // why it failed
    };

    virtual ~Registrar() = default;
    // Collects the data sets below the folder as the folder route does and
    // registers the target list as it is offered: every set whose header was
    // accepted. Sets whose header was not accepted, and sets that failed, are
    // problems; sets registered already are neither, and are listed apart.
    virtual FolderResult registerFolder(const std::filesystem::path& folder) = 0;
    // Registers header files one after another as the file route does; one
    // result per header, in order.
    virtual std::vector<HeaderResult>
    registerHeaders(const std::vector<std::filesystem::path>& headers) = 0;
};

// Registers each path in the order given, every path made absolute first, so
// that the catalogue records where the data sets are whatever the working
// folder. A folder prints "<header>は登録できません" for each of its problem
// sets; the sets it skipped as registered already, and the headers and
// folders its walk passed by, are named on `err`; a folder that could not be
// read itself, or whose only sets lack their siblings, prints
// "<folder>は登録できません". Header files (".hed" in any letter case, as the
// file dialog's filter) given one after another go to the driver together;
// each that fails prints "<path>は登録できません", one registered already is
// noted on `err` and counts as done. Any other path is refused with
// "<path>は登録できません". The reasons go to `err`. A path whose registration
// throws (a catalogue that cannot be opened, say) is refused with the error
// as its reason and the others still go on. After every path, one line: the
// count of sets registered followed by "件登録しました".
// Returns the exit status: 0 when every set registered or was registered
// already, 2 when a registration threw, 1 otherwise (also when a given folder
// could not be read). Quiet, only the failures are written: no count line and
// no notes.
int runRegister(const std::vector<std::filesystem::path>& paths, Registrar& registrar,
                std::ostream& out, std::ostream& err, bool quiet = false);

} // namespace ft::cli
