// r7k: the R7K programming software on the command line. It reads, writes
// and verifies radios, several at a time, shows and compares channel files
// and exchanges their channels as CSV, with the same link engines, file
// format and channel rules as the windows.

#include "cli/exit_status.h"
#include "cli/report.h"
#include "cli/verbs.h"
#include "core/globals.h"
#include "core/tables.h"

#include <QCoreApplication>
#include <cstdio>

using namespace r7k::cli;

namespace {

const QString Help = QStringLiteral(
    "Usage: r7k VERB [options] [arguments]\n"
    "Reads, writes and verifies R7K radios and shows channel files.\n"
    "\n"
    "  r7k read --port DEV [-o FILE]          the radio into a channel file\n"
    "  r7k write --port DEV [--verify] FILE   a channel file to the radio\n"
    "  r7k write --port DEV --port DEV ... FILE\n"
    "                                         to several radios at the same time\n"
    "  r7k verify --port DEV FILE             does the radio hold the file?\n"
    "  r7k show FILE                          the channels and settings of a file\n"
    "  r7k diff A.chann B.chann               what differs between two files\n"
    "  r7k export-csv FILE.chann -o OUT.csv   the channels as a CSV list\n"
    "  r7k import-csv IN.csv -o FILE.chann [--base BASE.chann]\n"
    "                                         a CSV list into a channel file\n"
    "  r7k ports                              the ports COM1..COM8 and their devices\n"
    "  r7k detect [--all]                     which port a radio answers on\n"
    "\n"
    "DEV is a serial device such as /dev/ttyUSB0, or COM1..COM8: the n-th serial\n"
    "port of the system, USB adapters first (as in r7k-cps).\n"
    "'r7k VERB --help' shows the options of a verb; 'r7k --version' the version.\n"
    "\n"
    "Exit status:\n"
    "  0  done (diff: the files hold the same data)\n"
    "  1  diff: the files differ\n"
    "  2  bad command line\n"
    "  3  a file cannot be read or written, or holds a bad value (import-csv:\n"
    "     or no channel that can be imported)\n"
    "  4  a port cannot be opened, or a radio does not answer or was lost\n"
    "  5  a radio holds other data than was written to it (write --verify,\n"
    "     verify)\n"
    "  6  write --verify: written, but the read-back could not be done\n"
    "  130  interrupted by Ctrl-C, SIGTERM or SIGHUP\n");

struct Verb {
    const char *name;
    int (*run)(const QStringList &);
};
constexpr Verb Verbs[] = {
    {"read", Run_read},     {"write", Run_write},           {"show", Run_show},
    {"diff", Run_diff},     {"export-csv", Run_export_csv}, {"import-csv", Run_import_csv},
    {"verify", Run_verify}, {"ports", Run_ports},           {"detect", Run_detect},
};

int run(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return Fail(Exit_usage,
                    r7k::Bilingual{QStringLiteral("缺少动作。参见“r7k --help”。"),
                                   QStringLiteral("A verb is missing. See 'r7k --help'.")});
    const QString &first = arguments.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        std::fputs(Help.toUtf8().constData(), stdout);
        return Exit_ok;
    }
    if (first == QLatin1String("--version")) {
        Say(QStringLiteral("r7k ") + QCoreApplication::applicationVersion());
        return Exit_ok;
    }
    for (const Verb &verb : Verbs)
        if (first == QLatin1String(verb.name))
            return verb.run(arguments.mid(1));
    return Fail(Exit_usage, In_language({QStringLiteral("未知的动作“%1”。参见“r7k --help”。"),
                                         QStringLiteral("Unknown verb '%1'. See 'r7k --help'.")})
                                .arg(first));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The data folder, and the backups in it, are those of r7k-cps.
    QCoreApplication::setApplicationName(QStringLiteral("r7k-cps"));
    QCoreApplication::setApplicationVersion(QStringLiteral(R7K_VERSION));
    // Messages follow the environment's language; the tables the channel
    // texts come from are filled in English, as the program's start-up fills
    // them, so that what the tool shows of a file reads the same everywhere.
    r7k::Language = false;
    r7k::Init_tone_table();
    r7k::Init_model_table();
    return run(QCoreApplication::arguments().mid(1));
}
