#pragma once

#include "core/platform/progress.h"

#include <QPointer>
#include <QStatusBar>
#include <QWidget>

#include <utility>
#include <vector>

namespace ft::app {

// The desktop program's Progress: texts go to the status bar and the window
// repaints between steps. Because long work lets pending events run, a click
// could start a second command inside the first; while busy, the commands
// that could re-enter are disabled and the wait cursor is shown.
class StatusBarProgress final : public platform::Progress {
public:
    explicit StatusBarProgress(QStatusBar& statusBar) : m_statusBar(&statusBar) {}
    ~StatusBarProgress() override;
    StatusBarProgress(const StatusBarProgress&) = delete;
    StatusBarProgress& operator=(const StatusBarProgress&) = delete;

    // The controls to disable while busy.
    void setCommands(std::vector<QWidget*> commands);

    void showStatus(const QString& text) override;
    void processEvents() override;
    // Nested busy spans count; only the outermost one switches.
    void beginBusy() override;
    void endBusy() override;
    bool isBusy() const { return m_busyDepth > 0; }

private:
    void disableCommands();
    void restoreCommands();

    QPointer<QStatusBar> m_statusBar;
    std::vector<QPointer<QWidget>> m_commands;
    // The commands that were enabled when the busy span began; only these
    // are enabled again afterwards.
    std::vector<QPointer<QWidget>> m_disabledByUs;
    int m_busyDepth = 0;
};

} // namespace ft::app
