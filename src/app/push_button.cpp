#include "app/push_button.h"

#include <QPushButton>

namespace ft::app {

QAbstractButton* createPushButton(QWidget* parent, const char* name, const QString& caption,
                                  const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    // A plain window has no default button: Enter in a field must not search.
    button->setAutoDefault(false);
    return button;
}

} // namespace ft::app
