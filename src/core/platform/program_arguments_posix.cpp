#include "core/platform/program_arguments.h"

#include <algorithm>

namespace ft::platform {

std::vector<std::string> programArguments(int argc, char* argv[])
{
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

} // namespace ft::platform
