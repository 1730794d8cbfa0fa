// The desktop program's main window in a process of its own, for the tests
// that make it meet other programs on one data folder. It opens the window
// (and with it both catalogues, held open as long as it runs) and then does
// what its standard input asks, one line at a time:
//
//   register FOLDER   clicks 図面追加登録, answers that files are picked and
//                     picks every header in FOLDER -> "registered", or
//                     "failed" and what the operator was told
//   quit              ends
//
// Usage: findtavla-test-window DATA_FOLDER SETTINGS_FOLDER; writes "open"
// once the window is shown.

#include "support/scripted_operator.h"
#include "ui/main/main_window.h"
#include "ui/registration/target_list_dialog.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> headersIn(const fs::path& folder)
{
    std::vector<fs::path> headers;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".hed")
            headers.push_back(entry.path());
    std::sort(headers.begin(), headers.end());
    return headers;
}

void registerInWindow(ft::app::MainWindow& window, ft::test::ScriptedOperator& op,
                      const fs::path& folder)
{
    op.answers = {false}; // no folder: picked files
    op.files = headersIn(folder);
    op.errors.clear();
    op.notices.clear(); // what the start or an earlier command told
    auto* button = window.findChild<QWidget*>(QStringLiteral("skButton1"));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, 8));
    QApplication::processEvents();
    if (op.errors.isEmpty() && op.notices.isEmpty())
        std::cout << "registered" << std::endl;
    else
        std::cout << "failed " << (op.errors + op.notices).join(u' ').toStdString() << std::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: findtavla-test-window DATA_FOLDER SETTINGS_FOLDER\n";
        return 2;
    }
    QApplication application(argc, argv);
    ft::test::ScriptedOperator op;
    ft::app::MainWindow window(op, argv[1], argv[2]);
    auto* targets = new ft::registration::TargetListDialog(&window);
    window.attachTargetList(*targets);
    window.show();
    QApplication::processEvents();
    std::cout << "open" << std::endl;
    std::string line;
    while (std::getline(std::cin, line) && line != "quit") {
        if (line.rfind("register ", 0) == 0)
            registerInWindow(window, op, line.substr(9));
        else
            std::cout << "unknown command " << line << std::endl;
    }
    return 0;
}
