#include "core/conversion/map_converter.h"

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/quoting.h"
#include "core/conversion/file_transaction.h"
#include "core/formats/survey_lines.h"
#include "core/formats/text_helpers.h"

#include <string>

namespace ft::formats {

namespace {

// INSERT INTO MAP VALUES ('{MAPNAME}', {FILENO},{SCALE},{OYA},{KO},{KUBUN});
std::string mapStatement(std::string line, int fileNo)
{
    // The corners are not stored: their values are never converted here.
    const MapSheetLine sheet = parseMapSheetLine(std::move(line));
    const std::string name = ToHalfWidth(sheet.name);
    const LotNumber parts = SplitLotNumber(name);
    const int scale = sheet.scale;
    const int kubun = sheet.kubun;
    return "INSERT INTO MAP VALUES ('" + catalogue::QuoteDoubled(Utf8Of(name), '\'') + "', " +
           std::to_string(fileNo) + "," + std::to_string(scale) + "," + std::to_string(parts.oya) +
           "," + std::to_string(parts.ko) + "," + std::to_string(kubun) + ");";
}

} // namespace

MapRows storeMapRows(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                     const std::filesystem::path& mapFile)
{
    bool stored = false;
    RecordLineReader reader(mapFile);
    const bool committed = RunFileTransaction(
        db, trace, mapFile,
        [&] {
            std::string line;
            while (reader.next(line)) {
                if (line.empty())
                    continue;
                const std::string statement = mapStatement(line, fileNo);
                TraceStatement(trace, statement);
                db.ExecSQL(statement);
                stored = true;
            }
        },
        &reader);
    if (!committed)
        return MapRows::Refused;
    return stored ? MapRows::Stored : MapRows::NoSheet;
}

MapStatements traceMapStatements(platform::TraceLog& trace, int fileNo,
                                 const std::filesystem::path& mapFile)
{
    MapStatements made;
    RecordLineReader reader(mapFile);
    made.readable = RunFileReading(
        trace, mapFile,
        [&] {
            std::string line;
            while (reader.next(line)) {
                if (line.empty())
                    continue;
                made.statements.push_back(mapStatement(line, fileNo));
                TraceStatement(trace, made.statements.back());
            }
        },
        &reader);
    return made;
}

MapRows runMapStatements(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                         const std::filesystem::path& mapFile, const MapStatements& statements)
{
    if (!statements.readable)
        return MapRows::Refused;
    if (statements.statements.empty())
        return MapRows::NoSheet;
    const bool committed = RunFileTransaction(db, trace, mapFile, [&] {
        for (const std::string& statement : statements.statements)
            db.ExecSQL(statement);
    });
    return committed ? MapRows::Stored : MapRows::Refused;
}

bool convertMapToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                    const std::filesystem::path& mapFile)
{
    return storeMapRows(db, trace, fileNo, mapFile) == MapRows::Stored;
}

} // namespace ft::formats
