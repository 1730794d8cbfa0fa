#pragma once

#include <QComboBox>
#include <QStringList>

#include <functional>

namespace ft::app {

// A free-text combo box whose drop-down list is filled when it opens, from
// the names its source gives at that moment (the registered oaza or koaza
// names of the current datum), so nothing is read at start-up and the list
// is never stale. Opening the list keeps the typed text.
class NameListCombo final : public QComboBox {
    Q_OBJECT
public:
    using Source = std::function<QStringList()>;

    explicit NameListCombo(QWidget* parent = nullptr) : QComboBox(parent) {}

    void setSource(Source source) { m_source = std::move(source); }
    void showPopup() override;

private:
    Source m_source;
};

} // namespace ft::app
