#pragma once

#include "core/registration/target_list.h"
#include "core/registration/target_list_view.h"
#include "ui/widgets/push_button.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>

namespace ft::registration {

// The target-list dialog: the data sets a discovery route found, each with a
// check box, confirmed with 登録 or abandoned with 中断, and the drive table
// of the last drive scan. Created once at start-up, hidden between uses; it
// keeps the program's target list.
class TargetListDialog final : public QDialog, public TargetListView {
    Q_OBJECT
public:
    explicit TargetListDialog(QWidget* parent = nullptr);

    // The program's target list, which the discovery routes append to.
    TargetList& targets() { return m_targets; }
    // Empties the target list (first activation of the main window, delete-all).
    void emptyTargets();

    // Shows the entries with their check marks and waits. 登録 takes the
    // check marks over into `targets` and answers true; 中断 answers false and
    // leaves `targets` as it was.
    bool confirmTargets(TargetList& targets) override;
    void clearDrives() override;
    void addDrive(const DriveInfo& drive) override;

    QLabel* uncheckHint = nullptr;
    QLabel* defaultsHint = nullptr;
    // How many sets the list holds and how many of them are checked.
    QLabel* targetCount = nullptr;
    QListWidget* targetBox = nullptr;
    QTreeWidget* driveTable = nullptr;
    app::PushButton* registerButton = nullptr; // 登　録
    app::PushButton* cancelButton = nullptr;   // 中　断

private:
    void createControls();
    void showEntries(const TargetList& targets);
    void takeCheckMarks(TargetList& targets) const;
    void showCount();

    TargetList m_targets;
};

} // namespace ft::registration
