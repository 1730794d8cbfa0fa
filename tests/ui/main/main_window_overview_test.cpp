// The overview in the main window: drawn on activation and on a datum
// switch, and a press on it handing the sheets under the pointer to the
// viewer (a stand-in `Tavla` on PATH that records how it was started).
#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/formats/working_files.h"
#include "core/overview/overview_files.h"
#include "core/search/request_file.h"
#include "devtools/temp_folder.h"
#include "support/scripted_operator.h"
#include "ui/main/main_window.h"

#include <QRadioButton>
#include <QTest>

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
    void pressHandsTheSheetsUnderThePointerToTheViewer();

private:
    fs::path viewerLog() const { return m_bin / "viewer-starts.txt"; }

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

void MainWindowOverviewTest::pressHandsTheSheetsUnderThePointerToTheViewer()
{
    QWidget* im1 = m_window->findChild<QWidget*>(QStringLiteral("Im1"));
    QVERIFY(im1);
    const fs::path request = ft::search::requestFilePath(m_settings->path());

    // Sheet 2C belongs to drawing 9, which is not registered: the press ends
    // with the catalogue's message and starts nothing.
    QTest::mousePress(im1, Qt::LeftButton, {}, QPoint(525, 400));
    QCOMPARE(m_op->errors, QStringList{QStringLiteral("Field PATH Not found. Empty dataset")});

    // Empty space: an empty request, no viewer.
    QTest::mousePress(im1, Qt::MiddleButton, Qt::ControlModifier, QPoint(5, 5));
    QCOMPARE(ft::test::readBytes(request), std::string());

    // Any button and modifier: both sheets of drawing 1 under the pointer.
    QTest::mousePress(im1, Qt::RightButton, Qt::ShiftModifier, QPoint(300, 300));
    QCOMPARE(ft::test::readBytes(request), std::string("0,\"/survey/\x90\xa2\x8a\x45/W01\"\r\n"
                                                       "3,2A\r\n"
                                                       "3,2B\r\n"));
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(viewerLog()), 5000);
    QTest::qWait(200);
    QCOMPARE(ft::test::readBytes(viewerLog()), "-E2|" + request.string() + "\n");
    QCOMPARE(m_op->errors.size(), 1);
    QVERIFY(!m_window->isMinimized());
}

QTEST_MAIN(MainWindowOverviewTest)
#include "main_window_overview_test.moc"
