// The target-list dialog, and the main window's registration routes driven
// through it as an operator would: answers scripted, the dialog's check
// boxes and buttons clicked while it is shown.

#include "core/registration/target_list.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"
#include "support/scripted_operator.h"
#include "ui/main/main_window.h"
#include "ui/registration/target_list_dialog.h"
#include "ui/widgets/status_bar_progress.h"

#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using ft::registration::DriveInfo;
using ft::registration::DriveType;
using ft::registration::TargetEntry;
using ft::registration::TargetList;
using ft::registration::TargetListDialog;
using ft::test::ScriptedOperator;
namespace fs = std::filesystem;

namespace {

// Runs `act` on the dialog as soon as it is shown (a modal dialog blocks the
// test until it closes).
void whenShown(QDialog& dialog, std::function<void()> act)
{
    auto* poll = new QTimer(&dialog);
    QObject::connect(poll, &QTimer::timeout, &dialog, [poll, &dialog, act] {
        if (!dialog.isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act();
        // A failed check returns early; the dialog must not stay open.
        if (dialog.isVisible())
            dialog.reject();
    });
    poll->start(10);
}

TargetEntry entry(const std::string& path, const std::string& code, bool checked)
{
    TargetEntry e;
    e.headerPath = path;
    e.datumCode = code;
    e.time = code.empty() ? "" : "2024/01/02 03:04:05";
    e.checked = checked;
    return e;
}

void uncheckRow(TargetListDialog& dialog, int row)
{
    QListWidgetItem* item = dialog.targetBox->item(row);
    const QRect rect = dialog.targetBox->visualItemRect(item);
    // The check box sits at the start of the row.
    QTest::mouseClick(dialog.targetBox->viewport(), Qt::LeftButton, {},
                      QPoint(rect.left() + 8, rect.center().y()));
}

void writeSet(const fs::path& folder, const std::string& name, int datum)
{
    ft::test::DataSetBuilder set = ft::test::DataSetBuilder::smallValidSet(folder, name, datum);
    set.write();
}

} // namespace

class FailListTest : public QObject {
    Q_OBJECT
private slots:
    void looksAsDesigned();
    void confirmingTakesTheCheckMarksOver();
    void cancellingLeavesTheListAsItWas();
    void showsEachDriveOfTheScan();
    void folderRouteRegistersTheCheckedSetsAndRefreshesTheWindow();
    void fileRouteRegistersPickedHeadersAndReportsRefusals();
    void theStopButtonEndsTheRunBetweenSets();
    void theStopButtonEndsTheWalkAndOffersWhatItFound();
};

void FailListTest::looksAsDesigned()
{
    TargetListDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("対象ファイルリスト"));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.targetBox->geometry(), QRect(0, 56, 961, 541));
    QCOMPARE(dialog.driveTable->geometry(), QRect(8, 344, 297, 145));
    QCOMPARE(dialog.registerButton->geometry(), QRect(688, 16, 75, 26));
    QCOMPARE(dialog.cancelButton->geometry(), QRect(560, 16, 75, 26));
    QCOMPARE(ft::app::buttonCaption(*dialog.registerButton), QStringLiteral("登　録"));
    QCOMPARE(ft::app::buttonCaption(*dialog.cancelButton), QStringLiteral("中　断"));
    QCOMPARE(dialog.uncheckHint->pos(), QPoint(8, 8));
    QCOMPARE(dialog.defaultsHint->text(),
             QStringLiteral("自動的には、世界測地系のみ選択されています。通常は、このまま登録ボタン"
                            "を押してください"));
    QCOMPARE(dialog.driveTable->headerItem()->text(1), QStringLiteral("種類"));
    QCOMPARE(dialog.driveTable->headerItem()->text(4), QStringLiteral("空き容量"));
}

