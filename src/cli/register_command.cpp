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

// Runs through the paths, keeping header files that follow one another for
// one driver run, and adds up whether everything registered.
class RegisterReport {
public:
    RegisterReport(Registrar& registrar, std::ostream& out, std::ostream& err)
        : m_registrar(registrar), m_out(out), m_err(err)
    {
    }

    void add(const std::filesystem::path& path)
    {
        if (isHeaderFile(path)) {
            m_pendingHeaders.push_back(path);
            return;
        }
        registerPendingHeaders();
        if (std::filesystem::is_directory(path))
            registerFolder(path);
        else
            refuse(path, std::filesystem::exists(path) ? "not a folder or a .hed file"
                                                       : "no such file or folder");
    }

    int finish()
    {
        registerPendingHeaders();
        return m_allRegistered ? 0 : 1;
    }

private:
    void refuse(const std::filesystem::path& path, const std::string& reason)
    {
        m_out << path.string() << "は登録できません\n";
        m_out.flush();
        m_err << path.string() << ": " << reason << "\n";
        m_allRegistered = false;
    }

    void registerFolder(const std::filesystem::path& folder)
    {
        const Registrar::FolderResult result = m_registrar.registerFolder(folder);
        for (const Registrar::SetProblem& problem : result.problems)
            refuse(problem.headerPath, problem.reason);
        m_out << result.registered << "件登録しました\n";
        m_out.flush();
    }

    void registerPendingHeaders()
    {
        if (m_pendingHeaders.empty())
            return;
        const std::vector<Registrar::HeaderResult> results =
            m_registrar.registerHeaders(m_pendingHeaders);
        for (std::size_t i = 0; i < m_pendingHeaders.size(); ++i) {
            const std::filesystem::path& header = m_pendingHeaders[i];
            if (i >= results.size()) {
                refuse(header, "the registration driver gave no answer");
                continue;
            }
            switch (results[i].outcome) {
            case Registrar::HeaderOutcome::Registered:
                break;
            case Registrar::HeaderOutcome::AlreadyRegistered:
                m_err << header.string() << ": already registered\n";
                break;
            case Registrar::HeaderOutcome::Failed:
                refuse(header, results[i].reason);
                break;
            }
        }
        m_pendingHeaders.clear();
    }

    Registrar& m_registrar;
    std::ostream& m_out;
    std::ostream& m_err;
    std::vector<std::filesystem::path> m_pendingHeaders;
    bool m_allRegistered = true;
};

} // namespace

int runRegister(const std::vector<std::filesystem::path>& paths, Registrar& registrar,
                std::ostream& out, std::ostream& err)
{
    RegisterReport report(registrar, out, err);
    for (const std::filesystem::path& path : paths)
        report.add(std::filesystem::absolute(path).lexically_normal());
    return report.finish();
}

} // namespace ft::cli
