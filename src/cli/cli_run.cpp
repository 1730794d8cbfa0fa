#include "cli/cli_run.h"

#include "cli/catalogue_command.h"
#include "cli/cli_command.h"
#include "cli/driver_registrar.h"
#include "cli/export_command.h"
#include "cli/register_command.h"
#include "cli/run_progress.h"
#include "cli/table_output.h"
#include "core/catalogue/schema.h"
#include "core/platform/folders.h"
#include "core/platform/message_text.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "core/registration/registration_driver.h"
#include "core/search/result_rows.h"
#include "core/search/search_statements.h"
#include "core/workspace/delete_all.h"
#include "core/workspace/settings_file.h"
#include "core/workspace/workspace.h"

#include <algorithm>
#include <exception>
#include <memory>

namespace ft::cli {
namespace {

constexpr const char* kProgram = "findTavla-cli";
constexpr int kDone = 0;
constexpr int kNothingFound = 1;
constexpr int kUsageOrError = 2;

// A marked text in the language the program loaded.
std::string said(const char* source, const QStringList& arguments = {})
{
    return platform::Message(source, arguments).text().toStdString();
}

// Lists the rows of one result window kind; "見つかりません" and status 1 when
// there are none, as the desktop program answers an empty search.
template <class Row>
int listRows(const CliCommand& command, workspace::Workspace& state, const std::string& statement,
             std::ostream& out, std::ostream& err)
{
    search::TskDataList<Row> rows;
    search::LoadRows(state.currentCatalogue(), statement, rows);
    writeRows(out, rows, command.format);
    if (rows.empty()) {
        if (command.verbosity != Verbosity::Quiet)
            err << "見つかりません\n";
        return kNothingFound;
    }
    return kDone;
}

// The progress channel of a registration: a line in place on a terminal,
// every status text with --verbose, nothing in a script or with --quiet.
std::unique_ptr<platform::Progress> registerProgress(Verbosity verbosity, std::ostream& err,
                                                     const MessageStream& errStream)
{
    if (verbosity == Verbosity::Verbose)
        return std::make_unique<StatusLines>(err);
    if (verbosity == Verbosity::Normal && errStream.isTerminal)
        return std::make_unique<ProgressLine>(err, errStream.columns);
    return std::make_unique<platform::SilentProgress>();
}

int runRegisterCommand(const CliCommand& command, workspace::Workspace& state, std::ostream& out,
                       std::ostream& err, const MessageStream& errStream)
{
    const std::unique_ptr<platform::Progress> progress =
        registerProgress(command.verbosity, err, errStream);
    DriverRegistrar registrar(state, *progress);
    return runRegister(command.paths, registrar, out, err, command.verbosity == Verbosity::Quiet);
}

// "<n>件削除しました" on `out`; the rows of each table and the files removed on
// `err`.
void reportDeleted(const workspace::DeletedRegistrations& deleted, const CliCommand& command,
                   std::ostream& out, std::ostream& err)
{
    if (command.verbosity == Verbosity::Quiet)
        return;
    out << deleted.drawings() << "件削除しました\n";
    err << said(QT_TRANSLATE_NOOP("findTavla", "datum %1: deleted rows"),
                {QString::number(workspace::datumCode(deleted.datum))});
    for (std::size_t i = 0; i < catalogue::kTableNames.size(); ++i)
        err << (i == 0 ? " " : ", ") << catalogue::kTableNames[i] << " " << deleted.rows[i];
    err << said(QT_TRANSLATE_NOOP("findTavla", "; removed working files"));
    for (const std::filesystem::path& file : deleted.removedFiles)
        err << " " << platform::pathText(file.filename());
    if (deleted.removedFiles.empty())
        err << said(QT_TRANSLATE_NOOP("findTavla", " (none were there)"));
    err << "\n";
}

// A usage error says itself whole; no sentence goes before it.
std::string usageText(const UsageError& error)
{
    return error.message().text().toStdString();
}

// The rows or the report are the command's answer: when they did not reach
// their file (a full disk, a closed pipe) the command has failed.
int checkedStatus(int status, std::ostream& out, std::ostream& err)
{
    out.flush();
    if (out)
        return status;
    err << kProgram << ": " << said(QT_TRANSLATE_NOOP("findTavla", "cannot write the output"))
        << "\n";
    return kUsageOrError;
}

// A registration that ended halfway may have left rows of sets that never
// registered; they go before anything is listed. A tidy that fails does not
// stop the command: it is tried again by the next start.
void tidyAfterInterruptedRun(workspace::Workspace& state, std::ostream& err)
{
    try {
        registration::TidyAfterInterruptedRun(state);
    } catch (const std::exception& error) {
        err << kProgram << ": "
            << said(QT_TRANSLATE_NOOP("findTavla",
                                      "an interrupted registration could not be tidied up: %1"),
                    {QString::fromStdString(terminalText(error))})
            << "\n";
    }
}

} // namespace

std::string terminalText(std::string_view message)
{
    std::string text = platform::messageAsUtf8(message);
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

std::string terminalText(const std::exception& error)
{
    std::string text = platform::failureText(error).joined().toStdString();
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

CliFolders platformFolders()
{
    return {platform::dataFolder(), platform::settingsFolder()};
}

int runCommand(const CliCommand& command, workspace::Workspace& state, std::ostream& out,
               std::ostream& err, const MessageStream& errStream)
{
    using namespace search;
    switch (command.action) {
    case CliAction::Version:
    case CliAction::Help:
        out << helpText();
        return kDone;
    case CliAction::Files:
        return listRows<DrawingRow>(command, state, registeredDrawingsStatement(), out, err);
    case CliAction::SearchParcels:
        return listRows<ParcelRow>(command, state, parcelStatement(command.parcel, command.mode),
                                   out, err);
    case CliAction::SearchMapSheets:
        return listRows<MapSheetRow>(command, state, mapSheetStatement(command.name, command.mode),
                                     out, err);
    case CliAction::SearchBoundaryPoints:
        return listRows<PointRow>(command, state,
                                  boundaryPointStatement(command.name, command.mode), out, err);
    case CliAction::SearchControlPoints:
        return listRows<PointRow>(command, state, controlPointStatement(command.name, command.mode),
                                  out, err);
    case CliAction::DeleteAll: {
        // Not in the middle of a registration run of the desktop program.
        const registration::ExclusiveRun exclusive(state.dataFolder());
        reportDeleted(workspace::deleteAllRegistrations(state), command, out, err);
        return kDone;
    }
    case CliAction::CatalogueInit:
    case CliAction::CatalogueCopy:
        break; // run before a workspace is opened (runCatalogueCommand)
    case CliAction::Register:
        return runRegisterCommand(command, state, out, err, errStream);
    case CliAction::Export:
        if (command.jgd2000 && state.currentDatum() == workspace::Datum::Japanese) {
            err << kProgram << ": "
                << said(QT_TRANSLATE_NOOP("findTavla",
                                          "--jgd2000 names a realisation of the world datum, "
                                          "but the current datum is 1 (日本測地系)"))
                << "\n";
            return kUsageOrError;
        }
        return runExport(command, state, out, err);
    }
    return kUsageOrError;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::function<CliFolders()>& folders, const MessageStream& errStream)
{
    CliCommand command;
    try {
        command = parseCommandLine(args);
    } catch (const UsageError& error) {
        err << kProgram << ": " << usageText(error) << "\n"
            << said(QT_TRANSLATE_NOOP("findTavla", "Try '%1 --help'."),
                    {QString::fromLatin1(kProgram)})
            << "\n";
        return kUsageOrError;
    }
    if (command.action == CliAction::Help) {
        out << helpText();
        return checkedStatus(kDone, out, err);
    }
    if (command.action == CliAction::Version) {
        out << kProgram << " " << FT_VERSION << "\n";
        return checkedStatus(kDone, out, err);
    }
    try {
        if (isCatalogueCommand(command))
            return checkedStatus(runCatalogueCommand(command, folders, out, err), out, err);
        const CliFolders where = folders();
        workspace::Workspace state(where.data, where.settings,
                                   command.noTrace ? workspace::Workspace::Traces::Off
                                                   : workspace::Workspace::Traces::AsSettingsSay,
                                   command.catalogueServer);
        tidyAfterInterruptedRun(state, err);
        // The saved datum is read, never written: --datum holds for this run only.
        state.setCurrentDatum(
            command.datum.value_or(workspace::readSavedDatum(state.settingsFile())));
        return checkedStatus(runCommand(command, state, out, err, errStream), out, err);
    } catch (const std::exception& error) {
        out.flush();
        err << kProgram << ": " << terminalText(error) << "\n";
        return kUsageOrError;
    }
}

} // namespace ft::cli
