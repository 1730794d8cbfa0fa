#include "core/platform/path_text.h"

namespace ft::platform {

std::string pathText(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

std::filesystem::path pathFromText(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace ft::platform
