// The owner-list file (.cos): parcel headers announcing their owner lines.
#include "core/conversion/parcel_converters.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ft;
    fuzz::Scratch& scratch = fuzz::Scratch::instance();
    scratch.fresh();
    const auto file = scratch.write("P.cos", data, size);
    fuzz::checkCatalogueConverter("convertCosToDB", [&] {
        return formats::convertCosToDB(scratch.catalogue(), scratch.trace(), 1, file);
    });
    return 0;
}
