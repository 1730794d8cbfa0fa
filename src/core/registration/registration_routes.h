#pragma once

// The three ways the operator starts a registration from the main window:
// the drive scan, the folder route and the file route. They find data sets,
// have the operator confirm them and run the driver; the window around them
// only refreshes its count, flag and overview afterwards.

#include "core/registration/registration_driver.h"
#include "core/registration/target_list.h"
#include "core/registration/volumes.h"

#include <functional>
#include <vector>

namespace ft::platform {
class Operator;
class Progress;
} // namespace ft::platform

namespace ft::registration {

class TargetListView;

struct RegistrationRoutes {
    RegistrationStores stores;
    platform::Operator& op;
    platform::Progress& progress;
    TargetListView& view;
    // The list the routes append to; it lives as long as the program.
    TargetList& targets;
    // The volumes a drive scan walks.
    std::function<std::vector<DriveInfo>()> drives = MountedDrives;
};

// Asks "全ドライブをスキャンします。よろしいですか？"; on Yes fills the drive table
// and collects the data sets of every ready drive, tells how many sets and
// folders the walk passed by (when any), then shows the target list and,
// when confirmed, registers the checked entries and reports the count with
// "件登録しました". True when a registration ran.
bool ScanDrivesAndRegister(RegistrationRoutes& routes);

// Asks "フォルダーを指定しますか？". Yes: collects the data sets of a picked
// folder, names every set and folder the walk passed by (when any), shows
// the target list and registers as the drive scan does. No:
// registers each picked header file on its own, reporting every file that
// did not register with "は登録できません". True when a registration ran.
bool RegisterFolderOrFiles(RegistrationRoutes& routes);

} // namespace ft::registration
