#include "app/push_button.h"

namespace ft::app {

PushButton* createPushButton(QWidget* parent, const char* name, const QString& caption,
                             const QRect& geometry)
{
    auto* button = new PushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    // A plain window has no default button: Enter in a field must not search.
    button->setAutoDefault(false);
    return button;
}

QString buttonCaption(const PushButton& button)
{
    return button.text();
}

} // namespace ft::app
