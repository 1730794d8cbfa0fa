#include "core/registration/registration_run.h"

#include "core/catalogue/catalogue_database.h"
#include "core/catalogue/schema.h"
#include "core/formats/converter_support.h"
#include "core/formats/working_files.h"
#include "core/platform/cp932.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "core/platform/progress.h"
#include "core/registration/registered_sets.h"
#include "core/registration/tidy_record.h"
#include "core/registration/working_file_cache.h"
#include "core/registration/working_file_upkeep.h"
#include "core/workspace/workspace.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace ft::registration {

namespace fs = std::filesystem;
using workspace::Datum;
using workspace::WorkingFileKind;

namespace {

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
    holdSharedCatalogues();
    // A run traces every catalogue row; the logs are written step by step
    // instead of line by line.
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
    // The engine may still answer from what it holds in memory or in its
    // log then, so what holds the catalogue is looked at too, before anything
    // is written to it.
    const fs::path file = workspace::Catalogues::pathIn(m_stores.workingFiles.dataFolder(), datum);
    if (!m_stores.catalogues[datum].StorageIntact()) {
        m_unusable[datum] = workspace::catalogueFailureText(file, "file is not a database");
        return;
    }
    try {
        m_stores.catalogues[datum].GetTable("SELECT COUNT(*) FROM FILE");
    } catch (const catalogue::ECatalogueBusy&) {
        throw; // locked by another program, not damaged
    } catch (const catalogue::CatalogueError& error) {
        m_unusable[datum] = workspace::catalogueFailureText(file, error.what());
    }
}

// On catalogues shared with other desks, a role that may not write is told
// so before anything is written, and one desk registers at a time.
void RegistrationRun::holdSharedCatalogues()
{
    catalogue::CatalogueDatabase* first = nullptr;
    for (const Datum datum : workspace::kDatums) {
        if (!isUsable(datum) || !catalogue::IsShared(m_stores.catalogues[datum]))
            continue;
        catalogue::RequireWriteAccess(m_stores.catalogues[datum]);
        if (first == nullptr)
            first = &m_stores.catalogues[datum];
    }
    if (first != nullptr)
        m_sharedLock.emplace(*first);
}

