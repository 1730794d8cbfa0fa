// The sheet-frame file (.zo1/.zo2) in line or block form, as HasLineBreaks
// decides: its sheet outlines and its frame segments.
#include "core/formats/outlines.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ft;
    fuzz::Scratch& scratch = fuzz::Scratch::instance();
    const auto file = scratch.write("F.zo2", data, size);
    const auto sheets = scratch.folder() / "F.zu2";
    const auto segments = scratch.folder() / "F.az2";
    formats::WorkingFile sheetOut(sheets, formats::WorkingFile::Mode::Truncate);
    formats::WorkingFile segmentOut(segments, formats::WorkingFile::Mode::Truncate);
    formats::Extent extent;
    fuzz::convertsOrRefuses([&] { formats::convertZukToZu(sheetOut, 1, file, extent); });
    fuzz::convertsOrRefuses([&] { formats::convertZukToInxAza(segmentOut, 1, file); });
    sheetOut.close();
    segmentOut.close();
    fuzz::requireWorkingFileLines(
        sheets, 7, [](std::string line) { formats::parseSheetOutline(std::move(line)); });
    fuzz::requireWorkingFileLines(segments, 10,
                                  [](std::string line) { formats::parseSegment(std::move(line)); });
    return 0;
}
