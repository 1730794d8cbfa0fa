#pragma once

// The mechanics shared by both drivers: one run's bookkeeping and the two
// passes of one data set. Used only by registration_driver.cpp.

#include "core/platform/progress.h"
#include "core/registration/registration_driver.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace ft::registration {

// One data set of a run: its entry, datum and FILENO.
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
    // another run has it).
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

    // The counter of the progress channel: how many sets the run works on,
    // and each set as it is done (registered, failed or registered already).
    void beginSets(int setsFound);
    void setDone();
    bool stopRequested() { return m_progress.stopRequested(); }
    // After a stop: removes the sets whose first pass ran but whose chain
    // did not, so nothing is left half registered.
    void discardUnfinished();

    // Describes the set.
    SetJob job(const TargetEntry& entry, int fileNo);

    // False when the datum's catalogue cannot be opened or read: the run
    // leaves it and its working files alone and registers into the other.
    bool isUsable(workspace::Datum datum) const { return m_unusable[datum].empty(); }
    // A set of a datum whose catalogue is not usable fails with the
    // catalogue's failure as its reason; true when it did.
    bool refuseIfUnusable(const SetJob& job);

    bool isRegistered(const SetJob& job);
    // First pass: sheet outlines and MAP rows. False when the set failed; it
    // has then been discarded.
    bool writeSheets(const SetJob& job);
    // Second pass: the conversion chain ending with the FILE row; replaces an
    // older registration of the same path once the set registered.
    SetOutcome registerChain(const SetJob& job);

    // Removes the working-file records of every set discarded or replaced in
    // this run, and writes the extent file of each datum in `datums` (and of
    // each datum whose files changed). Last, records the state it leaves and
    // removes the run marker.
    void finish(const std::set<workspace::Datum>& datums, ExtentTrace extentTrace);
    // After an exception that ends the run: removes what the sets in progress
    // wrote, as far as the catalogue still lets us, and brings the working
    // files in step. Never throws.
    void abandon() noexcept;

    RegistrationResult& result() { return m_result; }
    // Why the last set failed (UTF-8).
    const std::string& lastFailure() const { return m_lastFailure; }

private:
    void showStatus(int fileNo, const std::filesystem::path& file);
    void showRun(const std::filesystem::path& currentSet);
    std::int64_t catalogueChanges();
    void traceStep(std::string_view stepName, int fileNo, const std::filesystem::path& file);
    bool runChainSteps(const SetJob& job, std::string& failure);
    void discard(const SetJob& job, const std::optional<std::string>& failure);
    void replaceOlderRegistrations(const SetJob& job);
    void deleteSets(workspace::Datum datum, const std::vector<int>& fileNos);
    void tidyDatum(workspace::Datum datum);
    void takeStateInStep();
    void bringWorkingFilesInStep(workspace::Datum datum);
    void checkCatalogue(workspace::Datum datum);
    bool allUsable() const;
    void recordFailure(const SetJob& job, const std::string& failure);

    ExclusiveRun m_exclusive; // first: nothing is touched before it is held
    RegistrationStores m_stores;
    platform::Progress& m_progress;
    workspace::PerDatum<int> m_fileNoBase;
    workspace::PerDatum<bool> m_workingFilesChanged;
    // Why a catalogue cannot be used in this run (UTF-8); empty when it can.
    workspace::PerDatum<std::string> m_unusable;
    // The run marker was there when the run took the data folder.
    bool m_interrupted = false;
    // Sets that have written something but have no FILE row yet.
    std::set<std::pair<workspace::Datum, int>> m_inProgress; // (datum, FILENO)
    RegistrationResult m_result;
    std::string m_lastFailure;
    platform::RunState m_runState;
    bool m_runShown = false;
    std::int64_t m_changesBefore = 0;
};

} // namespace ft::registration
