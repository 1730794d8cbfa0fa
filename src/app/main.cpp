#include "ui/main/desktop_program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    return ft::app::runDesktopProgram(application);
}
