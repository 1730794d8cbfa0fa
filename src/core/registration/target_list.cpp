#include "core/registration/target_list.h"
#include "core/platform/path_text.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace ft::registration {

namespace {

constexpr std::string_view kJapaneseDatumLabel = "日本測地系";
constexpr std::string_view kWorldDatumLabel = "世界測地系";

// The byte position of the last "." in the file-name part of a path text, or
// npos when the name has none.
std::size_t extensionDot(const std::string& pathText)
{
    const std::size_t dot = pathText.rfind('.');
    const std::size_t slash = pathText.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string::npos;
    return dot;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::string DatumLabel(std::string_view datumCode)
{
    if (datumCode == "1")
        return std::string(kJapaneseDatumLabel);
    if (datumCode == "2")
        return std::string(kWorldDatumLabel);
    return {};
}

std::filesystem::path BasePathOf(const std::filesystem::path& headerPath)
{
    std::string text = platform::pathText(headerPath);
    const std::size_t dot = extensionDot(text);
    if (dot != std::string::npos)
        text.erase(dot);
    return platform::pathFromText(text);
}

std::filesystem::path SiblingOf(const std::filesystem::path& headerPath, std::string_view extension)
{
    namespace fs = std::filesystem;
    fs::path exact = BasePathOf(headerPath);
    exact += std::string(extension);
    std::error_code error;
    if (fs::exists(exact, error) || exact.parent_path().empty())
        return exact;
    const std::string wanted = platform::pathText(exact.filename());
    for (fs::directory_iterator it(exact.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        if (equalIgnoringAsciiCase(platform::pathText(it->path().filename()), wanted))
            return it->path();
    }
    return exact;
}

std::string EntryText(const TargetEntry& entry)
{
    std::string text = platform::pathText(entry.headerPath);
    if (entry.isClassified())
        text += "," + entry.datumCode + "," + DatumLabel(entry.datumCode) + "," + entry.time;
    return text;
}

std::string CanonicalHeaderPath(const std::filesystem::path& headerPath)
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::weakly_canonical(headerPath, error);
    if (error) {
        path = std::filesystem::absolute(headerPath, error);
        path = (error ? headerPath : path).lexically_normal();
    }
    return platform::pathText(path);
}

bool TargetList::append(TargetEntry entry)
{
    if (!m_headers.insert(CanonicalHeaderPath(entry.headerPath)).second)
        return false;
    m_entries.push_back(std::move(entry));
    return true;
}

TargetEntry ParseTargetEntry(std::string_view text)
{
    TargetEntry entry;
    // The last three commas separate path, code, label and time.
    std::array<std::size_t, 3> commas{};
    std::size_t end = text.size();
    for (std::size_t k = 0; k < commas.size(); ++k) {
        const std::size_t comma = end == 0 ? std::string_view::npos : text.rfind(',', end - 1);
        if (comma == std::string_view::npos) {
            entry.headerPath = std::string(text);
            return entry;
        }
        commas[k] = comma;
        end = comma;
    }
    const std::string_view time = text.substr(commas[0] + 1);
    const std::string_view label = text.substr(commas[1] + 1, commas[0] - commas[1] - 1);
    const std::string_view code = text.substr(commas[2] + 1, commas[1] - commas[2] - 1);
    if (DatumLabel(code).empty() || DatumLabel(code) != label) {
        entry.headerPath = std::string(text);
        return entry;
    }
    entry.headerPath = std::string(text.substr(0, commas[2]));
    entry.datumCode = std::string(code);
    entry.time = std::string(time);
    return entry;
}

} // namespace ft::registration
