#include "ui/main/name_list_combo.h"

#include <QSignalBlocker>

namespace ft::app {

void NameListCombo::showPopup()
{
    if (m_source) {
        const QString typed = currentText();
        const QStringList names = m_source();
        const QSignalBlocker quiet(this);
        clear();
        addItems(names);
        // Filling the list would put its first name into the field.
        setCurrentIndex(static_cast<int>(names.indexOf(typed)));
        setEditText(typed);
    }
    QComboBox::showPopup();
}

} // namespace ft::app
