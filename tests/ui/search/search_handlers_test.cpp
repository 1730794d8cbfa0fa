#include "core/formats/request_file.h"
#include "ui/main/main_window.h"
#include "ui/search/result_list_model.h"
#include "ui/search/result_windows.h"
#include "ui/search/viewer_start.h"
#include "ui/widgets/error_report.h"

#include "core/catalogue/sqlite_database.h"
#include "core/platform/cp932.h"
#include "devtools/temp_folder.h"
#include "support/cp932_lines.h"
#include "support/scripted_operator.h"
#include "ui/widgets/tsk_button.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <thread>

using ft::app::MainWindow;
using ft::search::ResultListWindow;
using ft::workspace::Datum;
namespace fs = std::filesystem;

namespace {

const QString kNotFound = QStringLiteral("見つかりません");

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {},
                      QPoint(widget->width() / 2, widget->height() / 2));
}

QStringList firstColumn(const ResultListWindow& window)
{
    QStringList cells;
    const ft::search::ResultListModel& model = *window.listModel();
    for (int row = 0; row < model.rowCount(); ++row)
        cells << model.index(row, 0).data().toString();
    return cells;
}

} // namespace

class SearchHandlersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void nothingFoundShowsNoWindow_data();
    void nothingFoundShowsNoWindow();
    void parcelSearchHandsTheTickedRowsToTheViewer();
    void parcelFieldsAndModeReachTheStatement();
    void closingTheWindowStartsNoViewer();
    void mapSheetSearchHonoursTheMode();
    void existenceCheckStopsAtTheFirstRow();
    void pointSearchesCarryTheirRecordCodes();
    void registeredDrawingListOfTheCurrentDatum();
    void viewerStartMinimisesTheMainWindowAndRestoresIt();
    void viewerStartWaitsForTheViewersWindow_data();
    void viewerStartWaitsForTheViewersWindow();

private:
    // Runs a handler of the main window; while its result window is shown,
    // `inWindow` acts in it (a window left open is closed with Cancel).
    // Returns the window that was shown, or nothing.
    ResultListWindow* runSearch(void (MainWindow::*handler)(),
                                const std::function<void(ResultListWindow&)>& inWindow = {});
    void addDrawing(int datum, int fileNo);
    // What the stand-in viewer was started with, and the request it found.
    QStringList viewerArguments(int waitMs = 5000) const;
    std::string requestSeenByViewer() const;

    std::unique_ptr<ft::test::TempFolder> m_viewerFolder;
    std::unique_ptr<ft::test::TempFolder> m_data;
    std::unique_ptr<ft::test::TempFolder> m_settings;
    std::unique_ptr<ft::test::ScriptedOperator> m_op;
    std::unique_ptr<MainWindow> m_window;
};

// A stand-in viewer on PATH writes its arguments and a copy of the request
// it was given, so the tests see what a real viewer would have seen.
void SearchHandlersTest::initTestCase()
{
    m_viewerFolder = std::make_unique<ft::test::TempFolder>();
    const fs::path record = *m_viewerFolder / "arguments";
    const fs::path script = *m_viewerFolder / "Tavla";
    ft::test::writeBytes(script, "#!/bin/sh\n/bin/cp \"$2\" \"" + record.string() +
                                     ".request\"\nprintf '%s\\n' \"$@\" > \"" + record.string() +
                                     ".part\"\n/bin/mv \"" + record.string() + ".part\" \"" +
                                     record.string() + "\"\n");
    fs::permissions(script, fs::perms::owner_all);
    qputenv("PATH", QByteArray::fromStdString(m_viewerFolder->path().string()));
}

void SearchHandlersTest::init()
{
    fs::remove(*m_viewerFolder / "arguments");
    fs::remove(*m_viewerFolder / "arguments.request");
    m_data = std::make_unique<ft::test::TempFolder>();
    m_settings = std::make_unique<ft::test::TempFolder>();
    m_op = std::make_unique<ft::test::ScriptedOperator>();
    m_window = std::make_unique<MainWindow>(*m_op, m_data->path(), m_settings->path());
    m_op->notices.clear(); // the first-start notice of an empty catalogue
}

void SearchHandlersTest::cleanup()
{
    m_window.reset();
    m_settings.reset();
    m_data.reset();
}

