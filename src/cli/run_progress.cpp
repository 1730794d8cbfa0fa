#include "cli/run_progress.h"

#include "core/platform/path_text.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ft::cli {
namespace {

// A terminal redraws a line this often at most; a change of the sets done is
// shown at once.
constexpr std::chrono::milliseconds kRedrawInterval{100};
// Back to the line's start, and clear what is left of the old line.
constexpr const char* kReturn = "\r";
constexpr const char* kClearToEnd = "\x1b[K";

std::string clockText(double seconds)
{
    const long total = std::lround(std::max(seconds, 0.0));
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    return text;
}

bool isLeadOfCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// Terminal columns of UTF-8 text: East Asian characters (every non-ASCII
// character of a survey path, near enough) take two.
int columnsOf(std::string_view utf8)
{
    int columns = 0;
    for (const char byte : utf8)
        if (isLeadOfCharacter(byte))
            columns += static_cast<unsigned char>(byte) < 0x80 ? 1 : 2;
    return columns;
}

// The end of the text that fits in `columns`, led by "..." when cut.
std::string tailThatFits(std::string_view utf8, int columns)
{
    if (columnsOf(utf8) <= columns)
        return std::string(utf8);
    if (columns < 4)
        return {};
    std::size_t start = utf8.size();
    int used = 3;
    while (start > 0) {
        std::size_t lead = start - 1;
        while (lead > 0 && !isLeadOfCharacter(utf8[lead]))
            --lead;
        const int width = columnsOf(utf8.substr(lead, start - lead));
        if (used + width > columns)
            break;
        used += width;
        start = lead;
    }
    return "..." + std::string(utf8.substr(start));
}

} // namespace

ProgressLine::ProgressLine(std::ostream& err, int columns, Clock now)
    : m_err(err), m_columns(columns), m_now(std::move(now))
{
}

std::string ProgressLine::lineText(const platform::RunState& state,
                                   std::chrono::duration<double> elapsed, int columns)
{
    const double seconds = elapsed.count();
    const std::string sets =
        std::to_string(state.setsDone) + "/" + std::to_string(state.setsFound) + " sets";
    const long rate =
        seconds > 0 ? std::lround(static_cast<double>(state.rowsWritten) / seconds) : 0;
    std::string left = "--:-- left";
    if (state.setsDone > 0 && state.setsDone <= state.setsFound)
        left = clockText(seconds / state.setsDone * (state.setsFound - state.setsDone)) + " left";
    const std::string tail = "  " + std::to_string(rate) + " rows/s  " + left;
    // The set gets what the counts leave of the width; the last column stays
    // free, since writing into it makes some terminals wrap.
    const int forSet = columns - 1 - static_cast<int>(sets.size() + tail.size()) - 2;
    const std::string set = tailThatFits(platform::pathText(state.currentSet), forSet);
    std::string line = sets + (set.empty() ? std::string() : "  " + set) + tail;
    if (columnsOf(line) > columns - 1)
        line = sets + tail;
    if (columnsOf(line) > columns - 1)
        line = sets;
    return line;
}

void ProgressLine::showRun(const platform::RunState& state)
{
    const auto now = m_now();
    if (!m_shown) {
        m_shown = true;
        m_started = now;
    } else if (state.setsDone == m_lastDone && now - m_lastDrawn < kRedrawInterval) {
        return;
    }
    m_lastDrawn = now;
    m_lastDone = state.setsDone;
    m_err << kReturn << lineText(state, now - m_started, m_columns) << kClearToEnd;
    m_err.flush();
}

void ProgressLine::runEnded(const platform::RunState&)
{
    if (!m_shown)
        return;
    m_err << kReturn << kClearToEnd;
    m_err.flush();
    m_shown = false;
    m_lastDone = -1;
}

std::string ProgressLine::scanLineText(const platform::ScanState& state, int columns)
{
    const std::string counts = "scanning: " + std::to_string(state.foldersRead) + " folders, " +
                               std::to_string(state.headersFound) + " headers";
    const int forFolder = columns - 1 - static_cast<int>(counts.size()) - 2;
    const std::string folder = tailThatFits(platform::pathText(state.currentFolder), forFolder);
    std::string line = counts + (folder.empty() ? std::string() : "  " + folder);
    return columnsOf(line) > columns - 1 ? std::string() : line;
}

void ProgressLine::showScan(const platform::ScanState& state)
{
    const auto now = m_now();
    if (m_scanShown && now - m_lastScanDrawn < kRedrawInterval)
        return;
    m_scanShown = true;
    m_lastScanDrawn = now;
    m_err << kReturn << scanLineText(state, m_columns) << kClearToEnd;
    m_err.flush();
}

void ProgressLine::scanEnded(const platform::ScanState&)
{
    if (!m_scanShown)
        return;
    m_err << kReturn << kClearToEnd;
    m_err.flush();
    m_scanShown = false;
}

void StatusLines::showStatus(const QString& text)
{
    // The register command says this once, on standard output, with its
    // reason.
    if (text.endsWith(QStringLiteral("は登録できません")))
        return;
    m_err << text.toStdString() << '\n';
}

} // namespace ft::cli
