#include "app/command_line.h"

#include "link/port_map.h"

#include <QCommandLineParser>

namespace r7k {

namespace {

const QString Port_option = QStringLiteral("port");
const QString Demo_option = QStringLiteral("demo");
const QString Help_option = QStringLiteral("help");
const QString Version_option = QStringLiteral("version");

// Maps the port that `argument` names; the reason when it cannot.
QString map_port(const QString &argument, bool demo)
{
    const std::optional<Port_map::Mapping> mapping = Port_map::Parse_mapping(argument);
    if (!mapping)
        return QStringLiteral("--port takes COMn=PATH (for example COM1=/dev/ttyUSB0), not '%1'.")
            .arg(argument);
    if (mapping->port_no < Port_map::First_port || mapping->port_no > Port_map::Last_port)
        return QStringLiteral("--port %1: there is no port %2; the ports are COM%3 to COM%4.")
            .arg(argument, argument.section(QLatin1Char('='), 0, 0).toUpper())
            .arg(Port_map::First_port)
            .arg(Port_map::Last_port);
    if (demo && mapping->port_no == Port_map::First_port)
        return QStringLiteral("--demo uses COM1 for the simulated radio; map other ports with "
                              "--port.");
    Port_map::Set_mapping(mapping->port_no, mapping->device);
    return {};
}

} // namespace

QString Command_line_usage()
{
    return QStringLiteral(
        "Usage: r7k-cps [options] [FILE.chann]\n"
        "Programming software for R7K radios. FILE.chann, when given, is loaded at start.\n"
        "\n"
        "  --port COMn=PATH   use the serial device PATH as port COMn (n = 1..8);\n"
        "                     may be given once for each port\n"
        "  --demo             start a simulated radio and use it as COM1\n"
        "  --version          show the program's version\n"
        "  -h, --help         show this text\n");
}

QString Version_line()
{
    return QStringLiteral("r7k-cps " R7K_VERSION);
}

Command_line Read_command_line(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({Port_option, QString(), QStringLiteral("COMn=PATH")});
    parser.addOption({Demo_option, QString()});
    parser.addOption({{QStringLiteral("h"), Help_option}, QString()});
    parser.addOption({Version_option, QString()});

    Command_line line;
    if (!parser.parse(QStringList{QStringLiteral("r7k-cps")} + arguments)) {
        line.error = parser.errorText();
        return line;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        line.error = QStringLiteral("give one channel file, not both '%1' and '%2'.")
                         .arg(files[0], files[1]);
        return line;
    }
    line.file = files.value(0);
    line.help = parser.isSet(Help_option);
    line.version = parser.isSet(Version_option);
    line.demo = parser.isSet(Demo_option);
    for (const QString &argument : parser.values(Port_option)) {
        line.error = map_port(argument, line.demo);
        if (!line.error.isEmpty())
            return line;
    }
    return line;
}

} // namespace r7k
