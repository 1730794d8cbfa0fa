#include "app/ui_font.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

namespace ft::app {

QFont japaneseUiFont()
{
    static const char* const preferredFamilies[] = {"IPAPGothic", "Noto Sans CJK JP"};

    QFont font = QGuiApplication::font();
    const QStringList installed = QFontDatabase::families();
    for (const char* family : preferredFamilies) {
        const QString name = QString::fromLatin1(family);
        if (installed.contains(name, Qt::CaseInsensitive)) {
            font.setFamily(name);
            break;
        }
    }
    font.setPixelSize(12);
    return font;
}

} // namespace ft::app
