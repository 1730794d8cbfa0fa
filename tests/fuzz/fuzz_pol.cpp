// The parcel-outline file (.pol): segments between the points of a table
// whose names the seeds use (P1 to P6, full-width and plain).
#include "core/formats/outlines.h"
#include "fuzz_support.h"

namespace {

ft::formats::PointTable makePoints()
{
    ft::formats::PointTable points;
    for (int i = 1; i <= 6; ++i) {
        const ft::formats::PointCoords coords{1000.0 + 50.0 * i, 2000.0 - 25.0 * i};
        points.add("P" + std::to_string(i), coords);
        // "Ｐ" and the full-width digit, as CP932 bytes.
        const std::string fullWidth{'\x82', '\x6F', '\x82', static_cast<char>(0x4F + i)};
        points.add(fullWidth, coords);
    }
    return points;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ft;
    static const formats::PointTable points = makePoints();
    fuzz::Scratch& scratch = fuzz::Scratch::instance();
    const auto file = scratch.write("O.pol", data, size);
    const auto segments = scratch.folder() / "O.az2";
    formats::WorkingFile out(segments, formats::WorkingFile::Mode::Truncate);
    fuzz::convertsOrRefuses([&] { formats::convertPolToInxAza(out, 1, file, points); });
    out.close();
    fuzz::requireWorkingFileLines(segments, 10,
                                  [](std::string line) { formats::parseSegment(std::move(line)); });
    return 0;
}
