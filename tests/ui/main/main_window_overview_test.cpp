// The overview in the main window: drawn on activation and on a datum
// switch, zoomed and panned, and a click on it handing the sheets under the
// pointer to the viewer (a stand-in `Tavla` on PATH that records how it was
// started).
#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/formats/request_file.h"
#include "core/formats/working_files.h"
#include "core/overview/overview_files.h"
#include "devtools/temp_folder.h"
#include "support/scripted_operator.h"
#include "ui/main/main_window.h"
#include "ui/main/overview_image.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <chrono>
#include <memory>

using ft::app::MainWindow;
using ft::workspace::WorkingFileKind;
namespace fs = std::filesystem;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kBlack = qRgb(0, 0, 0);

std::string workingFileName(const char* extension, int datum)
{
    return std::string("findTavla") + extension + std::to_string(datum);
}

// Datum 2: extent 0..1000 x 0..500, so survey (0, 0) is pixel (50, 426) and
// pixel (300, 300) lies on sheets 2A and 2B of drawing 1. Datum 1: the
// square 0..500 x 0..500, so (0, 0) is pixel (50, 551).
void writeWorkingFiles(const fs::path& data)
{
    using ft::test::segmentLine;
    using ft::test::sheetLine;
    using ft::test::writeLines;
    ft::formats::writeExtentFile(data / workingFileName(".he", 2), {0, 0, 1000, 500});
    writeLines(data / workingFileName(".zu", 2),
               {sheetLine("2A", 0, 0, 1000, 500, 1), sheetLine("2B", 400, 200, 600, 300, 1),
                sheetLine("2C", 900, 0, 1000, 100, 9)});
    writeLines(data / workingFileName(".az", 2), {segmentLine(-50, 250, 1050, 250, 1)});
    ft::formats::writeExtentFile(data / workingFileName(".he", 1), {0, 0, 500, 500});
    writeLines(data / workingFileName(".zu", 1), {sheetLine("1A", 0, 0, 500, 500, 1)});
}

// Mouse events sent straight to the image, the buttons held as a real mouse
// holds them.
void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held,
               Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void press(QWidget* widget, QPoint at)
{
    sendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton);
}

void moveTo(QWidget* widget, QPoint at)
{
    sendMouse(widget, QEvent::MouseMove, at, Qt::LeftButton, Qt::NoButton);
}

