// findtavla-bench-viewer: how fast Tavla opens and draws one large data set
// (150,000 boundary points, 30,000 parcels, 400 map sheets) and how much
// memory it takes for it. Times reading the set whole, building what is drawn,
// the first picture at full-window size, a request of 1,000 parcels found in
// it, and frames rendered offscreen while zooming and panning (in full, and as
// the window shows them while the map moves: the last picture moved). Writes
// the data set into a temp folder first (or uses --keep FOLDER to leave it
// there). With --request FILE it opens a request written elsewhere in the
// window instead, beside the floor of reading the same files.

#include "core/formats/request_file.h"
#include "devtools/synthetic_survey.h"
#include "devtools/temp_folder.h"
#include "viewer/cached_picture.h"
#include "viewer/drawing_view.h"
#include "viewer/scene_renderer.h"
#include "viewer/viewer_session.h"
#include "viewer/viewer_window.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using ft::viewer::MapBox;
using ft::viewer::ViewTransform;

constexpr int kPoints = 150'000;
constexpr int kParcels = 30'000;
constexpr int kSheets = 400;
constexpr int kRequestedParcels = 1'000;
constexpr int kRepeatedDrawing = 5;
constexpr int kRuns = 5;
constexpr int kFrames = 60;
// A full-window drawing area of the viewer on a 1920 x 1080 screen.
const QSize kWindow(1600, 900);

// CPU time of this thread, in ms. On a shared machine the wall time of a
// step depends on what else runs; its CPU time much less.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Wall and CPU time of a step, in ms.
struct Duration {
    double wall = 0.0;
    double cpu = 0.0;
};

Duration timeOf(const std::function<void()>& step)
{
    const auto start = Clock::now();
    const double cpuStart = threadMilliseconds();
    step();
    return {std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
            threadMilliseconds() - cpuStart};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Peak resident memory of the process so far, in MiB.
double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::uintmax_t setBytes(const std::filesystem::path& folder)
{
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().stem() == "BIG")
            bytes += entry.file_size();
    return bytes;
}

void render(QImage& image, const ViewTransform& view, const ft::viewer::ViewerSession& session)
{
    QPainter painter(&image);
    ft::viewer::renderScene(painter, view, session.toRender(), std::nullopt,
                            ft::viewer::RenderOptions{});
}

// Frames per second over a sequence of views, each rendered in full: per
// second of wall time and per second of CPU time.
Duration framesPerSecond(const ft::viewer::ViewerSession& session, const ViewTransform& start,
                         const std::function<void(ViewTransform&, int)>& move)
{
    QImage image(kWindow, QImage::Format_RGB32);
    ViewTransform view = start;
    const Duration took = timeOf([&] {
        for (int frame = 0; frame < kFrames; ++frame) {
            move(view, frame);
            render(image, view, session);
        }
    });
    return {kFrames * 1000.0 / took.wall, kFrames * 1000.0 / took.cpu};
}

// repeats: how often the drawing is named, as an overview click names it again
// each time its sheets and another drawing's alternate under the pointer.
void writeRequest(const std::filesystem::path& folder, const std::filesystem::path& base,
                  int repeats = 1)
{
    ft::formats::RequestWriter out(folder);
    for (int i = 0; i < repeats; ++i)
        out.writeDrawing(base.string());
    // Lot numbers as the synthetic set writes them: 101, 101-2, 101-3, 102 ...
    for (int parcel = 0; parcel < kRequestedParcels * 29; parcel += 29) {
        const int parent = 100 + parcel / 3 + 1;
        const int child = parcel % 3;
        const std::string lot = child == 0
                                    ? std::to_string(parent)
                                    : std::to_string(parent) + "-" + std::to_string(child + 1);
        out.writeParcel("大字桜木", parcel % 174 < 87 ? "字東原" : "字西原", lot);
    }
    out.finish();
}

// The floor of opening a request: every file of its drawings read whole from
// the warm cache and split into lines and fields. Returns the bytes read.
std::uintmax_t readAndSplit(const std::vector<std::filesystem::path>& bases, std::size_t& fields)
{
    std::uintmax_t bytes = 0;
    std::string text;
    for (const std::filesystem::path& base : bases) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(base.parent_path(), error)) {
            if (!entry.is_regular_file() || entry.path().stem() != base.filename())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            bytes += text.size();
            std::size_t start = 0;
            for (std::size_t i = 0; i < text.size(); ++i)
                if (text[i] == ',' || text[i] == '\n') {
                    fields += i > start ? 1 : 0;
                    start = i + 1;
                }
        }
    }
    return bytes;
}

