#include "core/workspace/workspace.h"

#include "core/catalogue/schema.h"
#include "core/platform/path_text.h"
#include "core/workspace/server_schema.h"
#include "core/workspace/settings_file.h"

namespace ft::workspace {
namespace {

const char* catalogueFileName(Datum datum)
{
    return datum == Datum::Japanese ? "Dorsajpn.db" : "Dorsawrd.db";
}

const char* workingFileExtension(WorkingFileKind kind)
{
    switch (kind) {
    case WorkingFileKind::SheetOutlines:
        return ".zu";
    case WorkingFileKind::Segments:
        return ".az";
    case WorkingFileKind::Extent:
        return ".he";
    }
    return ".zu";
}

// Creates the folder before anything is opened in it.
std::filesystem::path createdFolder(std::filesystem::path folder)
{
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

const char* serverSchemaName(Datum datum)
{
    return datum == Datum::Japanese ? "dorsajpn" : "dorsawrd";
}

platform::Message catalogueFailureMessage(const std::filesystem::path& file)
{
    return platform::Message(
        QT_TRANSLATE_NOOP("findTavla",
                          "The catalogue %1 cannot be opened. If it is damaged, move it out of "
                          "the data folder and register the data again; the other datum can be "
                          "used meanwhile."),
        {QString::fromStdString(platform::pathText(file))});
}

std::string catalogueFailureText(const std::filesystem::path& file, std::string_view error)
{
    return (catalogueFailureMessage(file).text() + QStringLiteral("\n\n")).toStdString() +
           std::string(error);
}

Catalogues::Catalogues(const std::filesystem::path& dataFolder, const std::string& server)
    : m_dataFolder(dataFolder)
{
    for (const Datum datum : kDatums) {
        const std::filesystem::path file = pathIn(dataFolder, datum);
        try {
            // The catalogue takes its file name as UTF-8 on every system.
            auto db = server.empty()
                          ? catalogue::OpenCatalogueFile(platform::pathText(file))
                          : catalogue::OpenServerCatalogue(server, serverSchemaName(datum));
            catalogue::CreateSchemaIfMissing(*db);
            m_databases[datum] = std::move(db);
        } catch (const catalogue::CatalogueError& error) {
            if (server.empty()) {
                m_failures[datum] = catalogueFailureText(file, error.what());
                m_errors[datum] = error.what();
            } else {
                // The server's failure names the server (never its password).
                m_failures[datum] = platform::failureText(error).joined().toStdString();
                m_serverFailures[datum] = std::current_exception();
            }
        }
    }
}

catalogue::CatalogueDatabase& Catalogues::operator[](Datum datum)
{
    if (m_serverFailures[datum])
        std::rethrow_exception(m_serverFailures[datum]);
    if (!m_databases[datum])
        throw catalogue::CatalogueError(catalogueFailureMessage(pathIn(m_dataFolder, datum)),
                                        m_errors[datum]);
    return *m_databases[datum];
}

std::filesystem::path Catalogues::pathIn(const std::filesystem::path& dataFolder, Datum datum)
{
    return dataFolder / catalogueFileName(datum);
}

std::filesystem::path WorkingFiles::path(WorkingFileKind kind, Datum datum) const
{
    return m_dataFolder / (std::string(kProgramStem) + workingFileExtension(kind) +
                           std::to_string(datumCode(datum)));
}

// Switched off, the second log has no path and swallows its lines, and the
// first is never opened.
TraceLogs::TraceLogs(const std::filesystem::path& dataFolder, bool enabled)
    : trace2(enabled ? dataFolder / "test2.log" : std::filesystem::path()),
      m_tracePath(dataFolder / "test.log"), m_enabled(enabled)
{
}

void TraceLogs::beginRegistration()
{
    if (m_begun || !m_enabled)
        return;
    m_begun = true;
    trace.openTruncated(m_tracePath);
    // The parcel and point converters reopen the second log for every line.
    trace2.truncate();
}

Workspace::Workspace(std::filesystem::path dataFolder, std::filesystem::path settingsFolder,
                     Traces traces, std::optional<std::string> catalogueServer)
    : m_dataFolder(createdFolder(std::move(dataFolder))),
      m_settingsFolder(createdFolder(std::move(settingsFolder))),
      m_traces(m_dataFolder, traces == Traces::AsSettingsSay && readTraceEnabled(settingsFile())),
      m_catalogues(std::make_unique<Catalogues>(
          m_dataFolder, catalogueServer.value_or(readCatalogueServer(settingsFile())))),
      m_workingFiles(m_dataFolder)
{
}

Workspace::~Workspace() = default;

} // namespace ft::workspace
