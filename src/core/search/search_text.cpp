#include "core/search/search_text.h"

#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"

namespace ft::search {

std::string searchText(std::string_view typedUtf8, WidthFolding folding)
{
    std::string cp932;
    try {
        cp932 = platform::utf8ToCp932(typedUtf8);
    } catch (const platform::EncodingError&) {
        return std::string(typedUtf8);
    }
    if (folding == WidthFolding::HalfWidth)
        cp932 = formats::ToHalfWidth(cp932);
    try {
        return platform::cp932ToUtf8(cp932);
    } catch (const platform::EncodingError&) {
        return std::string(typedUtf8); // cannot happen for text that came from UTF-8
    }
}

} // namespace ft::search
