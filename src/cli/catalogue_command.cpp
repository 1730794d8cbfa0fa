#include "cli/catalogue_command.h"

#include "cli/cli_command.h"
#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/schema.h"
#include "core/catalogue/server_setup.h"
#include "core/platform/operator_message.h"
#include "core/registration/exclusive_run.h"
#include "core/workspace/catalogue_copy.h"
#include "core/workspace/server_schema.h"
#include "core/workspace/settings_file.h"
#include "core/workspace/workspace.h"

#include <optional>

namespace ft::cli {
namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kUsageOrError = 2;

std::string said(const char* source, const QStringList& arguments = {})
{
    return platform::Message(source, arguments).text().toStdString();
}

int printSetupStatements(std::ostream& out)
{
    for (const workspace::Datum datum : workspace::kDatums)
        for (const std::string& statement :
             catalogue::ServerSetupStatements(workspace::serverSchemaName(datum)))
            out << statement << ";\n";
    return kDone;
}

int setUpServer(const CliCommand& command, const CliFolders& where, std::ostream& out,
                std::ostream& err)
{
    const std::string server = command.catalogueServer.value_or(
        workspace::readCatalogueServer(where.settings / "FindTavla.ini"));
    if (server.empty()) {
        err << "findTavla-cli: "
            << said(QT_TRANSLATE_NOOP("findTavla",
                                      "no catalogue server is set: give --catalogue URI or set "
                                      "server in the [catalogue] section of FindTavla.ini; "
                                      "--print writes the statements without a server"))
            << "\n";
        return kUsageOrError;
    }
    // Connecting makes what the schema lacks, when the role may.
    for (const workspace::Datum datum : workspace::kDatums) {
        const auto db = catalogue::OpenServerCatalogue(server, workspace::serverSchemaName(datum));
        if (command.verbosity != Verbosity::Quiet)
            out << said(QT_TRANSLATE_NOOP("findTavla", "%1 is ready"),
                        {QString::fromStdString(db->DisplayName())})
                << "\n";
    }
    return kDone;
}

void reportCopied(const workspace::CopiedRows& copied, const CliCommand& command, std::ostream& out,
                  std::ostream& err)
{
    if (command.verbosity == Verbosity::Quiet)
        return;
    std::int64_t drawings = 0;
    for (const workspace::Datum datum : workspace::kDatums) {
        drawings += copied[datum][1]; // FILE: one row per drawing
        err << said(QT_TRANSLATE_NOOP("findTavla", "datum %1: copied rows"),
                    {QString::number(workspace::datumCode(datum))});
        for (std::size_t i = 0; i < catalogue::kTableNames.size(); ++i)
            err << (i == 0 ? " " : ", ") << catalogue::kTableNames[i] << " " << copied[datum][i];
        err << "\n";
    }
    out << drawings << "件の図面を複写しました\n";
}

int copyCatalogues(const CliCommand& command, const CliFolders& where, std::ostream& out,
                   std::ostream& err)
{
    const bool toServer = !command.copyTo.empty();
    std::filesystem::create_directories(where.data);
    // The files are rewritten by a copy from a server: no registration of
    // this folder may run meanwhile.
    std::optional<registration::ExclusiveRun> exclusive;
    if (!toServer)
        exclusive.emplace(where.data);
    workspace::Catalogues files(where.data);
    workspace::Catalogues server(where.data, toServer ? command.copyTo : command.copyFrom);
    try {
        reportCopied(toServer ? workspace::CopyCatalogues(files, server, command.replace)
                              : workspace::CopyCatalogues(server, files, command.replace),
                     command, out, err);
    } catch (const workspace::CopyRefused& refused) {
        err << "findTavla-cli: " << refused.message().text().toStdString() << "\n";
        return kRefused;
    }
    return kDone;
}

} // namespace

bool isCatalogueCommand(const CliCommand& command)
{
    return command.action == CliAction::CatalogueInit || command.action == CliAction::CatalogueCopy;
}

int runCatalogueCommand(const CliCommand& command, const std::function<CliFolders()>& folders,
                        std::ostream& out, std::ostream& err)
{
    if (command.action == CliAction::CatalogueInit && command.printOnly)
        return printSetupStatements(out);
    const CliFolders where = folders();
    if (command.action == CliAction::CatalogueInit)
        return setUpServer(command, where, out, err);
    return copyCatalogues(command, where, out, err);
}

} // namespace ft::cli
