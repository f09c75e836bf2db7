#include "app/windows.h"
#include "shell/main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("r7k-cps"));

    r7k::Main_window window;
    r7k::Register_windows(window.host());
    window.start_up();
    window.show();
    return QApplication::exec();
}
