#include "core/formats/request_file.h"
#include "ui/search/result_list_view.h"
#include "ui/search/result_windows.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/platform/cp932.h"
#include "devtools/temp_folder.h"
#include "support/cp932_lines.h"
#include "support/scripted_operator.h"
#include "ui/widgets/tsk_button.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace ft::search;
using ft::catalogue::TSQLiteDatabase;
using ft::formats::kBoundaryPointRecord;
using ft::formats::kControlPointRecord;
using ft::formats::kRegisteredDrawingRecord;
using ft::formats::requestFilePath;
namespace fs = std::filesystem;

namespace {

// A catalogue of three drawings with parcels, map sheets and points.
void fillCatalogue(TSQLiteDatabase& db)
{
    ft::catalogue::CreateSchemaIfMissing(db);
    for (const char* row : {"'/s/one','t',1,'作成者1','地区1',0,2", "'/s/two','t',2,'','',0,2",
                            "'/s/three','t',3,'','',0,2"})
        db.ExecSQL(std::string("INSERT INTO FILE VALUES (") + row + ")");
    for (const char* row :
         {"'本町','東','2',1,'佐藤','ｻﾄｳ',2,0,0,2", "'本町','東','1',1,'山田','ﾔﾏﾀﾞ',1,0,0,1",
          "'本町','西','5-1',1,'','',5,1,0,3", "'新町','','9',1,'','',9,0,0,1"})
        db.ExecSQL(std::string("INSERT INTO CHIBAN VALUES (") + row + ")");
    // MAPNAME, FILENO, SCALE, OYA, KO, KUBUN
    for (const char* row :
         {"'A1',1,1000,1,0,9", "'A2',1,500,2,0,10", "'B1',2,2500,1,0,1", "'B2',2,500,2,0,2"})
        db.ExecSQL(std::string("INSERT INTO MAP VALUES (") + row + ")");
    db.ExecSQL("INSERT INTO FTEN VALUES ('F1',1,1,0,0)");
    db.ExecSQL("INSERT INTO FTEN VALUES ('F2',3,2,0,0)");
    db.ExecSQL("INSERT INTO ZTEN VALUES ('Z1',2,1,0)");
}

QString texts(const ResultListModel& model, int row)
{
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.index(row, column).data().toString();
    return cells.join(QLatin1Char('|'));
}

QStringList firstColumn(const ResultListModel& model)
{
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells << model.index(row, 0).data().toString();
    return cells;
}

QList<bool> ticks(const ResultListModel& model)
{
    QList<bool> result;
    for (int row = 0; row < model.rowCount(); ++row)
        result << model.isTicked(row);
    return result;
}

void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(widget, button, {}, QPoint(widget->width() / 2, widget->height() / 2));
}

void clickHeading(const ResultListView& view, int column)
{
    QHeaderView& heading = *view.header();
    QTest::mouseClick(heading.viewport(), Qt::LeftButton, {},
                      QPoint(heading.sectionViewportPosition(column) + 20, heading.height() / 2));
}

} // namespace

class ResultWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void familyLayout();
    void modelsPassTheModelTester();
    void parcelRowsTicksAndEmptyRequest();
    void secondShowingListsOnlyItsRows();
    void onlyALeftPressOnTheCheckBoxTicks();
    void spaceInvertsEachSelectedRow();
    void mapSheetHeadingsSort();
    void pointWindowCarriesTheRecordCodeOfItsSearch();
    void drawingListStartsUntickedAndWritesCode1();
    void requestThatCannotBeCreatedKeepsTheWindowOpen();
    void unregisteredDrawingKeepsTheWindowOpen();
    void pathCp932CannotHoldRefusesTheRequest();
    void statementTheCatalogueRejectsShowsNothing();
    void eachTickActionSendsOneNotice();
    void rowsDeletedUnderTheOpenWindowShowEmptyAndAreReported();