void release(QWidget* widget, QPoint at)
{
    sendMouse(widget, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

void doubleClick(QWidget* widget, QPoint at)
{
    press(widget, at);
    release(widget, at);
    sendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    release(widget, at);
}

void drag(QWidget* widget, QPoint from, QPoint offset)
{
    press(widget, from);
    moveTo(widget, from + offset / 2);
    moveTo(widget, from + offset);
    release(widget, from + offset);
}

void turnWheel(QWidget* widget, QPoint at, int notches)
{
    QWheelEvent event(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(widget, &event);
}

void registerDrawing(const fs::path& catalogueFile, int fileNo, const std::string& path)
{
    ft::catalogue::TSQLiteDatabase db(catalogueFile.string());
    ft::catalogue::CreateSchemaIfMissing(db);
    db.ExecSQL("INSERT INTO FILE VALUES ('" + path + "','2024/01/01 00:00:00'," +
               std::to_string(fileNo) + ",'','',0,2);");
}

} // namespace

class MainWindowOverviewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void activationAndDatumSwitchDrawTheCurrentDatum();
    void deleteAllLeavesTheOtherDatumsOverview();
    void aDatumShowsItsLastDrawingUntilItsFilesChange();
    void clickHandsTheSheetsUnderThePointerToTheViewer();
    void aPressIsAClickUntilItMoves_data();
    void aPressIsAClickUntilItMoves();
    void eachDatumKeepsItsViewUntilItsExtentChanges();
    void homeAndADoubleClickOnEmptyGroundShowEverything();
    void aLostReleaseOrAQuickSecondDragIsNoDoubleClick();
    void linesOfADrawingWithoutAFileRowAreLeftOut();

private:
    fs::path viewerLog() const { return m_bin / "viewer-starts.txt"; }
    QWidget* im1() const { return m_window->findChild<QWidget*>(QStringLiteral("Im1")); }
    const ft::overview::OverviewView& view() const { return m_window->overviewState().view; }
    void chooseDatum(const char* radioName)
    {
        auto* radio = m_window->findChild<QRadioButton*>(QString::fromLatin1(radioName));
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    }

    ft::test::TempFolder m_binFolder;
    fs::path m_bin;
    std::unique_ptr<ft::test::TempFolder> m_data;
    std::unique_ptr<ft::test::TempFolder> m_settings;
    std::unique_ptr<ft::test::ScriptedOperator> m_op;
    std::unique_ptr<MainWindow> m_window;
};

void MainWindowOverviewTest::initTestCase()
{
    m_bin = m_binFolder.path();
    // One line per start: the arguments, separated by '|'.
    ft::test::writeBytes(m_bin / "Tavla",
                         "#!/bin/sh\n"
                         "IFS='|'\n"
                         "echo \"$*\" >> \"$(dirname \"$0\")/viewer-starts.txt\"\n");
    fs::permissions(m_bin / "Tavla", fs::perms::owner_all);
    qputenv("PATH", QByteArray::fromStdString(m_bin.string()) + ':' + qgetenv("PATH"));
}

void MainWindowOverviewTest::init()
{
    m_data = std::make_unique<ft::test::TempFolder>();
    m_settings = std::make_unique<ft::test::TempFolder>();
    registerDrawing(m_data->path() / "Dorsawrd.db", 1, "/survey/世界/W01");
    registerDrawing(m_data->path() / "Dorsajpn.db", 1, "/survey/日本/J01");
    writeWorkingFiles(m_data->path());
    fs::remove(viewerLog());
    m_op = std::make_unique<ft::test::ScriptedOperator>();
    m_window = std::make_unique<MainWindow>(*m_op, m_data->path(), m_settings->path());
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void MainWindowOverviewTest::cleanup()
{
    m_window.reset();
}

void MainWindowOverviewTest::activationAndDatumSwitchDrawTheCurrentDatum()
{
    const QImage& image = m_window->overviewImage();
    QCOMPARE(ft::workspace::datumCode(m_window->state().currentDatum()), 2);
    QCOMPARE(image.pixel(50, 426), kGreen);
    QCOMPARE(image.pixel(300, 175), kGreen);
    QVERIFY(image.pixel(200, 300) == kBlack || image.pixel(200, 299) == kBlack);
    QCOMPARE(image.pixel(10, 10), kWhite);
    QCOMPARE(m_window->overviewState().view.top, 850.0);

    auto* radio = m_window->findChild<QRadioButton*>(QStringLiteral("RadioButton1"));
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    QCOMPARE(ft::workspace::datumCode(m_window->state().currentDatum()), 1);
    // Cleared first: nothing of datum 2 is left.
    QCOMPARE(image.pixel(50, 551), kGreen);
    QCOMPARE(image.pixel(300, 175), kWhite);
    QCOMPARE(image.pixel(200, 300), kWhite);
    QVERIFY(m_op->errors.isEmpty());
}

// Delete-all empties only the current datum; the other datum's drawings are
// still registered and show when the operator switches to it.
void MainWindowOverviewTest::deleteAllLeavesTheOtherDatumsOverview()
{
    m_op->answerYes();
    QTest::mouseClick(m_window->findChild<QWidget*>(QStringLiteral("skButton4")), Qt::LeftButton);
    QVERIFY(m_op->errors.isEmpty());

    auto* radio = m_window->findChild<QRadioButton*>(QStringLiteral("RadioButton1"));
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    QCOMPARE(ft::workspace::datumCode(m_window->state().currentDatum()), 1);
    QCOMPARE(m_window->overviewImage().pixel(50, 551), kGreen);
    QVERIFY(m_op->errors.isEmpty());
}

// Switching back to a datum shows its last drawing without reading its
// working files again, for as long as they keep their size and time.
void MainWindowOverviewTest::aDatumShowsItsLastDrawingUntilItsFilesChange()
{
    auto* japanese = m_window->findChild<QRadioButton*>(QStringLiteral("RadioButton1"));
    auto* world = m_window->findChild<QRadioButton*>(QStringLiteral("RadioButton2"));
    const auto choose = [](QRadioButton* radio) {
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    };
    const QImage& image = m_window->overviewImage();
    QVERIFY(image.pixel(200, 300) == kBlack || image.pixel(200, 299) == kBlack);

    // The segment moves from row 300 to row 351; the file keeps its size and time.
    const fs::path segments = m_data->path() / workingFileName(".az", 2);
    const fs::file_time_type time = fs::last_write_time(segments);
    ft::test::writeLines(segments, {ft::test::segmentLine(-50, 150, 1050, 150, 1)});
    fs::last_write_time(segments, time);
    choose(japanese);
    choose(world);
    QVERIFY(image.pixel(200, 300) == kBlack || image.pixel(200, 299) == kBlack);
    QCOMPARE(m_window->overviewState().view.top, 850.0);

    fs::last_write_time(segments, time + std::chrono::seconds(2));
    choose(japanese);
    choose(world);
    QCOMPARE(image.pixel(200, 300), kWhite);
    QCOMPARE(image.pixel(200, 299), kWhite);
    QVERIFY(image.pixel(200, 351) == kBlack || image.pixel(200, 350) == kBlack);
    QVERIFY(m_op->errors.isEmpty());
}

// The viewer opens on the release of a press, not on the press. Every button
// and modifier does the same; the click finds the sheets through the window
// shown, zoomed and panned.
void MainWindowOverviewTest::clickHandsTheSheetsUnderThePointerToTheViewer()
{
    QWidget* image = im1();
    QVERIFY(image);
    const fs::path request = ft::formats::requestFilePath(m_settings->path());
    ft::test::writeBytes(request, "untouched");

    // Sheet 2C belongs to drawing 9, which is not registered (a set still
    // registering elsewhere): the click passes it over, as the drawing does,
    // and hands over sheet 2A of drawing 1 beneath it.
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(525, 400));
    QCOMPARE(ft::test::readBytes(request), std::string("untouched"));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(525, 400));
    QCOMPARE(ft::test::readBytes(request), std::string("0,\"/survey/\x90\xa2\x8a\x45/W01\"\r\n"
                                                       "3,2A\r\n"));
    QVERIFY(m_op->errors.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(viewerLog()), 5000);

    // Empty space: an empty request, no viewer.
    QTest::mouseClick(image, Qt::MiddleButton, Qt::ControlModifier, QPoint(5, 5));
    QCOMPARE(ft::test::readBytes(request), std::string());

    // Zoomed in 1.25^4 times around (300, 300) and moved 100 pixels left,
    // pixel (100, 250) lies on sheet 2B too; whole or only zoomed, on 2A alone.
    turnWheel(image, QPoint(300, 300), 4);
    drag(image, QPoint(300, 300), QPoint(-100, 0));
    QTest::mouseClick(image, Qt::RightButton, Qt::ShiftModifier, QPoint(100, 250));
    QCOMPARE(ft::test::readBytes(request), std::string("0,\"/survey/\x90\xa2\x8a\x45/W01\"\r\n"
                                                       "3,2A\r\n"
                                                       "3,2B\r\n"));
    const std::string twoStarts = "-E2|" + request.string() + "\n-E2|" + request.string() + "\n";
    QTRY_COMPARE_WITH_TIMEOUT(ft::test::readBytes(viewerLog()), twoStarts, 5000);
    QTest::qWait(200);
    QCOMPARE(ft::test::readBytes(viewerLog()), twoStarts);
    QVERIFY(m_op->errors.isEmpty());
    QVERIFY(!m_window->isMinimized());
}

