// The command-line tool's register command and the main window's folder
// route must leave the same catalogues and working files behind: the tool is
// meant for batch registration of what an operator would register by hand.
// The committed sample data sets are registered both ways and compared.

#include "cli/cli_run.h"
#include "cli/driver_registrar.h"

#include "core/catalogue/sqlite_database.h"
#include "core/registration/registration_routes.h"
#include "core/workspace/workspace.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"
#include "support/scripted_operator.h"
#include "support/scripted_target_list_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string_view>

namespace ft::cli {
using workspace::Datum;
using workspace::kDatums;
using workspace::WorkingFileKind;
namespace {

namespace fs = std::filesystem;

constexpr const char* kTables[] = {"FILE", "CHIBAN", "MAP", "FTEN", "ZTEN", "OOAZA", "KOAZA"};
// Registration writes no rows into the last two.
bool registrationFills(std::string_view table)
{
    return table != "OOAZA" && table != "KOAZA";
}

// A copy of samples/ whose files all carry one modification time: a fresh
// clone gives them checkout times, which would make the data set times (and
// so the FILE rows) differ from run to run.
fs::path copySamples(const fs::path& into)
{
    const fs::path copy = into / "samples";
    fs::copy(FT_SAMPLES_DIR, copy, fs::copy_options::recursive);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(copy))
        if (entry.is_regular_file())
            test::setFileTime(entry.path(), {2023, 11, 12, 13, 14, 15});
    return copy;
}

struct Result {
    int status;
    std::string out;

    bool operator==(const Result&) const = default;
};

Result run(const fs::path& home, const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, out, err, [&] {
        return CliFolders{home / "data", home / "settings"};
    });
    return {status, out.str()};
}

// Every row of a table with each cell quoted as SQL text, so that 1 and '1'
// differ; sorted, so the comparison is of content, not of insertion order.
std::vector<std::string> dumpTable(catalogue::CatalogueDatabase& catalogue,
                                   const std::string& table)
{
    catalogue::TSQLiteTable columns = catalogue.GetTable("PRAGMA table_info(" + table + ")");
    std::string select;
    for (; !columns.Eof(); columns.Next())
        select += (select.empty() ? "quote([" : " || ',' || quote([") +
                  columns.FieldByName("name") + "])";
    std::vector<std::string> rows;
    for (catalogue::TSQLiteTable cells = catalogue.GetTable("SELECT " + select + " FROM " + table);
         !cells.Eof(); cells.Next())
        rows.push_back(cells.FieldAsString(0));
    std::sort(rows.begin(), rows.end());
    return rows;
}

class RouteEquivalenceTest : public ::testing::Test {
protected:
    fs::path home(const char* name) const { return m_root / name; }

    void registerThroughTheTool()
    {
        const Result result = run(home("tool"), {"register", m_samples.string()});
        EXPECT_EQ(result, (Result{0, "3件登録しました\n"}));
    }

    void registerThroughTheWindowRoute()
    {
        workspace::Workspace state(home("window") / "data", home("window") / "settings");
        test::ScriptedOperator op;
        op.answerYes();
        op.folder = m_samples;
        test::ScriptedTargetListView view;
        registration::TargetList targets;
        std::ostringstream statuses;
        StatusLines progress(statuses);
        registration::RegistrationRoutes routes{state, op, progress, view, targets};

        EXPECT_TRUE(registration::RegisterFolderOrFiles(routes));
        EXPECT_EQ(view.shown.size(), 3u);
        EXPECT_EQ(op.notices, QStringList{QStringLiteral("3件登録しました")});
        EXPECT_TRUE(op.errors.isEmpty());
    }

    test::TempFolder m_root;
    fs::path m_samples = copySamples(m_root.path());
};

TEST_F(RouteEquivalenceTest, TheToolAndTheFolderRouteRegisterTheSamplesAlike)
{
    registerThroughTheTool();
    registerThroughTheWindowRoute();

    const std::vector<std::vector<std::string>> commands = {{"files"},
                                                            {"search", "parcels"},
                                                            {"search", "maps"},
                                                            {"search", "fpoints"},
                                                            {"search", "zpoints"}};
    for (const char* datum : {"1", "2"}) {
        for (std::vector<std::string> command : commands) {
            command.insert(command.begin(), {"--datum", datum});
            const Result tool = run(home("tool"), command);
            SCOPED_TRACE("datum " + std::string(datum) + " " + command.at(2));
            // Every sample set has rows of each kind, so nothing here may come out empty.
            EXPECT_EQ(tool.status, 0);
            EXPECT_EQ(run(home("window"), command), tool);
        }
    }

    workspace::Workspace tool(home("tool") / "data", home("tool") / "settings");
    workspace::Workspace window(home("window") / "data", home("window") / "settings");
    for (const Datum datum : kDatums) {
        for (const char* table : kTables) {
            SCOPED_TRACE("datum " + std::to_string(workspace::datumCode(datum)) + " table " +
                         table);
            const std::vector<std::string> rows = dumpTable(tool.catalogue(datum), table);
            EXPECT_EQ(rows.empty(), !registrationFills(table));
            EXPECT_EQ(dumpTable(window.catalogue(datum), table), rows);
        }
        for (const WorkingFileKind kind :
             {WorkingFileKind::SheetOutlines, WorkingFileKind::Segments, WorkingFileKind::Extent}) {
            const fs::path file = tool.workingFile(kind, datum);
            SCOPED_TRACE(file.filename().string());
            const std::string bytes = test::readBytes(file);
            EXPECT_FALSE(bytes.empty());
            EXPECT_EQ(test::readBytes(window.workingFile(kind, datum)), bytes);
        }
    }
}

} // namespace
} // namespace ft::cli
