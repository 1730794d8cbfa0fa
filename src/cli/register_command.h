#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

namespace ft::cli {

// What the register command needs of the registration driver.
class Registrar {
public:
    struct FolderResult {
        int registered = 0; // sets whose registration was stored
        int failed = 0;     // sets whose registration failed
    };
    enum class HeaderResult { Registered, AlreadyRegistered, Failed };

    virtual ~Registrar() = default;
    // Collects the data sets below the folder as the folder route does and
    // registers every one that was accepted.
    virtual FolderResult registerFolder(const std::filesystem::path& folder) = 0;
    // Registers one header file as the file route does.
    virtual HeaderResult registerHeader(const std::filesystem::path& header) = 0;
};

// Registers each path in the order given: a folder prints its count followed
// by "件登録しました"; a .hed file (any letter case, as the file dialog's
// filter) prints "<path>は登録できません" when it is refused or fails; any
// other path is refused the same way. A header registered already is noted
// on `err` and counts as done. Returns the exit status: 0 when every set
// registered or was registered already, 1 otherwise.
int runRegister(const std::vector<std::filesystem::path>& paths, Registrar& registrar,
                std::ostream& out, std::ostream& err);

} // namespace ft::cli
