// findtavla-bench-overview: drawing the overview of a large data folder.
// Measures, for the datum given:
//   - ClearOverview and DrawOverview into a 601 x 601 image, three times
//     (median); floor: reading the three working files' bytes once;
//   - the main window's datum switch away from the datum and back, which is
//     what the operator waits for;
//   - the main window's redraw at three zoom levels (whole, 8 and 64 times,
//     around the middle) and after a drag at 8 times, three rounds (median),
//     the segments held in memory after the first draw;
//   - the peak memory of the process.
// With --save PNG the drawing is written out, to compare two builds'
// pictures (ImageMagick: compare -metric AE a.png b.png diff.png).
//
//   findtavla-bench-overview --data FOLDER [--datum 1|2] [--save PNG]

#include "bench/bench_support.h"
#include "core/overview/overview_drawing.h"
#include "core/platform/operator.h"
#include "core/workspace/settings_file.h"
#include "core/workspace/workspace.h"
#include "devtools/temp_folder.h"
#include "ui/main/main_window.h"

#include <sys/resource.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRadioButton>

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ft::bench::Clock;
using ft::bench::secondsSince;

struct Options {
    fs::path data;
    int datum = 2;
    std::optional<fs::path> save;
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
        else if (option == "--save")
            options.save = fs::path(argv[i + 1]);
        else
            return std::nullopt;
    }
    if (argc % 2 == 0 || options.data.empty())
        return std::nullopt;
    return options;
}

class SilentOperator final : public ft::platform::Operator {
public:
    bool askYesNo(const QString&, Icon, DefaultAnswer) override { return false; }
    void notify(const QString& text, Notice) override
    {
        std::fprintf(stderr, "operator: %s\n", text.toUtf8().constData());
    }
    std::optional<fs::path> pickFolder(const QString&) override { return std::nullopt; }
    std::vector<fs::path> pickFiles(const QString&) override { return {}; }
    std::optional<FileToWrite> pickFileToWrite(const QString&, const QStringList&,
                                               const QString&) override
    {
        return std::nullopt;
    }
};

// Reads every byte of the files once: what any drawing of them must do.
double readFilesOnce(const std::vector<fs::path>& files)
{
    const auto start = Clock::now();
    std::vector<char> buffer(1 << 20);
    std::size_t total = 0;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        while (in) {
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            total += static_cast<std::size_t>(in.gcount());
        }
    }
    const double seconds = secondsSince(start);
    std::printf("working files                %8.1f MiB\n", static_cast<double>(total) / 1048576.0);
    return seconds;
}

std::size_t lineCount(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    return lines;
}

struct Timing {
    double wall = 0.0;
    double cpu = 0.0;
};

Timing drawOnce(ft::workspace::Workspace& state, QImage& image)
{
    ft::overview::OverviewState overview;
    overview.drawingsPresent = true;
    overview.view.clientWidth = overview.view.pixelWidth = image.width();
    overview.view.clientHeight = overview.view.pixelHeight = image.height();
    const auto start = Clock::now();
    const double cpuStart = ft::bench::cpuSeconds(RUSAGE_SELF);
    QPainter canvas(&image);
    ft::overview::ClearOverview(canvas, image.width(), image.height());
    ft::overview::DrawOverview(canvas, state, overview, ft::overview::ShownDrawings{});
    canvas.end();
    return {secondsSince(start), ft::bench::cpuSeconds(RUSAGE_SELF) - cpuStart};
}

// The operator's datum switch: away to the other datum, and back.
void measureDatumSwitch(ft::app::MainWindow& main, ft::workspace::Datum datum)
{
    const ft::app::MainWindowControls& c = main.controls();
    const auto choose = [&](ft::workspace::Datum chosen) {
        const auto start = Clock::now();
        if (chosen == ft::workspace::Datum::Japanese) {
            c.japaneseDatumRadio->setChecked(true);
            main.japaneseDatumClicked();
        } else {
            c.worldDatumRadio->setChecked(true);
            main.worldDatumClicked();
        }
        return secondsSince(start);
    };
    const double away = choose(ft::workspace::otherDatum(datum));
    const double back = choose(datum);
    const double awayAgain = choose(ft::workspace::otherDatum(datum));
    const double backAgain = choose(datum);
    std::printf("datum switch away, back      %8.3f s, %.3f s\n", away, back);
    std::printf("the same once more           %8.3f s, %.3f s\n", awayAgain, backAgain);
}

