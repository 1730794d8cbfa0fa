#pragma once

#include <chrono>
#include <string_view>

class QWidget;

namespace ft::platform {
class Operator;
}

namespace ft::search {

// How long the main window stays minimised at most while the viewer starts.
inline constexpr std::chrono::milliseconds kViewerStartWait{2000};

// Starts the viewer for the main window, as every hand-off does (after a
// result window closed with OK, after the registered drawing list, after a
// click on the overview). Pending window events run first, so a result window
// that has just closed is off the screen. The main window is minimised, the
// viewer started, and the thread waits until the viewer tells that its first
// window is shown, or it ends, or `wait` has passed
// (platform::WaitForViewerWindow); then the main window is returned to its
// normal state. A viewer that cannot be found or started is told to the
// operator: 「図面表示プログラム Tavla を起動できませんでした」 and the places
// searched, or the program and the reason. `argumentText` is
// formats::viewerArgumentText(request folder).
void StartViewer(QWidget& mainWindow, platform::Operator& op, std::string_view argumentText,
                 std::chrono::milliseconds wait = kViewerStartWait);

} // namespace ft::search
