#include "ui/search/viewer_start.h"

#include "core/platform/operator.h"
#include "core/platform/operator_message.h"
#include "core/platform/viewer_process.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace ft::search {
namespace {

// Ends the loop when the watched window is deactivated.
class DeactivationWatch final : public QObject {
public:
    DeactivationWatch(QWidget& window, QEventLoop& loop) : m_window(window), m_loop(loop)
    {
        m_window.installEventFilter(this);
    }
    ~DeactivationWatch() override { m_window.removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::WindowDeactivate)
            m_loop.quit();
        return false;
    }

private:
    QWidget& m_window;
    QEventLoop& m_loop;
};

// Lets events run while the main window is still the active one, for at
// most `wait`. True when the activation left it (to the viewer's window, or
// with the minimising); false when the time ran out.
bool waitForActivationToLeave(QWidget& mainWindow, std::chrono::milliseconds wait)
{
    QEventLoop loop;
    const DeactivationWatch watch(mainWindow, loop);
    bool timedOut = false;
    QTimer::singleShot(wait, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &loop,
                     [&loop](Qt::ApplicationState state) {
                         if (state != Qt::ApplicationActive)
                             loop.quit();
                     });
    QCoreApplication::processEvents();
    if (mainWindow.isActiveWindow())
        loop.exec();
    return !timedOut;
}

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
        text += QStringLiteral("\n") + QString::fromStdString(folder.string());
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
    const bool activationLeft =
        shown && start.started && waitForActivationToLeave(mainWindow, wait);
    if (shown)
        mainWindow.showNormal();
    // Restoring raises the main window on most window managers; below the
    // window that took the activation, it leaves the viewer uncovered (a
    // viewer window that appears later comes up on top by itself).
    if (activationLeft)
        mainWindow.lower();
    if (!start.started)
        op.notify(failureText(start), platform::Operator::Notice::Warning);
}

} // namespace ft::search
