#include "core/registration/data_set_passes.h"

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/change_counter.h"
#include "core/catalogue/transaction.h"
#include "core/conversion/header_converter.h"
#include "core/conversion/parcel_converters.h"
#include "core/conversion/point_converters.h"
#include "core/formats/converter_support.h"
#include "core/formats/outlines.h"
#include "core/formats/point_table.h"
#include "core/formats/text_helpers.h"
#include "core/formats/working_files.h"
#include "core/platform/cp932.h"
#include "core/platform/message_text.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "core/registration/registered_sets.h"
#include "core/workspace/workspace.h"

#include <cerrno>
#include <fstream>
#include <functional>
#include <iterator>
#include <system_error>

namespace ft::registration {

namespace fs = std::filesystem;
using workspace::Datum;
using workspace::WorkingFileKind;

namespace {

// Runs one step of a data set. The errors that belong to the data set (its
// files cannot be read, hold numbers or text that cannot be converted, or its
// path cannot be written to a CP932 trace) come back as a reason; anything
// else (the catalogue failing outside a converter, memory) ends the run.
// Reasons are kept as UTF-8, in the words the operator is shown; the error
// messages may quote survey bytes (CP932).
template <typename Work> std::optional<std::string> setFailureOf(Work&& work)
{
    const auto reason = [](const std::exception& error) {
        return platform::failureText(error).joined().toStdString();
    };
    try {
        std::forward<Work>(work)();
        return std::nullopt;
    } catch (const formats::SourceFileError& error) {
        return reason(error);
    } catch (const formats::ConversionError& error) {
        return reason(error);
    } catch (const platform::EncodingError& error) {
        return reason(error);
    } catch (const std::system_error& error) {
        return reason(error);
    }
}

std::string pathReason(const char* source, const fs::path& file, const QString& step = {})
{
    QStringList arguments{QString::fromStdString(platform::pathText(file))};
    if (!step.isEmpty())
        arguments.prepend(step);
    return platform::Message(source, arguments).text().toStdString();
}

fs::path siblingOf(const SetJob& job, std::string_view extension)
{
    return SiblingOf(job.entry.headerPath, extension);
}

// The sheet-frame file's extension names the datum: ".zo1" or ".zo2".
fs::path frameFileOf(const SetJob& job)
{
    return siblingOf(job, ".zo" + std::to_string(workspace::datumCode(job.datum)));
}

// The files of a set that the steps read, the header included.
std::vector<fs::path> sourceFilesOf(const SetJob& job)
{
    std::vector<fs::path> files{job.entry.headerPath};
    for (const std::string_view extension :
         {".map", ".pnt", ".tcp", ".pol", ".atr", ".und", ".cos"})
        files.push_back(siblingOf(job, extension));
    files.push_back(frameFileOf(job));
    return files;
}

// A missing sibling is a set without those records, but one that is there
// and cannot be read (no read permission, a link that loops, a pipe
// or a folder in its place) fails the set: the converters would pass it by
// as if missing, and the set would count as registered without its rows for
// good, since making the file readable does not change its time.
void requireReadable(const fs::path& file)
{
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found)
        return;
    if (error)
        throw formats::SourceFileError(
            file, {},
            platform::Message(QT_TRANSLATE_NOOP("findTavla", "it cannot be looked at (%1)"),
                              {QString::fromStdString(error.message())}));
    if (status.type() != fs::file_type::regular)
        throw formats::SourceFileError(
            file, {}, platform::Message(QT_TRANSLATE_NOOP("findTavla", "is not a file")));
    if (!std::ifstream(file, std::ios::binary).is_open())
        throw formats::SourceFileError(
            file, {},
            platform::Message(QT_TRANSLATE_NOOP("findTavla", "cannot be opened for reading")));
}

std::uintmax_t sizeOf(const fs::path& file)
{
    std::error_code missing;
    const std::uintmax_t size = fs::file_size(file, missing);
    return missing ? 0 : size;
}

// The records the file gained past `offset` (each written with its CR LF).
std::vector<std::string> recordsAfter(const fs::path& file, std::uintmax_t offset)
{
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open())
        throw std::system_error(errno, std::generic_category(),
                                "Cannot read back " + platform::pathText(file));
    in.seekg(static_cast<std::streamoff>(offset));
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> records;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos)
            end = bytes.size();
        records.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return records;
}

} // namespace

bool DataSetPasses::refuseIfUnusable(const SetJob& job)
{
    if (m_run.isUsable(job.datum))
        return false;
    m_run.recordFailure(job, m_run.unusableReason(job.datum));
    return true;
}

bool DataSetPasses::isRegistered(const SetJob& job)
{
    return IsRegistered(m_run.stores().catalogues[job.datum], job.basePath, job.entry.time);
}

void DataSetPasses::traceStep(std::string_view stepName, int fileNo, const fs::path& file)
{
    workspace::TraceLogs& traces = m_run.stores().traces;
    traces.trace.writeLine(platform::utf8ToCp932(stepName) + std::to_string(fileNo) + "," +
                           formats::TraceTextOf(file));
    // The trace of a run that ends abruptly is complete up to its last step.
    traces.trace.flush();
    traces.trace2.flush();
}

