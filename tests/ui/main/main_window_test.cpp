#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/platform/cp932.h"
#include "core/platform/file_lock.h"
#include "core/platform/folders.h"
#include "core/workspace/settings_file.h"
#include "devtools/temp_folder.h"
#include "support/scripted_operator.h"
#include "ui/main/main_window.h"
#include "ui/main/overview_image.h"
#include "ui/widgets/error_report.h"
#include "ui/widgets/qt_operator.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <memory>

using ft::app::MainWindow;
using ft::catalogue::TSQLiteDatabase;
using ft::workspace::Datum;
using ft::workspace::WorkingFileKind;
namespace fs = std::filesystem;

namespace {

const QString kFirstStartNotice = QStringLiteral("まず図面データの場所を追加してください");

struct Folders {
    ft::test::TempFolder data;
    ft::test::TempFolder settings;

    fs::path ini() const { return settings / "FindTavla.ini"; }
    fs::path catalogue(Datum datum) const
    {
        return ft::workspace::Catalogues::pathIn(data.path(), datum);
    }
};

std::unique_ptr<MainWindow> openWindow(ft::platform::Operator& op, const Folders& folders)
{
    return std::make_unique<MainWindow>(op, folders.data.path(), folders.settings.path());
}

// Registers `count` drawings straight into a catalogue, with a parcel and a
// map sheet row each, as a registration would leave them.
void addRegisteredDrawings(const fs::path& catalogueFile, int count)
{
    TSQLiteDatabase db(catalogueFile.string());
    ft::catalogue::CreateSchemaIfMissing(db);
    for (int number = 1; number <= count; ++number) {
        const std::string n = std::to_string(number);
        db.ExecSQL("INSERT INTO FILE VALUES ('/survey/set" + n + "','2024/01/01 00:00:00'," + n +
                   ",'作成者','地区',0,1);");
        db.ExecSQL("INSERT INTO CHIBAN (OOAZA, CHIBAN, FILENO) VALUES ('大字','1-2'," + n + ");");
        db.ExecSQL("INSERT INTO MAP (MAPNAME, FILENO) VALUES ('A1'," + n + ");");
    }
}

// FILE rows numbered first to last (past the first two added above) in one
// statement, so that thousands cost no more than a few.
void addFileRows(const fs::path& catalogueFile, int first, int last)
{
    TSQLiteDatabase db(catalogueFile.string());
    db.ExecSQL("WITH RECURSIVE n(i) AS (SELECT " + std::to_string(first) + " WHERE " +
               std::to_string(first) + " <= " + std::to_string(last) +
               " UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(last) +
               ") INSERT INTO FILE SELECT '/survey/set' || i, '2024/01/01 00:00:00', i, '', '', "
               "0, 1 FROM n;");
}

int rowCount(const fs::path& catalogueFile, const std::string& table)
{
    TSQLiteDatabase db(catalogueFile.string());
    return std::stoi(db.GetTable("SELECT COUNT(*) FROM " + table + ";").Fields(0));
}

QStringList tableNames(const fs::path& catalogueFile)
{
    TSQLiteDatabase db(catalogueFile.string());
    auto table = db.GetTable("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name;");
    QStringList names;
    for (table.MoveFirst(); !table.Eof(); table.Next())
        names << QString::fromStdString(table.Fields(0));
    return names;
}

void writeSettings(const fs::path& ini, const std::string& utf8Text)
{
    ft::test::writeBytes(ini, ft::platform::utf8ToCp932(utf8Text));
}

template <typename Widget = QWidget> Widget* child(const QWidget& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() / 2, 8));
}

bool isAllWhite(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void firstStartOnEmptyFolders();
    void startUpDatumAndCount_data();
    void startUpDatumAndCount();
    void controlsSitWhereDesigned();
    void enterInSearchFieldsChangesNothing();
    void datumSwitchShowsTheNewDatumsCount();
    void damagedCatalogueLeavesTheOtherDatumUsable();
    void firstActivationOnly();
    void deleteAll_data();
    void deleteAll();
    void deleteAllFailureLeavesCatalogue();
    void deleteAllFailingAfterItsCommitStillRefreshes();
    void deleteAllWaitsForARunningRegistration();
    void closeSavesDatumAndPlacement_data();
    void closeSavesDatumAndPlacement();
    void closeStillClosesWhenSettingsCannotBeWritten();
    void storedPlacement_data();
    void storedPlacement();
    void busyDisablesCommandsAndClose();
    void errorReportShowsMessages();
    void enterInAQuestionGivesItsDefaultAnswer();
    void aLongNoticeScrolls();
    void oazaAndKoazaListsOfferWhatIsRegistered();

private:
    std::unique_ptr<ft::test::TempFolder> m_home;
};

