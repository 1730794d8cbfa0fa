#include "ui/widgets/status_bar_progress.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace ft::app {

StatusBarProgress::~StatusBarProgress()
{
    if (m_busyDepth > 0)
        QGuiApplication::restoreOverrideCursor();
}

void StatusBarProgress::setCommands(std::vector<QWidget*> commands)
{
    m_commands.assign(commands.begin(), commands.end());
}

void StatusBarProgress::showStatus(const QString& text)
{
    if (m_statusBar)
        m_statusBar->showMessage(text);
    processEvents();
}

void StatusBarProgress::processEvents()
{
    QCoreApplication::processEvents();
}

void StatusBarProgress::beginBusy()
{
    if (m_busyDepth++ > 0)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    disableCommands();
}

void StatusBarProgress::endBusy()
{
    if (m_busyDepth == 0 || --m_busyDepth > 0)
        return;
    restoreCommands();
    QGuiApplication::restoreOverrideCursor();
}

void StatusBarProgress::disableCommands()
{
    m_disabledByUs.clear();
    for (const QPointer<QWidget>& command : m_commands) {
        if (command && command->isEnabled()) {
            command->setEnabled(false);
            m_disabledByUs.push_back(command);
        }
    }
}

void StatusBarProgress::restoreCommands()
{
    for (const QPointer<QWidget>& command : m_disabledByUs) {
        if (command)
            command->setEnabled(true);
    }
    m_disabledByUs.clear();
}

} // namespace ft::app
