#pragma once

#include <QString>

#include <string_view>

namespace ft::viewer {

// CP932 survey text for the screen. Text that is not valid CP932 still shows,
// its undecodable bytes as replacement characters, so that a broken name in
// one record never hides the rest.
QString screenText(std::string_view cp932);

} // namespace ft::viewer