void MainWindowOverviewTest::aPressIsAClickUntilItMoves_data()
{
    QTest::addColumn<QList<QPoint>>("moves");
    QTest::addColumn<bool>("click");
    QTest::newRow("still") << QList<QPoint>{} << true;
    QTest::newRow("3 pixels") << QList<QPoint>{{3, 0}, {0, -3}} << true;
    QTest::newRow("4 pixels") << QList<QPoint>{{0, 4}} << false;
    QTest::newRow("2 and 2 pixels") << QList<QPoint>{{2, -2}} << false;
    QTest::newRow("away and back") << QList<QPoint>{{30, 0}, {0, 0}} << false;
}

// Pressed on empty ground after zooming in: a click empties the request; a
// drag leaves it and moves the window by the distance the press ended at.
void MainWindowOverviewTest::aPressIsAClickUntilItMoves()
{
    QFETCH(QList<QPoint>, moves);
    QFETCH(bool, click);
    const fs::path request = ft::formats::requestFilePath(m_settings->path());
    const QPoint at(300, 100); // survey (499, 650), above every sheet
    turnWheel(im1(), at, 4);
    const ft::overview::OverviewView zoomed = view();
    QVERIFY(zoomed.windowWidth < 1200.0);
    ft::test::writeBytes(request, "untouched");

    press(im1(), at);
    for (const QPoint& move : moves)
        moveTo(im1(), at + move);
    const QPoint end = at + (moves.isEmpty() ? QPoint() : moves.back());
    release(im1(), end);

    QCOMPARE(ft::test::readBytes(request), click ? std::string() : std::string("untouched"));
    const double unitsPerPixel = zoomed.windowWidth / zoomed.pixelWidth;
    QCOMPARE(view().left, zoomed.left - (click ? 0 : (end - at).x()) * unitsPerPixel);
    QCOMPARE(view().top, zoomed.top + (click ? 0 : (end - at).y()) * unitsPerPixel);
    QVERIFY(m_op->errors.isEmpty());
}

