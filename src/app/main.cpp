#include "app/command_line.h"
#include "app/display_check.h"
#include "app/windows.h"
#include "link/port_map.h"
#include "shell/application_icon.h"
#include "shell/main_window.h"
#include "sim/sim_process.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

// Starts the simulated radio on a link of this run's own and maps COM1 to it.
bool start_demo_radio(r7k::sim::Sim_process &radio)
{
    const QString program = r7k::sim::Sim_process::Find_program();
    if (program.isEmpty()) {
        std::fprintf(stderr,
                     "r7k-cps: --demo needs the simulated radio r7k-sim beside r7k-cps in %s, "
                     "and it is not there.\n",
                     qPrintable(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
        return false;
    }
    const QString link =
        QDir::tempPath() +
        QStringLiteral("/r7k-radio-demo-%1").arg(QCoreApplication::applicationPid());
    QString error;
    if (!radio.start(program, link, {}, error)) {
        std::fprintf(stderr, "r7k-cps: the simulated radio did not start: %s\n", qPrintable(error));
        return false;
    }
    r7k::Port_map::Set_mapping(1, link);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // The command line is read before any window system is needed, so that
    // --help and --version work without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const r7k::Command_line line = r7k::Read_command_line(arguments);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "r7k-cps: %s See r7k-cps --help.\n", qPrintable(line.error));
        return 2;
    }
    if (line.help || line.version) {
        std::fputs(qPrintable(line.help ? r7k::Command_line_usage() : r7k::Version_line() + '\n'),
                   stdout);
        return 0;
    }
    if (const QString missing = r7k::Missing_display_message(); !missing.isEmpty()) {
        std::fprintf(stderr, "%s\n", missing.toLocal8Bit().constData());
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("r7k-cps"));
    QApplication::setApplicationVersion(QStringLiteral(R7K_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("r7k-cps"));
    QApplication::setWindowIcon(r7k::Application_icon());

    r7k::sim::Sim_process demo_radio;
    if (line.demo && !start_demo_radio(demo_radio))
        return 1;

    const std::unique_ptr<r7k::Main_window> window = r7k::Start_main_window(line.file);
    return QApplication::exec();
}