private:
    ResultWindowServices services()
    {
        return {*m_op, [this]() -> TSQLiteDatabase& { return *m_db; },
                [] { return ft::workspace::Datum::World; }};
    }
    // Shows the window modally; `whileShown` acts in it. A window the action
    // left open is closed with Cancel, so no test can hang.
    bool showAndRun(ResultListWindow& window, const std::function<void()>& whileShown);
    std::string request() const { return ft::test::readBytes(requestFilePath(m_folder->path())); }

    std::unique_ptr<ft::test::TempFolder> m_folder;
    std::unique_ptr<TSQLiteDatabase> m_db;
    std::unique_ptr<ft::test::ScriptedOperator> m_op;
    bool m_leftOpen = false;
};

void ResultWindowsTest::init()
{
    m_folder = std::make_unique<ft::test::TempFolder>();
    m_db = std::make_unique<TSQLiteDatabase>((m_folder->path() / "c.db").string());
    fillCatalogue(*m_db);
    m_op = std::make_unique<ft::test::ScriptedOperator>();
    m_leftOpen = false;
}

void ResultWindowsTest::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

bool ResultWindowsTest::showAndRun(ResultListWindow& window,
                                   const std::function<void()>& whileShown)
{
    QTimer::singleShot(0, &window, [&] {
        whileShown();
        m_leftOpen = window.isVisible();
        if (m_leftOpen)
            window.reject();
    });
    return window.ShowModal();
}

void ResultWindowsTest::familyLayout()
{
    ParcelResultWindow parcels(services());
    MapSheetResultWindow sheets(services());
    PointResultWindow points(services());
    DrawingListWindow drawings(services());
    struct Expected {
        ResultListWindow* window;
        QString caption;
        int width;
        QStringList headings;
        QList<int> widths;
        bool clickable;
    };
    const QList<Expected> expected = {
        {&parcels,
         QStringLiteral("地番検索結果"),
         959,
         {QStringLiteral("大字"), QStringLiteral("小字"), QStringLiteral("地番"),
          QStringLiteral("所有者"), QStringLiteral("所有者カナ"), QStringLiteral("FileNo"),
          QStringLiteral("種別")},
         {170, 170, 150, 175, 155, 60, 55},
         true},
        {&sheets,
         QStringLiteral("図葉検索結果"),
         957,
         {QStringLiteral("図葉番号"), QStringLiteral("縮尺の分母"), QStringLiteral("区分"),
          QStringLiteral("FileNo")},
         {170, 170, 150, 60},
         true},
        {&points,
         QStringLiteral("点検索結果"),
         957,
         {QStringLiteral("点　名"), QStringLiteral("FileNo")},
         {170, 60},
         true},
        {&drawings,
         QStringLiteral("点検索結果"),
         957,
         {QStringLiteral("パ　ス"), QStringLiteral("FileNo"), QStringLiteral("作成者"),
          QStringLiteral("地区"), QStringLiteral("測地系")},
         {600, 50, 120, 120, 60},
         true},
    };
    for (const Expected& e : expected) {
        ResultListWindow& w = *e.window;
        QCOMPARE(w.windowTitle(), e.caption);
        QCOMPARE(w.size(), QSize(e.width, 614));
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("Panel1"))->geometry(),
                 QRect(0, 0, e.width, 41));
        const QList<std::pair<int, QString>> buttons = {{2, QStringLiteral("閉じる")},
                                                        {3, QStringLiteral("全未選択")},
                                                        {4, QStringLiteral("全選択")},
                                                        {1, QStringLiteral("図面表示")}};
        const QList<int> lefts = {8, 160, 296, 832};
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            const ft::widgets::TskButton* button = w.button(buttons[i].first);
            QCOMPARE(button->objectName(), QStringLiteral("skButton%1").arg(buttons[i].first));
            QCOMPARE(button->captionA().caption(), buttons[i].second);
            QCOMPARE(button->geometry(), QRect(lefts[i], 8, 75, 26));
        }
        QCOMPARE(w.listView()->geometry(), QRect(0, 41, e.width, 614 - 41 - 19));
        QCOMPARE(w.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->geometry(),
                 QRect(0, 595, e.width, 19));
        const ResultListModel& model = *w.listModel();
        QCOMPARE(model.columnCount(), e.headings.size());
        for (int column = 0; column < model.columnCount(); ++column) {
            QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), e.headings[column]);
            QCOMPARE(w.listView()->columnWidth(column), e.widths[column]);
        }
        QCOMPARE(w.listView()->header()->sectionsClickable(), e.clickable);
    }
    // Only the parcel list shows its selection across the whole row.
    QVERIFY(parcels.listView()->allColumnsShowFocus());
    QVERIFY(!sheets.listView()->allColumnsShowFocus());
}