// Every test runs in temp folders; the default folders of the person running
// the tests are never touched.
void MainWindowTest::initTestCase()
{
    m_home = std::make_unique<ft::test::TempFolder>();
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((m_home->path() / "data").string()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((m_home->path() / "config").string()));
}

void MainWindowTest::firstStartOnEmptyFolders()
{
    const fs::path dataFolder = m_home->path() / "data" / "findTavla";
    if (ft::platform::dataFolder() != dataFolder)
        QSKIP("This system's data folder does not follow XDG_DATA_HOME");
    ft::test::ScriptedOperator op;
    MainWindow window(op); // the user's own folders: here the XDG temp folders

    const QStringList seven = {QStringLiteral("CHIBAN"), QStringLiteral("FILE"),
                               QStringLiteral("KOAZA"),  QStringLiteral("MAP"),
                               QStringLiteral("OOAZA"),  QStringLiteral("ZTEN"),
                               QStringLiteral("FTEN")};
    for (const char* file : {"Dorsajpn.db", "Dorsawrd.db"}) {
        QStringList names = tableNames(dataFolder / file);
        names.sort();
        QStringList expected = seven;
        expected.sort();
        QCOMPARE(names, expected);
    }
    QVERIFY(fs::is_directory(m_home->path() / "config" / "findTavla"));

    QCOMPARE(window.windowTitle(), QStringLiteral("地籍データを検索します"));
    QCOMPARE(window.size(), QSize(963, 619));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.pos(), QPoint(198, 120));
    QCOMPARE(op.notices, QStringList{kFirstStartNotice});
    QVERIFY(op.errors.isEmpty());
    QVERIFY(child<QLabel>(window, "Label6")->text().isEmpty());
    QVERIFY(!window.overviewState().drawingsPresent);
    QCOMPARE(ft::workspace::datumCode(window.state().currentDatum()), 2);
    QVERIFY(child<QRadioButton>(window, "RadioButton2")->isChecked());
    QVERIFY(isAllWhite(window.overviewImage()));
    // The trace logs are registration's: a start that registers nothing
    // leaves them alone.
    QVERIFY(!fs::exists(dataFolder / "test.log"));
}

void MainWindowTest::startUpDatumAndCount_data()
{
    QTest::addColumn<QString>("settings"); // empty: no settings file
    QTest::addColumn<int>("datum");
    QTest::addColumn<QString>("label6");

    // Datum 1 holds 2 drawings, datum 2 holds 5.
    QTest::newRow("no file") << QString() << 2 << QStringLiteral("5");
    QTest::newRow("1") << QStringLiteral("[測地系]\r\nT=1\r\n") << 1 << QStringLiteral("2");
    QTest::newRow("7") << QStringLiteral("[測地系]\r\nT=7\r\n") << 2 << QStringLiteral("5");
}

void MainWindowTest::startUpDatumAndCount()
{
    QFETCH(QString, settings);
    QFETCH(int, datum);
    QFETCH(QString, label6);

    Folders folders;
    addRegisteredDrawings(folders.catalogue(Datum::Japanese), 2);
    addRegisteredDrawings(folders.catalogue(Datum::World), 5);
    if (!settings.isEmpty())
        writeSettings(folders.ini(), settings.toStdString());

    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);

    QCOMPARE(ft::workspace::datumCode(window->state().currentDatum()), datum);
    QCOMPARE(child<QRadioButton>(*window, "RadioButton1")->isChecked(), datum == 1);
    QCOMPARE(child<QRadioButton>(*window, "RadioButton2")->isChecked(), datum == 2);
    QCOMPARE(child<QLabel>(*window, "Label6")->text(), label6);
    QVERIFY(window->overviewState().drawingsPresent);
    QVERIFY(op.notices.isEmpty());
}

