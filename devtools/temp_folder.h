#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ft::test {

// A fresh folder under the system temp folder, removed with its content when
// the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Whole content of a file as raw bytes; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& file);
// Writes raw bytes, creating parent folders.
void writeBytes(const std::filesystem::path& file, std::string_view bytes);

} // namespace ft::test
