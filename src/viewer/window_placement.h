#pragma once

// Where Tavla's window opens: its last place when that is still on a screen,
// otherwise within the screen that holds the pointer. The last place is kept
// in a settings file of Tavla's own, beside (never inside) findTavla's, since
// other programs rewrite theirs whole.

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

#include <filesystem>
#include <optional>

namespace ft::viewer {

// The window's size when nothing was kept.
inline constexpr QSize kDefaultWindowSize{1200, 800};
// What a window manager's frame adds around the window, for the first
// placement, before the frame is known.
inline constexpr QMargins kFrameAllowance{4, 30, 4, 4};
// A kept place counts as on a screen while this much of its top (where the
// title bar is) lies within one.
inline constexpr QSize kVisibleGrip{100, 30};

struct WindowPlace {
    QRect geometry; // the window's inner area, in screen coordinates
    bool maximised = false;
};

// The window's inner area: the kept one when a screen still shows its top,
// cut to that screen; otherwise the wanted size (cut to the screen) centred in
// the available area of the screen under the pointer. `screens` are the
// available areas of all screens.
QRect placeWindow(QSize wanted, const std::optional<QRect>& kept, const QList<QRect>& screens,
                  const QRect& pointerScreen, const QMargins& frame = kFrameAllowance);

// The place kept in the file; nothing when the file or its values are missing
// or unreadable.
std::optional<WindowPlace> readWindowPlace(const std::filesystem::path& file);
// Keeps the place; a settings file that cannot be written is passed by, as
// the window's place is not worth a message.
void writeWindowPlace(const std::filesystem::path& file, const WindowPlace& place);

// Tavla's own settings file in the settings folder.
std::filesystem::path viewerSettingsFile(const std::filesystem::path& settingsFolder);

} // namespace ft::viewer