// A datum's zoom stays while the other datum is shown, until its extent
// changes (a registration) or its drawings are deleted; the scale bar shows
// only while zoomed in.
void MainWindowOverviewTest::eachDatumKeepsItsViewUntilItsExtentChanges()
{
    auto* image = qobject_cast<ft::app::OverviewImage*>(im1());
    const ft::overview::OverviewView whole2 = view();
    QVERIFY(!image->scaleBar());
    turnWheel(image, QPoint(200, 300), 3);
    drag(image, QPoint(200, 300), QPoint(15, -10));
    const ft::overview::OverviewView zoomed2 = view();
    QVERIFY(zoomed2.windowWidth < whole2.windowWidth);
    QVERIFY(image->scaleBar());

    chooseDatum("RadioButton1");
    QCOMPARE(view().left, -50.0); // datum 1 whole: 0..500 and a tenth of it either side
    QVERIFY(!image->scaleBar());
    turnWheel(image, QPoint(100, 100), 1);
    const ft::overview::OverviewView zoomed1 = view();
    chooseDatum("RadioButton2");
    QCOMPARE(view(), zoomed2);
    QVERIFY(image->scaleBar());

    // Datum 1's extent grows, as a registration in another program leaves it.
    const fs::path extent1 = m_data->path() / workingFileName(".he", 1);
    ft::formats::writeExtentFile(extent1, {0, 0, 500, 600});
    fs::last_write_time(extent1, fs::last_write_time(extent1) + std::chrono::seconds(2));
    chooseDatum("RadioButton1");
    QVERIFY(view() != zoomed1);
    QVERIFY(!m_window->overviewState().keptWindows[ft::workspace::Datum::Japanese]);
    QVERIFY(!image->scaleBar());

    // Delete-all of datum 2 forgets its view: registered again with the very
    // same extent, it shows whole.
    chooseDatum("RadioButton2");
    m_op->answerYes();
    QTest::mouseClick(m_window->findChild<QWidget*>(QStringLiteral("skButton4")), Qt::LeftButton);
    registerDrawing(m_data->path() / "Dorsawrd.db", 1, "/survey/世界/W01");
    writeWorkingFiles(m_data->path());
    chooseDatum("RadioButton1");
    chooseDatum("RadioButton2");
    QCOMPARE(view(), whole2);
    QVERIFY(m_op->errors.isEmpty());
}

