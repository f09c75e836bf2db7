#include "shell/system_info.h"

#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace r7k {

namespace {

#ifdef Q_OS_WIN
// A string value under HKEY_LOCAL_MACHINE, empty when the key or value is missing.
QString machine_value(const QString &key, const QString &name)
{
    const QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\") + key, QSettings::NativeFormat);
    return registry.value(name).toString();
}
#endif

} // namespace

std::optional<Program_launch> System_info_tool(const QStringList &search_paths)
{
#ifdef Q_OS_WIN
    Q_UNUSED(search_paths);
    const QString tool = machine_value(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                       QStringLiteral("PATH"));
    if (!tool.isEmpty())
        return Program_launch{tool, {}};
    const QString folder = machine_value(
        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"));
    const QString in_folder = folder + QStringLiteral("\\MSINFO32.EXE");
    if (!folder.isEmpty() && QFileInfo::exists(in_folder))
        return Program_launch{in_folder, {}};
    return std::nullopt;
#else
#ifdef Q_OS_MACOS
    const QString app = QStringLiteral("/System/Applications/Utilities/System Information.app");
    if (QFileInfo::exists(app))
        return Program_launch{QStringLiteral("/usr/bin/open"), {app}};
#endif
    // Viewers that show the hardware and system, the most thorough first.
    static const char *const viewers[] = {"hardinfo", "hardinfo2", "gnome-system-monitor",
                                          "ksysguard", "kinfocenter"};
    for (const char *viewer : viewers) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(viewer), search_paths);
        if (!found.isEmpty())
            return Program_launch{found, {}};
    }
    return std::nullopt;
#endif
}

} // namespace r7k
