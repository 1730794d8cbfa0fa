#include "core/conversion/parcel_converters.h"

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

enum class ParcelSource { Attributes = 1, Owners = 2, Groups = 3 };

// One CHIBAN row; texts are UTF-8.
struct ParcelRow {
    std::string oaza;
    std::string koaza;
    std::string lot; // folded
    std::string owner;
    std::string ownerKana;
    LotNumber lotParts;
};

void setLot(ParcelRow& row, const std::string& cp932Lot)
{
    const std::string folded = ToHalfWidth(cp932Lot);
    row.lotParts = SplitLotNumber(folded);
    row.lot = Utf8Of(folded);
}

// A parcel attribute line, also the layout of a grouped parcel's detail line.
ParcelRow readAttributeLine(std::string line)
{
    const ParcelLine parcel = parseParcelLine(std::move(line));
    ParcelRow row;
    row.oaza = Utf8Of(parcel.oaza);
    row.koaza = Utf8Of(parcel.koaza);
    setLot(row, parcel.lot);
    row.ownerKana = Utf8Of(ToHalfWidth(parcel.ownerKana));
    row.owner = Utf8Of(ToHalfWidth(parcel.owner));
    return row;
}

// INSERT INTO CHIBAN VALUES ('{OOAZA}', '{KOAZA}', '{CHIBAN}',1,'{SNAME}',
// '{KNAME}',{OYA},{KO},{MAGO},{FILENO} );
std::string chibanStatement(const ParcelRow& row, ParcelSource source, int fileNo)
{
    std::string statement;
    statement.reserve(128 + row.oaza.size() + row.koaza.size() + row.lot.size() + row.owner.size() +
                      row.ownerKana.size());
    const auto appendQuoted = [&statement](const std::string& text) {
        catalogue::AppendQuoteDoubled(statement, text, '\'');
    };
    statement += "INSERT INTO CHIBAN VALUES ('";
    appendQuoted(row.oaza);
    statement += "', '";
    appendQuoted(row.koaza);
    statement += "', '";
    appendQuoted(row.lot);
    statement += "',";
    statement += std::to_string(static_cast<int>(source));
    statement += ",'";
    appendQuoted(row.owner);
    statement += "', '";
    appendQuoted(row.ownerKana);
    statement += "',";
    for (const int number : {row.lotParts.oya, row.lotParts.ko, row.lotParts.mago}) {
        statement += std::to_string(number);
        statement += ',';
    }
    statement += std::to_string(fileNo);
    statement += " ); ";
    return statement;
}

// The next announced line of a group; past the end of the file a missing
// line reads as empty and the result is false. The callers treat the first
// missing line like any other (it is traced) and then stop: every further
// one would be the same empty line again, and a corrupt count would flood
// the trace logs for hours.
bool nextAnnouncedLine(RecordLineReader& reader, std::string& line)
{
    if (reader.next(line))
        return true;
    line.clear();
    return false;
}

} // namespace

bool convertAtrToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                    const std::filesystem::path& atrFile)
{
    RecordLineReader reader(atrFile);
    if (!reader.isOpen())
        return true;
    return RunFileTransaction(
        db, trace, atrFile,
        [&] {
            std::string line;
            while (reader.next(line)) {
                if (line.find(',') == std::string::npos)
                    continue;
                const ParcelRow row = readAttributeLine(line);
                const std::string statement =
                    chibanStatement(row, ParcelSource::Attributes, fileNo);
                if (!row.lot.empty())
                    db.ExecSQL(statement);
                TraceStatement(trace, statement);
            }
        },
        &reader);
}

bool convertCosToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                    const std::filesystem::path& cosFile)
{
    std::error_code unknown;
    if (!std::filesystem::exists(cosFile, unknown))
        return true;
    RecordLineReader reader(cosFile);
    return RunFileTransaction(
        db, trace, cosFile,
        [&] {
            if (!reader.isOpen())
                throw platform::SystemFailure(
                    EACCES,
                    platform::Message(QT_TRANSLATE_NOOP("findTavla", "cannot open %1"),
                                      {QString::fromStdString(platform::pathText(cosFile))}));
            std::string line;
            while (reader.next(line)) {
                const OwnerListHeader header = parseOwnerListHeader(std::move(line));
                ParcelRow row;
                row.oaza = Utf8Of(header.oaza);
                row.koaza = Utf8Of(header.koaza);
                setLot(row, header.lot);
                bool present = true;
                for (int i = 0; i < header.ownerCount && present; ++i) {
                    std::string ownerLine;
                    present = nextAnnouncedLine(reader, ownerLine);
                    const OwnerLine owner = parseOwnerLine(std::move(ownerLine));
                    row.ownerKana = Utf8Of(ToHalfWidth(owner.kana));
                    row.owner = Utf8Of(ToHalfWidth(owner.name));
                    const std::string statement =
                        chibanStatement(row, ParcelSource::Owners, fileNo);
                    if (!row.owner.empty() || !row.ownerKana.empty())
                        db.ExecSQL(statement);
                    TraceStatement(trace, statement);
                }
            }
        },
        &reader);
}

bool convertUndToDB(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                    platform::AppendingTraceLog& trace2, int fileNo,
                    const std::filesystem::path& undFile)
{
    RecordLineReader reader(undFile);
    if (!reader.isOpen())
        return true;
    return RunFileTransaction(
        db, trace, undFile,
        [&] {
            const std::string pathText = TraceTextOf(undFile);
            std::string header;
            while (reader.next(header)) {
                const int parcelCount = parseParcelGroupHeader(std::move(header)).parcelCount;
                trace2.writeLine(pathText + "num=" + std::to_string(parcelCount));
                bool present = true;
                for (int i = 0; i < parcelCount && present; ++i) {
                    std::string detail;
                    present = nextAnnouncedLine(reader, detail);
                    const ParcelRow row = readAttributeLine(std::move(detail));
                    const std::string statement =
                        chibanStatement(row, ParcelSource::Groups, fileNo);
                    // Converted once for both logs.
                    const std::string traced = platform::utf8ToCp932Escaped(statement);
                    trace.writeLine(traced);
                    trace2.writeLine(pathText + " sql2=" + traced);
                    if (!row.lot.empty())
                        db.ExecSQL(statement);
                }
            }
        },
        &reader);
}

} // namespace ft::formats
