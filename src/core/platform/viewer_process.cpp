#include "core/platform/viewer_process.h"

#include "core/platform/path_text.h"
#include "core/platform/viewer_process_system.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <system_error>
#include <utility>

namespace ft::platform {
namespace {

QString fromNative(const std::string& text)
{
    return QString::fromStdString(text);
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

ViewerWatch::~ViewerWatch()
{
    closeAll();
}

ViewerWatch::ViewerWatch(ViewerWatch&& other) noexcept
    : m_waitEnd(std::exchange(other.m_waitEnd, kNone)),
      m_viewerEnd(std::exchange(other.m_viewerEnd, kNone))
{
}

ViewerWatch& ViewerWatch::operator=(ViewerWatch&& other) noexcept
{
    if (this != &other) {
        closeAll();
        m_waitEnd = std::exchange(other.m_waitEnd, kNone);
        m_viewerEnd = std::exchange(other.m_viewerEnd, kNone);
    }
    return *this;
}

void ViewerWatch::closeViewerEnd() noexcept
{
    if (m_viewerEnd != kNone)
        closeWatchEnd(std::exchange(m_viewerEnd, kNone));
}

void ViewerWatch::setWaitEnd(std::intptr_t waitEnd) noexcept
{
    if (m_waitEnd != kNone)
        closeWatchEnd(m_waitEnd);
    m_waitEnd = waitEnd;
}

void ViewerWatch::closeAll() noexcept
{
    closeViewerEnd();
    setWaitEnd(kNone);
}

std::vector<std::filesystem::path> viewerFolders()
{
    return viewerFolders(executableFolder(), pathVariable());
}

std::vector<std::filesystem::path>
viewerFolders(const std::optional<std::filesystem::path>& executableFolder, std::string_view path)
{
    std::vector<std::filesystem::path> folders;
    if (executableFolder)
        folders.push_back(*executableFolder);
    while (true) {
        const std::size_t colon = path.find(kPathListSeparator);
        const std::filesystem::path entry = pathFromText(path.substr(0, colon));
        // An empty entry means the current folder to a shell: passed by
        // with the other relative ones.
        if (entry.is_absolute())
            folders.push_back(entry);
        if (colon == std::string_view::npos)
            break;
        path.remove_prefix(colon + 1);
    }
    return folders;
}

std::optional<std::filesystem::path> findViewer(const std::vector<std::filesystem::path>& folders)
{
    for (const std::filesystem::path& folder : folders) {
        std::filesystem::path candidate = folder / kViewerProgram;
        if (isRunnableFile(candidate))
            return candidate;
    }
    return std::nullopt;
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

ViewerStart StartViewer(std::string_view argumentText)
{
    ViewerStart start;
    start.searched = viewerFolders();
    start.program = findViewer(start.searched);
    if (!start.program)
        return start;
    QStringList arguments;
    for (const std::string& argument : splitArgumentText(argumentText))
        arguments << fromNative(argument);
    QProcess process;
    process.setProgram(fromNative(pathText(*start.program)));
    process.setArguments(arguments);
    std::optional<EnvironmentEntry> entry;
    start.watch = openViewerWatch(entry);
    if (entry) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(fromNative(entry->first), fromNative(entry->second));
        process.setProcessEnvironment(environment);
    }
    qint64 processId = 0;
    start.started = process.startDetached(&processId);
    // The viewer holds its own copy now; with ours let go, the pipe ends
    // when the viewer does.
    start.watch.closeViewerEnd();
    if (start.started)
        watchStartedViewer(start.watch, processId);
    else
        start.error = process.errorString().toStdString();
    return start;
}

bool WaitForViewerWindow(const ViewerStart& start, std::chrono::milliseconds limit)
{
    return start.started && waitOnViewerWatch(start.watch, limit);
}

} // namespace ft::platform
