#pragma once

// How the windows of this program create their push buttons, and the Japanese face they
// write their texts in.

#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

namespace ft::widgets {

class TskButton;

// The Japanese proportional UI face of the program: the first installed of IPAPGothic and
// Noto Sans CJK JP, with a character height of 12 pixels.
QFont japaneseUiFont();

// Gives a button the settings every button of the program's windows has: the caption as
// its single line, drawn at top 8 without vertical centring, the picture's top at 0 and
// no disabled picture look for buttons that take no focus.
void applySystemButtonLook(TskButton& button, const QString& caption);

// A button of one of the program's windows: named `objectName`, placed at `geometry`
// (left, top, width, height; the windows use a height of 26) on `parent`, with the
// system look and `caption`.
TskButton* makeSystemButton(QWidget* parent, const QString& objectName, const QString& caption,
                            const QRect& geometry);

} // namespace ft::widgets
