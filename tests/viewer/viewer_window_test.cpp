// The window as a user meets it: it opens whatever the request holds, says
// what it could not read, greys what it could not find; and the command line.
#include "viewer/command_line.h"
#include "viewer/drawing_view.h"
#include "viewer/lot_search.h"
#include "viewer/viewer_window.h"

#include "core/formats/request_file.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <QLabel>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace ft::viewer {
namespace {

QStringList texts(const QTreeWidgetItem* parent)
{
    QStringList shown;
    for (int i = 0; i < parent->childCount(); ++i)
        shown << parent->child(i)->text(0);
    return shown;
}

QStringList texts(const QAbstractItemModel& model, const QModelIndex& parent)
{
    QStringList shown;
    for (int i = 0; i < model.rowCount(parent); ++i)
        shown << model.index(i, 0, parent).data().toString();
    return shown;
}

TEST(ViewerWindow, AMissingRequestFileStillOpensTheWindowAndSaysSo)
{
    test::TempFolder folder;
    ViewerWindow window;
    window.show();
    window.openRequest(folder / "TAVLA.E2");
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("problemBanner"))->isVisible());
    QTreeWidget* problems = window.problemList();
    ASSERT_EQ(problems->topLevelItemCount(), 1);
    EXPECT_EQ(problems->topLevelItem(0)->text(0), QStringLiteral("表示依頼ファイル"));
    EXPECT_TRUE(texts(problems->topLevelItem(0))
                    .front()
                    .startsWith(QStringLiteral("表示依頼ファイルを読めません")));
}

TEST(ViewerWindow, RequestedItemsAreGroupedByDrawingAndTheMissingOnesGreyed)
{
    test::TempFolder folder;
    test::DataSetBuilder::smallValidSet(folder.path(), "A01").write();
    {
        formats::RequestWriter out(folder.path());
        out.writeDrawing((folder / "A01").string());
        out.writeParcel("大字山田", "字上野", "12-3");
        out.writeParcel("大字山田", "字上野", "99");
        out.finish();
    }
    ViewerWindow window;
    window.show();
    window.openRequest(formats::requestFilePath(folder.path()));

    const QAbstractItemModel& items = *window.itemList()->model();
    ASSERT_EQ(items.rowCount(), 2);
    const QModelIndex drawing = items.index(0, 0);
    EXPECT_EQ(drawing.data().toString(), QStringLiteral("A01"));
    EXPECT_EQ(texts(items, drawing), QStringList{QStringLiteral("地番 大字山田 字上野 12-3")});
    const QModelIndex missing = items.index(0, 0, items.index(1, 0));
    EXPECT_EQ(missing.data().toString(),
              QStringLiteral("地番または図葉 大字山田,字上野,99 — 開いた図面に見つかりません"));
    EXPECT_NE(missing.data(Qt::ForegroundRole),
              items.index(0, 0, drawing).data(Qt::ForegroundRole));

    // The small set's second outline names parcel 1 but is labelled 12-4:
    // listed, not linked.
    EXPECT_TRUE(texts(window.problemList()->topLevelItem(0))
                    .filter(QStringLiteral("大字・地番が一致しません"))
                    .size() == 1);

    window.itemList()->setCurrentIndex(items.index(0, 0, drawing));
    const SceneItem parcel{0, SceneItem::Kind::Outline, 0};
    EXPECT_EQ(window.drawingView()->focusItem(), std::optional<SceneItem>(parcel));
    // The lot-number box takes full or half width alike.
    window.drawingView()->setFocusItem(std::nullopt);
    window.findLot(QStringLiteral("１２－３"));
    EXPECT_EQ(window.drawingView()->focusItem(), std::optional<SceneItem>(parcel));
    EXPECT_EQ(findLots(window.session(), QStringLiteral("12-3")).size(), 1u);
    EXPECT_TRUE(findLots(window.session(), QStringLiteral("12-3\u00E9")).empty()); // not CP932
}

TEST(ViewerCommandLine, TheHandOffHeadersAndBadUsage)
{
    const CommandLine handOff = parseCommandLine({"-E2", "/home/u/.config/findTavla/TAVLA.E2"});
    EXPECT_EQ(handOff.requestFile, std::filesystem::path("/home/u/.config/findTavla/TAVLA.E2"));
    EXPECT_TRUE(handOff.error.empty());

    const CommandLine headers = parseCommandLine({"/d/A01.HED", "/d/B01"});
    EXPECT_EQ(headers.headers, (std::vector<std::filesystem::path>{"/d/A01.HED", "/d/B01.hed"}));

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"-E2"}, {"-E2", "a", "-E2", "b"}, {"--bogus"}})
        EXPECT_FALSE(parseCommandLine(bad).error.empty());
    EXPECT_TRUE(asksForHelp({"x.hed", "--help"}));
    // Before Qt has taken its options out, only Tavla's own are judged.
    EXPECT_TRUE(parseCommandLine({"-platform", "offscreen", "-E2", "r"}, OtherOptions::PassBy)
                    .error.empty());
    EXPECT_FALSE(
        parseCommandLine({"-platform", "offscreen", "-E2"}, OtherOptions::PassBy).error.empty());
}

} // namespace
} // namespace ft::viewer
