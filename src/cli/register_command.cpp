#include "cli/register_command.h"

#include "cli/cli_run.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <system_error>

namespace ft::cli {
namespace {

// A marked text in the language the program loaded, for the terminal.
std::string said(const char* source, const QStringList& arguments = {})
{
    return platform::Message(source, arguments).text().toStdString();
}

QString pathText(const std::filesystem::path& path)
{
    return QString::fromStdString(platform::pathText(path));
}

bool hasHeaderExtension(const std::filesystem::path& path)
{
    std::string extension = platform::pathText(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".hed";
}

// Runs through the paths, keeping header files that follow one another for
// one driver run, and adds up whether everything registered.
class RegisterReport {
public:
    RegisterReport(Registrar& registrar, std::ostream& out, std::ostream& err, bool quiet)
        : m_registrar(registrar), m_out(out), m_err(err), m_quiet(quiet)
    {
    }

    void add(const std::filesystem::path& given)
    {
        // A path that cannot be looked at (an empty argument, a link loop, a
        // folder without search permission) is refused on its own; the
        // other paths still register.
        std::error_code error;
        std::filesystem::path path = given;
        std::filesystem::file_status status;
        if (!given.empty()) {
            if (const std::filesystem::path absolute = std::filesystem::absolute(given, error);
                !error)
                path = absolute.lexically_normal();
            if (!error)
                status = std::filesystem::status(path, error);
        }
        if (status.type() == std::filesystem::file_type::regular && hasHeaderExtension(path)) {
            m_pendingHeaders.push_back(path);
            return;
        }
        registerPendingHeaders();
        if (status.type() == std::filesystem::file_type::directory)
            registerFolderGuarded(path);
        else if (given.empty())
            refuse(given,
                   said(QT_TRANSLATE_NOOP("findTavla", "an empty path names no file or folder")));
        else if (status.type() == std::filesystem::file_type::not_found)
            refuse(path, said(QT_TRANSLATE_NOOP("findTavla", "no such file or folder")));
        else if (error)
            refuse(path, said(QT_TRANSLATE_NOOP("findTavla", "it cannot be looked at (%1)"),
                              {QString::fromStdString(error.message())}));
        else
            refuse(path, said(QT_TRANSLATE_NOOP("findTavla", "not a folder or a .hed file")));
    }

    int finish()
    {
        registerPendingHeaders();
        if (!m_quiet) {
            m_out << m_registered << "件登録しました\n";
            m_out.flush();
        }
        return m_failedToRun ? 2 : m_allRegistered ? 0 : 1;
    }

private:
    void refuse(const std::filesystem::path& path, const std::string& reason)
    {
        m_out << platform::pathText(path) << "は登録できません\n";
        m_out.flush();
        // A library's text may break its lines with carriage returns alone.
        m_err << platform::pathText(path) << ": " << terminalText(reason) << "\n";
        m_allRegistered = false;
    }

    // A registration that throws (a catalogue that cannot be opened, a run
    // of another program on the same folders) refuses the folder; the other
    // paths still go on.
    void registerFolderGuarded(const std::filesystem::path& folder)
    {
        try {
            registerFolder(folder);
        } catch (const std::exception& error) {
            refuse(folder, terminalText(error));
            m_failedToRun = true;
        }
    }

    void registerFolder(const std::filesystem::path& folder)
    {
        const Registrar::FolderResult result = m_registrar.registerFolder(folder);
        m_registered += result.registered;
        for (const Registrar::SetProblem& problem : result.problems)
            refuse(problem.headerPath, problem.reason);
        for (const std::filesystem::path& header : result.alreadyRegistered)
            note(
                said(QT_TRANSLATE_NOOP("findTavla", "%1: already registered"), {pathText(header)}));
        // Passed by, not refused: said, but only an unreadable folder that was
        // given fails the command.
        const registration::PassedBy& passedBy = result.passedBy;
        for (const std::filesystem::path& header : passedBy.incompleteSets)
            note(said(
                QT_TRANSLATE_NOOP("findTavla", "%1: not listed: its .pol, .pnt or .atr is missing"),
                {pathText(header)}));
        bool givenUnreadable = false;
        for (const std::filesystem::path& unreadable : passedBy.unreadableFolders) {
            if (unreadable == folder)
                givenUnreadable = true;
            else
                note(said(QT_TRANSLATE_NOOP("findTavla", "%1: folder passed by: it cannot be read"),
                          {pathText(unreadable)}));
        }
        if (givenUnreadable)
            refuse(folder, said(QT_TRANSLATE_NOOP("findTavla", "the folder cannot be read")));
        else if (result.registered == 0 && result.problems.empty() &&
                 result.alreadyRegistered.empty() && !passedBy.incompleteSets.empty())
            refuse(folder, said(QT_TRANSLATE_NOOP(
                               "findTavla", "none of its data sets has its .pol, .pnt and .atr")));
    }

    // What is said beside the answer, and is no failure.
    void note(const std::string& text)
    {
        if (!m_quiet)
            m_err << text << "\n";
    }

    void registerPendingHeaders()
    {
        if (m_pendingHeaders.empty())
            return;
        std::vector<Registrar::HeaderResult> results;
        try {
            results = m_registrar.registerHeaders(m_pendingHeaders);
        } catch (const std::exception& error) {
            results.assign(m_pendingHeaders.size(),
                           {Registrar::HeaderOutcome::Failed, terminalText(error)});
            m_failedToRun = true;
        }
        for (std::size_t i = 0; i < m_pendingHeaders.size(); ++i) {
            const std::filesystem::path& header = m_pendingHeaders[i];
            if (i >= results.size()) {
                refuse(header, said(QT_TRANSLATE_NOOP("findTavla",
                                                      "the registration driver gave no answer")));
                continue;
            }
            switch (results[i].outcome) {
            case Registrar::HeaderOutcome::Registered:
                ++m_registered;
                break;
            case Registrar::HeaderOutcome::AlreadyRegistered:
                note(said(QT_TRANSLATE_NOOP("findTavla", "%1: already registered"),
                          {pathText(header)}));
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
    bool m_quiet;
    std::vector<std::filesystem::path> m_pendingHeaders;
    int m_registered = 0;
    bool m_allRegistered = true;
    bool m_failedToRun = false;
};

} // namespace

int runRegister(const std::vector<std::filesystem::path>& paths, Registrar& registrar,
                std::ostream& out, std::ostream& err, bool quiet)
{
    RegisterReport report(registrar, out, err, quiet);
    for (const std::filesystem::path& path : paths)
        report.add(path);
    return report.finish();
}

} // namespace ft::cli
