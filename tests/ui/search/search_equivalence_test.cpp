// The command-line tool's searches and the main window's searches give the
// same rows for the same fields and matching mode: both spell what is typed
// as the catalogue spells it, through the same statements. The committed
// samples are registered once and searched both ways.

#include "cli/cli_run.h"
#include "ui/main/main_window.h"
#include "ui/search/result_list_model.h"
#include "ui/search/result_list_window.h"
#include "ui/widgets/error_report.h"

#include "devtools/temp_folder.h"
#include "support/scripted_operator.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <memory>
#include <sstream>

using ft::app::MainWindow;
using ft::search::ResultListWindow;
namespace fs = std::filesystem;

namespace {

struct SearchCase {
    const char* name;
    std::vector<std::string> cliArguments; // after "search"
    void (MainWindow::*handler)();
    // Fills the window's fields and chooses the mode.
    std::function<void(const ft::app::MainWindowControls&)> fill;
};

void choose(const std::array<QRadioButton*, 3>& modes, int mode)
{
    modes[static_cast<std::size_t>(mode)]->setChecked(true);
}

constexpr int kExact = 0;
constexpr int kPrefix = 1;
constexpr int kContains = 2;

} // namespace

class SearchEquivalenceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void theToolAndTheWindowsFindTheSameRows();

private:
    // The rows the tool prints (tab-separated, without the column names).
    QStringList toolRows(const std::vector<std::string>& arguments);
    // The rows the window's result list shows, cells joined by tabs.
    QStringList windowRows(void (MainWindow::*handler)());

    std::unique_ptr<ft::test::TempFolder> m_home;
    ft::cli::CliFolders m_folders;
    std::unique_ptr<ft::test::ScriptedOperator> m_op;
    std::unique_ptr<MainWindow> m_window;
};

void SearchEquivalenceTest::initTestCase()
{
    m_home = std::make_unique<ft::test::TempFolder>();
    m_folders = {m_home->path() / "data", m_home->path() / "settings"};
    std::ostringstream out;
    std::ostringstream err;
    QCOMPARE(ft::cli::runCli({"register", FT_SAMPLES_DIR}, out, err, [this] { return m_folders; }),
             0);
    m_op = std::make_unique<ft::test::ScriptedOperator>();
    m_window = std::make_unique<MainWindow>(*m_op, m_folders.data, m_folders.settings);
}

void SearchEquivalenceTest::cleanupTestCase()
{
    m_window.reset();
    m_home.reset();
}

QStringList SearchEquivalenceTest::toolRows(const std::vector<std::string>& arguments)
{
    std::vector<std::string> args{"--datum", "2", "search"};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::ostringstream out;
    std::ostringstream err;
    ft::cli::runCli(args, out, err, [this] { return m_folders; });
    QStringList lines = QString::fromStdString(out.str()).split(u'\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty())
        lines.removeFirst(); // the column names
    return lines;
}

QStringList SearchEquivalenceTest::windowRows(void (MainWindow::*handler)())
{
    QStringList rows;
    QTimer::singleShot(0, m_window.get(), [&] {
        auto* shown = qobject_cast<ResultListWindow*>(QApplication::activeModalWidget());
        if (shown == nullptr)
            return;
        const ft::search::ResultListModel& model = *shown->listModel();
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model.columnCount(); ++column)
                cells << model.index(row, column).data().toString();
            rows << cells.join(u'\t');
        }
        shown->reject();
    });
    ft::app::runCommand(*m_op, [&] { ((*m_window).*handler)(); });
    QCoreApplication::processEvents();
    return rows;
}

void SearchEquivalenceTest::theToolAndTheWindowsFindTheSameRows()
{
    using C = ft::app::MainWindowControls;
    const SearchCase cases[] = {
        {"lot number typed full width",
         {"parcels", "--chiban", "２０１", "--mode", "prefix"},
         &MainWindow::searchParcels,
         [](const C& c) {
             c.lotNumberField->setEditText(QStringLiteral("２０１"));
             choose(c.parcelModes, kPrefix);
         }},
        {"owner kana typed in hiragana",
         {"parcels", "--kana", "さとう", "--mode", "contains"},
         &MainWindow::searchParcels,
         [](const C& c) {
             c.ownerKanaField->setText(QStringLiteral("さとう"));
             choose(c.parcelModes, kContains);
         }},
        {"oaza and koaza exactly",
         {"parcels", "--oaza", "大字若葉", "--koaza", "字下川", "--mode", "exact"},
         &MainWindow::searchParcels,
         [](const C& c) {
             c.oazaField->setEditText(QStringLiteral("大字若葉"));
             c.koazaField->setEditText(QStringLiteral("字下川"));
             choose(c.parcelModes, kExact);
         }},
        {"part of a sheet name",
         {"maps", "3", "--mode", "contains"},
         &MainWindow::searchMapSheets,
         [](const C& c) {
             c.mapSheetField->setText(QStringLiteral("3"));
             choose(c.mapSheetModes, kContains);
         }},
        {"a sheet name exactly",
         {"maps", "２－３", "--mode", "exact"},
         &MainWindow::searchMapSheets,
         [](const C& c) {
             c.mapSheetField->setText(QStringLiteral("２－３"));
             choose(c.mapSheetModes, kExact);
         }},
        {"boundary points by prefix",
         {"fpoints", "2-2"},
         &MainWindow::searchBoundaryPoints,
         [](const C& c) {
             c.boundaryPointField->setText(QStringLiteral("2-2"));
             choose(c.boundaryPointModes, kPrefix);
         }},
        {"control points, letters of either case",
         {"zpoints", "t", "--mode", "prefix"},
         &MainWindow::searchControlPoints,
         [](const C& c) {
             c.controlPointField->setText(QStringLiteral("t"));
             choose(c.controlPointModes, kPrefix);
         }},
        {"nothing",
         {"parcels", "--owner", "無名"},
         &MainWindow::searchParcels,
         [](const C& c) { c.ownerField->setText(QStringLiteral("無名")); }},
    };
    for (const SearchCase& c : cases) {
        const C& controls = m_window->controls();
        for (QWidget* field : controls.searchFields()) {
            if (auto* combo = qobject_cast<QComboBox*>(field))
                combo->setEditText(QString());
            else if (auto* edit = qobject_cast<QLineEdit*>(field))
                edit->clear();
        }
        c.fill(controls);
        const QStringList tool = toolRows(c.cliArguments);
        const QStringList window = windowRows(c.handler);
        QVERIFY2(tool == window, c.name);
        QVERIFY2(tool.isEmpty() == (std::string_view(c.name) == "nothing"), c.name);
    }
    QVERIFY(m_op->errors.isEmpty());
}

QTEST_MAIN(SearchEquivalenceTest)
#include "search_equivalence_test.moc"
