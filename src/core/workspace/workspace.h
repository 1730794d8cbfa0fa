#pragma once

#include "core/catalogue/catalogue_database.h"
#include "core/formats/extent.h"
#include "core/platform/trace_log.h"
#include "core/workspace/datum.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ft::workspace {

// The stem of the overview working files and of the registration lock:
// findTavla.zu1, findTavla.az1, findTavla.he1, ..., findTavla.lock.
inline constexpr const char* kProgramStem = "findTavla";

// What the windows and the command-line tool say of a catalogue that cannot
// be opened or read (UTF-8): the sentence of catalogueFailureMessage, then
// the catalogue layer's text as a paragraph of its own.
std::string catalogueFailureText(const std::filesystem::path& file, std::string_view error);
platform::Message catalogueFailureMessage(const std::filesystem::path& file);

// The two catalogues of a data folder, Dorsajpn.db and Dorsawrd.db, or the
// two schemas dorsajpn and dorsawrd on a catalogue server.
class Catalogues {
public:
    // Opens both, creating the files (or schemas) and the tables they lack.
    // A catalogue that cannot be opened or read (damaged, not a database, no
    // permission, a server out of reach) stays closed and keeps its failure;
    // the other one is still opened, so its datum stays usable. An empty
    // `server` means the files of the data folder.
    explicit Catalogues(const std::filesystem::path& dataFolder, const std::string& server = {});

    // The open catalogue of the datum. Throws CatalogueError with the
    // failure of opening when it stayed closed.
    catalogue::CatalogueDatabase& operator[](Datum datum);
    bool isOpen(Datum datum) const { return m_databases[datum] != nullptr; }
    // Why the catalogue stayed closed (UTF-8, naming the file); empty when open.
    const std::string& openingFailure(Datum datum) const { return m_failures[datum]; }

    static std::filesystem::path pathIn(const std::filesystem::path& dataFolder, Datum datum);

private:
    PerDatum<std::unique_ptr<catalogue::CatalogueDatabase>> m_databases;
    PerDatum<std::string> m_failures;
    PerDatum<std::string> m_errors; // the catalogue layer's own texts
    PerDatum<std::exception_ptr> m_serverFailures;
    std::filesystem::path m_dataFolder;
};

enum class WorkingFileKind { SheetOutlines, Segments, Extent };

// The overview working files of a data folder, one of each kind per datum,
// and the running extent of each datum's sheet outlines.
class WorkingFiles {
public:
    explicit WorkingFiles(std::filesystem::path dataFolder) : m_dataFolder(std::move(dataFolder)) {}

    std::filesystem::path path(WorkingFileKind kind, Datum datum) const;
    formats::Extent& extent(Datum datum) { return m_extents[datum]; }
    const std::filesystem::path& dataFolder() const { return m_dataFolder; }

private:
    std::filesystem::path m_dataFolder;
    PerDatum<formats::Extent> m_extents;
};

// test.log, kept open, and test2.log, reopened per line, in the data folder.
// Only registration writes them, and the program's first registration run
// empties them: not its start, which may come while another program's run
// is writing them (a search, a listing, a desktop start that registers
// nothing leave them alone). Until then test.log is closed and swallows
// lines.
class TraceLogs {
public:
    // Switched off, neither file is created or touched and their lines go
    // nowhere.
    TraceLogs(const std::filesystem::path& dataFolder, bool enabled);

    // Called by a registration run once it holds the data folder: the first
    // call of the program empties both logs and opens test.log.
    void beginRegistration();

    platform::TraceLog trace;
    platform::AppendingTraceLog trace2;

private:
    std::filesystem::path m_tracePath;
    bool m_enabled = true;
    bool m_begun = false;
};

// What one run of a program works on: the two catalogues, the current datum,
// the working files with their extents, the trace logs and the settings
// file. One object, owned by the main window (or by the command-line tool);
// each part is handed to whoever needs exactly it.
class Workspace {
public:
    // Whether the trace logs are written: the settings file says (see
    // readTraceEnabled), unless the program decides.
    enum class Traces { AsSettingsSay, Off };

    // Creates both folders and opens both catalogues (creating files and
    // tables when missing). A catalogue that fails stays closed (see
    // Catalogues); asking for it throws its failure. The catalogues are on
    // `catalogueServer` when it is given, else where the settings file says.
    Workspace(std::filesystem::path dataFolder, std::filesystem::path settingsFolder,
              Traces traces = Traces::AsSettingsSay,
              std::optional<std::string> catalogueServer = std::nullopt);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Catalogues& catalogues() { return *m_catalogues; }
    catalogue::CatalogueDatabase& catalogue(Datum datum) { return (*m_catalogues)[datum]; }
    catalogue::CatalogueDatabase& currentCatalogue() { return catalogue(m_currentDatum); }
    std::filesystem::path cataloguePath(Datum datum) const
    {
        return Catalogues::pathIn(m_dataFolder, datum);
    }

    Datum currentDatum() const { return m_currentDatum; }
    void setCurrentDatum(Datum datum) { m_currentDatum = datum; }

    const std::filesystem::path& dataFolder() const { return m_dataFolder; }
    const std::filesystem::path& settingsFolder() const { return m_settingsFolder; }
    std::filesystem::path settingsFile() const { return m_settingsFolder / "FindTavla.ini"; }

    WorkingFiles& workingFiles() { return m_workingFiles; }
    std::filesystem::path workingFile(WorkingFileKind kind, Datum datum) const
    {
        return m_workingFiles.path(kind, datum);
    }
    formats::Extent& extent(Datum datum) { return m_workingFiles.extent(datum); }

    TraceLogs& traces() { return m_traces; }
    platform::TraceLog& trace() { return m_traces.trace; }
    platform::AppendingTraceLog& trace2() { return m_traces.trace2; }

private:
    std::filesystem::path m_dataFolder;
    std::filesystem::path m_settingsFolder;
    TraceLogs m_traces;
    std::unique_ptr<Catalogues> m_catalogues;
    Datum m_currentDatum = Datum::World;
    WorkingFiles m_workingFiles;
};

} // namespace ft::workspace
