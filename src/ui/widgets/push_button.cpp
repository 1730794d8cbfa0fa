#include "ui/widgets/push_button.h"

#include "ui/widgets/system_button.h"

namespace ft::app {

PushButton* createPushButton(QWidget* parent, const char* name, const QString& caption,
                             const QRect& geometry)
{
    return widgets::makeSystemButton(parent, QString::fromLatin1(name), caption, geometry);
}

QString buttonCaption(const PushButton& button)
{
    return button.captionA().caption();
}

} // namespace ft::app
