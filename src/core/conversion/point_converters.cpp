#include "core/conversion/point_converters.h"

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/quoting.h"
#include "core/conversion/file_transaction.h"
#include "core/formats/survey_lines.h"
#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
#include "core/platform/path_text.h"
#include "core/platform/trace_log.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace ft::formats {

namespace {

struct PointName {
    std::string utf8;
    LotNumber parts;
};

PointName pointName(const std::string& cp932Name)
{
    const std::string folded = ToHalfWidth(cp932Name);
    return {Utf8Of(folded), SplitLotNumber(folded)};
}

} // namespace

bool convertPntToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                    platform::AppendingTraceLog& trace2, int fileNo,
                    const std::filesystem::path& pntFile)
{
    bool processed = false;
    RecordLineReader reader(pntFile);
    const bool committed = RunFileTransaction(
        db, trace, pntFile,
        [&] {
            if (!reader.isOpen())
                return;
            const std::string pathText = TraceTextOf(pntFile);
            std::string line;
            while (reader.next(line)) {
                if (line.empty())
                    continue;
                // Trimmed before folding: a full-width blank at the end survives
                // as a one-byte blank ("P6 ").
                const PointLine point = parsePointLine(std::move(line));
                const PointName name = pointName(point.name);
                const std::string kubun = IntegerOrNull(point.kind);
                // INSERT INTO FTEN VALUES ('{TENNAME}', {FILENO},{OYA},{KO},{KUBUN});
                const std::string statement =
                    "INSERT INTO FTEN VALUES ('" + catalogue::QuoteDoubled(name.utf8, '\'') +
                    "', " + std::to_string(fileNo) + "," + std::to_string(name.parts.oya) + "," +
                    std::to_string(name.parts.ko) + "," + kubun + "); ";
                // Converted once for both logs.
                const std::string traced = platform::utf8ToCp932Escaped(statement);
                trace.writeLine(traced);
                trace2.writeLine(pathText + " sql2=" + traced);
                if (!name.utf8.empty())
                    db.ExecSQL(statement);
                processed = true;
            }
        },
        &reader);
    return committed && processed;
}

bool convertTcpToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                    const std::filesystem::path& tcpFile)
{
    std::error_code unknown;
    if (!std::filesystem::exists(tcpFile, unknown))
        return true;
    RecordLineReader reader(tcpFile);
    return RunFileTransaction(
        db, trace, tcpFile,
        [&] {
            if (!reader.isOpen())
                throw platform::SystemFailure(
                    EACCES,
                    platform::Message(QT_TRANSLATE_NOOP("findTavla", "cannot open %1"),
                                      {QString::fromStdString(platform::pathText(tcpFile))}));
            std::string line;
            while (reader.next(line)) {
                if (line.empty())
                    continue;
                const PointName name = pointName(parseControlPointLine(std::move(line)).name);
                // INSERT INTO ZTEN VALUES ("{TENNAME}", {FILENO},{OYA},{KO});
                const std::string statement =
                    "INSERT INTO ZTEN VALUES (\"" + catalogue::QuoteDoubled(name.utf8, '"') +
                    "\", " + std::to_string(fileNo) + "," + std::to_string(name.parts.oya) + "," +
                    std::to_string(name.parts.ko) + "); ";
                TraceStatement(trace, statement);
                db.ExecSQL(statement);
            }
        },
        &reader);
}

} // namespace ft::formats
