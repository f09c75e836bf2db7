#pragma once

namespace r7k {

class Window_host;

// Tells the main window how to build each of the program's windows.
void Register_windows(Window_host &host);

} // namespace r7k
