#pragma once

#include <string>
#include <vector>

namespace ft::platform {

// The arguments the program was started with, after its own name, in the
// form the program takes paths and text in (platform::pathFromText): on Linux
// the bytes of argv as given; on Windows the command line's UTF-16 converted
// to UTF-8, since argv there is in the ANSI code page and loses every
// character that page lacks.
std::vector<std::string> programArguments(int argc, char* argv[]);

} // namespace ft::platform
