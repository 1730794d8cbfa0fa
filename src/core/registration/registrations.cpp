#include "core/registration/registrations.h"

#include "core/catalogue/quoting.h"
#include "core/catalogue/sqlite_database.h"
#include "core/catalogue/transaction.h"
#include "core/formats/converter_support.h"
#include "core/formats/text_helpers.h"
#include "core/platform/trace_log.h"

#include <algorithm>
#include <map>
#include <string>

namespace ft::registration {

namespace {

std::string pathLiteral(const std::filesystem::path& basePath)
{
    // PATH holds the path as UTF-8, which is what a path is on this platform.
    return "'" + catalogue::QuoteDoubled(basePath.string(), '\'') + "'";
}

int integerOf(const std::string& text)
{
    return formats::IntOf(text).value_or(0);
}

void runTraced(catalogue::TSQLiteDatabase& db, platform::TraceLog& trace, const std::string& sql)
{
    formats::TraceStatement(trace, sql);
    db.ExecSQL(sql);
}

} // namespace

int MaxFileNo(catalogue::TSQLiteDatabase& db)
{
    int largest = 0;
    for (const std::string_view table : kFileNoTables) {
        const catalogue::TSQLiteTable result =
            db.GetTable("SELECT MAX(FILENO) FROM " + std::string(table));
        if (result.Count() > 0)
            largest = std::max(largest, integerOf(result.FieldAsString(0)));
    }
    return largest;
}

int MaxRegisteredFileNo(catalogue::TSQLiteDatabase& db)
{
    const catalogue::TSQLiteTable result = db.GetTable("SELECT MAX(FILENO) FROM FILE");
    return result.Count() > 0 ? std::max(0, integerOf(result.FieldAsString(0))) : 0;
}

bool IsRegistered(catalogue::TSQLiteDatabase& db, const std::filesystem::path& basePath,
                  std::string_view time)
{
    catalogue::TSQLiteTable rows =
        db.GetTable("SELECT TIME FROM FILE WHERE PATH=" + pathLiteral(basePath));
    for (; !rows.Eof(); rows.Next()) {
        // std::string compares bytes as unsigned values, like memcmp.
        if (rows.FieldAsString(0) >= time)
            return true;
    }
    return false;
}

std::vector<int> RegisteredFileNos(catalogue::TSQLiteDatabase& db,
                                   const std::filesystem::path& basePath)
{
    std::vector<int> fileNos;
    catalogue::TSQLiteTable rows =
        db.GetTable("SELECT FILENO FROM FILE WHERE PATH=" + pathLiteral(basePath));
    for (; !rows.Eof(); rows.Next())
        fileNos.push_back(integerOf(rows.FieldAsString(0)));
    return fileNos;
}

std::set<int> AllRegisteredFileNos(catalogue::TSQLiteDatabase& db)
{
    std::set<int> fileNos;
    catalogue::TSQLiteTable rows = db.GetTable("SELECT FILENO FROM FILE");
    for (; !rows.Eof(); rows.Next())
        fileNos.insert(integerOf(rows.FieldAsString(0)));
    return fileNos;
}

void DeleteRegistrations(catalogue::TSQLiteDatabase& db, platform::TraceLog& trace,
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
    transaction.commit();
}

std::vector<int> SupersededFileNos(catalogue::TSQLiteDatabase& db)
{
    struct Newest {
        std::string time;
        int fileNo = 0;
    };
    std::map<std::string, Newest> newestByPath;
    std::vector<int> superseded;
    catalogue::TSQLiteTable rows = db.GetTable("SELECT PATH, TIME, FILENO FROM FILE");
    for (; !rows.Eof(); rows.Next()) {
        const Newest row{rows.FieldAsString(1), integerOf(rows.FieldAsString(2))};
        const auto [found, inserted] = newestByPath.try_emplace(rows.FieldAsString(0), row);
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

std::vector<int> MovedFileNos(catalogue::TSQLiteDatabase& db, catalogue::TSQLiteDatabase& otherDb)
{
    std::map<std::string, std::string> latestElsewhere; // PATH → latest TIME
    catalogue::TSQLiteTable others = otherDb.GetTable("SELECT PATH, TIME FROM FILE");
    for (; !others.Eof(); others.Next()) {
        std::string& latest = latestElsewhere[others.FieldAsString(0)];
        latest = std::max(latest, others.FieldAsString(1));
    }
    std::vector<int> moved;
    catalogue::TSQLiteTable rows = db.GetTable("SELECT PATH, TIME, FILENO FROM FILE");
    for (; !rows.Eof(); rows.Next()) {
        const auto found = latestElsewhere.find(rows.FieldAsString(0));
        if (found != latestElsewhere.end() && found->second > rows.FieldAsString(1))
            moved.push_back(integerOf(rows.FieldAsString(2)));
    }
    return moved;
}

void DeleteOrphanRows(catalogue::TSQLiteDatabase& db, platform::TraceLog& trace)
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
