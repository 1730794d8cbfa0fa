#include "core/registration/registered_sets.h"

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/change_counter.h"
#include "core/catalogue/quoting.h"
#include "core/catalogue/shared_catalogue.h"
#include "core/catalogue/transaction.h"
#include "core/formats/converter_support.h"
#include "core/formats/text_helpers.h"
#include "core/platform/path_text.h"
#include "core/platform/trace_log.h"

#include <algorithm>
#include <map>
#include <string>

namespace ft::registration {

namespace {

int integerOf(const std::string& text)
{
    return formats::IntOf(text).value_or(0);
}

struct FileRow {
    std::string time;
    int fileNo = 0;
};

// The FILE rows of the data set at `basePath`. PATH holds the path as UTF-8,
// which is what a path is on this platform. Only rows with the same file
// name can match, so few paths are resolved.
std::vector<FileRow> rowsOfDataSet(catalogue::CatalogueDatabase& db,
                                   const std::filesystem::path& basePath)
{
    const std::filesystem::path wanted = CanonicalDataSetPath(basePath);
    const std::string name = platform::pathText(wanted.filename());
    std::vector<FileRow> found;
    catalogue::ResultTable rows = db.GetTable("SELECT PATH, TIME, FILENO FROM FILE");
    for (; !rows.Eof(); rows.Next()) {
        const std::filesystem::path path = platform::pathFromText(rows.FieldAsString(0));
        if (platform::pathText(path.filename()) != name)
            continue;
        if (path == wanted || CanonicalDataSetPath(path) == wanted)
            found.push_back({rows.FieldAsString(1), integerOf(rows.FieldAsString(2))});
    }
    return found;
}

// The key under which the rows of one data set meet.
std::string dataSetKey(const std::string& path)
{
    return platform::pathText(CanonicalDataSetPath(platform::pathFromText(path)));
}

void runTraced(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, const std::string& sql)
{
    formats::TraceStatement(trace, sql);
    db.ExecSQL(sql);
}

} // namespace

int MaxFileNo(catalogue::CatalogueDatabase& db)
{
    int largest = 0;
    for (const std::string_view table : kFileNoTables) {
        const catalogue::ResultTable result =
            db.GetTable("SELECT MAX(FILENO) FROM " + std::string(table));
        if (result.Count() > 0)
            largest = std::max(largest, integerOf(result.FieldAsString(0)));
    }
    return largest;
}

int MaxRegisteredFileNo(catalogue::CatalogueDatabase& db)
{
    const catalogue::ResultTable result = db.GetTable("SELECT MAX(FILENO) FROM FILE");
    return result.Count() > 0 ? std::max(0, integerOf(result.FieldAsString(0))) : 0;
}

std::filesystem::path CanonicalDataSetPath(const std::filesystem::path& basePath)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(basePath, error);
    if (error || !absolute.has_filename())
        return basePath.lexically_normal();
    std::filesystem::path folder = std::filesystem::weakly_canonical(absolute.parent_path(), error);
    if (error)
        folder = absolute.parent_path().lexically_normal();
    return folder / absolute.filename();
}

bool IsRegistered(catalogue::CatalogueDatabase& db, const std::filesystem::path& basePath,
                  std::string_view time)
{
    // std::string compares bytes as unsigned values, like memcmp.
    const std::vector<FileRow> rows = rowsOfDataSet(db, basePath);
    return std::any_of(rows.begin(), rows.end(),
                       [time](const FileRow& row) { return row.time >= time; });
}

std::vector<int> RegisteredFileNos(catalogue::CatalogueDatabase& db,
                                   const std::filesystem::path& basePath)
{
    std::vector<int> fileNos;
    for (const FileRow& row : rowsOfDataSet(db, basePath))
        fileNos.push_back(row.fileNo);
    return fileNos;
}

std::set<int> AllRegisteredFileNos(catalogue::CatalogueDatabase& db)
{
    std::set<int> fileNos;
    catalogue::ResultTable rows = db.GetTable("SELECT FILENO FROM FILE");
    for (; !rows.Eof(); rows.Next())
        fileNos.insert(integerOf(rows.FieldAsString(0)));
    return fileNos;
}

void DeleteRegistrations(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                         const std::vector<int>& fileNos)
{
    if (fileNos.empty())
        return;
    // No table has an index, so each statement scans its table once.
    catalogue::Transaction transaction(db);
    for (const std::string_view table : kFileNoTables) {
        for (const int fileNo : fileNos)
            runTraced(db, trace,
                      "DELETE FROM " + std::string(table) +
                          " WHERE FILENO=" + std::to_string(fileNo) + ";");
    }
    catalogue::DeleteDrawingLines(db, fileNos);
    catalogue::RaiseChangeCounter(db);
    transaction.commit();
}

std::vector<int> SupersededFileNos(catalogue::CatalogueDatabase& db)
{
    struct Newest {
        std::string time;
        int fileNo = 0;
    };
    std::map<std::string, Newest> newestByPath;
    std::vector<int> superseded;
    catalogue::ResultTable rows = db.GetTable("SELECT PATH, TIME, FILENO FROM FILE");
    for (; !rows.Eof(); rows.Next()) {
        const Newest row{rows.FieldAsString(1), integerOf(rows.FieldAsString(2))};
        const auto [found, inserted] =
            newestByPath.try_emplace(dataSetKey(rows.FieldAsString(0)), row);
        if (inserted)
            continue;
        Newest& kept = found->second;
        const bool rowIsNewer =
            row.time > kept.time || (row.time == kept.time && row.fileNo > kept.fileNo);
        superseded.push_back(rowIsNewer ? kept.fileNo : row.fileNo);
        if (rowIsNewer)
            kept = row;
    }
    return superseded;
}

std::vector<int> MovedFileNos(catalogue::CatalogueDatabase& db,
                              catalogue::CatalogueDatabase& otherDb)
{
    std::map<std::string, std::string> latestElsewhere; // data set → latest TIME
    catalogue::ResultTable others = otherDb.GetTable("SELECT PATH, TIME FROM FILE");
    for (; !others.Eof(); others.Next()) {
        std::string& latest = latestElsewhere[dataSetKey(others.FieldAsString(0))];
        latest = std::max(latest, others.FieldAsString(1));
    }
    std::vector<int> moved;
    catalogue::ResultTable rows = db.GetTable("SELECT PATH, TIME, FILENO FROM FILE");
    for (; !rows.Eof(); rows.Next()) {
        const auto found = latestElsewhere.find(dataSetKey(rows.FieldAsString(0)));
        if (found != latestElsewhere.end() && found->second > rows.FieldAsString(1))
            moved.push_back(integerOf(rows.FieldAsString(2)));
    }
    return moved;
}

void DeleteOrphanRows(catalogue::CatalogueDatabase& db, platform::TraceLog& trace)
{
    catalogue::Transaction transaction(db);
    for (const std::string_view table : kFileNoTables) {
        if (table == "FILE")
            continue;
        // NULL numbers in FILE would make NOT IN match nothing at all.
        runTraced(db, trace,
                  "DELETE FROM " + std::string(table) +
                      " WHERE FILENO NOT IN (SELECT FILENO FROM FILE WHERE FILENO IS NOT NULL);");
    }
    transaction.commit();
}

} // namespace ft::registration
