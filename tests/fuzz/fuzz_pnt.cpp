// The point file (.pnt): the point table and the FTEN rows.
#include "core/conversion/point_converters.h"
#include "core/formats/point_table.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ft;
    fuzz::Scratch& scratch = fuzz::Scratch::instance();
    scratch.fresh();
    const auto file = scratch.write("T.pnt", data, size);
    formats::PointTable points;
    fuzz::convertsOrRefuses([&] { formats::readPntToTable(file, points); });
    // A file without lines answers false; that is no refusal.
    fuzz::checkCatalogueConverter(
        "convertPntToDB",
        [&] {
            return formats::convertPntToDB(scratch.catalogue(), scratch.trace(), scratch.trace2(),
                                           1, file);
        },
        true);
    return 0;
}
