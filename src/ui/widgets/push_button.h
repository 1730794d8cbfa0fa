#pragma once

#include "ui/widgets/tsk_button.h"

#include <QRect>
#include <QString>

namespace ft::app {

// The push button of the main window: the program's owner-drawn button.
// Every button is made and read through the functions below, so changing the
// kind of button changes only this file and its source.
using PushButton = widgets::TskButton;

PushButton* createPushButton(QWidget* parent, const char* name, const QString& caption,
                             const QRect& geometry);

QString buttonCaption(const PushButton& button);

} // namespace ft::app
