// r7k-sim: a simulated R7K radio on a pseudo-terminal, for trying the
// programming software without a radio and for testing it end to end.

#include "sim/pty_server.h"
#include "sim/radio.h"
#include "sim/sim_options.h"

#include <QStringList>
#include <cstdio>

using namespace r7k::sim;

int main(int argc, char *argv[])
{
    Pty_server::Block_stop_signals();

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const Sim_arguments parsed = Parse_sim_arguments(arguments);
    if (parsed.help) {
        std::fputs(qPrintable(Sim_usage()), stdout);
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "r7k-sim: %s\n\n%s", qPrintable(parsed.error),
                     qPrintable(Sim_usage()));
        return 2;
    }
    const Sim_options &options = parsed.options;

    Radio radio;
    radio.set_faults(options.faults);
    if (!options.memory.isEmpty()) {
        const auto outcome = radio.load(options.memory);
        if (!outcome.ok) {
            std::fprintf(stderr, "r7k-sim: %s: %s %s\n", qPrintable(options.memory),
                         qPrintable(outcome.message.english), qPrintable(outcome.details.english));
            return 1;
        }
    }
    // After the memory: levels named on the command line win.
    radio.set_personality(options.personality);

    Pty_server server(radio, options);
    QString error;
    if (!server.open(error)) {
        std::fprintf(stderr, "r7k-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("r7k-sim: ready on %s\n", qPrintable(options.link));
    std::fflush(stdout);
    return server.run();
}
