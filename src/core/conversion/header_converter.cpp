#include "core/conversion/header_converter.h"

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/quoting.h"
#include "core/conversion/file_transaction.h"
#include "core/formats/survey_lines.h"
#include "core/formats/text_helpers.h"
#include "core/platform/path_text.h"

#include <string>

namespace ft::formats {

namespace {

// INSERT INTO FILE VALUES ("{PATH}", "{TIME}", {FILENO},"{CREATER}","{CHIKU}",{KEI},{SOKU});
std::string fileStatement(const std::string& utf8Path, std::string_view time, int fileNo,
                          const HeaderLine& fields)
{
    // SOKU is read as the datum classification reads it: trimmed, so that
    // "2 " stores 2.
    const int soku = IntOf(TrimBlanks(fields.datum)).value_or(0);
    return "INSERT INTO FILE VALUES (\"" + catalogue::QuoteDoubled(utf8Path, '"') + "\", \"" +
           catalogue::QuoteDoubled(Utf8Of(time), '"') + "\", " + std::to_string(fileNo) + ",\"" +
           catalogue::QuoteDoubled(Utf8Of(fields.creater), '"') + "\",\"" +
           catalogue::QuoteDoubled(Utf8Of(fields.chiku), '"') + "\"," + IntegerOrNull(fields.kei) +
           "," + std::to_string(soku) + "); ";
}

} // namespace

bool storeFileName(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                   const std::filesystem::path& basePath, std::string_view time,
                   const std::filesystem::path& headerFileGiven)
{
    // The base path may itself hold a dot ("A.01"), so the extension is
    // appended rather than replaced.
    std::filesystem::path headerFile = headerFileGiven;
    if (headerFile.empty())
        (headerFile = basePath) += ".hed";
    RecordLineReader reader(headerFile);
    if (!reader.isOpen())
        return false;
    std::string firstLine;
    reader.next(firstLine);
    const HeaderLine fields = parseHeaderLine(firstLine);

    return RunFileTransaction(
        db, trace, headerFile,
        [&] {
            const std::string statement =
                fileStatement(platform::pathText(basePath), time, fileNo, fields);
            TraceStatement(trace, statement);
            db.ExecSQL(statement);
        },
        &reader);
}

} // namespace ft::formats
