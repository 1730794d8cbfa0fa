#pragma once

// Starting the external drawing viewer. The viewer is a separate program,
// `Tavla`; the program hands it nothing but its command line (which names the
// request file), keeps no hold on the process it starts, and waits at most a
// moment for its first window.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ft::platform {

// The viewer's file name: Tavla, on Windows Tavla.exe.
extern const char* const kViewerProgram;

// Where the viewer is looked for, in order: the folder of the running
// executable, then each absolute entry of PATH (separated by ':', on Windows
// by ';'). The current folder and
// relative PATH entries (".", "bin") are never searched: a file called Tavla
// in a data folder must not be run.
std::vector<std::filesystem::path> viewerFolders();
// The same with the executable's folder given (nothing when unknown) and the
// value of PATH given.
std::vector<std::filesystem::path>
viewerFolders(const std::optional<std::filesystem::path>& executableFolder, std::string_view path);

// The first regular file called Tavla that this user may run, in the folders
// in their order; nothing when none has one.
std::optional<std::filesystem::path> findViewer(const std::vector<std::filesystem::path>& folders);

// The arguments of an argument text: leading and trailing blanks and control
// characters removed, then split at blanks outside double quotes. The quotes
// group and are dropped, so " -E2 \"/a b/TAVLA.E2\"" gives -E2 and /a b/TAVLA.E2.
std::vector<std::string> splitArgumentText(std::string_view argumentText);

// The environment entry naming the descriptor of a pipe to which Tavla
// writes one byte once its first window is shown. A viewer of another make
// passes it by.
inline constexpr const char* kWindowShownVariable = "TAVLA_WINDOW_SHOWN_FD";

// What the starter holds to learn that a started viewer shows its first
// window: on POSIX systems both ends of the pipe named in
// kWindowShownVariable (the viewer's end is let go once the viewer holds its
// copy), on Windows the viewer's process. Closes what it holds when it goes.
class ViewerWatch {
public:
    static constexpr std::intptr_t kNone = -1;

    ViewerWatch() = default;
    ViewerWatch(std::intptr_t waitEnd, std::intptr_t viewerEnd)
        : m_waitEnd(waitEnd), m_viewerEnd(viewerEnd)
    {
    }
    ~ViewerWatch();
    ViewerWatch(ViewerWatch&& other) noexcept;
    ViewerWatch& operator=(ViewerWatch&& other) noexcept;
    ViewerWatch(const ViewerWatch&) = delete;
    ViewerWatch& operator=(const ViewerWatch&) = delete;

    std::intptr_t waitEnd() const { return m_waitEnd; }
    std::intptr_t viewerEnd() const { return m_viewerEnd; }
    void closeViewerEnd() noexcept;
    void setWaitEnd(std::intptr_t waitEnd) noexcept;

private:
    void closeAll() noexcept;

    std::intptr_t m_waitEnd = kNone;
    std::intptr_t m_viewerEnd = kNone;
};

// How a start of the viewer went.
struct ViewerStart {
    bool started = false;
    // The program that was run, when one was found.
    std::optional<std::filesystem::path> program;
    // The folders that were searched, in order.
    std::vector<std::filesystem::path> searched;
    // Why it did not start (English), when it was found but failed.
    std::string error;
    // What WaitForViewerWindow waits on.
    ViewerWatch watch;
};

// Looks the viewer up (viewerFolders) and starts it with the arguments of
// the text, detached, in the current folder and with the inherited
// environment, and returns at once: nothing is read back.
ViewerStart StartViewer(std::string_view argumentText);

// Blocks until the started viewer's first window is shown, or the viewer
// has ended, or `limit` has passed; true only in the first case. On POSIX
// systems Tavla tells the window through the pipe (TellStarterWindowShown);
// a viewer that never tells is waited for until `limit`. On Windows the
// wait is WaitForInputIdle: until the viewer waits for input.
bool WaitForViewerWindow(const ViewerStart& start, std::chrono::milliseconds limit);

// The viewer's side: writes the byte to the descriptor kWindowShownVariable
// names, once, and closes it. Nothing when none is named (the viewer was
// started some other way) or the starter no longer waits.
void TellStarterWindowShown();

} // namespace ft::platform
