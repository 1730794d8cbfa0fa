// findtavla-bench-results: the parcel result window over a large catalogue.
// Measures, on the catalogue of the current datum in a data folder:
//   - the parcel search with every field empty, from the 検索 click to the
//     window showing its first rows, and the memory the open window adds;
//     floor: sqlite3 running the same ordered statement into /dev/null;
//   - scrolling to the end and back;
//   - 全選択, 全未選択 and Space over every selected row, with the number of
//     change notices each sends;
//   - sorting the list by a clicked column heading: 地番 ascending, again
//     (descending), and 所有者 (text), each until the first rows are painted;
//     floor: sqlite3 running the same ordered statement of keys;
//   - 図面表示 with every row ticked: the request file written; floor: sqlite3
//     printing the fields of every parcel into /dev/null.
// The texts of the first and last rows and a checksum of the request file
// are printed, so that two builds can be shown to agree.
//
//   findtavla-bench-results --data FOLDER [--datum 1|2] [--sqlite3 PROGRAM]
//
// Runs with the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "bench/bench_support.h"
#include "core/platform/operator.h"
#include "core/workspace/settings_file.h"
#include "core/workspace/workspace.h"
#include "devtools/temp_folder.h"
#include "ui/main/main_window.h"
#include "ui/search/result_list_model.h"
#include "ui/search/result_list_view.h"
#include "ui/search/result_windows.h"

#include <sys/resource.h>

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using ft::bench::Clock;
using ft::bench::secondsSince;

// Wall and CPU time of one step; the machine may be shared, and CPU time is
// what the step itself costs.
class StepTimer {
public:
    StepTimer() : m_start(Clock::now()), m_cpuStart(ft::bench::cpuSeconds(RUSAGE_SELF)) {}
    double wall() const { return secondsSince(m_start); }
    double cpu() const { return ft::bench::cpuSeconds(RUSAGE_SELF) - m_cpuStart; }

private:
    Clock::time_point m_start;
    double m_cpuStart;
};

struct Options {
    fs::path data;
    int datum = 2;
    std::string sqlite3 = "sqlite3";
};

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--data")
            options.data = argv[i + 1];
        else if (option == "--datum")
            options.datum = std::string_view(argv[i + 1]) == "1" ? 1 : 2;
        else if (option == "--sqlite3")
            options.sqlite3 = argv[i + 1];
        else
            return std::nullopt;
    }
    if (argc % 2 == 0 || options.data.empty())
        return std::nullopt;
    return options;
}

// Answers nothing and prints what the program tells the operator.
class PrintingOperator final : public ft::platform::Operator {
public:
    bool askYesNo(const QString& text, Icon, DefaultAnswer) override
    {
        print(text);
        return false;
    }
    void notify(const QString& text, Notice) override { print(text); }
    std::optional<fs::path> pickFolder(const QString&) override { return std::nullopt; }
    std::vector<fs::path> pickFiles(const QString&) override { return {}; }
    std::optional<FileToWrite> pickFileToWrite(const QString&, const QStringList&,
                                               const QString&) override
    {
        return std::nullopt;
    }

private:
    static void print(const QString& text)
    {
        std::fprintf(stderr, "operator: %s\n", text.toUtf8().constData());
    }
};

std::string rowText(const ft::search::ResultListModel& model, int row)
{
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.index(row, column).data().toString();
    return cells.join(QLatin1Char('|')).toStdString();
}

// Runs `action` once the window is up (inside its modal loop), then closes
// it with Cancel if the action left it open.
bool whileShown(ft::search::ResultListWindow& window, const std::function<void()>& action)
{
    QTimer::singleShot(0, &window, [&] {
        action();
        if (window.isVisible())
            window.reject();
    });
    return window.ShowModal();
}

// Painting is forced with grab(), which paints the list into a picture
// whether or not the platform has put the window on a screen yet.

// Times `action` followed by a repaint of the visible rows, and counts the
// change notices the model sends meanwhile.
void timeTickAction(const char* name, ft::search::ResultListWindow& window,
                    const std::function<void()>& action)
{
    ft::search::ResultListModel& model = *window.listModel();
    int notices = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++notices; });
    const StepTimer timer;
    action();
    window.listView()->viewport()->grab();
    const double wall = timer.wall();
    const double cpu = timer.cpu();
    QObject::disconnect(counting);
    int ticked = 0;
    for (int row = 0; row < model.rowCount(); ++row)
        ticked += model.isTicked(row) ? 1 : 0;
    std::printf("%-28s %8.3f s (CPU %.3f s)   change notices %d   ticked afterwards %d\n", name,
                wall, cpu, notices, ticked);
}

void pressSpace(ft::search::ResultListView& view)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&view, &press);
}

