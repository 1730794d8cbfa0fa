#include "ui/registration/target_list_dialog.h"

#include "core/platform/path_text.h"
#include "ui/widgets/system_button.h"

#include <QHeaderView>
#include <QSignalBlocker>

namespace ft::registration {

namespace {

// The designed outer size is 969 x 631 with a thin dialog frame and a
// caption; what is left inside holds the list down to its bottom edge.
constexpr QSize kClientSize(963, 604);
const QPoint kDesignedPosition(258, 122);
constexpr int kItemHeight = 14;

QString entryText(const TargetEntry& entry)
{
    return QString::fromStdString(EntryText(entry));
}

} // namespace

TargetListDialog::TargetListDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FailList"));
    setWindowTitle(QStringLiteral("対象ファイルリスト"));
    // No close box: the dialog ends through its two buttons only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    setFixedSize(kClientSize);
    setFont(widgets::japaneseUiFont());
    move(kDesignedPosition);
    createControls();
}

void TargetListDialog::createControls()
{
    uncheckHint = new QLabel(
        QStringLiteral(
            "登録したくないファイルがある場合には、チェックを外して登録ボタンを押してください"),
        this);
    uncheckHint->setObjectName(QStringLiteral("Label1"));
    uncheckHint->move(8, 8);
    uncheckHint->adjustSize();
    defaultsHint = new QLabel(QStringLiteral("自動的には、世界測地系のみ選択されています。通常は、"
                                             "このまま登録ボタンを押してください"),
                              this);
    defaultsHint->setObjectName(QStringLiteral("Label2"));
    defaultsHint->move(8, 32);
    defaultsHint->adjustSize();

    // The drive table lies inside the list's area, under it.
    driveTable = new QTreeWidget(this);
    driveTable->setObjectName(QStringLiteral("ListView1"));
    driveTable->setGeometry(8, 344, 297, 145);
    driveTable->setRootIsDecorated(false);
    driveTable->setHeaderLabels({QString(), QStringLiteral("種類"), QStringLiteral("状態"),
                                 QStringLiteral("容量"), QStringLiteral("空き容量")});
    driveTable->header()->resizeSection(1, 100);

    targetBox = new QListWidget(this);
    targetBox->setObjectName(QStringLiteral("LHedBox"));
    targetBox->setGeometry(0, 56, 961, 541);
    targetBox->setUniformItemSizes(true);
    targetBox->raise();

    // Right of the two buttons, on their line.
    targetCount = new QLabel(this);
    targetCount->setObjectName(QStringLiteral("targetCount"));
    targetCount->setGeometry(776, 16, 180, 26);
    connect(targetBox, &QListWidget::itemChanged, this, &TargetListDialog::showCount);

    registerButton =
        app::createPushButton(this, "skButton2", QStringLiteral("登　録"), QRect(688, 16, 75, 26));
    cancelButton =
        app::createPushButton(this, "skButton1", QStringLiteral("中　断"), QRect(560, 16, 75, 26));
    connect(registerButton, &app::PushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &app::PushButton::clicked, this, &QDialog::reject);
}

void TargetListDialog::emptyTargets()
{
    m_targets.clear();
    targetBox->clear();
    showCount();
}

void TargetListDialog::showCount()
{
    int checked = 0;
    for (int row = 0; row < targetBox->count(); ++row)
        checked += targetBox->item(row)->checkState() == Qt::Checked ? 1 : 0;
    targetCount->setText(
        QStringLiteral("全%1件中 %2件を選択").arg(targetBox->count()).arg(checked));
}

void TargetListDialog::showEntries(const TargetList& targets)
{
    targetBox->setUpdatesEnabled(false);
    // Counted once at the end, not per item as it is filled.
    const QSignalBlocker quiet(targetBox);
    targetBox->clear();
    for (const TargetEntry& entry : targets.entries()) {
        auto* item = new QListWidgetItem(entryText(entry), targetBox);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
        item->setSizeHint(QSize(0, kItemHeight));
    }
    targetBox->setUpdatesEnabled(true);
    showCount();
}

void TargetListDialog::takeCheckMarks(TargetList& targets) const
{
    for (int row = 0; row < targetBox->count() && static_cast<std::size_t>(row) < targets.size();
         ++row)
        targets[static_cast<std::size_t>(row)].checked =
            targetBox->item(row)->checkState() == Qt::Checked;
}

bool TargetListDialog::confirmTargets(TargetList& targets)
{
    showEntries(targets);
    if (exec() != QDialog::Accepted)
        return false;
    takeCheckMarks(targets);
    return true;
}

void TargetListDialog::clearDrives()
{
    driveTable->clear();
}

void TargetListDialog::addDrive(const DriveInfo& drive)
{
    QStringList columns{QString::fromStdString(platform::pathText(drive.mountPoint)),
                        DriveTypeText(static_cast<int>(drive.type))};
    if (drive.ready)
        columns << QStringLiteral("準備完了") << GigabytesText(drive.totalBytes)
                << GigabytesText(drive.availableBytes);
    else
        columns << QString() << QString() << QString();
    new QTreeWidgetItem(driveTable, columns);
}

} // namespace ft::registration
