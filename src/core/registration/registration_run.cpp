#include "core/registration/registration_run.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/formats/converter_support.h"
#include "core/formats/header_converter.h"
#include "core/formats/map_converter.h"
#include "core/formats/outlines.h"
#include "core/formats/parcel_converters.h"
#include "core/formats/point_converters.h"
#include "core/formats/point_table.h"
#include "core/formats/text_helpers.h"
#include "core/formats/working_files.h"
#include "core/platform/cp932.h"
#include "core/platform/message_text.h"
#include "core/platform/progress.h"
#include "core/registration/registrations.h"
#include "core/registration/tidy_record.h"
#include "core/registration/working_file_upkeep.h"
#include "core/workspace/workspace.h"

#include <QString>

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
// Reasons are kept as UTF-8; the error messages may quote survey bytes (CP932).
template <typename Work> std::optional<std::string> setFailureOf(Work&& work)
{
    try {
        std::forward<Work>(work)();
        return std::nullopt;
    } catch (const formats::SourceFileError& error) {
        return platform::messageAsUtf8(error.what());
    } catch (const formats::ConversionError& error) {
        return platform::messageAsUtf8(error.what());
    } catch (const platform::EncodingError& error) {
        return platform::messageAsUtf8(error.what());
    } catch (const std::system_error& error) {
        return platform::messageAsUtf8(error.what());
    }
}

std::string cp932(std::string_view utf8)
{
    return platform::utf8ToCp932(utf8);
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
        throw formats::SourceFileError(file, {}, error.message());
    if (status.type() != fs::file_type::regular)
        throw formats::SourceFileError(file, {}, "is not a file");
    if (!std::ifstream(file, std::ios::binary).is_open())
        throw formats::SourceFileError(file, {}, "cannot be opened for reading");
}

// True when the extent file holds exactly the line of this extent, or is
// missing while there is no sheet to measure (a datum never registered into
// keeps no extent file).
bool extentFileHolds(const fs::path& file, const formats::Extent& extent)
{
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open())
        return extent.isEmpty();
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return bytes == formats::formatExtent(extent) + "\r\n";
}

// Every SQLite database file begins with these 16 bytes. They are read
// through the open connection: see TSQLiteDatabase::FileStart.
bool startsLikeACatalogue(const catalogue::TSQLiteDatabase& db)
{
    static constexpr std::string_view kHeader{"SQLite format 3\0", 16};
    return db.FileStart(kHeader.size()) == kHeader;
}

} // namespace

RegistrationRun::RegistrationRun(RegistrationStores stores, platform::Progress& progress)
    : m_exclusive(stores.workingFiles.dataFolder()), m_stores(stores), m_progress(progress)
{
    // A marker left by a run that did not finish means its rows may be in
    // the catalogues whatever the record says: that run's state is tidied.
    std::error_code unknown;
    m_interrupted =
        fs::exists(RunMarkerPath(m_stores.workingFiles.dataFolder()), unknown) || unknown;
    for (const Datum datum : workspace::kDatums)
        checkCatalogue(datum);
    // A run traces every catalogue row; the logs are written step by step
    // (traceStep) instead of line by line.
    m_stores.traces.trace.setBatched(true);
    m_stores.traces.trace2.setBatched(true);
}

// One damaged catalogue must not cost the other datum its registrations, so
// each is looked at before the run touches it.
void RegistrationRun::checkCatalogue(Datum datum)
{
    if (!m_stores.catalogues.isOpen(datum)) {
        m_unusable[datum] = m_stores.catalogues.openingFailure(datum);
        return;
    }
    // A catalogue that opened may have been written over or emptied since.
    // SQLite may still answer from its write-ahead log then, so the file's
    // own first bytes are looked at too, before anything is written to it.
    const fs::path file = workspace::Catalogues::pathIn(m_stores.workingFiles.dataFolder(), datum);
    if (!startsLikeACatalogue(m_stores.catalogues[datum])) {
        m_unusable[datum] = workspace::catalogueFailureText(file, "file is not a database");
        return;
    }
    try {
        m_stores.catalogues[datum].GetTable("SELECT COUNT(*) FROM FILE");
    } catch (const catalogue::ECatalogueBusy&) {
        throw; // locked by another program, not damaged
    } catch (const catalogue::ESQLiteException& error) {
        m_unusable[datum] = workspace::catalogueFailureText(file, error.what());
    }
}

