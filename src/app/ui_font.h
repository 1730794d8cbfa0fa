#pragma once

#include <QFont>

namespace ft::app {

// The screen font of every window: the first installed Japanese proportional
// face (IPAPGothic, then Noto Sans CJK JP) with a 12-pixel character height,
// the size the control positions were laid out for. Falls back to the
// application's default family when neither face is installed.
QFont japaneseUiFont();

} // namespace ft::app
