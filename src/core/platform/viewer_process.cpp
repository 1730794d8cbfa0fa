#include "core/platform/viewer_process.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <system_error>

namespace ft::platform {
namespace {

QString fromNative(const std::string& text)
{
    return QString::fromStdString(text);
}

// The folder of the running executable; nothing when the system will not say.
std::optional<std::filesystem::path> executableFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::nullopt;
    return executable.parent_path();
}

std::optional<std::filesystem::path> onPath()
{
    const QString found = QStandardPaths::findExecutable(QString::fromLatin1(kViewerProgram));
    if (found.isEmpty())
        return std::nullopt;
    return std::filesystem::path(found.toStdString());
}

bool isArgumentBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isArgumentBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isArgumentBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<std::filesystem::path> findViewer()
{
    if (const auto folder = executableFolder())
        return findViewer(*folder);
    return onPath();
}

std::optional<std::filesystem::path> findViewer(const std::filesystem::path& executableFolder)
{
    const QString beside = QStandardPaths::findExecutable(QString::fromLatin1(kViewerProgram),
                                                          {fromNative(executableFolder.string())});
    if (!beside.isEmpty())
        return std::filesystem::path(beside.toStdString());
    return onPath();
}

std::vector<std::string> splitArgumentText(std::string_view argumentText)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (const char c : trimmed(argumentText)) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true; // "" is an empty argument
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

bool StartViewer(std::string_view argumentText)
{
    const auto viewer = findViewer();
    if (!viewer)
        return false;
    QStringList arguments;
    for (const std::string& argument : splitArgumentText(argumentText))
        arguments << fromNative(argument);
    return QProcess::startDetached(fromNative(viewer->string()), arguments);
}

} // namespace ft::platform
