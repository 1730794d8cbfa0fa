#pragma once

// The bookkeeping of one registration run, shared by both drivers: it holds
// the data folder, tells which catalogues can be used, tidies at the start,
// counts the sets on the progress channel, knows the sets that have
// working-file records but no FILE row yet, and ends the run by bringing
// the working files in step, writing the extent files and removing the run
// marker. The work on each data set is data_set_passes.h's.

#include "core/catalogue/shared_catalogue.h"
#include "core/platform/progress.h"
#include "core/registration/registration_driver.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace ft::registration {

// One data set of a run: its entry, datum and FILENO, and its PATH.
struct SetJob {
    const TargetEntry& entry;
    workspace::Datum datum;
    int fileNo;
    std::filesystem::path basePath;
};

class RegistrationRun {
public:
    // How the end of a run traces the extents it writes.
    enum class ExtentTrace { DatumMarker, Values };

    // Takes the data folder for this run (throws RegistrationInProgress when
    // another run has it) and looks at both catalogues.
    RegistrationRun(RegistrationStores stores, platform::Progress& progress);
    ~RegistrationRun();
    RegistrationRun(const RegistrationRun&) = delete;
    RegistrationRun& operator=(const RegistrationRun&) = delete;

    // Begins the run: the trace logs (emptied by the first run of the
    // program), the run marker, the parcel order index, then tidy(), which is
    // left out when a run left everything in step and nothing changed it
    // since (tidy_record.h).
    void start();
    // Tidies both catalogues and their working files (see the driver's
    // header), sets the running extents from the sheet outlines that remain
    // and takes each datum's FILENO base.
    void tidy();
    int fileNoBase(workspace::Datum datum) const { return m_fileNoBase[datum]; }

    // Describes the set.
    SetJob job(const TargetEntry& entry, int fileNo) const;

    // False when the datum's catalogue cannot be opened or read: the run
    // leaves it and its working files alone and registers into the other.
    bool isUsable(workspace::Datum datum) const { return m_unusable[datum].empty(); }
    // Why it cannot be used (UTF-8).
    const std::string& unusableReason(workspace::Datum datum) const { return m_unusable[datum]; }

    // The counter of the progress channel: how many sets the run works on,
    // and each set as it is done (registered, failed or registered already).
    void beginSets(int setsFound);
    void setDone();
    bool stopRequested() { return m_progress.stopRequested(); }
    // A status text naming the set's file, with the counter brought up to date.
    void showStatus(int fileNo, const std::filesystem::path& file);
    void showStatus(const QString& text) { m_progress.showStatus(text); }

    // What becomes of each set. Begun: it writes working-file records.
    // Registered: its FILE row landed. Dropped: it did not register; its
    // records are removed when the run ends.
    void setBegun(const SetJob& job);
    void setRegistered(const SetJob& job);
    void setDropped(const SetJob& job);
    // The working files of the datum lose records (of sets dropped or
    // replaced) when the run ends.
    void workingFilesChanged(workspace::Datum datum) { m_workingFilesChanged[datum] = true; }
    // Counts the failure, traces it and shows it.
    void recordFailure(const SetJob& job, const std::string& failure);
    // After a stop: drops the sets whose first pass ran but whose chain did
    // not.
    void dropUnfinished();

    // Removes the working-file records of every set dropped or replaced in
    // this run, and writes the extent file of each datum in `datums` (and of
    // each datum whose files changed). Last, removes the run marker and
    // records the state it leaves (a record that cannot be written is told
    // through the progress channel and ends nothing).
    void finish(const std::set<workspace::Datum>& datums, ExtentTrace extentTrace);
    // After an exception that ends the run: brings the working files in step
    // with what the catalogues hold, as far as they still let us. Never
    // throws.
    void abandon() noexcept;

    // True when the catalogues are shared with other desks: each set's
    // overview lines go into its catalogue with its rows, the working files
    // are a cache of them (working_file_cache.h), and there is no run
    // marker or tidying (every set commits whole).
    bool shared() const { return m_sharedLock.has_value(); }

    RegistrationStores& stores() { return m_stores; }
    RegistrationResult& result() { return m_result; }
    // Why the last set failed (UTF-8).
    const std::string& lastFailure() const { return m_lastFailure; }

private:
    void recordInStep();
    void showRun(const std::filesystem::path& currentSet);
    std::int64_t catalogueChanges();
    void tidyDatum(workspace::Datum datum);
    void takeStateInStep();
    void bringWorkingFilesInStep(workspace::Datum datum);
    void checkCatalogue(workspace::Datum datum);
    bool allUsable() const;
    void holdSharedCatalogues();
    void finishShared();

    ExclusiveRun m_exclusive; // first: nothing is touched before it is held
    RegistrationStores m_stores;
    platform::Progress& m_progress;
    workspace::PerDatum<int> m_fileNoBase;
    workspace::PerDatum<bool> m_workingFilesChanged;
    // Why a catalogue cannot be used in this run (UTF-8); empty when it can.
    workspace::PerDatum<std::string> m_unusable;
    // The run marker was there when the run took the data folder.
    bool m_interrupted = false;
    // Sets that have written working-file records but have no FILE row yet.
    std::set<std::pair<workspace::Datum, int>> m_inProgress; // (datum, FILENO)
    RegistrationResult m_result;
    std::string m_lastFailure;
    platform::RunState m_runState;
    bool m_runShown = false;
    std::int64_t m_changesBefore = 0;
    // Held for the run on shared catalogues: no other desk registers meanwhile.
    std::optional<catalogue::SharedRegistrationLock> m_sharedLock;
    // Sets this run registered, whose lines its working files hold.
    workspace::PerDatum<std::set<int>> m_registeredNow;
};

} // namespace ft::registration
