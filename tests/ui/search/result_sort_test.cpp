// Sorting the parcel, point and drawing lists by a clicked column, and the
// count of rows and ticked rows in the status bar.

#include "ui/search/result_list_view.h"
#include "ui/search/result_windows.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "devtools/temp_folder.h"
#include "support/scripted_operator.h"
#include "ui/widgets/tsk_button.h"

#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace ft::search;
using ft::catalogue::TSQLiteDatabase;
using ft::formats::kRegisteredDrawingRecord;

namespace {

// Lot numbers 1, 2, 5-1, 9 and 10 (text order would put 10 before 2), owner
// names whose UTF-8 bytes order 佐藤 before 山田, and one owner record.
void fillCatalogue(TSQLiteDatabase& db)
{
    ft::catalogue::CreateSchemaIfMissing(db);
    // OOAZA, KOAZA, CHIBAN, MODE, SNAME, KNAME, OYA, KO, MAGO, FILENO
    for (const char* row :
         {"'本町','東','2',1,'佐藤','ｻﾄｳ',2,0,0,2", "'本町','東','1',1,'山田','ﾔﾏﾀﾞ',1,0,0,1",
          "'本町','西','5-1',1,'','',5,1,0,3", "'新町','','9',1,'','',9,0,0,1",
          "'本町','東','10',2,'佐藤','ｻﾄｳ',10,0,0,2"})
        db.ExecSQL(std::string("INSERT INTO CHIBAN VALUES (") + row + ")");
    for (const int fileNo : {10, 2, 1, 3})
        db.ExecSQL("INSERT INTO FILE VALUES ('/s/" + std::to_string(fileNo) + "','t'," +
                   std::to_string(fileNo) + ",'','',0,2)");
}

QStringList utf8List(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

QStringList column(const ResultListModel& model, int column)
{
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells << model.index(row, column).data().toString();
    return cells;
}

void clickHeading(const ResultListView& view, int column)
{
    QHeaderView& heading = *view.header();
    QTest::mouseClick(heading.viewport(), Qt::LeftButton, {},
                      QPoint(heading.sectionViewportPosition(column) + 20, heading.height() / 2));
}

} // namespace

class ResultSortTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aHeadingSortsByItsColumnAndASecondClickReverses();
    void textsSortByTheirBytesAndNumbersAsNumbers();
    void anotherShowingListsInTheWindowsOwnOrderAgain();
    void theStatusBarCountsRowsAndTicksAfterEveryTickAction();

private:
    ResultWindowServices services()
    {
        return {*m_op, [this]() -> TSQLiteDatabase& { return *m_db; },
                [] { return ft::workspace::Datum::World; }};
    }
    void showAndRun(ResultListWindow& window, const std::function<void()>& whileShown)
    {
        QTimer::singleShot(0, &window, [&] {
            whileShown();
            window.reject();
        });
        window.ShowModal();
    }

    std::unique_ptr<ft::test::TempFolder> m_folder;
    std::unique_ptr<TSQLiteDatabase> m_db;
    std::unique_ptr<ft::test::ScriptedOperator> m_op;
};

void ResultSortTest::init()
{
    m_folder = std::make_unique<ft::test::TempFolder>();
    m_db = std::make_unique<TSQLiteDatabase>((m_folder->path() / "c.db").string());
    fillCatalogue(*m_db);
    m_op = std::make_unique<ft::test::ScriptedOperator>();
}

void ResultSortTest::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

void ResultSortTest::aHeadingSortsByItsColumnAndASecondClickReverses()
{
    ParcelResultWindow window(services());
    window.SetQuery("SELECT * FROM CHIBAN ", m_folder->path());
    showAndRun(window, [&] {
        ResultListModel& model = *window.listModel();
        const QHeaderView& heading = *window.listView()->header();
        QVERIFY(!heading.isSortIndicatorShown());
        const int nine = static_cast<int>(column(model, 2).indexOf(QStringLiteral("9")));
        model.setTicked(nine, false);

        clickHeading(*window.listView(), 2); // 地番, by its numeric parts
        QCOMPARE(column(model, 2), utf8List({"1", "2", "5-1", "9", "10"}));
        QVERIFY(heading.isSortIndicatorShown());
        QCOMPARE(heading.sortIndicatorSection(), 2);
        QCOMPARE(heading.sortIndicatorOrder(), Qt::AscendingOrder);
        QVERIFY(!model.isTicked(3)); // the tick stays with lot 9

        clickHeading(*window.listView(), 2);
        QCOMPARE(column(model, 2), utf8List({"10", "9", "5-1", "2", "1"}));
        QCOMPARE(heading.sortIndicatorOrder(), Qt::DescendingOrder);
        QVERIFY(!model.isTicked(1));
        QCOMPARE(model.tickedCount(), 4);

        clickHeading(*window.listView(), 6); // 種別: the owner record last
        QCOMPARE(column(model, 6).last(), QStringLiteral("所有者"));
        QCOMPARE(heading.sortIndicatorOrder(), Qt::AscendingOrder);
    });
}