// A request written elsewhere (the 図面表示 of a large result list): the time
// from starting to Tavla's first view in its window (reading the drawings,
// finding the items, listing them, the first picture), the floor beside it,
// and the peak memory against the size of the drawings' files.
int openGivenRequest(const std::filesystem::path& request)
{
    std::vector<std::filesystem::path> bases;
    for (const ft::formats::RequestedDrawing& drawing :
         ft::formats::readRequestFile(request).drawings)
        bases.push_back(ft::formats::requestPathOf(drawing.path));
    std::size_t fields = 0;
    readAndSplit(bases, fields); // warms the cache
    fields = 0;
    std::uintmax_t bytes = 0;
    const Duration floor = timeOf([&] { bytes = readAndSplit(bases, fields); });
    std::printf("floor: %zu drawings' files, %.1f MiB, read warm and split into %zu fields in "
                "%.0f ms wall, %.0f ms CPU\n",
                bases.size(), bytes / 1048576.0, fields, floor.wall, floor.cpu);

    const double before = peakMiB();
    ft::viewer::ViewerWindow window;
    window.resize(1280, 760);
    window.show();
    QApplication::processEvents();
    const Duration took = timeOf([&] {
        window.openRequest(request);
        QApplication::processEvents();
        window.drawingView()->repaint();
    });
    const double peakAtFirstView = peakMiB();
    // The first view's painting queued the reading of what it left out.
    const Duration later = timeOf([] { QApplication::processEvents(); });
    std::size_t shown = 0;
    for (const auto& item : window.session().match().items)
        shown += item.state == ft::viewer::ItemState::Shown ? 1 : 0;
    const double peak = peakMiB();
    std::printf("request %s: %zu drawings, %zu items listed, %zu shown\n", request.c_str(),
                window.session().drawings().size(), window.session().match().items.size(), shown);
    std::printf("to the first view in the window: %.0f ms wall, %.0f ms CPU of this thread "
                "(%.1f times the floor's wall time)\n",
                took.wall, took.cpu, took.wall / floor.wall);
    std::printf("then the owner lists read: %.0f ms wall, %.0f ms CPU of this thread\n", later.wall,
                later.cpu);
    std::printf("peak memory %.0f MiB at the first view, %.0f MiB after (%.0f MiB before "
                "opening), %.2f times the files\n",
                peakAtFirstView, peak, before, peak * 1048576.0 / static_cast<double>(bytes));
    return 0;
}

