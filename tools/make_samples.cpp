// findtavla-make-samples: rebuilds the three small data sets of samples/.
// Usage: findtavla-make-samples [FOLDER]   (default: samples)
// The output is the same on every run, so the committed files only change
// when this program does.

#include "core/platform/path_text.h"
#include "devtools/synthetic_survey.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct Sample {
    const char* folder;
    const char* baseName;
    ft::bench::SyntheticSetOptions options;
};

ft::bench::SyntheticSetOptions sampleOptions(int setNumber, int datum, int parcels, int points,
                                             int sheets, double originFirst, double originSecond,
                                             ft::test::FrameForm form)
{
    ft::bench::SyntheticSetOptions options;
    options.setNumber = setNumber;
    options.datum = datum;
    options.parcels = parcels;
    options.points = points;
    options.sheets = sheets;
    options.originFirst = originFirst;
    options.originSecond = originSecond;
    options.frameForm = form;
    options.seed = static_cast<std::uint32_t>(setNumber * 7919);
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    using ft::test::FrameForm;
    if (argc > 2) {
        std::fputs("usage: findtavla-make-samples [FOLDER]\n", stderr);
        return 2;
    }
    const std::filesystem::path out = argc == 2 ? argv[1] : "samples";
    // Set 1 lies alone in the Japanese datum. Sets 2 and 3 lie in the world
    // datum, set 3 right to the north of set 2, so the overview shows one
    // block of sheets.
    const std::array samples{
        Sample{"sakuragi-datum1", "SAKURAGI",
               sampleOptions(1, 1, 36, 60, 4, -35120.0, -8240.0, FrameForm::Lines)},
        Sample{"wakaba-datum2", "WAKABA",
               sampleOptions(2, 2, 42, 0, 4, -34760.0, -8700.0, FrameForm::Blocks)},
        Sample{"midorigaoka-datum2", "MIDORI",
               sampleOptions(3, 2, 30, 48, 2, -34640.0, -8700.0, FrameForm::Lines)},
    };
    try {
        for (const Sample& sample : samples) {
            const auto folder = out / sample.folder;
            std::filesystem::create_directories(folder);
            ft::test::DataSetBuilder set(folder, sample.baseName, sample.options.datum);
            const auto summary = ft::bench::addSyntheticSet(set, sample.options);
            const auto header = set.write();
            std::printf("%s: datum %d, %d parcels, %d points, %d sheets\n",
                        ft::platform::pathText(header).c_str(), sample.options.datum,
                        summary.parcels, summary.points, summary.sheets);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-make-samples: %s\n", error.what());
        return 1;
    }
}
