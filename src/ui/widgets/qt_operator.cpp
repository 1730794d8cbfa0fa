#include "ui/widgets/qt_operator.h"
#include "core/platform/path_text.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace ft::app {
namespace {

QMessageBox::Icon boxIcon(platform::Operator::Icon icon)
{
    switch (icon) {
    case platform::Operator::Icon::Information:
        return QMessageBox::Information;
    case platform::Operator::Icon::Warning:
        return QMessageBox::Warning;
    case platform::Operator::Icon::Question:
        break;
    }
    return QMessageBox::Question;
}

QMessageBox::Icon noticeIcon(platform::Operator::Notice kind)
{
    switch (kind) {
    case platform::Operator::Notice::Information:
        return QMessageBox::Information;
    case platform::Operator::Notice::Warning:
        return QMessageBox::Warning;
    case platform::Operator::Notice::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

// A box as narrow as a short text ("見つかりません") leaves the window
// manager too little of its title bar, which then shows the program's name
// cut short ("fi…"). The box is made wide enough for the whole title beside
// the title bar's icon and buttons. (QMessageBox sets its own size, so the
// width goes in as a spacer of its layout.)
void keepTitleWhole(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    constexpr int kTitleBarControls = 160; // icon, buttons and margins of the title bar
    const int width =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarControls;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int runBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
           QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    keepTitleWhole(box);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // The screen texts are Japanese; Qt's own button texts are not translated.
    if (QAbstractButton* yes = box.button(QMessageBox::Yes))
        yes->setText(QStringLiteral("はい(&Y)"));
    if (QAbstractButton* no = box.button(QMessageBox::No))
        no->setText(QStringLiteral("いいえ(&N)"));
    return box.exec();
}

// A notice longer than this many lines (a list of paths) is shown in a
// scrolling text box rather than a message box taller than the screen.
constexpr qsizetype kMaxBoxLines = 20;

void runLongNotice(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("longNotice"));
    dialog.setWindowTitle(QCoreApplication::applicationName());
    auto* layout = new QVBoxLayout(&dialog);
    const qsizetype firstBreak = text.indexOf(u'\n');
    auto* heading = new QHBoxLayout;
    if (icon != QMessageBox::NoIcon) {
        auto* sign = new QLabel(&dialog);
        sign->setObjectName(QStringLiteral("noticeIcon"));
        const QStyle::StandardPixmap pixmap = icon == QMessageBox::Warning
                                                  ? QStyle::SP_MessageBoxWarning
                                                  : QStyle::SP_MessageBoxInformation;
        sign->setPixmap(dialog.style()->standardIcon(pixmap).pixmap(32, 32));
        heading->addWidget(sign);
    }
    heading->addWidget(new QLabel(text.left(firstBreak), &dialog), 1);
    layout->addLayout(heading);
    auto* lines = new QPlainTextEdit(text.mid(firstBreak + 1).trimmed(), &dialog);
    lines->setReadOnly(true);
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines->setMinimumSize(640, 320);
    layout->addWidget(lines);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}

std::filesystem::path toPath(const QString& name)
{
    return platform::pathFromFileName(name);
}

} // namespace

bool QtOperator::askYesNo(const QString& text, Icon icon, DefaultAnswer defaultAnswer)
{
    return runBox(m_dialogParent, boxIcon(icon), QCoreApplication::applicationName(), text,
                  QMessageBox::Yes | QMessageBox::No,
                  defaultAnswer == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void QtOperator::notify(const QString& text, Notice kind)
{
    if (text.count(u'\n') >= kMaxBoxLines) {
        runLongNotice(m_dialogParent, noticeIcon(kind), text);
        return;
    }
    runBox(m_dialogParent, noticeIcon(kind), QCoreApplication::applicationName(), text,
           QMessageBox::Ok);
}

void QtOperator::reportError(const QString& text)
{
    runBox(m_dialogParent, QMessageBox::Critical, QCoreApplication::applicationName(), text,
           QMessageBox::Ok);
}

std::optional<std::filesystem::path> QtOperator::pickFolder(const QString& prompt)
{
    const QString folder = QFileDialog::getExistingDirectory(m_dialogParent, prompt);
    if (folder.isEmpty())
        return std::nullopt;
    return toPath(folder);
}

std::vector<std::filesystem::path> QtOperator::pickFiles(const QString& filter)
{
    const QStringList names =
        QFileDialog::getOpenFileNames(m_dialogParent, QString(), QString(), filter);
    std::vector<std::filesystem::path> files;
    files.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names)
        files.push_back(toPath(name));
    return files;
}

std::optional<platform::Operator::FileToWrite>
QtOperator::pickFileToWrite(const QString& title, const QStringList& filters,
                            const QString& suggested)
{
    // The dialog asks before an existing file is chosen.
    QString selected = filters.value(0);
    const QString name = QFileDialog::getSaveFileName(
        m_dialogParent, title, suggested, filters.join(QStringLiteral(";;")), &selected);
    if (name.isEmpty())
        return std::nullopt;
    return FileToWrite{toPath(name),
                       static_cast<int>(std::max<qsizetype>(0, filters.indexOf(selected)))};
}

} // namespace ft::app