// Spot checks against the window's design: parent, place and caption.
void MainWindowTest::controlsSitWhereDesigned()
{
    struct Expected {
        const char* name;
        const char* parent;
        QRect geometry;
        const char16_t* caption;
    };
    static const Expected expected[] = {
        {"Im1", "findTavlaF", {0, 0, 601, 601}, u""},
        {"SB1", "findTavlaF", {0, 600, 963, 19}, u""},
        {"GroupBox1", "findTavlaF", {616, 8, 337, 169}, u"筆"},
        {"cKoaza", "GroupBox1", {80, 45, 249, 20}, u""},
        {"eSyoyuKana", "GroupBox1", {80, 112, 249, 20}, u""},
        {"cBox3", "GroupBox1", {176, 144, 76, 17}, u"あいまい"},
        {"skButton6", "GroupBox1", {254, 135, 75, 26}, u"検　索"},
        {"GroupBox29", "findTavlaF", {616, 184, 337, 81}, u"地図番号"},
        {"mBox1", "GroupBox29", {16, 56, 76, 17}, u"完全一致"},
        {"skButton8", "findTavlaF", {872, 232, 75, 26}, u"検　索"},
        {"GroupBox14", "findTavlaF", {616, 272, 337, 81}, u"筆界点名称"},
        {"skButton9", "GroupBox14", {256, 48, 75, 26}, u"検　索"},
        {"GroupBox22", "findTavlaF", {616, 360, 337, 81}, u"図根点名称"},
        {"eZTenName", "GroupBox22", {16, 24, 321, 20}, u""},
        {"skButton10", "GroupBox22", {256, 48, 75, 26}, u"検　索"},
        {"GroupBox2", "findTavlaF", {616, 448, 337, 153}, u"操作"},
        {"RadioButton1", "GroupBox2", {8, 24, 89, 17}, u"日本測地系"},
        {"RadioButton2", "GroupBox2", {112, 24, 89, 17}, u"世界測地系"},
        {"skButton2", "findTavlaF", {624, 528, 89, 26}, u"図面自動登録"},
        {"skButton7", "findTavlaF", {728, 528, 105, 26}, u"登録図面表示"},
        {"skButton1", "findTavlaF", {624, 568, 89, 26}, u"図面追加登録"},
        {"skButton4", "findTavlaF", {728, 568, 105, 26}, u"登録図面全削除"},
        {"skButton3", "findTavlaF", {872, 568, 75, 26}, u"閉じる"},
    };

    Folders folders;
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    for (const Expected& e : expected) {
        auto* control = child(*window, e.name);
        QString caption;
        if (auto* button = qobject_cast<ft::app::PushButton*>(control))
            caption = ft::app::buttonCaption(*button);
        else if (auto* radio = qobject_cast<QRadioButton*>(control))
            caption = radio->text();
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            caption = group->title();
        QVERIFY2(control->parentWidget()->objectName() == QString::fromLatin1(e.parent), e.name);
        QVERIFY2(control->geometry() == e.geometry, e.name);
        QVERIFY2(caption == QString::fromUtf16(e.caption), e.name);
    }
    // "先頭一致" is the default matching mode of every search group.
    for (const char* radio : {"cBox2", "mBox2", "fBox2", "zBox2"})
        QVERIFY2(child<QRadioButton>(*window, radio)->isChecked(), radio);
}

// Enter must neither search nor copy the typed text into a combo's list.
void MainWindowTest::enterInSearchFieldsChangesNothing()
{
    Folders folders;
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    op.notices.clear();

    for (QWidget* field : window->controls().searchFields()) {
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("123"));
        QTest::keyClick(field, Qt::Key_Return);
        if (auto* combo = qobject_cast<QComboBox*>(field))
            QCOMPARE(combo->count(), 0);
    }
    QVERIFY(op.notices.isEmpty() && op.questions.isEmpty() && op.errors.isEmpty());
    QVERIFY(window->isVisible());
}