void ResultWindowsTest::modelsPassTheModelTester()
{
    using Tester = QAbstractItemModelTester;
    const auto mode = Tester::FailureReportingMode::QtTest;
    ParcelResultWindow parcels(services());
    MapSheetResultWindow sheets(services());
    PointResultWindow points(services());
    DrawingListWindow drawings(services());
    Tester parcelTester(parcels.listModel(), mode);
    Tester sheetTester(sheets.listModel(), mode);
    Tester pointTester(points.listModel(), mode);
    Tester drawingTester(drawings.listModel(), mode);

    parcels.SetQuery("SELECT * FROM CHIBAN ", m_folder->path());
    sheets.SetQuery("SELECT * FROM MAP ", m_folder->path());
    points.SetQuery(kBoundaryPointRecord, "SELECT * FROM FTEN ", m_folder->path());
    drawings.SetQuery(kRegisteredDrawingRecord, "SELECT * FROM FILE", m_folder->path());
    for (ResultListWindow* w :
         std::initializer_list<ResultListWindow*>{&parcels, &sheets, &points, &drawings})
        showAndRun(*w, [w] {
            w->listModel()->invertTicks({0});
            w->tickAll();
            w->untickAll();
        });
    QCOMPARE(parcels.listModel()->rowCount(), 4);
    QCOMPARE(drawings.listModel()->rowCount(), 3);
    showAndRun(sheets, [&] {
        sheets.listView()->selectionModel()->select(sheets.listModel()->index(0, 0),
                                                    QItemSelectionModel::Select |
                                                        QItemSelectionModel::Rows);
        for (const int column : {1, 2})
            clickHeading(*sheets.listView(), column);
    });
}

void ResultWindowsTest::parcelRowsTicksAndEmptyRequest()
{
    ParcelResultWindow window(services());
    window.SetQuery("SELECT * FROM CHIBAN WHERE OOAZA like '本町%'", m_folder->path());
    QStringList shown;
    QList<bool> ticksShown;
    const bool ok = showAndRun(window, [&] {
        const ResultListModel& model = *window.listModel();
        for (int row = 0; row < model.rowCount(); ++row)
            shown << texts(model, row);
        ticksShown = ticks(model);
        click(window.button(3)); // 全未選択
        click(window.button(1)); // 図面表示
    });
    // The order clause of the parcel list follows the conditions.
    QCOMPARE(shown, (QStringList{QStringLiteral("本町|東|1|山田|ﾔﾏﾀﾞ|1|筆"),
                                 QStringLiteral("本町|東|2|佐藤|ｻﾄｳ|2|筆"),
                                 QStringLiteral("本町|西|5-1|||3|筆")}));
    QCOMPARE(ticksShown, (QList<bool>{true, true, true}));
    QVERIFY(ok);
    QVERIFY(!m_leftOpen);
    QVERIFY(fs::exists(requestFilePath(m_folder->path())));
    QCOMPARE(request(), std::string());
    QVERIFY(m_op->notices.isEmpty() && m_op->errors.isEmpty());
}

void ResultWindowsTest::secondShowingListsOnlyItsRows()
{
    ParcelResultWindow window(services());
    window.SetQuery("SELECT * FROM CHIBAN WHERE KOAZA='東'", m_folder->path());
    QVERIFY(!showAndRun(window, [&] { click(window.button(2)); })); // 閉じる: Cancel
    QVERIFY(!m_leftOpen);
    QCOMPARE(window.Rows().size(), 2); // the rows stay until the next showing

    window.SetQuery("SELECT * FROM CHIBAN WHERE OOAZA='新町'", m_folder->path());
    QStringList shown;
    showAndRun(window, [&] { shown = firstColumn(*window.listModel()); });
    QCOMPARE(shown, QStringList{QStringLiteral("新町")});
    QCOMPARE(window.Rows().item(0).Ticked, true); // a result of one row: one ticked row
}

