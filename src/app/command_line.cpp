#include "app/command_line.h"

#include "link/port_map.h"

#include <QCommandLineParser>

namespace r7k {

namespace {

const QString Port_option = QStringLiteral("port");
const QString Demo_option = QStringLiteral("demo");
const QString Help_option = QStringLiteral("help");

} // namespace

QString Command_line_usage()
{
    return QStringLiteral(
        "Usage: r7k-cps [options]\n"
        "Programming software for R7K radios.\n"
        "\n"
        "  --port COMn=PATH   use the serial device PATH as port COMn (n = 1..8);\n"
        "                     may be given once for each port\n"
        "  --demo             start a simulated radio and use it as COM1\n"
        "  --help             show this text\n");
}

Command_line Read_command_line(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({Port_option, QString(), QStringLiteral("COMn=PATH")});
    parser.addOption({Demo_option, QString()});
    parser.addOption({Help_option, QString()});

    Command_line line;
    if (!parser.parse(QStringList{QStringLiteral("r7k-cps")} + arguments)) {
        line.error = parser.errorText();
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.error =
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
        return line;
    }
    line.help = parser.isSet(Help_option);
    line.demo = parser.isSet(Demo_option);
    for (const QString &mapping : parser.values(Port_option)) {
        if (!Port_map::Set_mapping_from_argument(mapping)) {
            line.error =
                QStringLiteral("--port takes COMn=PATH with n from 1 to 8, not '%1'.").arg(mapping);
            return line;
        }
        if (line.demo && mapping.startsWith(QLatin1String("COM1="), Qt::CaseInsensitive)) {
            line.error = QStringLiteral("--demo uses COM1 for the simulated radio; map other "
                                        "ports with --port.");
            return line;
        }
    }
    return line;
}

} // namespace r7k
