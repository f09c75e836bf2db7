#pragma once

#include <QString>
#include <memory>

namespace r7k {

class Main_window;

// Tells the main window how to build each of the program's windows, and
// gives each window what it needs of the main window.
void Register_windows(Main_window &main);

// The program as main() starts it: the main window with every window
// registered, started up and shown, then the channel file that the command
// line named (if any) loaded as File > Open loads one.
std::unique_ptr<Main_window> Start_main_window(const QString &file = {});

} // namespace r7k
