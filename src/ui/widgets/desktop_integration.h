#pragma once

// What every desktop program of the project sets up before its first window:
// Qt's own dialogs in Japanese and the program's icon.

#include <QIcon>

class QApplication;

namespace ft::widgets {

// Loads Qt's Japanese translation (qtbase_ja), so the standard dialogs (file
// and folder pickers, message box buttons) speak the language of every other
// screen text. Always Japanese, whatever the locale: the program's own texts
// are. False when the translation is not installed (the dialogs then stay in
// English); Debian's qt6-translations-l10n has it.
bool installJapaneseQtTranslation(QApplication& application);

// The icon named `name` from the icon theme, or else the one laid out beside
// the program as it is installed (<bin>/../share/icons/hicolor/...), which is
// also where the build folder keeps it. An empty icon when neither exists.
QIcon programIcon(const QString& name);

} // namespace ft::widgets
