#include "ui/widgets/desktop_integration.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace ft::widgets {

bool installJapaneseQtTranslation(QApplication& application)
{
    // Parented to the application, so it lives exactly as long.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

QIcon programIcon(const QString& name)
{
    QIcon icon = QIcon::fromTheme(name);
    if (!icon.isNull())
        return icon;
    const QDir hicolor(QApplication::applicationDirPath() +
                       QStringLiteral("/../share/icons/hicolor"));
    for (const char* size : {"16x16", "32x32", "48x48", "64x64", "128x128", "256x256"}) {
        const QString file = hicolor.filePath(QString::fromLatin1(size) + QStringLiteral("/apps/") +
                                              name + QStringLiteral(".png"));
        if (QFileInfo::exists(file))
            icon.addFile(file);
    }
    return icon;
}

} // namespace ft::widgets
