#pragma once

#include "core/platform/cp932.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace ft::test {

// The bytes of a CP932 text file holding these lines (given as UTF-8), each
// ended by CR LF, the last one included.
inline std::string cp932Lines(std::initializer_list<std::string_view> utf8Lines)
{
    std::string bytes;
    for (const std::string_view line : utf8Lines)
        bytes += platform::utf8ToCp932(line) + "\r\n";
    return bytes;
}

} // namespace ft::test