ResultListWindow*
SearchHandlersTest::runSearch(void (MainWindow::*handler)(),
                              const std::function<void(ResultListWindow&)>& inWindow)
{
    ResultListWindow* shown = nullptr;
    QTimer::singleShot(0, m_window.get(), [&] {
        shown = qobject_cast<ResultListWindow*>(QApplication::activeModalWidget());
        if (shown == nullptr)
            return;
        if (inWindow)
            inWindow(*shown);
        if (shown->isVisible())
            shown->reject();
    });
    ft::app::runCommand(*m_op, [&] { ((*m_window).*handler)(); });
    QCoreApplication::processEvents(); // the check above, when no window was shown
    return shown;
}

void SearchHandlersTest::addDrawing(int datum, int fileNo)
{
    const std::string n = std::to_string(fileNo);
    m_window->state()
        .catalogue(ft::workspace::datumFromCode(datum))
        .ExecSQL("INSERT INTO FILE VALUES ('/survey/set" + n + "','t'," + n + ",'','',0," +
                 std::to_string(datum) + ")");
}

QStringList SearchHandlersTest::viewerArguments(int waitMs) const
{
    const fs::path record = *m_viewerFolder / "arguments";
    for (int waited = 0; waited < waitMs && !fs::exists(record); waited += 25)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    return QString::fromStdString(ft::test::readBytes(record))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::string SearchHandlersTest::requestSeenByViewer() const
{
    return ft::test::readBytes(*m_viewerFolder / "arguments.request");
}

void SearchHandlersTest::nothingFoundShowsNoWindow_data()
{
    QTest::addColumn<int>("search");
    QTest::newRow("parcels") << 6;
    QTest::newRow("map sheets") << 8;
    QTest::newRow("boundary points") << 9;
    QTest::newRow("control points") << 10;
}

void SearchHandlersTest::nothingFoundShowsNoWindow()
{
    QFETCH(int, search);
    const std::map<int, void (MainWindow::*)()> handlers = {{6, &MainWindow::searchParcels},
                                                            {8, &MainWindow::searchMapSheets},
                                                            {9, &MainWindow::searchBoundaryPoints},
                                                            {10, &MainWindow::searchControlPoints}};
    // Empty fields select every row of an empty catalogue: nothing.
    QVERIFY(runSearch(handlers.at(search)) == nullptr);
    QCOMPARE(m_op->notices, QStringList{kNotFound});
    QVERIFY(m_op->errors.isEmpty());
    QVERIFY(!m_window->overviewState().drawingsPresent);
    QVERIFY(viewerArguments(200).isEmpty());
}

void SearchHandlersTest::parcelSearchHandsTheTickedRowsToTheViewer()
{
    ft::catalogue::CatalogueDatabase& db = m_window->state().catalogue(Datum::World);
    addDrawing(2, 1);
    addDrawing(2, 2);
    db.ExecSQL("INSERT INTO CHIBAN VALUES ('本町','東','12',1,'','',12,0,0,2)");
    db.ExecSQL("INSERT INTO CHIBAN VALUES ('本町','西','3',1,'','',3,0,0,1)");
    db.ExecSQL("INSERT INTO CHIBAN VALUES ('新町','東','12',1,'','',12,0,0,1)");
    m_window->controls().oazaField->setEditText(QStringLiteral("本町"));
    m_window->overviewState().drawingsPresent = false;

    QStringList rows;
    ResultListWindow* shown = runSearch(&MainWindow::searchParcels, [&](ResultListWindow& w) {
        rows = firstColumn(w);
        w.listModel()->setTicked(0, false); // 本町 東 12 of drawing 2 stays behind
        click(w.button(1));
    });
    QVERIFY(shown == m_window->resultWindows().parcelResults);
    QCOMPARE(rows, (QStringList{QStringLiteral("本町"), QStringLiteral("本町")}));
    QVERIFY(m_window->overviewState().drawingsPresent);
    const fs::path request = ft::formats::requestFilePath(m_settings->path());
    QCOMPARE(viewerArguments(),
             (QStringList{QStringLiteral("-E2"), QString::fromStdString(request.string())}));
    QCOMPARE(requestSeenByViewer(), ft::test::cp932Lines({"0,\"/survey/set1\"", "2,本町,西,3"}));
    QVERIFY(m_op->notices.isEmpty() && m_op->errors.isEmpty());
}

void SearchHandlersTest::parcelFieldsAndModeReachTheStatement()
{
    ft::catalogue::CatalogueDatabase& db = m_window->state().catalogue(Datum::World);
    addDrawing(2, 1);
    db.ExecSQL("INSERT INTO CHIBAN VALUES ('本町','東','1',1,'山田','ﾔﾏﾀﾞ',1,0,0,1)");
    db.ExecSQL("INSERT INTO CHIBAN VALUES ('本町','東','2',1,'中山','ﾅｶﾔﾏ',2,0,0,1)");
    const ft::app::MainWindowControls& c = m_window->controls();
    c.ownerKanaField->setText(QStringLiteral("ﾔﾏ"));

    // 先頭一致 (chosen at start): only the kana that begins with it.
    QStringList lots;
    const auto readLots = [&](ResultListWindow& w) {
        lots.clear();
        for (int row = 0; row < w.listModel()->rowCount(); ++row)
            lots << w.listModel()->index(row, 2).data().toString();
    };
    QVERIFY(runSearch(&MainWindow::searchParcels, readLots));
    QCOMPARE(lots, QStringList{QStringLiteral("1")});

    c.parcelModes[2]->setChecked(true); // あいまい
    QVERIFY(runSearch(&MainWindow::searchParcels, readLots));
    QCOMPARE(lots, (QStringList{QStringLiteral("1"), QStringLiteral("2")}));

    c.parcelModes[0]->setChecked(true); // 完全一致
    QVERIFY(runSearch(&MainWindow::searchParcels, readLots) == nullptr);
    QCOMPARE(m_op->notices, QStringList{kNotFound});

    // Every field takes part: an owner that matches no row finds nothing.
    c.ownerKanaField->setText(QStringLiteral("ﾔﾏﾀﾞ"));
    QVERIFY(runSearch(&MainWindow::searchParcels, readLots));
    c.ownerField->setText(QStringLiteral("中山"));
    QVERIFY(runSearch(&MainWindow::searchParcels, readLots) == nullptr);
}

void SearchHandlersTest::closingTheWindowStartsNoViewer()
{
    addDrawing(2, 1);
    m_window->state().catalogue(Datum::World).ExecSQL("INSERT INTO ZTEN VALUES ('Z1',1,1,0)");
    QVERIFY(runSearch(&MainWindow::searchControlPoints,
                      [](ResultListWindow& w) { click(w.button(2)); }));
    QVERIFY(runSearch(&MainWindow::searchControlPoints, [](ResultListWindow& w) { w.close(); }));
    QVERIFY(viewerArguments(300).isEmpty());
}

void SearchHandlersTest::mapSheetSearchHonoursTheMode()
{
    ft::catalogue::CatalogueDatabase& db = m_window->state().catalogue(Datum::World);
    addDrawing(2, 1);
    db.ExecSQL("INSERT INTO MAP VALUES ('12',1,500,12,0,1)");
    db.ExecSQL("INSERT INTO MAP VALUES ('123',1,500,123,0,1)");
    const ft::app::MainWindowControls& c = m_window->controls();
    m_window->overviewState().drawingsPresent = false;
    QStringList sheets;
    const auto readSheets = [&](ResultListWindow& w) { sheets = firstColumn(w); };

    c.mapSheetField->setText(QStringLiteral("２")); // typed full width, stored half
    c.mapSheetModes[2]->setChecked(true);           // あいまい
    QVERIFY(runSearch(&MainWindow::searchMapSheets, readSheets));
    QCOMPARE(sheets, (QStringList{QStringLiteral("12"), QStringLiteral("123")}));
    QVERIFY(m_window->overviewState().drawingsPresent);

    c.mapSheetField->setText(QStringLiteral("12"));
    c.mapSheetModes[0]->setChecked(true); // 完全一致
    QVERIFY(runSearch(&MainWindow::searchMapSheets, readSheets));
    QCOMPARE(sheets, QStringList{QStringLiteral("12")});

    c.mapSheetField->setText(QStringLiteral("2"));
    c.mapSheetModes[1]->setChecked(true); // 先頭一致
    QVERIFY(runSearch(&MainWindow::searchMapSheets) == nullptr);
    QCOMPARE(m_op->notices, QStringList{kNotFound});
}

// The rows SQLite hands out for each statement text, counted as they are
// stepped to.
struct SteppedRows {
    std::map<std::string, int> byStatement;

    static int count(unsigned, void* context, void* statement, void*)
    {
        const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
        ++static_cast<SteppedRows*>(context)->byStatement[sql == nullptr ? "" : sql];
        return 0;
    }
};

void SearchHandlersTest::existenceCheckStopsAtTheFirstRow()
{
    auto& db =
        dynamic_cast<ft::catalogue::TSQLiteDatabase&>(m_window->state().catalogue(Datum::World));
    addDrawing(2, 1);
    for (int i = 0; i < 5; ++i)
        db.ExecSQL("INSERT INTO FTEN VALUES ('P" + std::to_string(i) + "',1,1,0,0)");
    SteppedRows rows;
    sqlite3_trace_v2(db.handle(), SQLITE_TRACE_ROW, &SteppedRows::count, &rows);
    int shown = 0;
    QVERIFY(runSearch(&MainWindow::searchBoundaryPoints,
                      [&](ResultListWindow& w) { shown = w.listModel()->rowCount(); }));
    sqlite3_trace_v2(db.handle(), 0, nullptr, nullptr);
    QCOMPARE(shown, 5);
    // The check runs the statement itself; the window runs it with its order
    // clause and reads every row's key once.
    QCOMPARE(rows.byStatement["SELECT * FROM FTEN "], 1);
    QCOMPARE(rows.byStatement["SELECT rowid,FILENO FROM FTEN  order by FILENO,OYA,KO,rowid"], 5);
}

void SearchHandlersTest::pointSearchesCarryTheirRecordCodes()
{
    ft::catalogue::CatalogueDatabase& db = m_window->state().catalogue(Datum::World);
    addDrawing(2, 1);
    db.ExecSQL("INSERT INTO FTEN VALUES ('P1',1,1,0,0)");
    db.ExecSQL("INSERT INTO ZTEN VALUES ('P1',1,1,0)");
    m_window->overviewState().drawingsPresent = false;
    const ft::app::MainWindowControls& c = m_window->controls();
    c.controlPointField->setText(QStringLiteral("P1"));
    c.boundaryPointField->setText(QStringLiteral("P1"));

    const auto show = [](ResultListWindow& w) { click(w.button(1)); };
    QVERIFY(runSearch(&MainWindow::searchControlPoints, show) ==
            m_window->resultWindows().pointResults);
    QVERIFY(!viewerArguments().isEmpty());
    QCOMPARE(requestSeenByViewer(), ft::test::cp932Lines({"0,\"/survey/set1\"", "5,P1,"}));

    fs::remove(*m_viewerFolder / "arguments");
    QVERIFY(runSearch(&MainWindow::searchBoundaryPoints, show) ==
            m_window->resultWindows().pointResults);
    QVERIFY(!viewerArguments().isEmpty());
    QCOMPARE(requestSeenByViewer(), ft::test::cp932Lines({"0,\"/survey/set1\"", "4,P1,"}));
    QVERIFY(!m_window->overviewState().drawingsPresent); // point searches leave the flag
}

void SearchHandlersTest::registeredDrawingListOfTheCurrentDatum()
{
    addDrawing(2, 1);
    addDrawing(2, 2);
    addDrawing(1, 7);
    QList<bool> ticked;
    QStringList paths;
    const auto tickAllAndShow = [&](ResultListWindow& w) {
        paths = firstColumn(w);
        for (int row = 0; row < w.listModel()->rowCount(); ++row)
            ticked << w.listModel()->isTicked(row);
        click(w.button(4)); // 全選択
        click(w.button(1));
    };
    QVERIFY(runSearch(&MainWindow::listRegisteredDrawings, tickAllAndShow) ==
            m_window->resultWindows().drawingList);
    QCOMPARE(paths, (QStringList{QStringLiteral("/survey/set1"), QStringLiteral("/survey/set2")}));
    QCOMPARE(ticked, (QList<bool>{false, false}));
    QVERIFY(!viewerArguments().isEmpty());
    QCOMPARE(requestSeenByViewer(),
             ft::test::cp932Lines({"0,\"/survey/set2\"", "0,\"/survey/set1\"", "1,/survey/set2,",
                                   "1,/survey/set1,"}));

    // The same window serves the other datum and lists only its drawings.
    m_window->controls().japaneseDatumRadio->click();
    QVERIFY(runSearch(&MainWindow::listRegisteredDrawings,
                      [&](ResultListWindow& w) { paths = firstColumn(w); }));
    QCOMPARE(paths, QStringList{QStringLiteral("/survey/set7")});
}

// Records the window states a widget goes through.
class WindowStateRecorder final : public QObject {
public:
    QList<Qt::WindowStates> states;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange)
            states << static_cast<QWidget*>(watched)->windowState();
        return false;
    }
};

