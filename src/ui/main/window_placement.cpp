#include "ui/main/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace ft::app {
namespace {

// Show commands of the placement record.
constexpr unsigned kShowNormal = 1;
constexpr unsigned kShowMinimized = 2;
// A title bar is about this high; the strip the operator grabs to move it.
constexpr int kTitleStripHeight = 24;

bool titleStripOnSomeScreen(const QPoint& topLeft, int width)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true; // nothing to judge by
    const QRect titleStrip(topLeft, QSize(width, kTitleStripHeight));
    for (const QScreen* screen : screens) {
        if (screen->availableGeometry().intersects(titleStrip))
            return true;
    }
    return false;
}

} // namespace

workspace::WindowPlacement currentPlacement(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    workspace::WindowPlacement placement;
    placement.flags = 0;
    placement.showCmd = window.isMinimized() ? kShowMinimized : kShowNormal;
    placement.minX = placement.minY = -1;
    placement.maxX = placement.maxY = -1;
    placement.normalLeft = frame.left();
    placement.normalTop = frame.top();
    placement.normalRight = frame.left() + frame.width();
    placement.normalBottom = frame.top() + frame.height();
    return placement;
}

void restoreWindowPlacement(QWidget& window, const std::filesystem::path& settingsFile,
                            const char* section)
{
    const workspace::WindowPlacement stored =
        workspace::readPlacement(settingsFile, section, currentPlacement(window));
    const QPoint topLeft(stored.normalLeft, stored.normalTop);
    if (titleStripOnSomeScreen(topLeft, window.frameGeometry().width()))
        window.move(topLeft);
}

void saveWindowPlacement(const QWidget& window, const std::filesystem::path& settingsFile,
                         const char* section)
{
    workspace::writePlacement(settingsFile, section, currentPlacement(window));
}

} // namespace ft::app
