#include "ui/main/desktop_program.h"

#include "core/platform/operator_message.h"
#include "core/workspace/workspace.h"
#include "ui/main/main_window.h"
#include "ui/registration/target_list_dialog.h"
#include "ui/widgets/desktop_integration.h"
#include "ui/widgets/error_report.h"
#include "ui/widgets/qt_operator.h"
#include "ui/widgets/system_button.h"

#include <memory>

namespace ft::app {

int runDesktopProgram(QApplication& application)
{
    QApplication::setApplicationName(QString::fromLatin1(workspace::kProgramStem));
    QApplication::setApplicationVersion(QStringLiteral(FT_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("findtavla"));
    QApplication::setWindowIcon(widgets::programIcon(QStringLiteral("findtavla")));
    widgets::installJapaneseQtTranslation(application);
    platform::loadJapaneseTexts(application);
    // Message boxes and dialogs are windows of their own and do not inherit
    // the main window's font.
    QApplication::setFont(widgets::japaneseUiFont());

    QtOperator dialogs;
    std::unique_ptr<MainWindow> findTavlaF;
    runCommand(dialogs, [&] { findTavlaF = std::make_unique<MainWindow>(dialogs); });
    if (!findTavlaF)
        return 1;

    dialogs.setDialogParent(findTavlaF.get());
    // The windows shown from the main window are made after it, hidden, and
    // live as long as it does.
    auto* failList = new registration::TargetListDialog(findTavlaF.get());
    findTavlaF->attachTargetList(*failList);
    findTavlaF->show();
    return application.exec();
}

} // namespace ft::app
