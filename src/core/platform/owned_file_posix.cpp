#include "core/platform/owned_file.h"

namespace ft::platform {

OwnedFile openFile(const std::filesystem::path& file, const char* mode)
{
    return OwnedFile(std::fopen(file.c_str(), mode));
}

} // namespace ft::platform
