#pragma once

#include "core/platform/operator_message.h"
#include "core/search/search_statements.h"
#include "core/workspace/datum.h"

#include <filesystem>
#include <optional>
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
    CatalogueInit,
    CatalogueCopy,
};

// How rows are written: tab-separated (the default), RFC 4180 CSV, or one
// JSON array of objects keyed by the column names.
enum class OutputFormat { Tsv, Csv, Json };

// How much the tool says beside its answer: only errors (--quiet), the
// progress and notes (default), or every status text of the desktop
// program's status bar (--verbose).
enum class Verbosity { Quiet, Normal, Verbose };

// One parsed command line of findTavla-cli.
struct CliCommand {
    CliAction action = CliAction::Help;
    OutputFormat format = OutputFormat::Tsv;
    Verbosity verbosity = Verbosity::Normal;
    // --no-trace: no trace logs whatever the settings file says.
    bool noTrace = false;
    // --catalogue: the catalogue server for this run; unset means the
    // settings file's, empty the data folder's catalogue files.
    std::optional<std::string> catalogueServer;
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
    // catalogue init: write the statements instead of running them
    bool printOnly = false;
    // catalogue copy: the server copied to (--to) or from (--from), and
    // whether drawings the target holds may be replaced
    std::string copyTo;
    std::string copyFrom;
    bool replace = false;
};

// A command line that does not say one thing the tool can do. Its what() is
// the English source; the operator reads the marked text in Japanese.
class UsageError : public platform::MessageError {
public:
    // `source` is a marked literal (QT_TRANSLATE_NOOP) with %1, %2, ...
    explicit UsageError(const char* source, QStringList arguments = {})
        : platform::MessageError(platform::Message(source, std::move(arguments)))
    {
    }
};

// Parses the arguments after the program name. Throws UsageError.
CliCommand parseCommandLine(const std::vector<std::string>& args);

// The text of --help, made from the declarations of the commands and
// options (cli_grammar.h).
std::string helpText();

} // namespace ft::cli
