#pragma once

// Application state over temp folders, a recording progress channel and
// helpers to read catalogues and working files, for the registration tests.

#include "core/catalogue/sqlite_database.h"
#include "core/platform/cp932.h"
#include "core/platform/path_text.h"
#include "core/platform/progress.h"
#include "core/registration/target_list.h"
#include "core/workspace/workspace.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"
#include "support/catalogue_engines.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ft::registration {
using workspace::Datum;
using workspace::WorkingFileKind;

// Records what a run reports, and checks that busy spans are balanced. Asks
// the run to stop when it asks for the stopAtQuestion-th time (1 = first).
class RecordingProgress final : public platform::Progress {
public:
    void showStatus(const QString& text) override { statuses.push_back(text); }
    void processEvents() override { ++eventRuns; }
    void beginBusy() override
    {
        ++busyDepth;
        ++busySpans;
    }
    void endBusy() override { --busyDepth; }
    void showRun(const platform::RunState& state) override { runStates.push_back(state); }
    void runEnded(const platform::RunState& state) override { endStates.push_back(state); }
    bool stopRequested() override { return ++stopQuestions == stopAtQuestion; }
    void showScan(const platform::ScanState& state) override { scanStates.push_back(state); }
    void scanEnded(const platform::ScanState& state) override { scanEnds.push_back(state); }
    bool scanStopRequested() override { return stopScans; }

    QStringList statuses;
    int eventRuns = 0;
    int busyDepth = 0;
    int busySpans = 0;
    std::vector<platform::RunState> runStates;
    std::vector<platform::RunState> endStates;
    int stopQuestions = 0;
    int stopAtQuestion = 0;
    std::vector<platform::ScanState> scanStates;
    std::vector<platform::ScanState> scanEnds;
    bool stopScans = false;
};

class RegistrationTest : public ::testing::Test {
protected:
    // On the server, the workspace's catalogues are the two schemas of a
    // database of the test's own (none when there is no test server: the
    // test skips itself then).
    explicit RegistrationTest(test::Engine engine = test::Engine::Embedded)
        : serverDatabase(engine == test::Engine::Server && !test::testServer().empty()
                             ? std::make_unique<test::ServerTestDatabase>()
                             : nullptr),
          state(dataFolder.path(), settingsFolder.path(),
                workspace::Workspace::Traces::AsSettingsSay,
                serverDatabase ? serverDatabase->connection() : std::string())
    {
    }

    // A complete small data set in the sources folder (or a subfolder).
    test::DataSetBuilder validSet(const std::string& name, int datum,
                                  const std::string& subfolder = "")
    {
        return test::DataSetBuilder::smallValidSet(
            sources.path() / platform::pathFromText(subfolder), name, datum);
    }

    // The target entry the discovery routes make for the set's header, checked.
    static TargetEntry entryOf(const test::DataSetBuilder& set, const std::string& time)
    {
        TargetEntry entry;
        entry.headerPath = set.headerPath();
        entry.datumCode = std::to_string(set.datum());
        entry.time = time;
        entry.checked = true;
        return entry;
    }

    // Every row of a query on a datum's catalogue, cells as text.
    std::vector<std::vector<std::string>> rows(Datum datum, const std::string& sql)
    {
        catalogue::TSQLiteTable table = state.catalogue(datum).GetTable(sql);
        std::vector<std::vector<std::string>> result;
        for (; !table.Eof(); table.Next()) {
            std::vector<std::string> row;
            for (int column = 0; column < table.ColumnCount(); ++column)
                row.push_back(table.FieldAsString(column));
            result.push_back(std::move(row));
        }
        return result;
    }

    int count(Datum datum, const std::string& table, const std::string& where = "")
    {
        return std::stoi(rows(datum, "SELECT COUNT(*) FROM " + table + where).at(0).at(0));
    }

    // Row counts of the five tables of a datum, FILE first.
    std::vector<int> tableCounts(Datum datum, const std::string& where = "")
    {
        std::vector<int> counts;
        for (const char* table : {"FILE", "CHIBAN", "MAP", "FTEN", "ZTEN"})
            counts.push_back(count(datum, table, where));
        return counts;
    }

    std::string workingBytes(WorkingFileKind kind, Datum datum)
    {
        return test::readBytes(state.workingFile(kind, datum));
    }

    // The lines of a working file or trace log, without their CR LF.
    static std::vector<std::string> linesOf(const std::string& bytes)
    {
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find("\r\n", start);
            if (end == std::string::npos)
                end = bytes.size();
            lines.push_back(bytes.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    // The FILENO field (the last before the closing comma) of each record.
    std::vector<int> workingFileNos(WorkingFileKind kind, Datum datum)
    {
        std::vector<int> fileNos;
        for (const std::string& line : linesOf(workingBytes(kind, datum))) {
            const std::string withoutLastComma = line.substr(0, line.size() - 1);
            fileNos.push_back(std::stoi(withoutLastComma.substr(withoutLastComma.rfind(',') + 1)));
        }
        return fileNos;
    }

    static std::string sj(std::string_view utf8) { return platform::utf8ToCp932(utf8); }

    test::TempFolder dataFolder;
    test::TempFolder settingsFolder;
    test::TempFolder sources;
    std::unique_ptr<test::ServerTestDatabase> serverDatabase;
    workspace::Workspace state;
    RecordingProgress progress;
};

} // namespace ft::registration