// Label6 and the drawings-present flag follow every switch, so the counter
// never shows the other datum's state (here after a delete-all of one).
void MainWindowTest::datumSwitchShowsTheNewDatumsCount()
{
    Folders folders;
    addRegisteredDrawings(folders.catalogue(Datum::Japanese), 2);
    addRegisteredDrawings(folders.catalogue(Datum::World), 3);
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    window->show();
    auto* label6 = child<QLabel>(*window, "Label6");
    QCOMPARE(label6->text(), QStringLiteral("3"));

    op.answerYes();
    click(child(*window, "skButton4")); // delete-all of the world datum
    QCOMPARE(label6->text(), QString());

    auto* image = child<ft::app::OverviewImage>(*window, "Im1");
    image->canvas().setPixel(10, 10, qRgb(0, 0, 0));
    click(child(*window, "RadioButton1"));
    QCOMPARE(ft::workspace::datumCode(window->state().currentDatum()), 1);
    QCOMPARE(window->overviewState().view.clientWidth, 601);
    QCOMPARE(window->overviewState().view.pixelHeight, 601);
    QCOMPARE(label6->text(), QStringLiteral("2"));
    QVERIFY(window->overviewState().drawingsPresent);

    click(child(*window, "RadioButton2"));
    QCOMPARE(ft::workspace::datumCode(window->state().currentDatum()), 2);
    QVERIFY(child<QRadioButton>(*window, "RadioButton2")->isChecked());
    QCOMPARE(label6->text(), QString());
    QVERIFY(!window->overviewState().drawingsPresent);
    QVERIFY(isAllWhite(window->overviewImage()));
    QVERIFY(op.errors.isEmpty());
}

// A catalogue that cannot be read does not stop the program: the window
// opens, the error is reported, and the other datum is reached by the switch.
void MainWindowTest::damagedCatalogueLeavesTheOtherDatumUsable()
{
    Folders folders;
    addRegisteredDrawings(folders.catalogue(Datum::Japanese), 2);
    ft::test::writeBytes(folders.catalogue(Datum::World),
                         "not a database, but long enough to have a header page....");
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders); // datum 2 by default
    QCOMPARE(op.errors.size(), 1);
    QVERIFY2(op.errors.front().contains(QStringLiteral("Dorsawrd.db")),
             qPrintable(op.errors.front()));
    QVERIFY(op.notices.isEmpty());
    auto* label6 = child<QLabel>(*window, "Label6");
    QCOMPARE(label6->text(), QString());
    QVERIFY(!window->overviewState().drawingsPresent);

    click(child(*window, "RadioButton1"));
    QCOMPARE(label6->text(), QStringLiteral("2"));
    QVERIFY(window->overviewState().drawingsPresent);
    click(child(*window, "RadioButton2")); // the damaged one again: said, nothing shown
    QCOMPARE(op.errors.size(), 2);
    QCOMPARE(label6->text(), QString());
    QVERIFY(!window->overviewState().drawingsPresent);
}

void MainWindowTest::firstActivationOnly()
{
    Folders folders;
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    int emptied = 0;
    window->setEmptyTargetList([&] { ++emptied; });

    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(emptied, 1);

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(emptied, 1);
}

void MainWindowTest::deleteAll_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("drawings");
    QTest::addColumn<QString>("count");
    QTest::newRow("yes") << true << 2 << QStringLiteral("2");
    QTest::newRow("no") << false << 2 << QStringLiteral("2");
    QTest::newRow("yes, thousands") << true << 1234 << QStringLiteral("1,234");
}

