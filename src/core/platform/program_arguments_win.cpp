#include "core/platform/program_arguments.h"

#include "core/platform/path_text.h"

#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <memory>

namespace ft::platform {
namespace {

struct LocalFreer {
    void operator()(LPWSTR* arguments) const { ::LocalFree(arguments); }
};

} // namespace

std::vector<std::string> programArguments(int, char*[])
{
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> wide(
        ::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(pathText(std::filesystem::path(wide.get()[i])));
    return arguments;
}

} // namespace ft::platform
