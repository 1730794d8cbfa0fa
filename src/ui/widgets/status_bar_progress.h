#pragma once

#include "core/platform/progress.h"

#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QWidget>

#include <utility>
#include <vector>

namespace ft::app {

// The desktop program's Progress: texts go to the status bar and the window
// repaints between steps. Because long work lets pending events run, a click
// could start a second command inside the first; while busy, the commands
// that could re-enter are disabled and the wait cursor is shown.
// During a registration run the status bar also shows a bar of the sets done
// of the sets found, and a 中断 button that asks the run to stop after the
// set it is registering. A walk for data sets shows the same bar, moving
// since the end is not known, with the folder being read and the counts so
// far in the status text, and the same 中断 button, which stops the walk
// before its next folder.
class StatusBarProgress final : public platform::Progress {
public:
    explicit StatusBarProgress(QStatusBar& statusBar);
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

    void showRun(const platform::RunState& state) override;
    void runEnded(const platform::RunState& state) override;
    bool stopRequested() override { return m_stopRequested; }
    void showScan(const platform::ScanState& state) override;
    void scanEnded(const platform::ScanState& state) override;
    bool scanStopRequested() override { return m_stopRequested; }

    // The status text of a walk's state: the counts, then the folder.
    static QString scanText(const platform::ScanState& state);

    // Shown during a registration run only.
    QProgressBar* runBar() const { return m_runBar; }
    QToolButton* stopButton() const { return m_stopButton; }

private:
    void disableCommands();
    void restoreCommands();
    void requestStop();
    // Shows the bar and the 中断 button for a new run or walk.
    void showStopControls(const QString& stopHint);
    void hideStopControls();

    QPointer<QStatusBar> m_statusBar;
    QPointer<QProgressBar> m_runBar;
    QPointer<QToolButton> m_stopButton;
    bool m_stopRequested = false;
    std::vector<QPointer<QWidget>> m_commands;
    // The commands that were enabled when the busy span began; only these
    // are enabled again afterwards.
    std::vector<QPointer<QWidget>> m_disabledByUs;
    int m_busyDepth = 0;
};

} // namespace ft::app
