#pragma once

#include "core/platform/progress.h"

#include <chrono>
#include <functional>
#include <ostream>
#include <string>

namespace ft::cli {

// What the tool knows of the stream its messages go to.
struct MessageStream {
    bool isTerminal = false;
    int columns = 80; // the terminal's width; 80 when it cannot be told
};

// The progress of a registration on a terminal: one line, rewritten in
// place, with the sets done of the sets found, the set being read, the
// catalogue rows written per second and the time left; erased when the run
// ends, so the count line that follows stands alone. A walk for data sets
// shows the folders read, the headers found and the folder being read on the
// same line. Status texts are not shown.
class ProgressLine final : public platform::Progress {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    ProgressLine(std::ostream& err, int columns, Clock now = std::chrono::steady_clock::now);

    void showStatus(const QString&) override {}
    void processEvents() override {}
    void beginBusy() override {}
    void endBusy() override {}
    void showRun(const platform::RunState& state) override;
    void runEnded(const platform::RunState& state) override;
    void showScan(const platform::ScanState& state) override;
    void scanEnded(const platform::ScanState& state) override;

    // The line for a state after `elapsed`, at most `columns` wide.
    static std::string lineText(const platform::RunState& state,
                                std::chrono::duration<double> elapsed, int columns);
    // The line of a walk's state, at most `columns` wide.
    static std::string scanLineText(const platform::ScanState& state, int columns);

private:
    std::ostream& m_err;
    int m_columns;
    Clock m_now;
    std::chrono::steady_clock::time_point m_started;
    std::chrono::steady_clock::time_point m_lastDrawn;
    std::chrono::steady_clock::time_point m_lastScanDrawn;
    bool m_scanShown = false;
    int m_lastDone = -1;
    bool m_shown = false;
};

// The status texts of the desktop program's status bar, one per line
// (--verbose).
class StatusLines final : public platform::Progress {
public:
    explicit StatusLines(std::ostream& err) : m_err(err) {}
    void showStatus(const QString& text) override;
    void processEvents() override {}
    void beginBusy() override {}
    void endBusy() override {}

private:
    std::ostream& m_err;
};

} // namespace ft::cli
