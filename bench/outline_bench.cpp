// findtavla-bench-outlines: times the overview outline converters of one
// large data set: loading the point table, the parcel-outline segments, the
// frame segments and the sheet outlines. Writes the data set into a temp
// folder first (or uses --keep FOLDER to leave it there).

#include "core/formats/outlines.h"
#include "devtools/synthetic_survey.h"
#include "devtools/temp_folder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPoints = 150'000;
constexpr int kParcels = 30'000; // 5 vertex lines each: 150,000 outline vertex lines
constexpr int kSheets = 400;
constexpr int kRuns = 5;

struct Timing {
    std::string step;
    std::vector<double> milliseconds;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeOnce(const std::function<void()>& step)
{
    const auto start = Clock::now();
    step();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    using namespace ft::formats;
    try {
        ft::test::TempFolder temp;
        std::filesystem::path folder = temp.path();
        if (argc == 3 && std::string(argv[1]) == "--keep")
            folder = argv[2];
        else if (argc != 1) {
            std::fputs("usage: findtavla-bench-outlines [--keep FOLDER]\n", stderr);
            return 2;
        }

        ft::bench::SyntheticSetOptions options;
        options.parcels = kParcels;
        options.points = kPoints;
        options.sheets = kSheets;
        options.datum = 2;
        ft::test::DataSetBuilder set(folder, "BIG", options.datum);
        const auto summary = ft::bench::addSyntheticSet(set, options);
        set.write();
        std::printf("data set: %d points, %d parcels, %d outline vertex lines, %d sheets\n",
                    summary.points, summary.parcels, summary.outlineVertexLines, summary.sheets);

        using ft::test::SurveyFile;
        const auto zu = folder / "bench.zu2";
        const auto az = folder / "bench.az2";
        PointTable points;
        std::vector<Timing> timings{{"readPntToTable", {}},
                                    {"convertPolToInxAza", {}},
                                    {"convertZukToInxAza", {}},
                                    {"convertMapToZu + convertZukToZu", {}}};
        std::vector<double> totals;
        for (int run = 0; run < kRuns; ++run) {
            createEmptyWorkingFile(zu);
            createEmptyWorkingFile(az);
            Extent extent;
            WorkingFile segments(az, WorkingFile::Mode::Append);
            WorkingFile sheets(zu, WorkingFile::Mode::Append);
            const std::vector<std::function<void()>> steps{
                [&] { readPntToTable(set.path(SurveyFile::Points), points); },
                [&] { convertPolToInxAza(segments, 1, set.path(SurveyFile::Outlines), points); },
                [&] { convertZukToInxAza(segments, 1, set.path(SurveyFile::SheetFrames)); },
                [&] {
                    convertMapToZu(sheets, 1, set.path(SurveyFile::MapSheets), extent);
                    convertZukToZu(sheets, 1, set.path(SurveyFile::SheetFrames), extent);
                }};
            double total = 0.0;
            for (std::size_t i = 0; i < steps.size(); ++i) {
                const double ms = timeOnce(steps[i]);
                timings[i].milliseconds.push_back(ms);
                total += ms;
            }
            segments.close();
            sheets.close();
            totals.push_back(total);
        }
        std::printf("%d runs, median (best) in ms:\n", kRuns);
        for (const Timing& timing : timings)
            std::printf("  %-34s %8.1f (%8.1f)\n", timing.step.c_str(), median(timing.milliseconds),
                        *std::min_element(timing.milliseconds.begin(), timing.milliseconds.end()));
        std::printf("  %-34s %8.1f (%8.1f)\n", "all outline steps", median(totals),
                    *std::min_element(totals.begin(), totals.end()));
        std::printf("segment file: %ju bytes\n", std::uintmax_t(std::filesystem::file_size(az)));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-bench-outlines: %s\n", error.what());
        return 1;
    }
}