bool RegistrationRun::allUsable() const
{
    return isUsable(Datum::Japanese) && isUsable(Datum::World);
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
            changes += m_stores.catalogues[datum].TotalChanges();
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

void RegistrationRun::showStatus(int fileNo, const fs::path& file)
{
    m_progress.showStatus(QString::number(fileNo) + u':' +
                          QString::fromStdString(platform::pathText(file)));
    showRun(m_runState.currentSet);
}

void RegistrationRun::setBegun(const SetJob& job)
{
    m_runState.currentSet = job.entry.headerPath;
    m_inProgress.emplace(job.datum, job.fileNo);
}

void RegistrationRun::setRegistered(const SetJob& job)
{
    m_inProgress.erase({job.datum, job.fileNo});
    m_registeredNow[job.datum].insert(job.fileNo);
    ++m_result.registered;
}

void RegistrationRun::setDropped(const SetJob& job)
{
    m_inProgress.erase({job.datum, job.fileNo});
    workingFilesChanged(job.datum);
}

void RegistrationRun::dropUnfinished()
{
    for (const auto& [datum, fileNo] : m_inProgress)
        workingFilesChanged(datum);
    m_inProgress.clear();
}

void RegistrationRun::recordFailure(const SetJob& job, const std::string& failure)
{
    m_lastFailure = failure;
    m_result.failed.push_back({job.entry.headerPath, failure});
    m_stores.traces.trace.writeLine(
        platform::utf8ToCp932("登録失敗,") + std::to_string(job.fileNo) + "," +
        formats::TraceTextOf(job.entry.headerPath) + "," + platform::utf8ToCp932Escaped(failure));
    m_progress.showStatus(QString::fromStdString(platform::pathText(job.entry.headerPath)) +
                          QStringLiteral("は登録できません"));
}

void RegistrationRun::start()
{
    // Only now, with the data folder ours, may the logs be emptied: a run of
    // another program may be writing them until then.
    m_stores.traces.beginRegistration();
    if (shared()) {
        // What other desks registered or deleted since this desk last
        // looked is in the working files before this run adds to them.
        for (const Datum datum : workspace::kDatums)
            if (isUsable(datum)) {
                catalogue::CreateOrderIndexIfMissing(m_stores.catalogues[datum]);
                UpdateHeldWorkingFileCache(m_stores, datum);
            }
        takeStateInStep();
        return;
    }
    // Until finish() removes it, the marker tells every program that starts
    // that this run may have left records of unfinished sets behind.
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
        catalogue::CatalogueDatabase& db = m_stores.catalogues[datum];
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
    catalogue::CatalogueDatabase& db = m_stores.catalogues[datum];
    // Rows without a FILE row are what a run of an older version that ended
    // halfway leaves; sets now land whole.
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

SetJob RegistrationRun::job(const TargetEntry& entry, int fileNo) const
{
    // One data set has one PATH however its folder was reached.
    return SetJob{entry, entry.datum(), fileNo, CanonicalDataSetPath(BasePathOf(entry.headerPath))};
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
    if (shared()) {
        finishShared();
        return;
    }
    const fs::path dataFolder = m_stores.workingFiles.dataFolder();
    // Until a new record is written the next run tidies.
    std::error_code ignored;
    fs::remove(TidyRecordPath(dataFolder), ignored);
    // What an interrupted run left in a catalogue that cannot be read is
    // tidied once it can be read again: its marker stays until then.
    if (!allUsable() && m_interrupted)
        return;
    // The run ends cleanly: nothing of it is left for the next start to
    // tidy. The marker goes before the record is written: a record that
    // cannot be written must not leave every program that starts after it
    // tidying (and failing) again.
    fs::remove(RunMarkerPath(dataFolder));
    // The state of a catalogue that cannot be read cannot be recorded.
    // Otherwise everything is in step now; the next run need not tidy while
    // it stays so.
    if (allUsable())
        recordInStep();
}

// The sets this run registered are in the working files already; the
// cache then takes the catalogue's counter as seen (no other desk changed
// the catalogue while this run held it).
void RegistrationRun::finishShared()
{
    for (const Datum datum : workspace::kDatums) {
        if (!isUsable(datum))
            continue;
        RecordCachedDrawings(m_stores, datum, m_registeredNow[datum]);
        UpdateHeldWorkingFileCache(m_stores, datum);
    }
}

// The record only spares the next run its tidy-up: one that cannot be
// written (a full disk, something else in its place) is told, and the run
// that registered its sets still ends well.
void RegistrationRun::recordInStep()
{
    try {
        RecordInStep(m_stores);
    } catch (const std::exception& error) {
        // One line in the status bar: the sentence, then the system's reason.
        const platform::FailureText failure = platform::failureText(error);
        const QString why =
            failure.detail.isEmpty() ? failure.sentence : failure.sentence + u' ' + failure.detail;
        m_progress.showStatus(
            platform::Message(QT_TRANSLATE_NOOP("findTavla", "Cannot write the tidy record (the "
                                                             "next registration tidies up): %1"),
                              {why})
                .text());
    }
}

void RegistrationRun::abandon() noexcept
{
    // The set in progress was rolled back with its transaction; only its
    // working-file records are left, and they go here.
    m_inProgress.clear();
    for (const Datum datum : workspace::kDatums) {
        if (!isUsable(datum))
            continue;
        try {
            bringWorkingFilesInStep(datum);
            formats::writeExtentFile(m_stores.workingFiles.path(WorkingFileKind::Extent, datum),
                                     m_stores.workingFiles.extent(datum));
        } catch (...) {
            // The run marker stays: the next start brings them in step.
        }
    }
}

} // namespace ft::registration
