// findtavla-bench-scan: the walk of the drive scan and the folder route over
// a large tree, against `find` over the same tree in the same run.
//
//   findtavla-bench-scan [--tree FOLDER] [--folders N]
//
// Writes a tree of N leaf folders (100,000 by default): ten top folders of
// 100 folders of N/1000 leaves, one data set of four small files in every
// 1,000th leaf, a small file in every tenth. In a temp folder removed
// afterwards; with --tree, in FOLDER, which is kept, or, when FOLDER exists,
// the tree is not written and FOLDER is walked as it is. Each round walks the tree once with `find
// -name '*.hed'` and once as the scan does (off this thread, its state polled as the window polls
// it); both read the tree once beforehand so that the file system's caches
// are warm for both. Prints each round and the medians of five.

#include "bench/bench_support.h"
#include "core/platform/progress.h"
#include "core/registration/discovery.h"
#include "devtools/temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ft::bench::Clock;

constexpr int kRounds = 5;

struct Options {
    fs::path tree;
    int folders = 100000;
};

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--tree") == 0 && hasValue)
            options.tree = argv[++i];
        else if (std::strcmp(argv[i], "--folders") == 0 && hasValue)
            options.folders = std::max(1000, std::atoi(argv[++i]));
        else
            return std::nullopt;
    }
    return options;
}

void touch(const fs::path& file)
{
    std::ofstream(file) << "x\n";
}

// Writes the tree below `root` and answers how many data sets it holds.
int writeTree(const fs::path& root, int folders)
{
    const int leavesPerMiddle = folders / 1000;
    int leaf = 0;
    int sets = 0;
    for (int top = 0; top < 10; ++top) {
        for (int middle = 0; middle < 100; ++middle) {
            const fs::path parent =
                root / ("t" + std::to_string(top)) / ("m" + std::to_string(middle));
            for (int k = 0; k < leavesPerMiddle; ++k, ++leaf) {
                const fs::path folder = parent / ("f" + std::to_string(k));
                fs::create_directories(folder);
                if (leaf % 1000 == 0) {
                    const std::string name = "S" + std::to_string(++sets);
                    std::ofstream(folder / (name + ".hed")) << "9,a,b,c,d,e,f,g,2\n";
                    for (const char* extension : {".pol", ".pnt", ".atr"})
                        touch(folder / (name + extension));
                } else if (leaf % 10 == 0) {
                    touch(folder / "readme.txt");
                }
            }
        }
    }
    return sets;
}

struct ScanRound {
    double seconds = 0.0;
    int folders = 0;
    int headers = 0;
    std::size_t candidates = 0;
};

ScanRound scanOnce(const fs::path& tree)
{
    ft::platform::SilentProgress progress;
    ft::registration::ScanTally tally;
    ft::registration::Discovery found;
    const Clock::time_point start = Clock::now();
    ft::registration::RunScan(progress, tally,
                              [&] { ft::registration::DiscoverDataSets(tree, tally, found); });
    const double seconds = ft::bench::secondsSince(start);
    return {seconds, tally.snapshot().foldersRead, tally.snapshot().headersFound,
            found.candidates.size()};
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fputs("usage: findtavla-bench-scan [--tree FOLDER] [--folders N]\n", stderr);
        return 2;
    }
    try {
        std::optional<ft::test::TempFolder> temp;
        fs::path tree = options->tree;
        if (tree.empty()) {
            temp.emplace();
            tree = temp->path() / "tree";
        }
        if (!fs::exists(tree)) {
            const Clock::time_point start = Clock::now();
            const int sets = writeTree(tree, options->folders);
            std::printf("tree of %d leaf folders, %d data sets written in %.1f s: %s\n",
                        options->folders, sets, ft::bench::secondsSince(start),
                        tree.string().c_str());
        }
        const std::string find =
            "find " + ft::bench::shellQuoted(tree) + " -name '*.hed' > /dev/null";
        ft::bench::timedCommand(find);
        scanOnce(tree);

        std::vector<double> finds;
        std::vector<double> scans;
        for (int round = 1; round <= kRounds; ++round) {
            finds.push_back(ft::bench::timedCommand(find));
            const ScanRound scan = scanOnce(tree);
            scans.push_back(scan.seconds);
            std::printf("round %d   find %7.3f s   scan %7.3f s   (%d folders read, %d headers, "
                        "%zu sets)\n",
                        round, finds.back(), scan.seconds, scan.folders, scan.headers,
                        scan.candidates);
        }
        const double findMedian = ft::bench::median(finds);
        const double scanMedian = ft::bench::median(scans);
        std::printf("median    find %7.3f s   scan %7.3f s   scan / find %.2f\n", findMedian,
                    scanMedian, scanMedian / findMedian);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-bench-scan: %s\n", error.what());
        return 1;
    }
}
