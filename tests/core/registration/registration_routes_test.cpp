// The three registration routes with scripted answers and a stand-in for the
// target-list dialog.

#include "registration_fixture.h"

#include "core/registration/registration_routes.h"
#include "support/scripted_operator.h"
#include "support/scripted_target_list_view.h"

#include <gtest/gtest-spi.h>

namespace ft::registration {
namespace {

namespace fs = std::filesystem;
using test::ScriptedOperator;
using test::ScriptedTargetListView;
using test::SurveyFile;

class RegistrationRoutesTest : public RegistrationTest {
protected:
    fs::path writeValid(const std::string& name, int datum, const std::string& subfolder = "")
    {
        test::DataSetBuilder set = validSet(name, datum, subfolder);
        for (const SurveyFile kind :
             {SurveyFile::Header, SurveyFile::Outlines, SurveyFile::Points, SurveyFile::Parcels})
            set.setModificationTime(kind, {2024, 5, 6, 7, 8, 9});
        return set.write();
    }

    ScriptedOperator op;
    ScriptedTargetListView view;
    TargetList targets;
    RegistrationRoutes routes{state, op, progress, view, targets};
};

TEST_F(RegistrationRoutesTest, TheFolderRouteOffersEverySetCheckedAndRegistersWhatStaysChecked)
{
    writeValid("A", 1);
    writeValid("B", 2);
    op.answers = {true};
    op.folder = sources.path();
    view.uncheck = {1};

    EXPECT_TRUE(RegisterFolderOrFiles(routes));

    EXPECT_EQ(op.questions, QStringList{QStringLiteral("フォルダーを指定しますか？")});
    EXPECT_EQ(op.icons.at(0), platform::Operator::Icon::Warning);
    EXPECT_EQ(op.prompts, QStringList{QStringLiteral("登録するフォルダの選択")});
    const std::string a = platform::pathText(sources.path() / "A.hed");
    const std::string b = platform::pathText(sources.path() / "B.hed");
    EXPECT_EQ(view.shown, (std::vector<std::string>{a + ",1,日本測地系,2024/05/06 07:08:09 [x]",
                                                    b + ",2,世界測地系,2024/05/06 07:08:09 [x]"}));
    EXPECT_EQ(op.notices, QStringList{QStringLiteral("1件登録しました")});
    EXPECT_EQ(tableCounts(Datum::Japanese), (std::vector<int>{1, 7, 2, 6, 2}));
    EXPECT_EQ(tableCounts(Datum::World), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(progress.busyDepth, 0);
}

TEST_F(RegistrationRoutesTest, CancellingTheTargetListRegistersNothingAndKeepsTheList)
{
    writeValid("A", 2);
    op.answers = {true};
    op.folder = sources.path();
    view.confirm = false;

    EXPECT_FALSE(RegisterFolderOrFiles(routes));

    EXPECT_TRUE(op.notices.isEmpty());
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_TRUE(targets[0].checked);
    EXPECT_EQ(tableCounts(Datum::World)[0], 0);

    // The entry stays; the next walk of the same folder does not list it a
    // second time, and the run counts the set once.
    op.answers = {true};
    view.confirm = true;
    EXPECT_TRUE(RegisterFolderOrFiles(routes));
    EXPECT_EQ(view.shown.size(), 1u + 1u);
    ASSERT_FALSE(progress.runStates.empty());
    EXPECT_EQ(progress.runStates.back().setsFound, 1);
    EXPECT_EQ(op.notices, QStringList{QStringLiteral("1件登録しました")});
}

TEST_F(RegistrationRoutesTest, AFailedSetIsReportedAfterTheCount)
{
    test::DataSetBuilder broken = validSet("A", 2);
    broken.clear(SurveyFile::Outlines);
    const fs::path header = broken.write();
    op.answers = {true};
    op.folder = sources.path();

    RegisterFolderOrFiles(routes);

    ASSERT_EQ(op.notices.size(), 2);
    EXPECT_EQ(op.notices[0], QStringLiteral("0件登録しました"));
    EXPECT_TRUE(op.notices[1].startsWith(QString::fromStdString(header.string()) +
                                         QStringLiteral("は登録できません")));
}

TEST_F(RegistrationRoutesTest, TheFileRouteRegistersEachPickedHeaderAndReportsTheRefusedOnes)
{
    const fs::path a = writeValid("A", 1);
    const fs::path upper = sources.path() / "B.HED";
    fs::rename(writeValid("B", 2), upper);
    op.answers = {false};
    op.files = {a, upper};

    EXPECT_TRUE(RegisterFolderOrFiles(routes));

    EXPECT_EQ(op.prompts, QStringList{QStringLiteral("hed files (*.hed *.HED)")});
    EXPECT_TRUE(op.notices.isEmpty());
    EXPECT_EQ(tableCounts(Datum::Japanese)[0], 1);
    EXPECT_EQ(rows(Datum::World, "SELECT PATH FROM FILE"),
              (std::vector<std::vector<std::string>>{{(sources.path() / "B").string()}}));
    EXPECT_TRUE(targets.empty());

    op.answers = {false};
    EXPECT_TRUE(RegisterFolderOrFiles(routes));
    EXPECT_EQ(
        op.notices,
        (QStringList{QString::fromStdString(a.string()) + QStringLiteral("は登録できません"),
                     QString::fromStdString(upper.string()) + QStringLiteral("は登録できません")}));

    // A cancelled file dialog registers nothing.
    op.answers = {false};
    op.files.clear();
    EXPECT_FALSE(RegisterFolderOrFiles(routes));
}

TEST_F(RegistrationRoutesTest, TheDriveScanListsEveryDriveAndWalksTheReadyOnes)
{
    writeValid("A", 2, "ready");
    writeValid("N", 2, "notready");
    routes.drives = [&] {
        return std::vector<DriveInfo>{
            {sources.path() / "ready", DriveType::HardDisk, true, 100, 50},
            {sources.path() / "notready", DriveType::CdRom, false, 0, 0}};
    };
    view.drives.push_back({"/stale", DriveType::Unknown, false, 0, 0});

    op.answers = {false};
    EXPECT_FALSE(ScanDrivesAndRegister(routes));
    EXPECT_EQ(view.drives.size(), 1u);

    op.answers = {true};
    EXPECT_TRUE(ScanDrivesAndRegister(routes));

    EXPECT_EQ(op.questions.back(), QStringLiteral("全ドライブをスキャンします。よろしいですか？"));
    ASSERT_EQ(view.drives.size(), 2u);
    EXPECT_EQ(view.drives[1].type, DriveType::CdRom);
    EXPECT_TRUE(progress.statuses.contains(QStringLiteral("2ドライブ")));
    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_EQ(op.notices, QStringList{QStringLiteral("1件登録しました")});
    EXPECT_EQ(progress.busyDepth, 0);
}

// What the walk passed by is told after it: by path for the folder route,
// by count for the drive scan.
TEST_F(RegistrationRoutesTest, WhatTheWalkPassedByIsToldPathsForAFolderCountsForADriveScan)
{
    writeValid("A", 2, "ready");
    test::DataSetBuilder(sources.path() / "ready", "B").omit(SurveyFile::Points).write();
    const QString b =
        QString::fromStdString(platform::pathText(sources.path() / "ready" / "B.hed"));

    op.answers = {true};
    op.folder = sources.path() / "ready";
    EXPECT_TRUE(RegisterFolderOrFiles(routes));
    ASSERT_EQ(op.notices.size(), 2);
    EXPECT_EQ(op.notices[0],
              QStringLiteral("Some were not taken for registration.\n\n"
                             "Data sets without all of .pol, .pnt, .atr (1 found):\n") +
                  b);
    EXPECT_EQ(op.notices[1], QStringLiteral("1件登録しました"));

    op.notices.clear();
    targets.clear();
    routes.drives = [&] {
        return std::vector<DriveInfo>{
            {sources.path() / "ready", DriveType::HardDisk, true, 100, 50},
            {sources.path() / "gone", DriveType::HardDisk, true, 100, 50}};
    };
    op.answers = {true};
    EXPECT_TRUE(ScanDrivesAndRegister(routes));
    ASSERT_EQ(op.notices.size(), 2);
    EXPECT_EQ(op.notices[0], QStringLiteral("Some were not taken for registration.\n\n"
                                            "Data sets without all of .pol, .pnt, .atr: 1 found\n\n"
                                            "Folders that could not be read: 1 found"));
    EXPECT_EQ(op.notices[1], QStringLiteral("0件登録しました"));
}

// 中断 during the walk: the operator chooses whether what was found is
// offered; No ends the command with nothing listed or registered.
TEST_F(RegistrationRoutesTest, AStoppedWalkOffersWhatItFoundOnlyWhenTheOperatorWantsIt)
{
    writeValid("A", 2);
    progress.stopScans = true;
    op.folder = sources.path();
    op.answers = {true, false};
    EXPECT_FALSE(RegisterFolderOrFiles(routes));
    EXPECT_EQ(
        op.questions.back(),
        QStringLiteral("The search for data sets was stopped.\nShow the 0 found so far in the "
                       "list of target files?"));
    EXPECT_TRUE(view.shown.empty());
    EXPECT_TRUE(targets.empty());
    EXPECT_EQ(progress.busyDepth, 0);

    op.answers = {true, true};
    EXPECT_TRUE(RegisterFolderOrFiles(routes));
    EXPECT_EQ(op.notices.back(), QStringLiteral("0件登録しました"));
}

// The scripted operator fails a test that shows a known message in a box
// of another kind, whichever call shows it.
TEST(BoxKindTest, AMessageInTheWrongKindOfBoxFailsTheTest)
{
    using Notice = platform::Operator::Notice;
    ScriptedOperator scripted;
    platform::Operator& op = scripted; // with the calls' default arguments
    EXPECT_NONFATAL_FAILURE(op.notify(QStringLiteral("見つかりません"), Notice::Warning),
                            "wrong kind of box");
    EXPECT_NONFATAL_FAILURE(op.notify(QStringLiteral("/d/A.hedは登録できません\nreason")),
                            "wrong kind of box");
    EXPECT_NONFATAL_FAILURE(
        op.reportError(QStringLiteral("Registration stopped.\n3件登録しました")),
        "wrong kind of box");
    EXPECT_NONFATAL_FAILURE(op.askYesNo(QStringLiteral("フォルダーを指定しますか？")),
                            "wrong kind of box");
    op.notify(QStringLiteral("Registration stopped.\n3件登録しました"), Notice::Information);
    op.reportError(QStringLiteral("a library's own text"));
}

} // namespace
} // namespace ft::registration
