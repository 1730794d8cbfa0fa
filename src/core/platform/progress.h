#pragma once

#include <QString>

namespace ft::platform {

// The progress channel of long work (registration, scans, walks). The desktop
// program puts the text into the status bar and lets pending window events
// run; the command-line tool writes it to stderr; tests record it.
class Progress {
public:
    virtual ~Progress() = default;

    virtual void showStatus(const QString& text) = 0;
    // Lets pending window events run so the window repaints during long work.
    virtual void processEvents() = 0;
    virtual void beginBusy() = 0; // wait cursor on, re-entering commands off
    virtual void endBusy() = 0;
};

// Shows the wait cursor for the lifetime of the guard, also when the work
// ends with an exception.
class BusyGuard {
public:
    explicit BusyGuard(Progress& progress) : m_progress(progress) { m_progress.beginBusy(); }
    ~BusyGuard() { m_progress.endBusy(); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    Progress& m_progress;
};

// Progress that goes nowhere, for callers that have no window.
class SilentProgress final : public Progress {
public:
    void showStatus(const QString&) override {}
    void processEvents() override {}
    void beginBusy() override {}
    void endBusy() override {}
};

} // namespace ft::platform