// With datum 1 current, delete-all empties the Japanese-datum catalogue and
// its working files; the world-datum catalogue still lists its drawings, so
// its working files stay. The question names the datum and the number of
// drawings below the designed text; a notice tells how many went.
void MainWindowTest::deleteAll()
{
    QFETCH(bool, yes);
    QFETCH(int, drawings);
    QFETCH(QString, count);

    Folders folders;
    addRegisteredDrawings(folders.catalogue(Datum::Japanese), 2);
    addFileRows(folders.catalogue(Datum::Japanese), 3, drawings);
    addRegisteredDrawings(folders.catalogue(Datum::World), 4);
    writeSettings(folders.ini(), "[測地系]\r\nT=1\r\n");
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    std::vector<fs::path> workingFiles[3];
    for (int datum : {1, 2})
        for (auto kind :
             {WorkingFileKind::SheetOutlines, WorkingFileKind::Segments, WorkingFileKind::Extent})
            workingFiles[datum].push_back(
                window->state().workingFile(kind, ft::workspace::datumFromCode(datum)));
    for (int datum : {1, 2})
        for (const fs::path& file : workingFiles[datum])
            ft::test::writeBytes(file, "1,2\r\n");
    int emptied = 0;
    window->setEmptyTargetList([&] { ++emptied; });

    yes ? op.answerYes() : op.answerNo();
    click(child(*window, "skButton4"));

    QCOMPARE(op.questions,
             QStringList{
                 QStringLiteral("本当に削除しますか？\n\nThe %1 registered drawings of 日本測地系 "
                                "will be deleted.")
                     .arg(count)});
    // Enter answers No.
    QVERIFY(op.defaults == std::vector{ft::platform::Operator::DefaultAnswer::No});
    QVERIFY(op.errors.isEmpty());
    QCOMPARE(
        op.notices,
        yes ? QStringList{QStringLiteral("The %1 registered drawings of 日本測地系 were deleted.")
                              .arg(count)}
            : QStringList{});
    QCOMPARE(rowCount(folders.catalogue(Datum::Japanese), "FILE"), yes ? 0 : drawings);
    for (const char* table : {"CHIBAN", "MAP"}) {
        QCOMPARE(rowCount(folders.catalogue(Datum::Japanese), table), yes ? 0 : 2);
        QCOMPARE(rowCount(folders.catalogue(Datum::World), table), 4);
    }
    QCOMPARE(rowCount(folders.catalogue(Datum::World), "FILE"), 4);
    for (const fs::path& file : workingFiles[1])
        QCOMPARE(fs::exists(file), !yes);
    for (const fs::path& file : workingFiles[2])
        QVERIFY(fs::exists(file));
    QCOMPARE(child<QLabel>(*window, "Label6")->text(), yes ? QString() : QString::number(drawings));
    QCOMPARE(window->overviewState().drawingsPresent, !yes);
    QCOMPARE(emptied, yes ? 1 : 0);
}

// A failing statement ends the command through the error report; the
// catalogue keeps every row, and the window what it showed.
void MainWindowTest::deleteAllFailureLeavesCatalogue()
{
    Folders folders;
    addRegisteredDrawings(folders.catalogue(Datum::World), 3);
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    window->state().currentCatalogue().ExecSQL("DROP TABLE ZTEN;");

    op.answerYes();
    click(child(*window, "skButton4"));

    QCOMPARE(op.errors.size(), 1);
    QVERIFY2(op.errors.front().contains(QStringLiteral("ZTEN")), qPrintable(op.errors.front()));
    QCOMPARE(rowCount(folders.catalogue(Datum::World), "FILE"), 3);
    QCOMPARE(rowCount(folders.catalogue(Datum::World), "CHIBAN"), 3);
    QCOMPARE(child<QLabel>(*window, "Label6")->text(), QStringLiteral("3"));
    QVERIFY(window->overviewState().drawingsPresent);
}

// A registration of the command-line tool holds the data folder: delete-all
// is refused through the error report and empties nothing.
// A working file that cannot be removed fails the command after the rows
// were deleted: the error is reported and the window shows what is left.
void MainWindowTest::deleteAllFailingAfterItsCommitStillRefreshes()
{
    Folders folders;
    addRegisteredDrawings(folders.catalogue(Datum::World), 3);
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    const fs::path sheets =
        window->state().workingFile(WorkingFileKind::SheetOutlines, Datum::World);
    fs::create_directories(sheets / "in the way"); // a folder that is not empty
    const fs::path extent = window->state().workingFile(WorkingFileKind::Extent, Datum::World);
    ft::test::writeBytes(extent, "0,0,1,1,\r\n");
    QVERIFY(window->overviewState().drawingsPresent);

    op.answerYes();
    click(child(*window, "skButton4"));

    QCOMPARE(op.errors.size(), 1);
    QCOMPARE(rowCount(folders.catalogue(Datum::World), "FILE"), 0);
    QCOMPARE(child<QLabel>(*window, "Label6")->text(), QString());
    QVERIFY(!window->overviewState().drawingsPresent);
    QVERIFY(!fs::exists(extent)); // the others went all the same
}

