#include "viewer/paper_dialog.h"

#include "core/platform/operator_message.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMessageBox>

namespace ft::viewer {

std::optional<PaperChoice> askPaper(QWidget* parent, const QString& purpose,
                                    const PaperChoice& last, bool withPaper)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(purpose);
    auto* form = new QFormLayout(&dialog);

    auto* scales = new QComboBox(&dialog);
    scales->setObjectName(QStringLiteral("scaleChoice"));
    scales->setEditable(true);
    scales->addItems({QStringLiteral("1:250"), QStringLiteral("1:500"), QStringLiteral("1:1000"),
                      QStringLiteral("1:2500"), QStringLiteral("1:5000")});
    scales->setCurrentText(QStringLiteral("1:") + QString::number(last.scale, 'g', 10));
    form->addRow(QStringLiteral("縮尺（1:500 のように）"), scales);

    QComboBox* papers = nullptr;
    const std::vector<Paper> choices = paperChoices();
    if (withPaper) {
        papers = new QComboBox(&dialog);
        papers->setObjectName(QStringLiteral("paperChoice"));
        for (const Paper& paper : choices)
            papers->addItem(paperName(paper));
        const auto kept = std::find(choices.begin(), choices.end(), last.paper);
        papers->setCurrentIndex(kept == choices.end() ? 0
                                                      : static_cast<int>(kept - choices.begin()));
        form->addRow(QStringLiteral("用紙"), papers);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const std::optional<double> scale = parseScale(scales->currentText());
    if (!scale) {
        QMessageBox::warning(
            parent, QStringLiteral("Tavla"),
            platform::messageText(QT_TRANSLATE_NOOP("findTavla", "The scale '%1' cannot be read"),
                                  {scales->currentText()}));
        return std::nullopt;
    }
    PaperChoice chosen{*scale, last.paper};
    if (papers)
        chosen.paper = choices[static_cast<std::size_t>(papers->currentIndex())];
    return chosen;
}

} // namespace ft::viewer
