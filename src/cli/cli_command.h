#pragma once

#include "core/search/search_statements.h"
#include "core/workspace/datum.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ft::cli {

enum class CliAction {
    Help,
    Version,
    Files,
    SearchParcels,
    SearchMapSheets,
    SearchBoundaryPoints,
    SearchControlPoints,
    DeleteAll,
    Register,
    Export,
};

// One parsed command line of findTavla-cli.
struct CliCommand {
    CliAction action = CliAction::Help;
    // The datum to work on; unset means the saved current datum.
    std::optional<workspace::Datum> datum;
    // search parcels
    search::ParcelConditions parcel;
    // every search: 先頭一致 unless --mode says otherwise, as in the windows
    search::MatchMode mode = search::MatchMode::Prefix;
    // search maps / fpoints / zpoints: empty lists every row, as an empty field does
    std::string name;
    // register
    std::vector<std::filesystem::path> paths;
    // export: the GeoPackage, and every registered drawing or those numbered
    std::filesystem::path exportFile;
    bool allDrawings = false;
    std::vector<int> drawingNumbers;
    // export: the world datum as JGD2000 instead of JGD2011
    bool jgd2000 = false;
};

// A command line that does not say one thing the tool can do.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name. Throws UsageError.
CliCommand parseCommandLine(const std::vector<std::string>& args);

// The text of --help.
const char* helpText();

} // namespace ft::cli