void MainWindowTest::deleteAllWaitsForARunningRegistration()
{
    Folders folders;
    addRegisteredDrawings(folders.catalogue(Datum::World), 2);
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    const ft::platform::FileLock otherRun(folders.data / "findTavla.lock");
    QVERIFY(otherRun.held());

    op.answerYes();
    click(child(*window, "skButton4"));

    QCOMPARE(op.errors.size(), 1);
    // The window says why (in Japanese where the program loaded its texts).
    QVERIFY2(op.errors.front().contains(QStringLiteral("Another findTavla is registering")),
             qPrintable(op.errors.front()));
    QCOMPARE(rowCount(folders.catalogue(Datum::World), "FILE"), 2);
    QCOMPARE(child<QLabel>(*window, "Label6")->text(), QStringLiteral("2"));
}

void MainWindowTest::closeSavesDatumAndPlacement_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("datum 2, 閉じる") << 2 << false;
    QTest::newRow("datum 1, close box") << 1 << true;
}

void MainWindowTest::closeSavesDatumAndPlacement()
{
    QFETCH(int, datum);
    QFETCH(bool, closeBox);

    Folders folders;
    ft::test::ScriptedOperator op;
    {
        const auto window = openWindow(op, folders);
        window->show();
        if (datum == 1)
            click(child(*window, "RadioButton1"));
        window->move(40, 30);
        if (closeBox)
            window->close();
        else
            click(child(*window, "skButton3"));
        QVERIFY(!window->isVisible());
        QVERIFY(!window->state().trace().isOpen());
    }
    QVERIFY(op.errors.isEmpty());

    const std::string bytes = ft::test::readBytes(folders.ini());
    QVERIFY(bytes.find(ft::platform::utf8ToCp932("[測地系]")) != std::string::npos);
    QVERIFY(bytes.find("[測地系]") == std::string::npos);
    QCOMPARE(ft::workspace::datumCode(ft::workspace::readSavedDatum(folders.ini())), datum);

    const auto reopened = openWindow(op, folders);
    QCOMPARE(ft::workspace::datumCode(reopened->state().currentDatum()), datum);
    QCOMPARE(reopened->pos(), QPoint(40, 30));
}

// A settings file that cannot be written is reported; the program still ends.
void MainWindowTest::closeStillClosesWhenSettingsCannotBeWritten()
{
    Folders folders;
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    window->show();
    // A plain file where the settings folder should be (root ignores modes).
    fs::remove_all(folders.settings.path());
    ft::test::writeBytes(folders.settings.path(), "not a folder");

    QVERIFY(window->close());
    QCOMPARE(op.errors.size(), 1);
    QVERIFY(!window->isVisible());
}

void MainWindowTest::storedPlacement_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("10, 20")
        << QStringLiteral("[TfindTavlaF]\r\nPlaceNormalPos.Left=10\r\nPlaceNormalPos.Top=20\r\n")
        << QPoint(10, 20);
    QTest::newRow("off every screen")
        << QStringLiteral("[TfindTavlaF]\r\nPlaceNormalPos.Left=9000\r\nPlaceNormalPos.Top=20\r\n")
        << QPoint(198, 120);
    QTest::newRow("datum only") << QStringLiteral("[測地系]\r\nT=1\r\n") << QPoint(198, 120);
}

void MainWindowTest::storedPlacement()
{
    QFETCH(QString, settings);
    QFETCH(QPoint, position);

    Folders folders;
    writeSettings(folders.ini(), settings.toStdString());
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    QCOMPARE(window->pos(), position);
    QCOMPARE(window->size(), QSize(963, 619));
}

// Long work lets events run: while it does, no command may start again and
// the window may not close under it.
void MainWindowTest::busyDisablesCommandsAndClose()
{
    Folders folders;
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    window->show();
    auto* register1 = child(*window, "skButton1");
    auto* deleteAll = child(*window, "skButton4");
    deleteAll->setEnabled(false); // disabled for reasons of its own

    {
        ft::platform::BusyGuard outer(window->progress());
        {
            ft::platform::BusyGuard inner(window->progress());
            window->ShowStatus(QStringLiteral("登録中"));
        }
        QVERIFY(!register1->isEnabled());
        QVERIFY(!child(*window, "RadioButton1")->isEnabled());
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
    }
    QCOMPARE(child<QStatusBar>(*window, "SB1")->currentMessage(), QStringLiteral("登録中"));
    QVERIFY(register1->isEnabled());
    QVERIFY(!deleteAll->isEnabled());
    QVERIFY(window->close());
}

