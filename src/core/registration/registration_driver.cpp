#include "core/registration/registration_driver.h"

#include "core/catalogue/shared_catalogue.h"
#include "core/platform/progress.h"
#include "core/registration/data_set_passes.h"
#include "core/registration/registration_run.h"
#include "core/workspace/workspace.h"

#include <QString>

#include <algorithm>
#include <set>
#include <sstream>

namespace ft::registration {

namespace {

const QString kRunEndedText = QStringLiteral("登録終了");

// "qxxmin=... FileNoBase=..." with the extents in the stream's default form.
std::string extentTraceLine(const formats::Extent& extent, int fileNo)
{
    std::ostringstream line;
    line << "qxxmin=" << extent.qxmin << " qymin=" << extent.qymin << " qxmax=" << extent.qxmax
         << " qymax=" << extent.qymax << " FileNoBase=" << fileNo;
    return line.str();
}

} // namespace

bool TidyAfterInterruptedRun(RegistrationStores stores)
{
    std::error_code unknown;
    if (!std::filesystem::exists(RunMarkerPath(stores.workingFiles.dataFolder()), unknown))
        return false;
    // A marker of the time before the desk used a shared catalogue: sets
    // land whole there, and the working files follow the catalogue anyway.
    for (const workspace::Datum datum : workspace::kDatums)
        if (stores.catalogues.isOpen(datum) && catalogue::IsShared(stores.catalogues[datum]))
            return false;
    platform::SilentProgress silent;
    try {
        RegistrationRun run(stores, silent);
        run.tidy();
        run.finish({}, RegistrationRun::ExtentTrace::DatumMarker);
    } catch (const RegistrationInProgress&) {
        return false; // the marker is that run's own
    }
    return true;
}

RegistrationResult RegisterTargets(RegistrationStores stores, TargetList& targets,
                                   platform::Progress& progress)
{
    platform::BusyGuard busy(progress);
    progress.processEvents();
    RegistrationRun run(stores, progress);
    DataSetPasses sets(run);
    try {
        run.start();
        run.beginSets(static_cast<int>(
            std::count_if(targets.entries().begin(), targets.entries().end(),
                          [](const TargetEntry& entry) { return entry.checked; })));
        bool& stopped = run.result().stopped;
        std::vector<bool> failedInFirstPass(targets.size(), false);
        for (std::size_t i = 0; i < targets.size(); ++i) {
            TargetEntry& entry = targets[i];
            if (!entry.checked)
                continue;
            stopped = run.stopRequested();
            if (stopped)
                break;
            const SetJob job = run.job(entry, run.fileNoBase(entry.datum()) + static_cast<int>(i));
            if (sets.refuseIfUnusable(job)) {
                failedInFirstPass[i] = true;
                run.setDone();
                continue;
            }
            if (sets.isRegistered(job)) {
                entry.checked = false;
                ++run.result().alreadyRegistered;
                run.setDone();
                continue;
            }
            failedInFirstPass[i] = !sets.writeSheets(job);
            if (failedInFirstPass[i])
                run.setDone();
        }
        for (std::size_t i = 0; i < targets.size() && !stopped; ++i) {
            TargetEntry& entry = targets[i];
            if (!entry.checked || failedInFirstPass[i])
                continue;
            stopped = run.stopRequested();
            if (stopped)
                break;
            const SetJob job = run.job(entry, run.fileNoBase(entry.datum()) + static_cast<int>(i));
            if (sets.registerChain(job) == SetOutcome::AlreadyRegistered)
                entry.checked = false;
            run.setDone();
        }
        if (stopped)
            run.dropUnfinished();
        run.finish({workspace::kDatums.begin(), workspace::kDatums.end()},
                   RegistrationRun::ExtentTrace::DatumMarker);
    } catch (...) {
        run.abandon();
        throw;
    }
    progress.showStatus(kRunEndedText);
    return run.result();
}

std::vector<EntryResult> RegisterEntries(RegistrationStores stores,
                                         const std::vector<TargetEntry>& entries,
                                         platform::Progress& progress)
{
    platform::BusyGuard busy(progress);
    progress.processEvents();
    RegistrationRun run(stores, progress);
    DataSetPasses sets(run);
    std::vector<EntryResult> results;
    try {
        run.start();
        workspace::PerDatum<int> nextFileNo;
        for (const workspace::Datum datum : workspace::kDatums)
            nextFileNo[datum] = run.fileNoBase(datum);
        std::set<workspace::Datum> datums;
        run.beginSets(static_cast<int>(entries.size()));
        bool& stopped = run.result().stopped;
        for (const TargetEntry& entry : entries) {
            stopped = stopped || run.stopRequested();
            if (stopped) {
                results.push_back({SetOutcome::Stopped, {}});
                continue;
            }
            const workspace::Datum datum = entry.datum();
            datums.insert(datum);
            // Numbers are never reused within a run: a failed set's records
            // stay in the working files until the run ends.
            const SetJob job = run.job(entry, nextFileNo[datum]++);
            stores.traces.trace.writeLine(
                extentTraceLine(stores.workingFiles.extent(datum), job.fileNo));
            EntryResult result;
            if (sets.refuseIfUnusable(job)) {
                result.reason = run.lastFailure();
            } else if (sets.isRegistered(job)) {
                ++run.result().alreadyRegistered;
                result.outcome = SetOutcome::AlreadyRegistered;
            } else if (!sets.writeSheets(job)) {
                result.reason = run.lastFailure();
            } else {
                result.outcome = sets.registerChain(job);
                if (result.outcome == SetOutcome::Failed)
                    result.reason = run.lastFailure();
            }
            results.push_back(std::move(result));
            run.setDone();
        }
        run.finish(datums, RegistrationRun::ExtentTrace::Values);
    } catch (...) {
        run.abandon();
        throw;
    }
    progress.showStatus(kRunEndedText);
    return results;
}

bool RegisterOne(RegistrationStores stores, const std::string& entryText,
                 platform::Progress& progress)
{
    const std::vector<EntryResult> results =
        RegisterEntries(stores, {ParseTargetEntry(entryText)}, progress);
    return results.front().outcome == SetOutcome::Registered;
}

} // namespace ft::registration
