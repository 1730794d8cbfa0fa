// The header file (.hed): its classification for the target list and the
// FILE row.
#include "core/conversion/header_converter.h"
#include "core/registration/discovery.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ft;
    fuzz::Scratch& scratch = fuzz::Scratch::instance();
    scratch.fresh();
    const auto header = scratch.write("H.hed", data, size);
    const registration::HeaderClass classified = registration::ClassifyHeader(header);
    fuzz::require(classified.accepted ==
                      (classified.datumCode == "1" || classified.datumCode == "2"),
                  "a header accepted with another datum code than 1 or 2");
    fuzz::checkCatalogueConverter("storeFileName", [&] {
        return formats::storeFileName(scratch.catalogue(), scratch.trace(), 1,
                                      scratch.folder() / "H", classified.time, header);
    });
    return 0;
}
