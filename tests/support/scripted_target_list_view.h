#pragma once

#include "core/registration/target_list.h"
#include "core/registration/target_list_view.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ft::test {

// Stands in for the target-list dialog: shows nothing, records each list it
// was asked to confirm and the drive table, and answers as scripted.
class ScriptedTargetListView final : public registration::TargetListView {
public:
    bool confirmTargets(registration::TargetList& targets) override
    {
        for (const registration::TargetEntry& entry : targets.entries())
            shown.push_back(registration::EntryText(entry) + (entry.checked ? " [x]" : " [ ]"));
        if (!confirm)
            return false;
        for (const std::size_t position : uncheck)
            targets[position].checked = false;
        return true;
    }
    void clearDrives() override { drives.clear(); }
    void addDrive(const registration::DriveInfo& drive) override { drives.push_back(drive); }

    // The script: confirm or cancel, and which positions the operator unticks
    // before confirming.
    bool confirm = true;
    std::vector<std::size_t> uncheck;

    // Every entry of every list shown, as "text [x]" or "text [ ]".
    std::vector<std::string> shown;
    std::vector<registration::DriveInfo> drives;
};

} // namespace ft::test
