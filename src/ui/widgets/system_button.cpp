#include "ui/widgets/system_button.h"

#include "ui/widgets/tsk_button.h"

#include <QFontDatabase>
#include <QStringList>

namespace ft::widgets {

namespace {

constexpr int kUiCharacterHeight = 12;
constexpr int kSystemCaptionTop = 8;

} // namespace

QFont japaneseUiFont()
{
    const QStringList installed = QFontDatabase::families();
    QFont font;
    for (const QString& family :
         {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")}) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    // Pixel size is the character height (em), which is what the windows are laid out for.
    font.setPixelSize(kUiCharacterHeight);
    return font;
}

void applySystemButtonLook(TskButton& button, const QString& caption)
{
    button.captionA().setCaption(caption);
    button.setCaptionTop(kSystemCaptionTop); // also switches vertical centring off
    button.image().setTop(0);
    button.setDisableImage(false);
}

TskButton* makeSystemButton(QWidget* parent, const QString& objectName, const QString& caption,
                            const QRect& geometry)
{
    auto* button = new TskButton(parent);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    applySystemButtonLook(*button, caption);
    return button;
}

} // namespace ft::widgets
