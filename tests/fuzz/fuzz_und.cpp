// The grouped parcel file (.und): group headers announcing their parcels.
#include "core/conversion/parcel_converters.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ft;
    fuzz::Scratch& scratch = fuzz::Scratch::instance();
    scratch.fresh();
    const auto file = scratch.write("P.und", data, size);
    fuzz::checkCatalogueConverter("convertUndToDB", [&] {
        return formats::convertUndToDB(scratch.catalogue(), scratch.trace(), scratch.trace2(), 1,
                                       file);
    });
    return 0;
}
