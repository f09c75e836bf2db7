#include "started_program.h"

#include "app/windows.h"

#include <QTest>

std::unique_ptr<r7k::Main_window> Start_program()
{
    auto window = std::make_unique<r7k::Main_window>();
    r7k::Register_windows(window->host());
    window->start_up();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("the main window was not exposed");
    return window;
}