bool DataSetPasses::writeSheets(const SetJob& job)
{
    m_run.setBegun(job);
    RegistrationStores& stores = m_run.stores();
    const std::optional<std::string> failure = setFailureOf([&] {
        for (const fs::path& file : sourceFilesOf(job))
            requireReadable(file);
        formats::Extent& extent = stores.workingFiles.extent(job.datum);
        const fs::path sheetFile =
            stores.workingFiles.path(WorkingFileKind::SheetOutlines, job.datum);
        const std::uintmax_t sheetsBefore = sizeOf(sheetFile);
        formats::WorkingFile sheets(sheetFile, formats::WorkingFile::Mode::Append);
        const fs::path mapFile = siblingOf(job, ".map");
        formats::convertMapToZu(sheets, job.fileNo, mapFile, extent);
        // The rows go into the catalogue with the rest of the set, in its
        // second pass; the trace shows them here, where the sheets are read.
        formats::MapStatements statements =
            formats::traceMapStatements(stores.traces.trace, job.fileNo, mapFile);
        // A set without map sheets is still a data set, but one whose sheets
        // cannot be read would be drawn and never found.
        if (!statements.readable)
            throw formats::SourceFileError(
                mapFile, {},
                platform::Message(QT_TRANSLATE_NOOP("findTavla", "%1 failed"),
                                  {QStringLiteral("convertMapToDB")}));
        m_mapStatements[{job.datum, job.fileNo}] = std::move(statements);
        m_run.showStatus(job.fileNo, mapFile);
        const fs::path frameFile = frameFileOf(job);
        formats::convertZukToZu(sheets, job.fileNo, frameFile, extent);
        traceStep("図面の登録 ", job.fileNo, frameFile);
        m_run.showStatus(job.fileNo, frameFile);
        sheets.close();
        if (m_run.shared())
            m_lines[{job.datum, job.fileNo}].sheetOutlines = recordsAfter(sheetFile, sheetsBefore);
    });
    if (!failure)
        return true;
    drop(job, failure);
    return false;
}

bool DataSetPasses::runChainSteps(const SetJob& job, std::string& failure)
{
    RegistrationStores& stores = m_run.stores();
    catalogue::CatalogueDatabase& db = stores.catalogues[job.datum];
    platform::TraceLog& trace = stores.traces.trace;
    const fs::path segmentFile = stores.workingFiles.path(WorkingFileKind::Segments, job.datum);
    const std::uintmax_t segmentsBefore = sizeOf(segmentFile);
    formats::WorkingFile segments(segmentFile, formats::WorkingFile::Mode::Append);
    // The point table lives for this set's steps only.
    formats::PointTable points;
    const fs::path pointFile = siblingOf(job, ".pnt");
    bool ok = formats::readPntToTable(pointFile, points);
    m_run.showStatus(job.fileNo, pointFile);
    if (!ok)
        failure = pathReason(QT_TRANSLATE_NOOP("findTavla", "readPntToTable found no point in %1"),
                             pointFile);

    struct Step {
        std::string_view traceName;
        fs::path input;
        std::function<bool(const fs::path&)> run;
    };
    const int no = job.fileNo;
    const Step steps[] = {
        {"convertPntToDB,", pointFile,
         [&](const fs::path& f) {
             return formats::convertPntToDB(db, trace, stores.traces.trace2, no, f);
         }},
        {"convertTcpToDB,", siblingOf(job, ".tcp"),
         [&](const fs::path& f) { return formats::convertTcpToDB(db, trace, no, f); }},
        {"convertPolToInxAza,", siblingOf(job, ".pol"),
         [&](const fs::path& f) { return formats::convertPolToInxAza(segments, no, f, points); }},
        {"convertAtrToDB,", siblingOf(job, ".atr"),
         [&](const fs::path& f) { return formats::convertAtrToDB(db, trace, no, f); }},
        {"convertUndToDB,", siblingOf(job, ".und"),
         [&](const fs::path& f) {
             return formats::convertUndToDB(db, trace, stores.traces.trace2, no, f);
         }},
        {"convertCosToDB,", siblingOf(job, ".cos"),
         [&](const fs::path& f) { return formats::convertCosToDB(db, trace, no, f); }},
        {"convertZukToInxAza,", frameFileOf(job),
         [&](const fs::path& f) { return formats::convertZukToInxAza(segments, no, f); }},
    };
    for (const Step& step : steps) {
        if (ok) {
            ok = step.run(step.input);
            if (!ok)
                failure = pathReason(
                    QT_TRANSLATE_NOOP("findTavla", "%1 failed for %2"), step.input,
                    QString::fromLatin1(step.traceName.data(),
                                        static_cast<qsizetype>(step.traceName.size() - 1)));
        }
        // Every step leaves its status text and trace line, run or not.
        m_run.showStatus(no, step.input);
        traceStep(step.traceName, no, step.input);
    }
    // The segments must be on disk before the FILE row makes the set count.
    segments.close();
    if (!ok)
        return false;
    if (m_run.shared())
        m_lines[{job.datum, no}].segments = recordsAfter(segmentFile, segmentsBefore);
    if (!formats::storeFileName(db, trace, no, job.basePath, job.entry.time,
                                job.entry.headerPath)) {
        failure = pathReason(QT_TRANSLATE_NOOP("findTavla", "%1 failed for %2"),
                             job.entry.headerPath, QStringLiteral("storeFileName"));
        return false;
    }
    return true;
}

