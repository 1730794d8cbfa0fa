#include "ui/registration/fail_list.h"

#include "ui/widgets/system_button.h"

#include <QHeaderView>

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

TFailList::TFailList(QWidget* parent) : QDialog(parent)
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

void TFailList::createControls()
{
    Label1 = new QLabel(
        QStringLiteral("登録したくないファイルがある場合には、チェックを外して登録ボタンを押してください"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 8);
    Label1->adjustSize();
    Label2 = new QLabel(
        QStringLiteral("自動的には、世界測地系のみ選択されています。通常は、このまま登録ボタンを押してください"),
        this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(8, 32);
    Label2->adjustSize();

    // The drive table lies inside the list's area, under it.
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(8, 344, 297, 145);
    ListView1->setRootIsDecorated(false);
    ListView1->setHeaderLabels({QString(), QStringLiteral("種類"), QStringLiteral("状態"), QStringLiteral("容量"),
                                QStringLiteral("空き容量")});
    ListView1->header()->resizeSection(1, 100);

    LHedBox = new QListWidget(this);
    LHedBox->setObjectName(QStringLiteral("LHedBox"));
    LHedBox->setGeometry(0, 56, 961, 541);
    LHedBox->setUniformItemSizes(true);
    LHedBox->raise();

    skButton2 = app::createPushButton(this, "skButton2", QStringLiteral("登　録"), QRect(688, 16, 75, 26));
    skButton1 = app::createPushButton(this, "skButton1", QStringLiteral("中　断"), QRect(560, 16, 75, 26));
    connect(skButton2, &app::PushButton::clicked, this, &QDialog::accept);
    connect(skButton1, &app::PushButton::clicked, this, &QDialog::reject);
}

void TFailList::emptyTargets()
{
    m_targets.clear();
    LHedBox->clear();
}

void TFailList::showEntries(const TargetList& targets)
{
    LHedBox->setUpdatesEnabled(false);
    LHedBox->clear();
    for (const TargetEntry& entry : targets.entries()) {
        auto* item = new QListWidgetItem(entryText(entry), LHedBox);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
        item->setSizeHint(QSize(0, kItemHeight));
    }
    LHedBox->setUpdatesEnabled(true);
}

void TFailList::takeCheckMarks(TargetList& targets) const
{
    for (int row = 0; row < LHedBox->count() && static_cast<std::size_t>(row) < targets.size(); ++row)
        targets[static_cast<std::size_t>(row)].checked = LHedBox->item(row)->checkState() == Qt::Checked;
}

bool TFailList::confirmTargets(TargetList& targets)
{
    showEntries(targets);
    if (exec() != QDialog::Accepted)
        return false;
    takeCheckMarks(targets);
    return true;
}

void TFailList::clearDrives()
{
    ListView1->clear();
}

void TFailList::addDrive(const DriveInfo& drive)
{
    QStringList columns{QString::fromStdString(drive.mountPoint.string()),
                        DriveTypeText(static_cast<int>(drive.type))};
    if (drive.ready)
        columns << QStringLiteral("準備完了") << GigabytesText(drive.totalBytes) << GigabytesText(drive.availableBytes);
    else
        columns << QString() << QString() << QString();
    new QTreeWidgetItem(ListView1, columns);
}

} // namespace ft::registration
