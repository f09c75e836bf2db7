#include "app/command_line.h"
#include "app/windows.h"
#include "link/port_map.h"
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
        std::fputs("r7k-cps: --demo needs the simulated radio r7k-sim, found neither beside "
                   "r7k-cps nor in the build tree (build the target r7k-sim).\n",
                   stderr);
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("r7k-cps"));

    const r7k::Command_line line = r7k::Read_command_line(QApplication::arguments().mid(1));
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "r7k-cps: %s\n\n%s", qPrintable(line.error),
                     qPrintable(r7k::Command_line_usage()));
        return 2;
    }
    if (line.help) {
        std::fputs(qPrintable(r7k::Command_line_usage()), stdout);
        return 0;
    }
    r7k::sim::Sim_process demo_radio;
    if (line.demo && !start_demo_radio(demo_radio))
        return 1;

    r7k::Main_window window;
    r7k::Register_windows(window.host());
    window.start_up();
    window.show();
    return QApplication::exec();
}
