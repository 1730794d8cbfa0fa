#include "cli/driver_registrar.h"

#include "core/platform/operator_message.h"
#include "core/registration/discovery.h"
#include "core/registration/registration_driver.h"
#include "core/registration/target_list.h"

#include <map>

namespace ft::cli {
namespace {

// A reason of a set that was not registered, in the operator's language.
std::string reasonText(const char* source)
{
    return platform::messageText(source).toStdString();
}

} // namespace

Registrar::FolderResult DriverRegistrar::registerFolder(const std::filesystem::path& folder)
{
    registration::TargetList targets;
    FolderResult result;
    registration::CollectDataSets(folder, targets, m_progress, result.passedBy);
    // The list is confirmed as offered. Entries left unchecked are the sets
    // whose header was not accepted; the driver will uncheck more (those
    // registered already), so they are noted before it runs.
    std::vector<bool> offered;
    for (const registration::TargetEntry& entry : targets.entries())
        offered.push_back(entry.checked);

    const registration::RegistrationResult run =
        registration::RegisterTargets(m_stores, targets, m_progress);

    std::map<std::filesystem::path, std::string> failures;
    for (const registration::FailedSet& failed : run.failed)
        failures.emplace(failed.headerPath, failed.reason);
    result.registered = run.registered;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const std::filesystem::path& header = targets[i].headerPath;
        if (!offered[i])
            result.problems.push_back(
                {header,
                 reasonText(QT_TRANSLATE_NOOP(
                     "findTavla", "the header's ninth field is not the datum code 1 or 2"))});
        else if (const auto failure = failures.find(header); failure != failures.end())
            result.problems.push_back({header, failure->second});
        else if (!targets[i].checked) // unchecked by the run: registered already
            result.alreadyRegistered.push_back(header);
    }
    return result;
}

std::vector<Registrar::HeaderResult>
DriverRegistrar::registerHeaders(const std::vector<std::filesystem::path>& headers)
{
    std::vector<registration::TargetEntry> entries;
    for (const std::filesystem::path& header : headers)
        entries.push_back(registration::MakeTargetEntry(header));

    std::vector<HeaderResult> results;
    for (const registration::EntryResult& entry :
         registration::RegisterEntries(m_stores, entries, m_progress)) {
        switch (entry.outcome) {
        case registration::SetOutcome::Registered:
            results.push_back({HeaderOutcome::Registered, {}});
            break;
        case registration::SetOutcome::AlreadyRegistered:
            results.push_back({HeaderOutcome::AlreadyRegistered, {}});
            break;
        case registration::SetOutcome::Failed:
            results.push_back({HeaderOutcome::Failed, entry.reason});
            break;
        case registration::SetOutcome::Stopped:
            // The tool never asks a run to stop; counted as not registered.
            results.push_back({HeaderOutcome::Failed,
                               reasonText(QT_TRANSLATE_NOOP(
                                   "findTavla", "the registration was stopped before it"))});
            break;
        }
    }
    return results;
}

} // namespace ft::cli