void FailListTest::confirmingTakesTheCheckMarksOver()
{
    TargetListDialog dialog;
    TargetList& targets = dialog.targets();
    targets.append(entry("/d/A.hed", "1", true));
    targets.append(entry("/d/B.hed", "2", true));
    targets.append(entry("/d/C.hed", "", false));

    whenShown(dialog, [&] {
        QCOMPARE(dialog.targetBox->count(), 3);
        QCOMPARE(dialog.targetBox->item(0)->text(),
                 QStringLiteral("/d/A.hed,1,日本測地系,2024/01/02 03:04:05"));
        QCOMPARE(dialog.targetBox->item(2)->text(), QStringLiteral("/d/C.hed"));
        QCOMPARE(dialog.targetBox->item(2)->checkState(), Qt::Unchecked);
        QCOMPARE(dialog.targetCount->text(), QStringLiteral("全3件中 2件を選択"));
        uncheckRow(dialog, 1);
        QCOMPARE(dialog.targetCount->text(), QStringLiteral("全3件中 1件を選択"));
        QTest::mouseClick(dialog.registerButton, Qt::LeftButton);
    });
    QVERIFY(dialog.confirmTargets(targets));

    QVERIFY(targets[0].checked);
    QVERIFY(!targets[1].checked);
    QVERIFY(!targets[2].checked);

    dialog.emptyTargets();
    QVERIFY(targets.empty());
    QCOMPARE(dialog.targetBox->count(), 0);
}

void FailListTest::cancellingLeavesTheListAsItWas()
{
    TargetListDialog dialog;
    TargetList& targets = dialog.targets();
    targets.append(entry("/d/A.hed", "2", true));

    whenShown(dialog, [&] {
        uncheckRow(dialog, 0);
        QTest::mouseClick(dialog.cancelButton, Qt::LeftButton);
    });
    QVERIFY(!dialog.confirmTargets(targets));
    QVERIFY(targets[0].checked);
}

void FailListTest::showsEachDriveOfTheScan()
{
    TargetListDialog dialog;
    dialog.addDrive({"/media/cd", DriveType::CdRom, false, 0, 0});
    dialog.clearDrives();
    dialog.addDrive({"/", DriveType::HardDisk, true, 3LL << 30, 1LL << 29});
    dialog.addDrive({"/media/cd", DriveType::CdRom, false, 0, 0});

    QCOMPARE(dialog.driveTable->topLevelItemCount(), 2);
    const QTreeWidgetItem* ready = dialog.driveTable->topLevelItem(0);
    QCOMPARE(ready->text(0), QStringLiteral("/"));
    QCOMPARE(ready->text(1), QStringLiteral("ハードディスク"));
    QCOMPARE(ready->text(2), QStringLiteral("準備完了"));
    QCOMPARE(ready->text(3), QStringLiteral("3.0 GB"));
    QCOMPARE(ready->text(4), QStringLiteral("0.5 GB"));
    const QTreeWidgetItem* notReady = dialog.driveTable->topLevelItem(1);
    QCOMPARE(notReady->text(1), QStringLiteral("CD-ROMドライブ"));
    QCOMPARE(notReady->text(2), QString());
    QCOMPARE(notReady->text(4), QString());
}

void FailListTest::folderRouteRegistersTheCheckedSetsAndRefreshesTheWindow()
{
    ft::test::TempFolder data, settings, sources;
    writeSet(sources.path(), "A", 2);
    writeSet(sources.path(), "B", 2);
    ScriptedOperator op;
    auto window = std::make_unique<ft::app::MainWindow>(op, data.path(), settings.path());
    auto* dialog = new TargetListDialog(window.get());
    window->attachTargetList(*dialog);
    QCOMPARE(window->controls().drawingCount->text(), QString());

    op.answers = {true};
    op.folder = sources.path();
    whenShown(*dialog, [&] {
        QCOMPARE(dialog->targetBox->count(), 2);
        QCOMPARE(dialog->targetBox->item(0)->checkState(), Qt::Checked);
        uncheckRow(*dialog, 1);
        QTest::mouseClick(dialog->registerButton, Qt::LeftButton);
    });
    // While the walk and the registration run, events are processed: any
    // command that could start a second run must be disabled meanwhile.
    auto& progress = dynamic_cast<ft::app::StatusBarProgress&>(window->progress());
    int busySamples = 0;
    int enabledWhileBusy = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (!progress.isBusy())
            return;
        ++busySamples;
        for (QWidget* command : window->controls().commands())
            enabledWhileBusy += command->isEnabled() ? 1 : 0;
    });
    sampler.start(0);
    QTest::mouseClick(window->controls().registerButton, Qt::LeftButton);
    sampler.stop();

    QVERIFY(busySamples > 0);
    QCOMPARE(enabledWhileBusy, 0);
    QCOMPARE(op.notices.last(), QStringLiteral("1件登録しました"));
    QCOMPARE(window->controls().drawingCount->text(), QStringLiteral("1"));
    QVERIFY(window->overviewState().drawingsPresent);
    QVERIFY(window->controls().registerButton->isEnabled());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void FailListTest::fileRouteRegistersPickedHeadersAndReportsRefusals()
{
    ft::test::TempFolder data, settings, sources;
    writeSet(sources.path(), "A", 1);
    ScriptedOperator op;
    auto window = std::make_unique<ft::app::MainWindow>(op, data.path(), settings.path());
    auto* dialog = new TargetListDialog(window.get());
    window->attachTargetList(*dialog);

    op.files = {sources.path() / "A.hed"};
    op.answers = {false};
    QTest::mouseClick(window->controls().registerButton, Qt::LeftButton);
    op.answers = {false};
    QTest::mouseClick(window->controls().registerButton, Qt::LeftButton);

    QCOMPARE(op.notices.last(), QString::fromStdString((sources.path() / "A.hed").string()) +
                                    QStringLiteral("は登録できません"));
    // Registered into the Japanese datum; the window shows the world datum's count.
    QCOMPARE(ft::workspace::datumCode(window->state().currentDatum()), 2);
    QCOMPARE(window->controls().drawingCount->text(), QString());
    QVERIFY(dialog->targets().empty());
}

