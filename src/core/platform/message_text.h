#pragma once

#include <string>
#include <string_view>

namespace ft::platform {

// Messages are UTF-8, but what they quote may not be: survey bytes are CP932
// and may be broken, and a path on a data carrier written under Windows may
// name its files in CP932. These turn such text into something a message can
// show, so that no odd byte is lost or garbles the rest.

// The bytes in hexadecimal, two digits each, separated by blanks: "82 FF".
std::string hexBytes(std::string_view bytes);

// CP932 text (a survey field, say) as UTF-8 for a message. Text that is not
// valid CP932 keeps its printable ASCII and shows every other byte as \xHH.
std::string cp932ForMessage(std::string_view cp932);

// A message of uncertain encoding as UTF-8: unchanged when it is UTF-8;
// otherwise read as CP932 (it quotes survey bytes or a CP932 path); when it
// is neither, read as UTF-8 with a replacement character for each byte
// sequence that does not fit.
std::string messageAsUtf8(std::string_view message);

} // namespace ft::platform
