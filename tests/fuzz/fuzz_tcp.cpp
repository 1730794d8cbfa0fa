// The control-point file (.tcp): the ZTEN rows.
#include "core/conversion/point_converters.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ft;
    fuzz::Scratch& scratch = fuzz::Scratch::instance();
    scratch.fresh();
    const auto file = scratch.write("T.tcp", data, size);
    fuzz::checkCatalogueConverter("convertTcpToDB", [&] {
        return formats::convertTcpToDB(scratch.catalogue(), scratch.trace(), 1, file);
    });
    return 0;
}