bool RegistrationRun::allUsable() const
{
    return isUsable(Datum::Japanese) && isUsable(Datum::World);
}

bool RegistrationRun::refuseIfUnusable(const SetJob& job)
{
    if (isUsable(job.datum))
        return false;
    recordFailure(job, m_unusable[job.datum]);
    return true;
}

RegistrationRun::~RegistrationRun()
{
    try {
        m_stores.traces.trace.setBatched(false);
    } catch (const std::exception&) {
        // A trace that no longer fits on the disk: the run has reported that
        // or a failure of its own already.
    }
    try {
        m_stores.traces.trace2.setBatched(false);
    } catch (const std::exception&) {
        // Likewise.
    }
    // Also after an exception: the counter must not stay on screen.
    if (m_runShown) {
        m_runState.currentSet.clear();
        m_progress.runEnded(m_runState);
    }
}

std::int64_t RegistrationRun::catalogueChanges()
{
    std::int64_t changes = 0;
    for (const Datum datum : workspace::kDatums)
        if (m_stores.catalogues.isOpen(datum))
            changes += sqlite3_total_changes64(m_stores.catalogues[datum].handle());
    return changes;
}

void RegistrationRun::beginSets(int setsFound)
{
    m_changesBefore = catalogueChanges();
    m_runState = {setsFound, 0, {}, 0};
    m_runShown = true;
    m_progress.showRun(m_runState);
}

void RegistrationRun::showRun(const fs::path& currentSet)
{
    if (!m_runShown)
        return;
    m_runState.currentSet = currentSet;
    m_runState.rowsWritten = catalogueChanges() - m_changesBefore;
    m_progress.showRun(m_runState);
}

void RegistrationRun::setDone()
{
    ++m_runState.setsDone;
    showRun(m_runState.currentSet);
}

void RegistrationRun::discardUnfinished()
{
    const auto unfinished = m_inProgress;
    for (const auto& [datum, fileNo] : unfinished)
        deleteSets(datum, {fileNo});
    m_inProgress.clear();
}

void RegistrationRun::start()
{
    // Only now, with the data folder ours, may the logs be emptied: a run of
    // another program may be writing them until then.
    m_stores.traces.beginRegistration();
    // Until finish() removes it, the marker tells every program that starts
    // that this run may have left rows of unfinished sets behind.
    formats::WorkingFile(RunMarkerPath(m_stores.workingFiles.dataFolder()),
                         formats::WorkingFile::Mode::Truncate)
        .close();
    // Rows inserted from now on go into the index as well; a catalogue made
    // before it gets it once, here, with the data folder held.
    for (const Datum datum : workspace::kDatums)
        if (isUsable(datum))
            catalogue::CreateOrderIndexIfMissing(m_stores.catalogues[datum]);
    // The tidying is left out when nothing changed the catalogues and working
    // files since a run left them in step (tidy_record.h); with a catalogue
    // that cannot be read, that state cannot be taken.
    if (!m_interrupted && allUsable() && StillInStep(m_stores)) {
        takeStateInStep();
        return;
    }
    tidy();
}

void RegistrationRun::tidy()
{
    // Registrations that an interrupted update or datum change left behind
    // go first; their rows then count as orphans.
    // A catalogue that cannot be used is left as it is, and with it the
    // working files of its datum.
    for (const Datum datum : workspace::kDatums) {
        if (!isUsable(datum))
            continue;
        catalogue::TSQLiteDatabase& db = m_stores.catalogues[datum];
        DeleteRegistrations(db, m_stores.traces.trace, SupersededFileNos(db));
    }
    // Which registration of a set found in both catalogues is the older
    // needs both; a run after the other catalogue is mended decides.
    workspace::PerDatum<std::vector<int>> moved;
    if (allUsable())
        for (const Datum datum : workspace::kDatums)
            moved[datum] = MovedFileNos(m_stores.catalogues[datum],
                                        m_stores.catalogues[workspace::otherDatum(datum)]);
    for (const Datum datum : workspace::kDatums)
        if (isUsable(datum))
            DeleteRegistrations(m_stores.catalogues[datum], m_stores.traces.trace, moved[datum]);
    for (const Datum datum : workspace::kDatums)
        if (isUsable(datum))
            tidyDatum(datum);
}

