#include "app/windows.h"

#include "shell/window_host.h"

namespace r7k {

void Register_windows(Window_host &host)
{
    Q_UNUSED(host);
}

} // namespace r7k
