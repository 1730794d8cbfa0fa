#include "registration/registration_driver.h"

#include "app/app_state.h"
#include "platform/progress.h"
#include "registration/registration_run.h"

#include <QString>

#include <array>
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

ExclusiveRun::ExclusiveRun(const app::AppState& state)
    : m_lock(state.dataFolder() / (std::string(app::AppState::kProgramStem) + ".lock"))
{
    if (!m_lock.held())
        throw RegistrationInProgress("another registration is running on " + state.dataFolder().string()
                                     + "; try again when it has ended");
}

RegistrationResult RegisterTargets(app::AppState& state, TargetList& targets, platform::Progress& progress)
{
    platform::BusyGuard busy(progress);
    progress.processEvents();
    RegistrationRun run(state, progress);
    try {
        run.start();
        std::vector<bool> failedInFirstPass(targets.size(), false);
        for (std::size_t i = 0; i < targets.size(); ++i) {
            TargetEntry& entry = targets[i];
            if (!entry.checked)
                continue;
            const SetJob job = run.job(entry, run.fileNoBase(entry.datum()) + static_cast<int>(i));
            if (run.isRegistered(job)) {
                entry.checked = false;
                ++run.result().alreadyRegistered;
                continue;
            }
            failedInFirstPass[i] = !run.writeSheets(job);
        }
        for (std::size_t i = 0; i < targets.size(); ++i) {
            TargetEntry& entry = targets[i];
            if (!entry.checked || failedInFirstPass[i])
                continue;
            const SetJob job = run.job(entry, run.fileNoBase(entry.datum()) + static_cast<int>(i));
            if (run.registerChain(job) == SetOutcome::AlreadyRegistered)
                entry.checked = false;
        }
        run.finish({1, 2}, RegistrationRun::ExtentTrace::DatumMarker);
    } catch (...) {
        run.abandon();
        throw;
    }
    progress.showStatus(kRunEndedText);
    return run.result();
}

std::vector<EntryResult> RegisterEntries(app::AppState& state, const std::vector<TargetEntry>& entries,
                                         platform::Progress& progress)
{
    platform::BusyGuard busy(progress);
    progress.processEvents();
    RegistrationRun run(state, progress);
    std::vector<EntryResult> results;
    try {
        run.start();
        std::array<int, 2> nextFileNo{run.fileNoBase(1), run.fileNoBase(2)};
        std::set<int> datums;
        for (const TargetEntry& entry : entries) {
            const int datum = entry.datum();
            datums.insert(datum);
            // Numbers are never reused within a run: a failed set's records
            // stay in the working files until the run ends.
            const SetJob job = run.job(entry, nextFileNo.at(datum == 1 ? 0 : 1)++);
            state.trace().writeLine(extentTraceLine(state.extent(datum), job.fileNo));
            EntryResult result;
            if (run.isRegistered(job)) {
                ++run.result().alreadyRegistered;
                result.outcome = SetOutcome::AlreadyRegistered;
            } else if (!run.writeSheets(job)) {
                result.reason = run.lastFailure();
            } else {
                result.outcome = run.registerChain(job);
                if (result.outcome == SetOutcome::Failed)
                    result.reason = run.lastFailure();
            }
            results.push_back(std::move(result));
        }
        run.finish(datums, RegistrationRun::ExtentTrace::Values);
    } catch (...) {
        run.abandon();
        throw;
    }
    progress.showStatus(kRunEndedText);
    return results;
}

bool RegisterOne(app::AppState& state, const std::string& entryText, platform::Progress& progress)
{
    const std::vector<EntryResult> results = RegisterEntries(state, {ParseTargetEntry(entryText)}, progress);
    return results.front().outcome == SetOutcome::Registered;
}

} // namespace ft::registration