void ResultWindowsTest::onlyALeftPressOnTheCheckBoxTicks()
{
    PointResultWindow window(services());
    window.SetQuery(kBoundaryPointRecord, "SELECT * FROM FTEN ", m_folder->path());
    showAndRun(window, [&] {
        ResultListView& view = *window.listView();
        const QRect first = view.visualRect(view.model()->index(0, 0));
        const QRect second = view.visualRect(view.model()->index(1, 0));
        const QPoint box(first.left() + 8, first.center().y());
        QVERIFY(view.isOnCheckBox(box));
        QVERIFY(!view.isOnCheckBox(QPoint(first.right() - 10, first.center().y())));

        QTest::mouseClick(view.viewport(), Qt::RightButton, {}, box);
        QCOMPARE(ticks(*window.listModel()), (QList<bool>{true, true}));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          QPoint(second.right() - 10, second.center().y()));
        QCOMPARE(ticks(*window.listModel()), (QList<bool>{true, true}));
        QVERIFY(view.selectionModel()->isRowSelected(1, {})); // the text press selected it
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, box);
        QCOMPARE(ticks(*window.listModel()), (QList<bool>{false, true}));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, box);
        QCOMPARE(ticks(*window.listModel()), (QList<bool>{true, true}));
        // Both presses of a double click count; the second arrives as the double click.
        QSignalSpy changes(window.listModel(), &QAbstractItemModel::dataChanged);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, box);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, box);
        QCOMPARE(changes.count(), 2);
        QCOMPARE(ticks(*window.listModel()), (QList<bool>{true, true}));
    });
}

