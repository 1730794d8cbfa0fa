#pragma once

#include <string>
#include <string_view>

// Small texts both catalogue engines make the same way.
namespace ft::catalogue {

// ASCII case folding only: table and column names of the catalogue are
// ASCII, and other bytes (UTF-8 included) must pass unchanged.
inline std::string upperAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

inline std::string lowerAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

// The name of the savepoint at a nesting depth.
inline std::string savepointName(int depth)
{
    return "FT_SAVEPOINT" + std::to_string(depth);
}

} // namespace ft::catalogue