// Frames per second of panning as the window shows them while the map moves:
// the last full picture moved, then one full picture when it stops.
Duration movedFramesPerSecond(const ft::viewer::ViewerSession& session, const ViewTransform& start,
                              QPointF step)
{
    QImage frame(kWindow, QImage::Format_RGB32);
    ft::viewer::CachedPicture picture;
    const auto draw = [&](QPainter& painter, const ViewTransform& view) {
        ft::viewer::renderScene(painter, view, session.toRender(), std::nullopt,
                                ft::viewer::RenderOptions{});
    };
    picture.redraw(start, 1.0, draw);
    ViewTransform view = start;
    const Duration took = timeOf([&] {
        for (int i = 0; i < kFrames; ++i) {
            view.panByPixels(step);
            QPainter painter(&frame);
            picture.drawMoved(painter, view);
        }
    });
    return {kFrames * 1000.0 / took.wall, kFrames * 1000.0 / took.cpu};
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        ft::test::TempFolder temp;
        std::filesystem::path folder = temp.path();
        if (argc == 3 && std::string(argv[1]) == "--request")
            return openGivenRequest(argv[2]);
        // --frames: only the frames, for a profiler that counts what drawing
        // them costs (opening is timed by the runs it leaves out).
        const bool framesOnly = argc == 2 && std::string(argv[1]) == "--frames";
        if (argc == 3 && std::string(argv[1]) == "--keep")
            folder = argv[2];
        else if (argc != 1 && !framesOnly) {
            std::fputs(
                "usage: findtavla-bench-viewer [--keep FOLDER | --request FILE | --frames]\n",
                stderr);
            return 2;
        }
        const int runs = framesOnly ? 1 : kRuns;

        ft::bench::SyntheticSetOptions options;
        options.parcels = kParcels;
        options.points = kPoints;
        options.sheets = kSheets;
        ft::test::DataSetBuilder set(folder, "BIG", options.datum);
        const auto summary = ft::bench::addSyntheticSet(set, options);
        const std::filesystem::path header = set.write();
        const std::uintmax_t bytes = setBytes(folder);
        std::printf("data set: %d points, %d parcels, %d sheets, %.1f MiB of files\n",
                    summary.points, summary.parcels, summary.sheets, bytes / 1048576.0);
        const double baseline = peakMiB();

        std::vector<Duration> open, first, requested;
        double peak = 0.0;
        for (int run = 0; run < runs; ++run) {
            ft::viewer::ViewerSession session;
            open.push_back(timeOf([&] { session.openHeaders({header}); }));
            QImage image(kWindow, QImage::Format_RGB32);
            ViewTransform view;
            view.setPixelSize(kWindow);
            view.fit(session.bounds().rect());
            first.push_back(timeOf([&] { render(image, view, session); }));
            peak = std::max(peak, peakMiB());
        }
        std::vector<Duration> repeated;
        writeRequest(folder, set.basePath(), kRepeatedDrawing);
        for (int run = 0; run < runs; ++run) {
            ft::viewer::ViewerSession session;
            repeated.push_back(
                timeOf([&] { session.openRequest(ft::formats::requestFilePath(folder)); }));
        }
        writeRequest(folder, set.basePath());
        for (int run = 0; run < runs; ++run) {
            ft::viewer::ViewerSession session;
            requested.push_back(
                timeOf([&] { session.openRequest(ft::formats::requestFilePath(folder)); }));
        }

        ft::viewer::ViewerSession session;
        session.openHeaders({header});
        ViewTransform whole;
        whole.setPixelSize(kWindow);
        whole.fit(session.bounds().rect());
        std::size_t shown = 0;
        ft::viewer::ViewerSession withRequest;
        withRequest.openRequest(ft::formats::requestFilePath(folder));
        for (const auto& item : withRequest.match().items)
            shown += item.state == ft::viewer::ItemState::Shown ? 1 : 0;

        std::printf("%d runs, median (best) in ms, wall time | CPU time:\n", runs);
        const auto row = [](const char* what, const std::vector<Duration>& took) {
            std::vector<double> wall, cpu;
            for (const Duration& d : took) {
                wall.push_back(d.wall);
                cpu.push_back(d.cpu);
            }
            std::printf("  %-46s %7.1f (%7.1f) | %7.1f (%7.1f)\n", what, median(wall),
                        *std::min_element(wall.begin(), wall.end()), median(cpu),
                        *std::min_element(cpu.begin(), cpu.end()));
        };
        row("open: read the set whole and build the scene", open);
        row("first picture, whole set, 1600 x 900", first);
        std::vector<Duration> total(open.size());
        for (std::size_t i = 0; i < open.size(); ++i)
            total[i] = {open[i].wall + first[i].wall, open[i].cpu + first[i].cpu};
        row("open and show", total);
        row("open a request of 1,000 parcels and match it", requested);
        std::printf("  (%zu of %d requested parcels found and filled)\n", shown, kRequestedParcels);
        const std::string repeatedRow =
            "open a request naming the drawing " + std::to_string(kRepeatedDrawing) + " times";
        row(repeatedRow.c_str(), repeated);

        std::printf("frames per second, %d frames of 1600 x 900 each, per wall | CPU second:\n",
                    kFrames);
        const auto fps = [](const char* what, Duration rate) {
            std::printf("  %-46s %7.1f | %7.1f\n", what, rate.wall, rate.cpu);
        };
        fps("zoom in from the whole set (x1.25 a frame)",
            framesPerSecond(session, whole, [&whole](ViewTransform& view, int frame) {
                // Three times from the whole set down to some 50 m across.
                if (frame % 20 == 0)
                    view = whole;
                else
                    view.zoomAround(QPointF(800, 450), 1.25);
            }));
        fps("pan across the whole set",
            framesPerSecond(session, whole,
                            [](ViewTransform& view, int) { view.panByPixels(QPointF(7, 3)); }));
        fps("pan across the whole set, as the window moves it",
            movedFramesPerSecond(session, whole, QPointF(7, 3)));
        const Duration stop = timeOf([&] {
            QImage image(kWindow, QImage::Format_RGB32);
            render(image, whole, session);
        });
        std::printf("  %-46s %7.1f ms wall | %5.1f ms CPU\n",
                    "  and the full picture when it stops", stop.wall, stop.cpu);
        ViewTransform street = whole;
        street.setMetresPerPixel(0.25); // 400 m across: lot numbers and points drawn
        fps("pan at 0.25 m a pixel (lots and points)",
            framesPerSecond(session, street,
                            [](ViewTransform& view, int) { view.panByPixels(QPointF(23, 11)); }));
        const double resident = peak - baseline;
        std::printf("memory: peak %.1f MiB, %.1f MiB above the process before opening, %.1f times "
                    "the files\n",
                    peak, resident, resident * 1048576.0 / bytes);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-bench-viewer: %s\n", error.what());
        return 1;
    }
}
