#include "started_program.h"

#include "app/windows.h"

#include <QTest>

std::unique_ptr<r7k::Main_window> Start_program(const QString &file)
{
    auto window = r7k::Start_main_window(file);
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("the main window was not exposed");
    return window;
}