// 中断 while the first set is read: the run ends before the next set, the
// notice says so with the count, and the window shows what was registered.
void FailListTest::theStopButtonEndsTheRunBetweenSets()
{
    ft::test::TempFolder data, settings, sources;
    for (const char* name : {"A", "B", "C"})
        writeSet(sources.path(), name, 2);
    ScriptedOperator op;
    auto window = std::make_unique<ft::app::MainWindow>(op, data.path(), settings.path());
    auto* dialog = new TargetListDialog(window.get());
    window->attachTargetList(*dialog);
    op.answers = {true};
    op.folder = sources.path();
    whenShown(*dialog, [&] { QTest::mouseClick(dialog->registerButton, Qt::LeftButton); });

    auto& progress = dynamic_cast<ft::app::StatusBarProgress&>(window->progress());
    QString shownCount;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        // The walk before the run shows a moving bar (no maximum): not stopped.
        if (progress.runBar()->isHidden() || progress.runBar()->maximum() == 0 ||
            !progress.stopButton()->isEnabled())
            return;
        shownCount = progress.runBar()->text();
        progress.stopButton()->click();
    });
    stopper.start(0);
    QTest::mouseClick(window->controls().registerButton, Qt::LeftButton);
    stopper.stop();

    QCOMPARE(shownCount, QStringLiteral("0 / 3 sets"));
    const QStringList notice = op.notices.last().split(u'\n');
    QCOMPARE(notice.first(), QStringLiteral("Registration stopped."));
    QVERIFY(notice.last() != QStringLiteral("3件登録しました"));
    // The drawing count is empty when there is none.
    const QString registered = notice.last().left(notice.last().indexOf(u'件'));
    QCOMPARE(window->controls().drawingCount->text(),
             registered == QStringLiteral("0") ? QString() : registered);
    QVERIFY(progress.runBar()->isHidden());
    QVERIFY(progress.stopButton()->isHidden());
}

// 中断 while the folder is searched: the walk ends, the operator is asked
// whether what it found is listed, and No lists and registers nothing.
void FailListTest::theStopButtonEndsTheWalkAndOffersWhatItFound()
{
    ft::test::TempFolder data, settings, sources;
    writeSet(sources.path(), "A", 2);
    ScriptedOperator op;
    auto window = std::make_unique<ft::app::MainWindow>(op, data.path(), settings.path());
    auto* dialog = new TargetListDialog(window.get());
    window->attachTargetList(*dialog);
    op.answers = {true, false};
    op.folder = sources.path();

    auto& progress = dynamic_cast<ft::app::StatusBarProgress&>(window->progress());
    QString shownText;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (progress.runBar()->isHidden() || !progress.stopButton()->isEnabled())
            return;
        QCOMPARE(progress.runBar()->maximum(), 0);
        shownText = window->controls().statusBar->currentMessage();
        progress.stopButton()->click();
    });
    stopper.start(0);
    QTest::mouseClick(window->controls().registerButton, Qt::LeftButton);
    stopper.stop();

    QVERIFY(shownText.startsWith(QStringLiteral("0 folders read, 0 headers")));
    QVERIFY(
        op.questions.last().startsWith(QStringLiteral("The search for data sets was stopped.")));
    QVERIFY(dialog->targets().empty());
    QVERIFY(!dialog->isVisible());
    QVERIFY(progress.runBar()->isHidden());
    QCOMPARE(window->controls().drawingCount->text(), QString());
}

QTEST_MAIN(FailListTest)
#include "target_list_dialog_test.moc"
