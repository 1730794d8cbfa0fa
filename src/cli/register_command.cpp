#include "cli/register_command.h"

#include <algorithm>
#include <cctype>

namespace ft::cli {
namespace {

bool isHeaderFile(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".hed" && std::filesystem::is_regular_file(path);
}

void reportRefused(std::ostream& out, const std::filesystem::path& path)
{
    out << path.string() << "は登録できません\n";
}

} // namespace

int runRegister(const std::vector<std::filesystem::path>& paths, Registrar& registrar,
                std::ostream& out, std::ostream& err)
{
    bool allRegistered = true;
    for (const std::filesystem::path& path : paths) {
        if (std::filesystem::is_directory(path)) {
            const Registrar::FolderResult result = registrar.registerFolder(path);
            out << result.registered << "件登録しました\n";
            allRegistered = allRegistered && result.failed == 0;
        } else if (isHeaderFile(path)) {
            switch (registrar.registerHeader(path)) {
            case Registrar::HeaderResult::Registered:
                break;
            case Registrar::HeaderResult::AlreadyRegistered:
                err << path.string() << ": already registered\n";
                break;
            case Registrar::HeaderResult::Failed:
                reportRefused(out, path);
                allRegistered = false;
                break;
            }
        } else {
            reportRefused(out, path);
            allRegistered = false;
        }
        out.flush();
    }
    return allRegistered ? 0 : 1;
}

} // namespace ft::cli
