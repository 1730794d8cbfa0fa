#pragma once

#include "core/registration/target_list.h"
#include "core/registration/volumes.h"

namespace ft::registration {

// Where the operator confirms the target list, and where the drive table of
// a drive scan is shown: the target-list dialog of the desktop program, or a
// stand-in of the command-line tool and the tests.
class TargetListView {
public:
    virtual ~TargetListView() = default;

    // Shows the list and waits for the operator, who may change the check
    // marks. True when confirmed for registration: the check marks shown are
    // taken over into `targets`. False when cancelled: `targets` stays as it was.
    virtual bool confirmTargets(TargetList& targets) = 0;

    // The drive table: emptied at the start of every drive scan, then one
    // row per drive as the scan reaches it.
    virtual void clearDrives() = 0;
    virtual void addDrive(const DriveInfo& drive) = 0;
};

} // namespace ft::registration
