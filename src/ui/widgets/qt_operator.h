#pragma once

#include "core/platform/operator.h"

#include <QPointer>
#include <QWidget>

namespace ft::app {

// The desktop program's Operator: message boxes and file dialogs, modal over
// the dialog parent (the main window once it exists).
class QtOperator final : public platform::Operator {
public:
    explicit QtOperator(QWidget* dialogParent = nullptr) : m_dialogParent(dialogParent) {}

    void setDialogParent(QWidget* dialogParent) { m_dialogParent = dialogParent; }

    bool askYesNo(const QString& text, Icon icon = Icon::Question,
                  DefaultAnswer defaultAnswer = DefaultAnswer::Yes) override;
    // A notice of many lines (a list of paths) shows its first line above a
    // scrolling box with the rest.
    void notify(const QString& text, Notice kind = Notice::Plain) override;
    void reportError(const QString& text) override;
    std::optional<std::filesystem::path> pickFolder(const QString& prompt) override;
    std::vector<std::filesystem::path> pickFiles(const QString& filter) override;
    std::optional<FileToWrite> pickFileToWrite(const QString& title, const QStringList& filters,
                                               const QString& suggested) override;

private:
    QPointer<QWidget> m_dialogParent;
};

} // namespace ft::app
