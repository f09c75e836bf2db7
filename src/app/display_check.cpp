#include "app/display_check.h"

#include "core/environment_language.h"

#include <QtGlobal>

namespace r7k {

QString Missing_display_message()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool wants_x11 = platform.isEmpty() || platform.startsWith(QLatin1String("xcb"));
    const bool wants_wayland = platform.isEmpty() || platform.startsWith(QLatin1String("wayland"));
    if (!wants_x11 && !wants_wayland)
        return {}; // offscreen, linuxfb, vnc, ...: Qt needs no desktop for them
    if ((wants_x11 && !qEnvironmentVariableIsEmpty("DISPLAY")) ||
        (wants_wayland && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")))
        return {};
    return Environment_prefers_chinese()
               ? QStringLiteral("r7k-cps：需要图形桌面才能运行（没有 DISPLAY 或 "
                                "WAYLAND_DISPLAY）。在命令行上请用 r7k（r7k --help）。")
               : QStringLiteral("r7k-cps: needs a graphical desktop (neither DISPLAY nor "
                                "WAYLAND_DISPLAY is set). On the command line, use r7k "
                                "(r7k --help).");
#else
    return {};
#endif
}

} // namespace r7k
