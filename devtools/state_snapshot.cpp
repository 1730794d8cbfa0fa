#include "devtools/state_snapshot.h"

#include "core/catalogue/sqlite_database.h"
#include "core/platform/path_text.h"
#include "devtools/temp_folder.h"

#include <algorithm>
#include <map>

namespace ft::test {
namespace {

constexpr const char* kFileNoTables[] = {"CHIBAN", "MAP", "FTEN", "ZTEN"};

// "quote(A) || '|' || quote(B) ..." over every column but FILENO.
std::string quotedColumns(catalogue::TSQLiteDatabase& db, const std::string& table)
{
    std::string columns;
    for (catalogue::TSQLiteTable info = db.GetTable("PRAGMA table_info(" + table + ")");
         !info.Eof(); info.Next()) {
        const std::string name = info.FieldByName("name");
        if (name == "FILENO")
            continue;
        columns += (columns.empty() ? "quote(T.[" : " || '|' || quote(T.[") + name + "])";
    }
    return columns;
}

void addRows(std::vector<std::string>& lines, catalogue::TSQLiteDatabase& db,
             const std::string& sql)
{
    for (catalogue::TSQLiteTable rows = db.GetTable(sql); !rows.Eof(); rows.Next())
        lines.push_back(rows.FieldAsString(0));
}

// Working-file records, each with its last field (FILENO) as a path.
void addRecords(std::vector<std::string>& lines, const std::string& prefix,
                const std::filesystem::path& file, const std::map<std::string, std::string>& paths)
{
    const std::string bytes = readBytes(file);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string record = bytes.substr(start, end - start);
        start = end + 2;
        // "...,FILENO," → "...," + path
        const std::size_t last = record.rfind(',', record.size() >= 2 ? record.size() - 2 : 0);
        const std::string fileNo = record.substr(last + 1, record.size() - last - 2);
        const auto path = paths.find(fileNo);
        record.resize(last + 1);
        lines.push_back(prefix + record +
                        (path == paths.end() ? "orphan:" + fileNo : path->second));
    }
}

} // namespace

std::vector<std::string> registrationSnapshot(const std::filesystem::path& dataFolder)
{
    std::vector<std::string> lines;
    for (const auto& [code, name] : {std::pair{1, "Dorsajpn.db"}, std::pair{2, "Dorsawrd.db"}}) {
        const std::string datum = std::to_string(code) + "|";
        catalogue::TSQLiteDatabase db(platform::pathText(dataFolder / name));
        addRows(lines, db,
                "SELECT '" + datum + "FILE|' || " + quotedColumns(db, "FILE") + " FROM FILE T");
        for (const std::string table : kFileNoTables)
            addRows(lines, db,
                    "SELECT '" + datum + table +
                        "|' || coalesce((SELECT PATH FROM FILE F WHERE F.FILENO = T.FILENO), "
                        "'orphan:' || T.FILENO) || '|' || " +
                        quotedColumns(db, table) + " FROM " + table + " T");
        std::map<std::string, std::string> paths;
        for (catalogue::TSQLiteTable rows = db.GetTable("SELECT FILENO, PATH FROM FILE");
             !rows.Eof(); rows.Next())
            paths[rows.FieldAsString(0)] = rows.FieldAsString(1);
        const std::string stem = platform::pathText(dataFolder / "findTavla");
        const std::string digit = std::to_string(code);
        addRecords(lines, datum + "zu|", stem + ".zu" + digit, paths);
        addRecords(lines, datum + "az|", stem + ".az" + digit, paths);
        lines.push_back(datum + "he|" + readBytes(stem + ".he" + digit));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace ft::test