// A message quoting raw CP932 survey text reads as Japanese, not as
// replacement marks; what is not an exception class still ends the command.
void MainWindowTest::errorReportShowsMessages()
{
    ft::test::ScriptedOperator op;
    ft::app::runCommand(
        op, [] { throw std::runtime_error("bad number: " + ft::platform::utf8ToCp932("１２x")); });
    ft::app::runCommand(op, [] { throw std::runtime_error("no such table: MAP"); });
    ft::app::runCommand(op, [] { throw 42; });
    bool ran = false;
    ft::app::runCommand(op, [&] { ran = true; });

    // A library's text follows a sentence of the program's own.
    QCOMPARE(op.errors, (QStringList{QStringLiteral("bad number: １２x"),
                                     QStringLiteral("The command could not be completed.\n\n"
                                                    "no such table: MAP"),
                                     QStringLiteral("An unknown error occurred.")}));
    QVERIFY(ran);
}

// Enter in a Yes/No box gives the default answer the question asks for.
void MainWindowTest::enterInAQuestionGivesItsDefaultAnswer()
{
    ft::app::QtOperator op;
    for (const auto answer :
         {ft::platform::Operator::DefaultAnswer::No, ft::platform::Operator::DefaultAnswer::Yes}) {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            QTest::keyClick(box, Qt::Key_Return);
            if (box->isVisible())
                box->reject();
        });
        QCOMPARE(op.askYesNo(QStringLiteral("本当に削除しますか？"),
                             ft::platform::Operator::Icon::Question, answer),
                 answer == ft::platform::Operator::DefaultAnswer::Yes);
    }
}

// A long list of paths is shown in a scrolling box below its first line.
void MainWindowTest::aLongNoticeScrolls()
{
    ft::app::QtOperator op;
    QString text = QStringLiteral("登録の対象にならなかったものがあります。\n");
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("\n/data/set%1.hed").arg(i);
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        if (auto* box = dialog->findChild<QPlainTextEdit*>())
            shown = box->toPlainText();
        dialog->accept();
    });
    op.notify(text);
    QCOMPARE(shown.count(u'\n'), 39);
    QVERIFY(shown.startsWith(QStringLiteral("/data/set0.hed")));
}

// The oaza and koaza lists are filled when they open, not at start-up: the
// registered names of the current datum, koaza narrowed to the typed oaza.
void MainWindowTest::oazaAndKoazaListsOfferWhatIsRegistered()
{
    Folders folders;
    {
        TSQLiteDatabase db(folders.catalogue(Datum::World).string());
        ft::catalogue::CreateSchemaIfMissing(db);
        for (const char* row : {"'本町','東'", "'本町','西'", "'新町','北'", "'本町','東'"})
            db.ExecSQL(std::string("INSERT INTO CHIBAN (OOAZA, KOAZA) VALUES (") + row + ")");
    }
    ft::test::ScriptedOperator op;
    const auto window = openWindow(op, folders);
    window->show();
    ft::app::NameListCombo* oaza = window->controls().oazaField;
    ft::app::NameListCombo* koaza = window->controls().koazaField;
    QCOMPARE(oaza->count(), 0);
    QCOMPARE(koaza->count(), 0);
    const auto items = [](const QComboBox& combo) {
        QStringList texts;
        for (int i = 0; i < combo.count(); ++i)
            texts << combo.itemText(i);
        return texts;
    };

    oaza->showPopup();
    oaza->hidePopup();
    QCOMPARE(items(*oaza), (QStringList{QStringLiteral("新町"), QStringLiteral("本町")}));
    QCOMPARE(oaza->currentText(), QString()); // nothing typed, nothing chosen

    oaza->setEditText(QStringLiteral("本町"));
    koaza->setEditText(QStringLiteral("東"));
    koaza->showPopup();
    koaza->hidePopup();
    QCOMPARE(items(*koaza), (QStringList{QStringLiteral("東"), QStringLiteral("西")}));
    QCOMPARE(koaza->currentText(), QStringLiteral("東"));
    QCOMPARE(window->controls().lotNumberField->count(), 0);
    QVERIFY(op.errors.isEmpty());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