void SearchHandlersTest::viewerStartMinimisesTheMainWindowAndRestoresIt()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    WindowStateRecorder recorder;
    m_window->installEventFilter(&recorder);
    const std::string argument = ft::formats::viewerArgumentText(m_settings->path());
    // The states the window went through; the platform may echo them late.
    const auto statesOfAStart = [&] {
        QCoreApplication::processEvents();
        recorder.states.clear();
        ft::search::StartViewer(*m_window, *m_op, argument);
        QCoreApplication::processEvents();
        return recorder.states;
    };

    QList<Qt::WindowStates> states = statesOfAStart();
    QCOMPARE(viewerArguments().size(), 2);
    QVERIFY(!states.isEmpty());
    QCOMPARE(states.first(), Qt::WindowMinimized);
    QCOMPARE(states.last(), Qt::WindowNoState);
    QCOMPARE(m_window->windowState(), Qt::WindowNoState);

    // No viewer to be found: the operator is told where it was looked for,
    // and the window ends in its normal state.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(m_settings->path().string() + ":."));
    states = statesOfAStart();
    qputenv("PATH", path);
    QCOMPARE(m_window->windowState(), Qt::WindowNoState);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_op->notices.size(), 1);
    const QStringList lines = m_op->notices.front().split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("The drawing viewer Tavla could not be started"));
    QVERIFY2(lines.contains(QString::fromStdString(m_settings->path().string())),
             qPrintable(m_op->notices.front()));
    QVERIFY(!lines.contains(QStringLiteral(".")));
    QVERIFY(m_op->errors.isEmpty());
}