// What the tidying would have found: the extents of the sheet outlines, and
// numbers above every registered one (no row is left without its FILE row).
void RegistrationRun::takeStateInStep()
{
    for (const Datum datum : workspace::kDatums) {
        m_stores.workingFiles.extent(datum) =
            SheetOutlinesExtent(m_stores.workingFiles.path(WorkingFileKind::SheetOutlines, datum));
        m_fileNoBase[datum] = MaxRegisteredFileNo(m_stores.catalogues[datum]) + 1;
    }
}

void RegistrationRun::tidyDatum(Datum datum)
{
    catalogue::TSQLiteDatabase& db = m_stores.catalogues[datum];
    DeleteOrphanRows(db, m_stores.traces.trace);
    bringWorkingFilesInStep(datum);
    m_fileNoBase[datum] = MaxFileNo(db) + 1;
}

void RegistrationRun::bringWorkingFilesInStep(Datum datum)
{
    const std::set<int> registered = AllRegisteredFileNos(m_stores.catalogues[datum]);
    m_stores.workingFiles.extent(datum) = PruneSheetOutlines(
        m_stores.workingFiles.path(WorkingFileKind::SheetOutlines, datum), registered);
    PruneSegments(m_stores.workingFiles.path(WorkingFileKind::Segments, datum), registered);
}

SetJob RegistrationRun::job(const TargetEntry& entry, int fileNo)
{
    // One data set has one PATH however its folder was reached.
    return SetJob{entry, entry.datum(), fileNo, CanonicalDataSetPath(BasePathOf(entry.headerPath))};
}

bool RegistrationRun::isRegistered(const SetJob& job)
{
    return IsRegistered(m_stores.catalogues[job.datum], job.basePath, job.entry.time);
}

void RegistrationRun::showStatus(int fileNo, const fs::path& file)
{
    m_progress.showStatus(QString::number(fileNo) + u':' + QString::fromStdString(file.string()));
    showRun(m_runState.currentSet);
}

void RegistrationRun::traceStep(std::string_view stepName, int fileNo, const fs::path& file)
{
    m_stores.traces.trace.writeLine(cp932(stepName) + std::to_string(fileNo) + "," +
                                    formats::TraceTextOf(file));
    // The trace of a run that ends abruptly is complete up to its last step.
    m_stores.traces.trace.flush();
    m_stores.traces.trace2.flush();
}

bool RegistrationRun::writeSheets(const SetJob& job)
{
    m_runState.currentSet = job.entry.headerPath;
    m_inProgress.emplace(job.datum, job.fileNo);
    const std::optional<std::string> failure = setFailureOf([&] {
        for (const fs::path& file : sourceFilesOf(job))
            requireReadable(file);
        catalogue::TSQLiteDatabase& db = m_stores.catalogues[job.datum];
        formats::Extent& extent = m_stores.workingFiles.extent(job.datum);
        formats::WorkingFile sheets(
            m_stores.workingFiles.path(WorkingFileKind::SheetOutlines, job.datum),
            formats::WorkingFile::Mode::Append);
        const fs::path mapFile = siblingOf(job, ".map");
        formats::convertMapToZu(sheets, job.fileNo, mapFile, extent);
        // A set without map sheets is still a data set, but one whose sheets
        // the catalogue refused would be drawn and never found.
        if (formats::storeMapRows(db, m_stores.traces.trace, job.fileNo, mapFile) ==
            formats::MapRows::Refused)
            throw formats::SourceFileError(mapFile, {}, "convertMapToDB failed");
        showStatus(job.fileNo, mapFile);
        const fs::path frameFile = frameFileOf(job);
        formats::convertZukToZu(sheets, job.fileNo, frameFile, extent);
        traceStep("図面の登録 ", job.fileNo, frameFile);
        showStatus(job.fileNo, frameFile);
        sheets.close();
    });
    if (!failure)
        return true;
    discard(job, failure);
    return false;
}

