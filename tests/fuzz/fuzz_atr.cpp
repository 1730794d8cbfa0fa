// The parcel attribute file (.atr): one CHIBAN row per parcel line.
#include "core/conversion/parcel_converters.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ft;
    fuzz::Scratch& scratch = fuzz::Scratch::instance();
    scratch.fresh();
    const auto file = scratch.write("P.atr", data, size);
    fuzz::checkCatalogueConverter("convertAtrToDB", [&] {
        return formats::convertAtrToDB(scratch.catalogue(), scratch.trace(), 1, file);
    });
    return 0;
}
