// The desktop program beside another program on the same catalogues: the
// command-line tool, run as a separate process, registers and deletes while
// the window is open. The window follows at its next activation, and a
// result window never hands over keys of a catalogue that changed under it.

#include "core/formats/request_file.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"
#include "support/scripted_operator.h"
#include "ui/main/main_window.h"
#include "ui/main/overview_image.h"
#include "ui/search/geopackage_export_command.h"
#include "ui/search/result_list_view.h"
#include "ui/search/result_windows.h"

#include <QAction>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QTimer>

#include <memory>

using ft::app::MainWindow;
namespace fs = std::filesystem;

namespace {

const QString kChangedNotice =
    QStringLiteral("The catalogue has changed since the search. Search again.");

bool isAllWhite(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

QStringList oazaNames(ft::app::NameListCombo& combo)
{
    combo.showPopup();
    combo.hidePopup();
    QStringList names;
    for (int i = 0; i < combo.count(); ++i)
        names << combo.itemText(i);
    return names;
}

} // namespace

class OtherProgramsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void countOverviewAndNamesFollowAtActivation();
    void resultWindowRefusesKeysOfAChangedCatalogue();

private:
    // Runs findTavla-cli on the window's folders and waits for it to end.
    void runTool(const QStringList& args);
    void reactivate();

    std::unique_ptr<ft::test::TempFolder> m_home;
    std::unique_ptr<ft::test::ScriptedOperator> m_op;
    std::unique_ptr<MainWindow> m_window;
    fs::path m_header;
};

void OtherProgramsTest::init()
{
    m_home = std::make_unique<ft::test::TempFolder>();
    m_header = ft::test::DataSetBuilder::smallValidSet(m_home->path() / "survey", "A01", 2).write();
    m_op = std::make_unique<ft::test::ScriptedOperator>();
    m_window = std::make_unique<MainWindow>(*m_op, m_home->path() / "data/findTavla",
                                            m_home->path() / "config/findTavla");
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void OtherProgramsTest::cleanup()
{
    m_window.reset();
    m_home.reset();
}

void OtherProgramsTest::runTool(const QStringList& args)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"),
                       QString::fromStdString((m_home->path() / "data").string()));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       QString::fromStdString((m_home->path() / "config").string()));
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(FT_CLI_EXECUTABLE), QStringList{QStringLiteral("--no-trace")} + args);
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
}

void OtherProgramsTest::reactivate()
{
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void OtherProgramsTest::countOverviewAndNamesFollowAtActivation()
{
    const auto count = [this] { return m_window->controls().drawingCount->text(); };
    QCOMPARE(count(), QString());
    QVERIFY(isAllWhite(m_window->overviewImage()));

    runTool({QStringLiteral("register"), QString::fromStdString(m_header.string())});
    reactivate();
    QCOMPARE(count(), QStringLiteral("1"));
    QVERIFY(m_window->overviewState().drawingsPresent);
    QVERIFY(!isAllWhite(m_window->overviewImage()));
    QVERIFY(!oazaNames(*m_window->controls().oazaField).isEmpty());

    runTool({QStringLiteral("--datum"), QStringLiteral("2"), QStringLiteral("delete-all"),
             QStringLiteral("--yes")});
    reactivate();
    QCOMPARE(count(), QString());
    QVERIFY(!m_window->overviewState().drawingsPresent);
    QVERIFY(isAllWhite(m_window->overviewImage()));
    QVERIFY(oazaNames(*m_window->controls().oazaField).isEmpty());
    QVERIFY(m_op->errors.isEmpty());
}

// Delete-all and the same set registered again give its rows the same
// rowids and FILENO: only the counter tells the keys are not the ones shown.
void OtherProgramsTest::resultWindowRefusesKeysOfAChangedCatalogue()
{
    runTool({QStringLiteral("register"), QString::fromStdString(m_header.string())});
    reactivate();
    const fs::path request = ft::formats::requestFilePath(m_window->state().settingsFolder());
    ft::search::ParcelResultWindow& results = *m_window->resultWindows().parcelResults;
    m_op->notices.clear(); // the first start's notice
    bool stayedOpen = false;
    QTimer::singleShot(0, &results, [&] {
        runTool({QStringLiteral("--datum"), QStringLiteral("2"), QStringLiteral("delete-all"),
                 QStringLiteral("--yes")});
        runTool({QStringLiteral("register"), QString::fromStdString(m_header.string())});
        results.showTickedDrawings();
        for (QAction* action : results.listView()->actions())
            if (action->text() == ft::search::kGeoPackageExportText)
                action->trigger();
        stayedOpen = results.isVisible();
        results.reject();
    });
    m_window->searchParcels();
    QVERIFY(stayedOpen);
    QCOMPARE(m_op->notices, (QStringList{kChangedNotice, kChangedNotice}));
    QVERIFY(m_op->prompts.isEmpty()); // no file was asked for
    QVERIFY(!fs::exists(request));
}

QTEST_MAIN(OtherProgramsTest)
#include "other_programs_test.moc"
