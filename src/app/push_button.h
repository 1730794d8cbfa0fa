#pragma once

#include <QAbstractButton>
#include <QRect>
#include <QString>

namespace ft::app {

// Every push button of the main window is made here, so the look of all of
// them changes in one place.
QAbstractButton* createPushButton(QWidget* parent, const char* name, const QString& caption,
                                  const QRect& geometry);

} // namespace ft::app
