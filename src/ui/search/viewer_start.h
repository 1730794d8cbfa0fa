#pragma once

#include <string_view>

class QWidget;

namespace ft::search {

// Starts the viewer for the main window, as every hand-off does (after a
// result window closed with OK, after the registered drawing list, after a
// click on the overview). Pending window events run first, so a result window
// that has just closed is off the screen; the main window is minimised while
// the viewer starts and returned to its normal state afterwards, which
// uncovers the viewer. A viewer that cannot be found or started is silently
// nothing. `argumentText` is viewerArgumentText(request folder).
void StartViewer(QWidget& mainWindow, std::string_view argumentText);

} // namespace ft::search
