#pragma once

#include <QString>

#include <cstdint>
#include <filesystem>

namespace ft::platform {

// Where a registration run stands. Sets found are the data sets the run
// works on; a set is done once it registered, failed or proved registered
// already.
struct RunState {
    int setsFound = 0;
    int setsDone = 0;
    // The header of the set being read, or of the one done last (sets are
    // often done faster than a line is redrawn); empty at the end.
    std::filesystem::path currentSet;
    // Catalogue rows the run has written so far.
    std::int64_t rowsWritten = 0;
};

// Where a walk for data sets stands: the folders it has read, the headers it
// has found and the folder it is reading (empty once it ended).
struct ScanState {
    int foldersRead = 0;
    int headersFound = 0;
    std::filesystem::path currentFolder;
};

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

    // A registration run reports its state when it starts, at every step and
    // once more when it ends (runEnded). Channels without a counter of their
    // own ignore both.
    virtual void showRun(const RunState&) {}
    virtual void runEnded(const RunState&) {}
    // Asked between data sets: true ends the run before the next set begins.
    // The sets registered by then stay registered; none is left half done.
    virtual bool stopRequested() { return false; }

    // A walk for data sets reports its state a few times a second while it
    // runs off the caller's thread, and once more when it ends (scanEnded).
    // The channel may let pending events run meanwhile.
    virtual void showScan(const ScanState&) {}
    virtual void scanEnded(const ScanState&) {}
    // Asked while a walk runs: true ends it before the next folder; what it
    // found by then is kept.
    virtual bool scanStopRequested() { return false; }
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