void ResultWindowsTest::spaceInvertsEachSelectedRow()
{
    ParcelResultWindow window(services());
    window.SetQuery("SELECT * FROM CHIBAN ", m_folder->path());
    showAndRun(window, [&] {
        ResultListView& view = *window.listView();
        ResultListModel& model = *window.listModel();
        view.setFocus();
        view.selectionModel()->clear();
        QTest::keyClick(&view, Qt::Key_Space);
        QCOMPARE(ticks(model), (QList<bool>{true, true, true, true}));

        model.setAllTicked(false);
        model.setTicked(2, true);
        view.selectionModel()->clearSelection();
        for (const int row : {0, 2, 3})
            view.selectionModel()->select(model.index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(&view, Qt::Key_Space);
        QCOMPARE(ticks(model), (QList<bool>{true, false, false, true}));
    });
}

void ResultWindowsTest::mapSheetHeadingsSort()
{
    MapSheetResultWindow window(services());
    window.SetQuery("SELECT * FROM MAP ", m_folder->path());
    showAndRun(window, [&] {
        ResultListModel& model = *window.listModel();
        const auto clickColumn = [&](int column) {
            clickHeading(*window.listView(), column);
            QCOMPARE(window.SortColumn(), column);
        };
        // " order by FILENO,OYA,KO"
        const QStringList loaded = {QStringLiteral("A1"), QStringLiteral("A2"),
                                    QStringLiteral("B1"), QStringLiteral("B2")};
        QCOMPARE(firstColumn(model), loaded);
        window.listView()->selectionModel()->select(
            model.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

        clickColumn(0);
        QCOMPARE(firstColumn(model), loaded);
        clickColumn(3);
        QCOMPARE(firstColumn(model), loaded);

        clickColumn(1); // 500 before 1000 before 2500; equal scales keep their order
        QCOMPARE(firstColumn(model), (QStringList{QStringLiteral("A2"), QStringLiteral("B2"),
                                                  QStringLiteral("A1"), QStringLiteral("B1")}));
        // The selected row (A1) moved with its row.
        QCOMPARE(window.listView()->selectedRowNumbers(), QList<int>{2});
        clickColumn(1);
        QCOMPARE(firstColumn(model), (QStringList{QStringLiteral("A2"), QStringLiteral("B2"),
                                                  QStringLiteral("A1"), QStringLiteral("B1")}));

        clickColumn(2); // kubun as text: 1, 10, 2, 9
        QCOMPARE(firstColumn(model), (QStringList{QStringLiteral("B1"), QStringLiteral("A2"),
                                                  QStringLiteral("B2"), QStringLiteral("A1")}));
        // The designed sort: no indicator, no reversing.
        QVERIFY(!window.listView()->header()->isSortIndicatorShown());
        click(window.button(1));
    });
    // 図面表示 after a sort: drawings and sheets still by descending drawing number.
    QCOMPARE(request(), ft::test::cp932Lines({"0,\"/s/two\"", "0,\"/s/one\"", "2,B2,500,2",
                                              "2,B1,2500,1", "2,A1,1000,9", "2,A2,500,10"}));
}

void ResultWindowsTest::pointWindowCarriesTheRecordCodeOfItsSearch()
{
    PointResultWindow window(services());
    window.SetQuery(kControlPointRecord, "SELECT * FROM ZTEN ", m_folder->path());
    QVERIFY(showAndRun(window, [&] { click(window.button(1)); }));
    QCOMPARE(request(), ft::test::cp932Lines({"0,\"/s/two\"", "5,Z1,"}));

    window.SetQuery(kBoundaryPointRecord, "SELECT * FROM FTEN ", m_folder->path());
    QVERIFY(showAndRun(window, [&] { click(window.button(1)); }));
    QCOMPARE(request(), ft::test::cp932Lines({"0,\"/s/three\"", "0,\"/s/one\"", "4,F2,", "4,F1,"}));
}

void ResultWindowsTest::drawingListStartsUntickedAndWritesCode1()
{
    DrawingListWindow window(services());
    window.SetQuery(kRegisteredDrawingRecord, "SELECT * FROM FILE", m_folder->path());
    QList<bool> ticksShown;
    QString second;
    QVERIFY(showAndRun(window, [&] {
        ticksShown = ticks(*window.listModel());
        second = texts(*window.listModel(), 0);
        click(window.button(4)); // 全選択
        window.listModel()->setTicked(1, false);
        click(window.button(1));
    }));
    QCOMPARE(ticksShown, (QList<bool>{false, false, false}));
    QCOMPARE(second, QStringLiteral("/s/one|1|作成者1|地区1|2"));
    QCOMPARE(request(),
             ft::test::cp932Lines({"0,\"/s/three\"", "0,\"/s/one\"", "1,/s/three,", "1,/s/one,"}));
}

void ResultWindowsTest::requestThatCannotBeCreatedKeepsTheWindowOpen()
{
    PointResultWindow window(services());
    window.SetQuery(kBoundaryPointRecord, "SELECT * FROM FTEN ", m_folder->path() / "missing");
    QVERIFY(!showAndRun(window, [&] { click(window.button(1)); }));
    QVERIFY(m_leftOpen);
    QCOMPARE(m_op->notices, QStringList{QStringLiteral("中間ファイル作成ができませんでした")});
    QVERIFY(m_op->errors.isEmpty());
}

void ResultWindowsTest::unregisteredDrawingKeepsTheWindowOpen()
{
    m_db->ExecSQL("DELETE FROM FILE WHERE FILENO=3");
    ft::test::writeBytes(requestFilePath(m_folder->path()), "0,\"/earlier\"\r\n");
    PointResultWindow window(services());
    window.SetQuery(kBoundaryPointRecord, "SELECT * FROM FTEN ", m_folder->path());
    QVERIFY(!showAndRun(window, [&] { click(window.button(1)); }));
    QVERIFY(m_leftOpen);
    QCOMPARE(m_op->errors,
             QStringList{QStringLiteral("The catalogue no longer holds what was asked for; another "
                                        "findTavla may have deleted it. Search again."
                                        "\n\nField PATH Not found. Empty dataset")});
    // The request handed over before is still there, untouched.
    QCOMPARE(request(), std::string("0,\"/earlier\"\r\n"));
}

// A drawing whose path CP932 cannot hold (Linux paths may hold ü or an
// emoji) cannot be handed over: the whole request is refused, naming the
// drawing, and the previous request stays as it was.
void ResultWindowsTest::pathCp932CannotHoldRefusesTheRequest()
{
    m_db->ExecSQL("UPDATE FILE SET PATH='/s/M\u00FCller/two' WHERE FILENO=2");
    ft::test::writeBytes(requestFilePath(m_folder->path()), "0,\"/earlier\"\r\n");
    DrawingListWindow window(services());
    window.SetQuery(kRegisteredDrawingRecord, "SELECT * FROM FILE", m_folder->path());
    QVERIFY(!showAndRun(window, [&] {
        click(window.button(4)); // 全選択
        click(window.button(1));
    }));
    QVERIFY(m_leftOpen);
    QCOMPARE(m_op->errors.size(), 1);
    QVERIFY2(m_op->errors.front().contains(QStringLiteral("/s/M\u00FCller/two")),
             qPrintable(m_op->errors.front()));
    QCOMPARE(request(), std::string("0,\"/earlier\"\r\n"));
}

void ResultWindowsTest::statementTheCatalogueRejectsShowsNothing()
{
    ParcelResultWindow window(services());
    window.SetQuery("SELECT * FROM CHIBAN WHERE OOAZA='a'b'", m_folder->path());
    QTimer::singleShot(0, &window, &QDialog::reject); // should it be shown after all
    QVERIFY_THROWS_EXCEPTION(ft::catalogue::ESQLiteException, window.ShowModal());
    QVERIFY(!window.isVisible());
    QCOMPARE(window.listModel()->rowCount(), 0);
}

// However many rows an action changes, the view hears of it once.
void ResultWindowsTest::eachTickActionSendsOneNotice()
{
    ParcelResultWindow window(services());
    window.SetQuery("SELECT * FROM CHIBAN ", m_folder->path());
    showAndRun(window, [&] {
        ResultListView& view = *window.listView();
        QSignalSpy changes(window.listModel(), &QAbstractItemModel::dataChanged);
        click(window.button(3));
        click(window.button(4));
        view.setFocus();
        view.selectAll();
        QTest::keyClick(&view, Qt::Key_Space);
        view.selectionModel()->clearSelection();
        for (const int row : {0, 2, 3})
            view.selectionModel()->select(window.listModel()->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(&view, Qt::Key_Space);
        QCOMPARE(changes.count(), 4);
        QCOMPARE(ticks(*window.listModel()), (QList<bool>{true, false, true, true}));
    });
}

// A registration by the command-line tool deletes rows while the window is
// open: rows the list has not shown yet come up empty, and 図面表示 tells
// the operator instead of writing a request without them.
void ResultWindowsTest::rowsDeletedUnderTheOpenWindowShowEmptyAndAreReported()
{
    m_db->BeginTransaction();
    for (int lot = 1; lot <= 600; ++lot)
        m_db->ExecSQL("INSERT INTO CHIBAN VALUES ('町','','" + std::to_string(lot) + "',1,'',''," +
                      std::to_string(lot) + ",0,0,2)");
    m_db->Commit();
    ParcelResultWindow window(services());
    window.SetQuery("SELECT * FROM CHIBAN WHERE OOAZA='町'", m_folder->path());
    const std::string previous = ft::test::cp932Lines({"0,\"/s/old\""});
    ft::test::writeBytes(requestFilePath(m_folder->path()), previous);
    QString shownBefore;
    QString goneRow;
    QString keptRow;
    const bool ok = showAndRun(window, [&] {
        const ResultListModel& model = *window.listModel();
        shownBefore = texts(model, 0);
        m_db->ExecSQL("DELETE FROM CHIBAN WHERE OOAZA='町' AND OYA > 590");
        goneRow = texts(model, 595);
        keptRow = texts(model, 580);
        click(window.button(1)); // 図面表示
    });
    QCOMPARE(shownBefore, QStringLiteral("町||1|||2|筆"));
    QCOMPARE(goneRow, QStringLiteral("||||||"));
    QCOMPARE(keptRow, QStringLiteral("町||581|||2|筆"));
    QVERIFY(!ok);
    QVERIFY(m_leftOpen);
    QCOMPARE(m_op->errors.size(), 1);
    QVERIFY(m_op->errors.front().contains(QStringLiteral("10 of the chosen rows are gone")));
}

QTEST_MAIN(ResultWindowsTest)
#include "result_windows_test.moc"