// The operator's wheel, drag and Home on the main window's overview: each
// draws the overview again through the new window.
void measureZoom(ft::app::MainWindow& main)
{
    const QPoint middle(300, 300);
    struct Figure {
        const char* what;
        std::vector<double> wall;
        std::vector<double> cpu;
    };
    Figure whole{"redraw whole (Home)", {}, {}};
    Figure times8{"redraw zoomed 8 times", {}, {}};
    Figure panned{"redraw after a drag at 8x", {}, {}};
    Figure times64{"redraw zoomed 64 times", {}, {}};
    const auto timed = [](Figure& into, const auto& action) {
        const auto start = Clock::now();
        const double cpuStart = ft::bench::cpuSeconds(RUSAGE_SELF);
        action();
        into.wall.push_back(secondsSince(start));
        into.cpu.push_back(ft::bench::cpuSeconds(RUSAGE_SELF) - cpuStart);
    };
    for (int round = 0; round < 3; ++round) {
        timed(times8, [&] { main.zoomOverview(middle, 8.0); });
        timed(panned, [&] { main.panOverview(QPoint(40, -25)); });
        timed(times64, [&] { main.zoomOverview(middle, 8.0); });
        timed(whole, [&] { main.showWholeOverview(); });
    }
    for (const Figure* figure : {&whole, &times8, &panned, &times64})
        std::printf("%-28s %8.3f s median of %.3f, %.3f, %.3f (CPU median %.3f s)\n", figure->what,
                    ft::bench::median(figure->wall), figure->wall[0], figure->wall[1],
                    figure->wall[2], ft::bench::median(figure->cpu));
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fputs("usage: findtavla-bench-overview --data FOLDER [--datum 1|2] [--save PNG]\n",
                   stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        const ft::workspace::Datum datum = ft::workspace::datumFromCode(options->datum);
        ft::test::TempFolder settings;
        double median = 0.0;
        {
            ft::workspace::Workspace state(options->data, settings.path());
            state.setCurrentDatum(datum);
            const ft::overview::OverviewFiles files = ft::overview::overviewFilesOf(state, datum);
            std::printf("segments                     %8zu\n", lineCount(files.segments));
            std::printf("sheet outlines               %8zu\n", lineCount(files.sheetOutlines));
            const double floor = readFilesOnce({files.extent, files.sheetOutlines, files.segments});
            QImage image(601, 601, QImage::Format_RGB32);
            image.setDotsPerMeterX(3780);
            image.setDotsPerMeterY(3780);
            const double residentBefore = ft::bench::residentMiB();
            std::vector<double> draws;
            std::vector<double> cpu;
            for (int run = 0; run < 3; ++run) {
                const Timing timing = drawOnce(state, image);
                draws.push_back(timing.wall);
                cpu.push_back(timing.cpu);
            }
            median = ft::bench::median(draws);
            std::printf("reading the files once       %8.3f s (floor)\n", floor);
            std::printf("ClearOverview + DrawOverview %8.3f s median of %.3f, %.3f, %.3f "
                        "(CPU median %.3f s)\n",
                        median, draws[0], draws[1], draws[2], ft::bench::median(cpu));
            std::printf("ratio draw/floor             %8.2f\n", median / floor);
            std::printf("memory the drawing added     %8.1f MiB\n",
                        ft::bench::residentMiB() - residentBefore);
            if (options->save && !image.save(QString::fromStdString(options->save->string())))
                throw std::runtime_error("cannot save " + options->save->string());
        }
        ft::workspace::writeSavedDatum(settings.path() / "FindTavla.ini", datum);
        SilentOperator op;
        ft::app::MainWindow main(op, options->data, settings.path());
        const auto firstDraw = Clock::now();
        main.activateFirstTime();
        std::printf("main window's first draw     %8.3f s (segments read into memory)\n",
                    secondsSince(firstDraw));
        measureZoom(main);
        measureDatumSwitch(main, datum);
        std::printf("peak memory (max RSS)        %8.1f MiB\n", ft::bench::peakResidentMiB());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-bench-overview: %s\n", error.what());
        return 1;
    }
}
