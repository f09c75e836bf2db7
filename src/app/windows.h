#pragma once

#include <QString>
#include <memory>

namespace r7k {

class Main_window;
class Window_host;

// Tells the main window how to build each of the program's windows.
void Register_windows(Window_host &host);

// The program as main() starts it: the main window with every window
// registered, started up and shown, then the channel file that the command
// line named (if any) loaded as File > Open loads one.
std::unique_ptr<Main_window> Start_main_window(const QString &file = {});

} // namespace r7k
