// findtavla-gen-data: writes large synthetic survey data sets (CP932) for the
// benchmarks. Each set goes into its own folder, OUT/set001/S001.hed and
// siblings, placed side by side so the overview shows them next to each
// other.

#include "devtools/synthetic_survey.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

// A command line that cannot be understood.
class UsageError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

struct Options {
    std::filesystem::path out;
    int sets = 1;
    int datum = 2;
    ft::bench::SyntheticSetOptions set;
};

void usage()
{
    std::fputs(
        "usage: findtavla-gen-data --out FOLDER [--sets N] [--parcels N] [--points N]\n"
        "                          [--sheets N] [--datum 1|2] [--blocks] [--plain-names]\n"
        "  --sets N       data sets to write (default 1)\n"
        "  --parcels N    parcels per set, each outline 5 vertex lines (default 36)\n"
        "  --points N     boundary points per set, at least the grid nodes (default: nodes)\n"
        "  --sheets N     map sheets per set, rounded up to a full grid (default 4)\n"
        "  --datum D      datum code of every set (default 2)\n"
        "  --blocks       sheet-frame files as 300-byte blocks instead of lines\n"
        "  --plain-names  point names P1, P2, ... instead of full-width １－１, ...\n",
        stderr);
}

int positiveNumber(std::string_view option, const char* text)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 1 || value > 100'000'000)
        throw UsageError(std::string(option) + " needs a positive number");
    return static_cast<int>(value);
}

Options parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&]() -> const char* {
            if (i + 1 >= argc)
                throw UsageError(std::string(arg) + " needs a value");
            return argv[++i];
        };
        if (arg == "--out")
            options.out = value();
        else if (arg == "--sets")
            options.sets = positiveNumber(arg, value());
        else if (arg == "--parcels")
            options.set.parcels = positiveNumber(arg, value());
        else if (arg == "--points")
            options.set.points = positiveNumber(arg, value());
        else if (arg == "--sheets")
            options.set.sheets = positiveNumber(arg, value());
        else if (arg == "--datum")
            options.datum = positiveNumber(arg, value()) == 1 ? 1 : 2;
        else if (arg == "--blocks")
            options.set.frameForm = ft::test::FrameForm::Blocks;
        else if (arg == "--plain-names")
            options.set.fullWidthPointNames = false;
        else
            throw UsageError("unknown option " + std::string(arg));
    }
    if (options.out.empty())
        throw UsageError("--out is required");
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        Options options = parse(argc, argv);
        const int cols = static_cast<int>(std::ceil(std::sqrt(double(options.set.parcels))));
        for (int index = 1; index <= options.sets; ++index) {
            char name[16];
            std::snprintf(name, sizeof name, "%03d", index);
            const auto folder = options.out / ("set" + std::string(name));
            std::filesystem::create_directories(folder);
            ft::bench::SyntheticSetOptions set = options.set;
            set.datum = options.datum;
            set.setNumber = index;
            set.seed = static_cast<std::uint32_t>(index);
            // Blocks side by side, eastwards, with a gap of one parcel.
            set.originSecond += (index - 1) * (cols + 1) * set.parcelSize;
            ft::test::DataSetBuilder builder(folder, "S" + std::string(name), set.datum);
            const auto summary = ft::bench::addSyntheticSet(builder, set);
            const auto header = builder.write();
            std::printf("%s: %d parcels, %d points, %d outline vertex lines, %d sheets\n",
                        header.c_str(), summary.parcels, summary.points, summary.outlineVertexLines,
                        summary.sheets);
        }
        return 0;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "findtavla-gen-data: %s\n", error.what());
        usage();
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-gen-data: %s\n", error.what());
        return 1;
    }
}