bool RegistrationRun::runChainSteps(const SetJob& job, std::string& failure)
{
    catalogue::TSQLiteDatabase& db = m_stores.catalogues[job.datum];
    platform::TraceLog& trace = m_stores.traces.trace;
    formats::WorkingFile segments(m_stores.workingFiles.path(WorkingFileKind::Segments, job.datum),
                                  formats::WorkingFile::Mode::Append);
    // The point table lives for this set's steps only.
    formats::PointTable points;
    const fs::path pointFile = siblingOf(job, ".pnt");
    bool ok = formats::readPntToTable(pointFile, points);
    showStatus(job.fileNo, pointFile);
    if (!ok)
        failure = "readPntToTable found no point in " + pointFile.string();

    struct Step {
        std::string_view traceName;
        fs::path input;
        std::function<bool(const fs::path&)> run;
    };
    const int no = job.fileNo;
    const Step steps[] = {
        {"convertPntToDB,", pointFile,
         [&](const fs::path& f) {
             return formats::convertPntToDB(db, trace, m_stores.traces.trace2, no, f);
         }},
        {"convertTcpToDB,", siblingOf(job, ".tcp"),
         [&](const fs::path& f) { return formats::convertTcpToDB(db, trace, no, f); }},
        {"convertPolToInxAza,", siblingOf(job, ".pol"),
         [&](const fs::path& f) { return formats::convertPolToInxAza(segments, no, f, points); }},
        {"convertAtrToDB,", siblingOf(job, ".atr"),
         [&](const fs::path& f) { return formats::convertAtrToDB(db, trace, no, f); }},
        {"convertUndToDB,", siblingOf(job, ".und"),
         [&](const fs::path& f) {
             return formats::convertUndToDB(db, trace, m_stores.traces.trace2, no, f);
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
                failure = std::string(step.traceName.substr(0, step.traceName.size() - 1)) +
                          " failed for " + step.input.string();
        }
        // Every step leaves its status text and trace line, run or not.
        showStatus(no, step.input);
        traceStep(step.traceName, no, step.input);
    }
    // The segments must be on disk before the FILE row makes the set count.
    segments.close();
    if (!ok)
        return false;
    if (!formats::storeFileName(db, trace, no, job.basePath, job.entry.time,
                                job.entry.headerPath)) {
        failure = "storeFileName failed for " + job.entry.headerPath.string();
        return false;
    }
    return true;
}

SetOutcome RegistrationRun::registerChain(const SetJob& job)
{
    // The same header may stand twice in one list; its first entry has
    // registered it by now.
    if (isRegistered(job)) {
        discard(job, std::nullopt);
        ++m_result.alreadyRegistered;
        return SetOutcome::AlreadyRegistered;
    }
    m_runState.currentSet = job.entry.headerPath;
    m_inProgress.emplace(job.datum, job.fileNo);
    std::string chainFailure;
    bool registered = false;
    std::optional<std::string> failure =
        setFailureOf([&] { registered = runChainSteps(job, chainFailure); });
    if (!failure && !registered)
        failure = chainFailure;
    if (failure) {
        discard(job, failure);
        return SetOutcome::Failed;
    }
    m_inProgress.erase({job.datum, job.fileNo});
    ++m_result.registered;
    m_stores.traces.trace.writeLine("storeFileName," + std::to_string(job.fileNo) + "," +
                                    formats::TraceTextOf(job.basePath) + "," +
                                    std::to_string(m_result.registered));
    replaceOlderRegistrations(job);
    m_progress.showStatus(QString::fromStdString(job.entry.headerPath.string()));
    return SetOutcome::Registered;
}

void RegistrationRun::deleteSets(Datum datum, const std::vector<int>& fileNos)
{
    if (fileNos.empty())
        return;
    DeleteRegistrations(m_stores.catalogues[datum], m_stores.traces.trace, fileNos);
    m_workingFilesChanged[datum] = true;
}

void RegistrationRun::discard(const SetJob& job, const std::optional<std::string>& failure)
{
    deleteSets(job.datum, {job.fileNo});
    m_inProgress.erase({job.datum, job.fileNo});
    if (failure)
        recordFailure(job, *failure);
}

void RegistrationRun::recordFailure(const SetJob& job, const std::string& failure)
{
    m_lastFailure = failure;
    m_result.failed.push_back({job.entry.headerPath, failure});
    m_stores.traces.trace.writeLine(cp932("登録失敗,") + std::to_string(job.fileNo) + "," +
                                    formats::TraceTextOf(job.entry.headerPath) + "," +
                                    platform::utf8ToCp932Escaped(failure));
    m_progress.showStatus(QString::fromStdString(job.entry.headerPath.string()) +
                          QStringLiteral("は登録できません"));
}

void RegistrationRun::replaceOlderRegistrations(const SetJob& job)
{
    std::vector<int> older = RegisteredFileNos(m_stores.catalogues[job.datum], job.basePath);
    std::erase(older, job.fileNo);
    deleteSets(job.datum, older);
    // A header whose datum changed leaves its registration in the other
    // catalogue behind, whatever its time. (A damaged other catalogue keeps
    // it; the tidying of a run after it is mended removes it as older.)
    const Datum otherDatum = workspace::otherDatum(job.datum);
    if (!isUsable(otherDatum))
        return;
    deleteSets(otherDatum, RegisteredFileNos(m_stores.catalogues[otherDatum], job.basePath));
}

void RegistrationRun::finish(const std::set<Datum>& datums, ExtentTrace extentTrace)
{
    for (const Datum datum : workspace::kDatums) {
        if (!isUsable(datum))
            continue;
        const bool changed = m_workingFilesChanged[datum];
        if (changed)
            bringWorkingFilesInStep(datum);
        const formats::Extent& extent = m_stores.workingFiles.extent(datum);
        // The start of the run may have pruned records of this datum, or an
        // earlier run may have ended while writing its extent file.
        const fs::path extentFile = m_stores.workingFiles.path(WorkingFileKind::Extent, datum);
        if (!changed && !datums.contains(datum) && extentFileHolds(extentFile, extent))
            continue;
        formats::writeExtentFile(extentFile, extent);
        if (extentTrace == ExtentTrace::DatumMarker) {
            const double marker = workspace::datumCode(datum);
            m_stores.traces.trace.writeLine(
                formats::formatExtent({marker, marker, marker, marker}));
        } else {
            m_stores.traces.trace.writeLine(formats::formatExtent(extent));
        }
        m_workingFilesChanged[datum] = false;
    }
    const fs::path dataFolder = m_stores.workingFiles.dataFolder();
    if (!allUsable()) {
        // The state of a catalogue that cannot be read cannot be recorded:
        // the next run tidies.
        std::error_code ignored;
        fs::remove(TidyRecordPath(dataFolder), ignored);
        // What an interrupted run left in it is tidied once it can be read
        // again: its marker stays until then.
        if (m_interrupted)
            return;
    } else {
        // Everything is in step now; the next run need not tidy while it
        // stays so.
        RecordInStep(m_stores);
    }
    // The run ends cleanly: nothing of it is left for the next start to tidy.
    fs::remove(RunMarkerPath(dataFolder));
}

void RegistrationRun::abandon() noexcept
{
    for (const auto& [datum, fileNo] : m_inProgress) {
        try {
            deleteSets(datum, {fileNo});
        } catch (...) {
            // The next run removes these rows as orphans.
        }
    }
    m_inProgress.clear();
    for (const Datum datum : workspace::kDatums) {
        if (!isUsable(datum))
            continue;
        try {
            bringWorkingFilesInStep(datum);
            formats::writeExtentFile(m_stores.workingFiles.path(WorkingFileKind::Extent, datum),
                                     m_stores.workingFiles.extent(datum));
        } catch (...) {
            // Likewise: the next run starts by bringing them in step.
        }
    }
}

} // namespace ft::registration
