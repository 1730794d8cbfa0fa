// The side list's model at its edges, under Qt's model tester: no session,
// an empty request, a drawing that could not be read, items found nowhere.
#include "viewer/request_list_model.h"

#include "core/formats/request_file.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"
#include "viewer/viewer_session.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

namespace ft::viewer {
namespace {

// Every entry, depth first, as "text" or "  text" for a child.
QStringList entries(const QAbstractItemModel& model)
{
    QStringList shown;
    for (int group = 0; group < model.rowCount(); ++group) {
        const QModelIndex parent = model.index(group, 0);
        shown << parent.data().toString();
        for (int row = 0; row < model.rowCount(parent); ++row)
            shown << QStringLiteral("  ") + model.index(row, 0, parent).data().toString();
    }
    return shown;
}

TEST(RequestListModel, EmptyListsAndTheGroupsAtTheirEdges)
{
    RequestListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.selectionAt(model.index(0, 0)).has_value());

    test::TempFolder folder;
    ViewerSession empty;
    empty.openRequest(folder / "none.E2");
    model.reset(&empty);
    EXPECT_EQ(model.rowCount(), 0);

    test::DataSetBuilder::smallValidSet(folder.path(), "A01").write();
    {
        formats::RequestWriter out(folder.path());
        out.writeDrawing((folder / "A01").string());
        out.writeDrawing((folder / "GONE").string());
        out.writeParcel("大字山田", "字上野", "12-3");
        out.writeParcel("大字山田", "字上野", "99");
        out.finish();
    }
    ViewerSession session;
    session.openRequest(formats::requestFilePath(folder.path()));
    model.reset(&session);
    EXPECT_EQ(
        entries(model),
        (QStringList{QStringLiteral("A01"), QStringLiteral("  地番 大字山田 字上野 12-3"),
                     QStringLiteral("GONE — 図面を読めません"), QStringLiteral("見つからない項目"),
                     QStringLiteral("  地番または図葉 大字山田,字上野,99 — "
                                    "開いた図面に見つかりません")}));
    // The drawing that could not be read is greyed, the one read is not.
    EXPECT_FALSE(model.index(0, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_TRUE(model.index(1, 0).data(Qt::ForegroundRole).isValid());
    // Past the last row and column, and below an item, there is nothing.
    const QModelIndex found = model.index(0, 0, model.index(0, 0));
    EXPECT_FALSE(model.index(1, 0, model.index(0, 0)).isValid());
    EXPECT_FALSE(model.index(0, 1).isValid());
    EXPECT_EQ(model.rowCount(found), 0);
    EXPECT_EQ(model.parent(found), model.index(0, 0));

    const std::optional<ListSelection> parcel = model.selectionAt(found);
    ASSERT_TRUE(parcel.has_value());
    EXPECT_EQ(parcel->targets, (std::vector<SceneItem>{{0, SceneItem::Kind::Outline, 0}}));
    EXPECT_FALSE(model.selectionAt(model.index(2, 0)).has_value());

    model.reset(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
} // namespace ft::viewer
