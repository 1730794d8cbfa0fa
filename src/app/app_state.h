#pragma once

#include "catalogue/sqlite_database.h"
#include "formats/extent.h"
#include "overview/overview_view.h"
#include "platform/trace_log.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>

namespace ft::app {

// The working files of the overview, one of each per datum, named after the
// program: findTavla.zu1, findTavla.az1, findTavla.he1, ...
enum class WorkingFile { SheetOutlines, Segments, Extent };

// Everything the program shares for a whole run: the two catalogues, the
// current datum, the folders, the drawings-present flag, the overview view
// record, the running extents and the trace logs. One object, owned by the
// main window (or by the command-line tool); passed by reference.
class AppState {
public:
    static constexpr const char* kProgramStem = "findTavla";

    // Truncates the trace logs, opens both catalogues (creating files and
    // tables when missing). Throws ESQLiteException when a catalogue fails.
    AppState(std::filesystem::path dataFolder, std::filesystem::path settingsFolder);
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // datum is 1 (Japanese datum) or 2 (world datum).
    catalogue::TSQLiteDatabase& catalogue(int datum);
    catalogue::TSQLiteDatabase& currentCatalogue() { return catalogue(m_currentDatum); }
    std::filesystem::path cataloguePath(int datum) const;

    int currentDatum() const { return m_currentDatum; }
    // Anything but 1 selects datum 2.
    void setCurrentDatum(int datum) { m_currentDatum = datum == 1 ? 1 : 2; }

    const std::filesystem::path& dataFolder() const { return m_dataFolder; }
    const std::filesystem::path& settingsFolder() const { return m_settingsFolder; }
    std::filesystem::path settingsFile() const { return m_settingsFolder / "FindTavla.ini"; }
    std::filesystem::path workingFile(WorkingFile kind, int datum) const;

    bool drawingsPresent() const { return m_drawingsPresent; }
    void setDrawingsPresent(bool present) { m_drawingsPresent = present; }

    overview::OverviewView& view() { return m_view; }
    formats::Extent& extent(int datum) { return m_extents.at(index(datum)); }

    platform::TraceLog& trace() { return m_trace; }
    platform::AppendingTraceLog& trace2() { return m_trace2; }

private:
    static std::size_t index(int datum) { return datum == 1 ? 0 : 1; }

    std::filesystem::path m_dataFolder;
    std::filesystem::path m_settingsFolder;
    platform::TraceLog m_trace;
    platform::AppendingTraceLog m_trace2;
    std::array<std::unique_ptr<catalogue::TSQLiteDatabase>, 2> m_catalogues;
    int m_currentDatum = 2;
    bool m_drawingsPresent = false;
    overview::OverviewView m_view;
    std::array<formats::Extent, 2> m_extents;
};

} // namespace ft::app