bool DataSetPasses::registerInOneTransaction(const SetJob& job, std::string& failure)
{
    RegistrationStores& stores = m_run.stores();
    catalogue::CatalogueDatabase& db = stores.catalogues[job.datum];
    const auto kept = m_mapStatements.find({job.datum, job.fileNo});
    const formats::MapStatements mapStatements =
        kept != m_mapStatements.end() ? std::move(kept->second) : formats::MapStatements{};
    if (kept != m_mapStatements.end())
        m_mapStatements.erase(kept);
    // The set's transaction is the outermost one: a transaction left open
    // (a rollback that failed) would otherwise take the set in as a
    // savepoint, and the run ends here instead.
    if (db.InTransaction())
        throw catalogue::CatalogueError("Transaction already open");
    // The write lock for the whole set: what the duplicate test and the
    // number allocation read stays so until the set lands. Every converter's
    // file is a savepoint inside it; leaving without commit rolls it all back.
    catalogue::Transaction set(db, catalogue::Transaction::Start::WriteLockNow);
    const fs::path mapFile = siblingOf(job, ".map");
    if (formats::runMapStatements(db, stores.traces.trace, mapFile, mapStatements) ==
        formats::MapRows::Refused) {
        failure = pathReason(QT_TRANSLATE_NOOP("findTavla", "%1 failed for %2"), mapFile,
                             QStringLiteral("convertMapToDB"));
        return false;
    }
    if (!runChainSteps(job, failure))
        return false;
    if (m_run.shared()) {
        const auto lines = m_lines.find({job.datum, job.fileNo});
        if (lines != m_lines.end()) {
            catalogue::StoreDrawingLines(db, job.fileNo, lines->second);
            m_lines.erase(lines);
        }
    }
    replaceOlderRegistrations(job);
    catalogue::RaiseChangeCounter(db);
    set.commit();
    return true;
}

SetOutcome DataSetPasses::registerChain(const SetJob& job)
{
    // The same header may stand twice in one list; its first entry has
    // registered it by now.
    if (isRegistered(job)) {
        drop(job, std::nullopt);
        ++m_run.result().alreadyRegistered;
        return SetOutcome::AlreadyRegistered;
    }
    m_run.setBegun(job);
    std::string chainFailure;
    bool registered = false;
    std::optional<std::string> failure =
        setFailureOf([&] { registered = registerInOneTransaction(job, chainFailure); });
    if (!failure && !registered)
        failure = chainFailure;
    if (failure) {
        drop(job, failure);
        return SetOutcome::Failed;
    }
    m_run.setRegistered(job);
    m_run.stores().traces.trace.writeLine("storeFileName," + std::to_string(job.fileNo) + "," +
                                          formats::TraceTextOf(job.basePath) + "," +
                                          std::to_string(m_run.result().registered));
    removeFromOtherCatalogue(job);
    m_run.showStatus(QString::fromStdString(platform::pathText(job.entry.headerPath)));
    return SetOutcome::Registered;
}

void DataSetPasses::drop(const SetJob& job, const std::optional<std::string>& failure)
{
    m_mapStatements.erase({job.datum, job.fileNo});
    m_lines.erase({job.datum, job.fileNo});
    m_run.setDropped(job);
    if (failure)
        m_run.recordFailure(job, *failure);
}

// Inside the set's transaction: an update replaces the older registration
// in the same breath.
void DataSetPasses::replaceOlderRegistrations(const SetJob& job)
{
    catalogue::CatalogueDatabase& db = m_run.stores().catalogues[job.datum];
    std::vector<int> older = RegisteredFileNos(db, job.basePath);
    std::erase(older, job.fileNo);
    if (older.empty())
        return;
    DeleteRegistrations(db, m_run.stores().traces.trace, older);
    m_run.workingFilesChanged(job.datum);
}

// A header whose datum changed leaves its registration in the other
// catalogue behind, whatever its time. (A damaged other catalogue keeps it;
// the tidying of a run after it is mended removes it as older.)
void DataSetPasses::removeFromOtherCatalogue(const SetJob& job)
{
    const Datum otherDatum = workspace::otherDatum(job.datum);
    if (!m_run.isUsable(otherDatum))
        return;
    catalogue::CatalogueDatabase& db = m_run.stores().catalogues[otherDatum];
    const std::vector<int> older = RegisteredFileNos(db, job.basePath);
    if (older.empty())
        return;
    DeleteRegistrations(db, m_run.stores().traces.trace, older);
    m_run.workingFilesChanged(otherDatum);
}

} // namespace ft::registration
