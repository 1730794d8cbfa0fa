// The map-sheet file (.map): its sheet outlines and its MAP rows.
#include "core/conversion/map_converter.h"
#include "core/formats/outlines.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ft;
    fuzz::Scratch& scratch = fuzz::Scratch::instance();
    scratch.fresh();
    const auto file = scratch.write("M.map", data, size);
    const auto sheets = scratch.folder() / "M.zu2";
    formats::WorkingFile out(sheets, formats::WorkingFile::Mode::Truncate);
    formats::Extent extent;
    fuzz::convertsOrRefuses([&] { formats::convertMapToZu(out, 1, file, extent); });
    out.close();
    fuzz::requireWorkingFileLines(
        sheets, 7, [](std::string line) { formats::parseSheetOutline(std::move(line)); });
    fuzz::checkCatalogueConverter("convertMapToDB", [&] {
        return formats::storeMapRows(scratch.catalogue(), scratch.trace(), 1, file) !=
               formats::MapRows::Refused;
    });
    return 0;
}