// The main window stays minimised until the viewer tells that its window is
// shown, however late, or until the wait's limit when it never tells. Each
// stand-in viewer leaves a mark just before it would tell.
void SearchHandlersTest::viewerStartWaitsForTheViewersWindow_data()
{
    QTest::addColumn<QByteArray>("viewer");
    QTest::addColumn<int>("waitMs");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<int>("atLeastMs");
    // Both stand-ins go on running (and holding the pipe) until 6 s: a wait
    // that ended well before that ended at the signal or at its limit.
    QTest::newRow("shows after 1.5 s")
        << QByteArray("sleep 1.5\n: > \"$MARK\"\nprintf x >&\"$TAVLA_WINDOW_SHOWN_FD\"\n"
                      "exec sleep 4.5\n")
        << 15000 << true << 1500;
    QTest::newRow("never tells") << QByteArray("exec sleep 6\n") << 2000 << false << 2000;
}

void SearchHandlersTest::viewerStartWaitsForTheViewersWindow()
{
    QFETCH(QByteArray, viewer);
    QFETCH(int, waitMs);
    QFETCH(bool, marked);
    QFETCH(int, atLeastMs);
    const ft::test::TempFolder folder;
    const fs::path mark = folder / "told";
    // Its output let go at once: the test's own ends before the stand-in.
    ft::test::writeBytes(folder / "Tavla",
                         "#!/bin/bash\nexec >/dev/null 2>&1\nPATH=/usr/bin:/bin\nMARK='" +
                             mark.string() + "'\n" + viewer.toStdString());
    fs::permissions(folder / "Tavla", fs::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(folder.path().string()));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    QElapsedTimer waited;
    waited.start();
    ft::search::StartViewer(*m_window, *m_op, ft::formats::viewerArgumentText(m_settings->path()),
                            std::chrono::milliseconds(waitMs));
    const qint64 elapsed = waited.elapsed();
    qputenv("PATH", path);

    QCOMPARE(fs::exists(mark), marked);
    QVERIFY2(elapsed >= atLeastMs, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
    QCOMPARE(m_window->windowState(), Qt::WindowNoState);
    QVERIFY(m_op->notices.isEmpty());
}

QTEST_MAIN(SearchHandlersTest)
#include "search_handlers_test.moc"
