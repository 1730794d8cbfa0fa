#include "core/platform/owned_file.h"

#include <cerrno>
#include <cstdio>
#include <string>

namespace ft::platform {

// The UTF-16 name goes to the system as it is (fopen would take it through
// the ANSI code page). "N": not inherited by programs started meanwhile.
OwnedFile openFile(const std::filesystem::path& file, const char* mode)
{
    std::wstring wideMode;
    for (const char* c = mode; *c != '\0'; ++c)
        wideMode += static_cast<wchar_t>(*c);
    wideMode += L'N';
    return OwnedFile(::_wfopen(file.c_str(), wideMode.c_str()));
}

} // namespace ft::platform
