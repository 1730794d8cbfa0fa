#pragma once

#include "core/platform/operator_message.h"

#include <string>
#include <string_view>

namespace ft::platform {

// Raised when text cannot be converted between CP932 and UTF-8: a byte
// sequence that is not valid in the source encoding, or a character the
// target encoding cannot represent. We never substitute '?' silently.
class EncodingError : public MessageError {
public:
    using MessageError::MessageError;
};

// Shift-JIS (code page 932, Microsoft's table with the NEC and IBM
// extensions) to UTF-8 and back, with the project's own table
// (cp932_table.inc, taken from glibc iconv "CP932"), the same on every
// system; no iconv and no code-page call of the system is used.
std::string cp932ToUtf8(std::string_view cp932);
std::string utf8ToCp932(std::string_view utf8);

// The same for text that must be written whatever it holds (trace lines that
// name paths): a character CP932 cannot represent is written as an escape,
// \u00FC for U+00FC, \U0001F600 beyond the BMP, and a byte that is not
// UTF-8 as \xHH. Never throws EncodingError.
std::string utf8ToCp932Escaped(std::string_view utf8);

// True for the CP932 lead bytes 81-9F and E0-FC.
constexpr bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace ft::platform