void measureSearch(ft::app::MainWindow& main, ft::search::ParcelResultWindow& results)
{
    const double residentBefore = ft::bench::residentMiB();
    double shown = 0.0;
    double shownCpu = 0.0;
    double residentShown = 0.0;
    int rows = 0;
    const StepTimer timer;
    QTimer::singleShot(0, &results, [&] {
        results.listView()->viewport()->grab();
        shown = timer.wall();
        shownCpu = timer.cpu();
        residentShown = ft::bench::residentMiB();
        const ft::search::ResultListModel& model = *results.listModel();
        rows = model.rowCount();
        std::printf("first row   %s\n", rowText(model, 0).c_str());
        std::printf("second row  %s\n", rowText(model, 1).c_str());

        ft::search::ResultListView& view = *results.listView();
        const StepTimer scrolling;
        view.scrollToBottom();
        view.viewport()->grab();
        const int bottomRow = view.indexAt(QPoint(1, view.viewport()->height() - 1)).row();
        view.scrollToTop();
        view.viewport()->grab();
        std::printf("scrolling to the end and back %8.3f s (CPU %.3f s)   rows shown at the end "
                    "%d to %d, visible %d\n",
                    scrolling.wall(), scrolling.cpu(), view.indexAt(QPoint(1, 1)).row(), bottomRow,
                    view.isVisible() ? 1 : 0);
        std::printf("last row    %s\n", rowText(model, rows - 1).c_str());
        results.reject();
    });
    main.searchParcels();
    std::printf("parcel search to first rows %8.3f s (CPU %.3f s)   rows %d\n", shown, shownCpu,
                rows);
    std::printf("memory the open window adds %8.1f MiB (resident %.1f -> %.1f MiB)\n",
                residentShown - residentBefore, residentBefore, residentShown);
}

// Clicks of the headings as the view sends them.
void measureSorting(ft::search::ParcelResultWindow& results)
{
    whileShown(results, [&] {
        QHeaderView& heading = *results.listView()->header();
        const ft::search::ResultListModel& model = *results.listModel();
        const auto sortBy = [&](const char* name, int column) {
            const StepTimer timer;
            emit heading.sectionClicked(column);
            results.listView()->viewport()->grab();
            std::printf("%-28s %8.3f s (CPU %.3f s)   first row %s\n", name, timer.wall(),
                        timer.cpu(), rowText(model, 0).c_str());
        };
        sortBy("sort by 地番", 2);
        sortBy("sort by 地番 reversed", 2);
        sortBy("sort by 所有者 (text)", 3);
    });
}

void measureTicksAndRequest(ft::search::ParcelResultWindow& results, const fs::path& request)
{
    whileShown(results, [&] {
        ft::search::ResultListView& view = *results.listView();
        timeTickAction("全未選択 (untick all)", results, [&] { results.untickAll(); });
        timeTickAction("全選択 (tick all)", results, [&] { results.tickAll(); });
        timeTickAction("全未選択 again", results, [&] { results.untickAll(); });
        const StepTimer selecting;
        view.selectAll();
        std::printf("%-28s %8.3f s (CPU %.3f s)\n", "select every row", selecting.wall(),
                    selecting.cpu());
        timeTickAction("Space over every selected", results, [&] { pressSpace(view); });

        const StepTimer writing;
        results.showTickedDrawings();
        std::printf("図面表示 with every row ticked %8.3f s (CPU %.3f s)   request %s\n",
                    writing.wall(), writing.cpu(), ft::bench::fileFingerprint(request).c_str());
    });
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fputs("usage: findtavla-bench-results --data FOLDER [--datum 1|2] [--sqlite3 "
                   "PROGRAM]\n",
                   stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        const ft::workspace::Datum datum = ft::workspace::datumFromCode(options->datum);
        const fs::path catalogue = ft::workspace::Catalogues::pathIn(options->data, datum);
        const std::string sqlite3 = options->sqlite3 + " " + ft::bench::shellQuoted(catalogue);
        double childCpu = ft::bench::cpuSeconds(RUSAGE_CHILDREN);
        const auto floorCpu = [&childCpu] {
            const double before = childCpu;
            childCpu = ft::bench::cpuSeconds(RUSAGE_CHILDREN);
            return childCpu - before;
        };
        const double orderedFloor = ft::bench::timedCommand(
            sqlite3 + " 'SELECT * FROM CHIBAN order by OOAZA,KOAZA,OYA,KO,MAGO' > /dev/null");
        const double orderedFloorCpu = floorCpu();
        const double fieldsFloor = ft::bench::timedCommand(
            sqlite3 + " 'SELECT FILENO,OOAZA,KOAZA,CHIBAN FROM CHIBAN' > /dev/null");
        const double fieldsFloorCpu = floorCpu();
        std::printf("sqlite3 ordered statement    %8.3f s (CPU %.3f s, floor of the search)\n",
                    orderedFloor, orderedFloorCpu);
        std::printf("sqlite3 request fields       %8.3f s (CPU %.3f s, floor of 図面表示)\n",
                    fieldsFloor, fieldsFloorCpu);

        ft::test::TempFolder settings;
        ft::workspace::writeSavedDatum(settings.path() / "FindTavla.ini", datum);
        PrintingOperator op;
        ft::app::MainWindow main(op, options->data, settings.path());
        ft::search::ParcelResultWindow& results = *main.resultWindows().parcelResults;

        measureSearch(main, results);
        const double sortFloor = ft::bench::timedCommand(
            sqlite3 + " 'SELECT rowid,FILENO FROM CHIBAN order by OYA,KO,MAGO,rowid' > /dev/null");
        std::printf("sqlite3 keys by 地番          %8.3f s (CPU %.3f s, floor of the sort)\n",
                    sortFloor, floorCpu());
        measureSorting(results);
        measureTicksAndRequest(results, settings.path() / "TAVLA.E2");
        std::printf("peak memory (max RSS)        %8.1f MiB\n", ft::bench::peakResidentMiB());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-bench-results: %s\n", error.what());
        return 1;
    }
}
