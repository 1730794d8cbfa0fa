#include "ui/search/viewer_start.h"

#include "core/platform/viewer_process.h"

#include <QApplication>
#include <QWidget>

namespace ft::search {

void StartViewer(QWidget& mainWindow, std::string_view argumentText)
{
    QApplication::processEvents();
    // A hidden window (a test, a window not shown yet) stays hidden:
    // minimising it would show it.
    const bool shown = mainWindow.isVisible();
    if (shown)
        mainWindow.showMinimized();
    platform::StartViewer(argumentText);
    if (shown)
        mainWindow.showNormal();
}

} // namespace ft::search
