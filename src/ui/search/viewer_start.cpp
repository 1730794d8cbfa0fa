#include "ui/search/viewer_start.h"

#include "core/platform/operator.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "core/platform/viewer_process.h"

#include <QApplication>
#include <QWidget>

namespace ft::search {
namespace {

QString failureText(const platform::ViewerStart& start)
{
    QString text =
        platform::Message(QT_TRANSLATE_NOOP("findTavla", "The drawing viewer Tavla could not be "
                                                         "started"))
            .text();
    if (start.program) {
        text += u'\n' + QString::fromStdString(start.program->string()) + QStringLiteral(": ") +
                QString::fromStdString(start.error);
        return text;
    }
    text += u'\n' + platform::Message(QT_TRANSLATE_NOOP("findTavla", "Places looked in:")).text();
    for (const std::filesystem::path& folder : start.searched)
        text += QStringLiteral("\n") + QString::fromStdString(platform::pathText(folder));
    return text;
}

} // namespace

void StartViewer(QWidget& mainWindow, platform::Operator& op, std::string_view argumentText,
                 std::chrono::milliseconds wait)
{
    QApplication::processEvents();
    // A hidden window (a test, a window not shown yet) stays hidden:
    // minimising it would show it.
    const bool shown = mainWindow.isVisible();
    if (shown)
        mainWindow.showMinimized();
    const platform::ViewerStart start = platform::StartViewer(argumentText);
    // The minimising reaches the screen before the thread blocks.
    QApplication::processEvents();
    const bool viewerShown = shown && start.started && platform::WaitForViewerWindow(start, wait);
    if (shown)
        mainWindow.showNormal();
    // Restoring raises the main window on most window managers; below the
    // viewer's window it leaves the viewer uncovered (a viewer window that
    // appears later comes up on top by itself).
    if (viewerShown)
        mainWindow.lower();
    if (!start.started)
        op.notify(failureText(start), platform::Operator::Notice::Warning);
}

} // namespace ft::search