void ResultSortTest::textsSortByTheirBytesAndNumbersAsNumbers()
{
    ParcelResultWindow parcels(services());
    parcels.SetQuery("SELECT * FROM CHIBAN ", m_folder->path());
    showAndRun(parcels, [&] {
        clickHeading(*parcels.listView(), 3); // 所有者: empty, then 佐藤 before 山田
        QCOMPARE(column(*parcels.listModel(), 3), utf8List({"", "", "佐藤", "佐藤", "山田"}));
        // Rows alike keep the order of their rowids, reversed with the rest.
        QCOMPARE(column(*parcels.listModel(), 2), utf8List({"5-1", "9", "2", "10", "1"}));
        clickHeading(*parcels.listView(), 3);
        QCOMPARE(column(*parcels.listModel(), 2), utf8List({"1", "10", "2", "9", "5-1"}));
    });

    DrawingListWindow drawings(services());
    drawings.SetQuery(kRegisteredDrawingRecord, "SELECT * FROM FILE", m_folder->path());
    showAndRun(drawings, [&] {
        clickHeading(*drawings.listView(), 0); // パス as text: /s/1, /s/10, /s/2, /s/3
        QCOMPARE(column(*drawings.listModel(), 1), utf8List({"1", "10", "2", "3"}));
        clickHeading(*drawings.listView(), 1); // FileNo as a number
        QCOMPARE(column(*drawings.listModel(), 1), utf8List({"1", "2", "3", "10"}));
    });
}

void ResultSortTest::anotherShowingListsInTheWindowsOwnOrderAgain()
{
    DrawingListWindow window(services());
    window.SetQuery(kRegisteredDrawingRecord, "SELECT * FROM FILE", m_folder->path());
    showAndRun(window, [&] {
        clickHeading(*window.listView(), 1);
        clickHeading(*window.listView(), 1);
        QCOMPARE(column(*window.listModel(), 1), utf8List({"10", "3", "2", "1"}));
    });
    showAndRun(window, [&] {
        QCOMPARE(column(*window.listModel(), 1), utf8List({"1", "2", "3", "10"}));
        QVERIFY(!window.listView()->header()->isSortIndicatorShown());
        // The first click after a new showing sorts ascending.
        clickHeading(*window.listView(), 1);
        QCOMPARE(column(*window.listModel(), 1), utf8List({"1", "2", "3", "10"}));
        QCOMPARE(window.listView()->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    });
}

void ResultSortTest::theStatusBarCountsRowsAndTicksAfterEveryTickAction()
{
    m_db->ExecSQL("BEGIN");
    for (int fileNo = 11; fileNo < 11 + 1230; ++fileNo)
        m_db->ExecSQL("INSERT INTO FILE VALUES ('/s/x','t'," + std::to_string(fileNo) +
                      ",'','',0,2)");
    m_db->ExecSQL("COMMIT");
    DrawingListWindow window(services());
    window.SetQuery(kRegisteredDrawingRecord, "SELECT * FROM FILE", m_folder->path());
    showAndRun(window, [&] {
        const QLabel* count = window.findChild<QLabel*>(QStringLiteral("rowCount"));
        QVERIFY(count != nullptr);
        ResultListView& view = *window.listView();
        ResultListModel& model = *window.listModel();
        const auto shows = [&](const char* text) {
            QCOMPARE(count->text(), QString::fromUtf8(text));
        };
        shows("1,234件中 0件を選択");                        // the drawing list starts unticked
        QTest::mouseClick(window.button(4), Qt::LeftButton); // 全選択
        shows("1,234件中 1,234件を選択");
        QTest::mouseClick(window.button(3), Qt::LeftButton); // 全未選択
        shows("1,234件中 0件を選択");
        const QRect first = view.visualRect(model.index(0, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          QPoint(first.left() + 8, first.center().y())); // its check box
        shows("1,234件中 1件を選択");
        for (const int row : {0, 1, 2})
            view.selectionModel()->select(model.index(row, 0), QItemSelectionModel::Select);
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Space); // 0 off, 1 and 2 on
        shows("1,234件中 2件を選択");
        clickHeading(view, 1);
        shows("1,234件中 2件を選択");
    });
}

QTEST_MAIN(ResultSortTest)
#include "result_sort_test.moc"