void MainWindowOverviewTest::homeAndADoubleClickOnEmptyGroundShowEverything()
{
    const ft::overview::OverviewView whole = view();
    const auto zoomIn = [this] {
        turnWheel(im1(), QPoint(300, 300), 2);
        QVERIFY(view().windowWidth < 1200.0);
    };
    zoomIn();
    QTest::keyClick(im1(), Qt::Key_Home);
    QCOMPARE(view(), whole);

    zoomIn();
    doubleClick(im1(), QPoint(300, 20)); // above the sheets
    QCOMPARE(view(), whole);

    // On sheet 2C (drawing 9, not registered, passed over) and 2A beneath
    // it: the double click leaves the zoom.
    turnWheel(im1(), QPoint(525, 400), 2);
    const ft::overview::OverviewView onSheet = view();
    doubleClick(im1(), QPoint(525, 400));
    QCOMPARE(view(), onSheet);
    QVERIFY(m_op->errors.isEmpty());
}

// Two ways a press was misread. A release that never came (a dialog took
// the mouse) left the old press followed: the next press was ignored and
// its release clicked where the old one was. A press quickly after a drag,
// near where it began, comes as a double click: it must drag again, not
// show everything.
void MainWindowOverviewTest::aLostReleaseOrAQuickSecondDragIsNoDoubleClick()
{
    ft::app::OverviewImage image(nullptr, QSize(601, 601));
    QSignalSpy clicks(&image, &ft::app::OverviewImage::clicked);
    QSignalSpy drags(&image, &ft::app::OverviewImage::dragged);
    QSignalSpy doubleClicks(&image, &ft::app::OverviewImage::doubleClicked);

    press(&image, QPoint(10, 10));
    press(&image, QPoint(300, 300));
    release(&image, QPoint(300, 300));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.at(0).at(2).toPoint(), QPoint(300, 300));

    drag(&image, QPoint(100, 100), QPoint(3, 3));
    sendMouse(&image, QEvent::MouseButtonDblClick, QPoint(101, 101), Qt::LeftButton);
    moveTo(&image, QPoint(121, 101));
    release(&image, QPoint(121, 101));
    QCOMPARE(doubleClicks.size(), 0);
    QCOMPARE(drags.size(), 2);
    QCOMPARE(drags.at(1).at(0).toPoint(), QPoint(20, 0));
    QCOMPARE(clicks.size(), 1);
}

// Drawing 9 has working-file lines but no FILE row (a set another program
// is still registering): neither its sheet 2C nor its segment is drawn.
void MainWindowOverviewTest::linesOfADrawingWithoutAFileRowAreLeftOut()
{
    ft::test::writeLines(m_data->path() / workingFileName(".az", 2),
                         {ft::test::segmentLine(-50, 250, 1050, 250, 1),   // row 300
                          ft::test::segmentLine(-50, 400, 1050, 400, 9)}); // row 226
    chooseDatum("RadioButton1");
    chooseDatum("RadioButton2");
    const QImage& image = m_window->overviewImage();
    QVERIFY(image.pixel(200, 300) == kBlack || image.pixel(200, 299) == kBlack);
    for (int y = 220; y < 232; ++y)
        QCOMPARE(image.pixel(200, y), kWhite);
    for (int x = 495; x < 508; ++x) // 2C's left edge at column 501
        QCOMPARE(image.pixel(x, 400), kWhite);
    QCOMPARE(image.pixel(551, 400), kGreen); // 2A's right edge
    QVERIFY(m_op->errors.isEmpty());
}

QTEST_MAIN(MainWindowOverviewTest)
#include "main_window_overview_test.moc"
