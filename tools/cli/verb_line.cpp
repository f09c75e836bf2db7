#include "cli/verb_line.h"

#include "cli/exit_status.h"
#include "cli/report.h"

#include <cstdio>

namespace r7k::cli {

Verb_line::Verb_line(const QString &verb_name, const QString &help_text,
                     const QString &missing_text)
    : verb(verb_name), help(help_text), missing(missing_text)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
}

std::optional<int> Verb_line::parse(const QStringList &arguments, qsizetype least, qsizetype most)
{
    if (!parser.parse(QStringList{QStringLiteral("r7k")} + arguments))
        return usage_error(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(help.toUtf8().constData(), stdout);
        return Exit_ok;
    }
    // Only --port names one of several things; any other value given twice
    // leaves it open which one was meant.
    for (const QString &name : parser.optionNames())
        if (name != QLatin1String("port") && parser.values(name).size() > 1)
            return usage_error(
                QStringLiteral("%1%2 is given more than once.")
                    .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
    const QStringList plain = parser.positionalArguments();
    if (plain.size() < least)
        return usage_error(missing);
    if (plain.contains(QString()))
        return usage_error(QStringLiteral("A file name is empty."));
    if (plain.size() > most)
        return usage_error(QStringLiteral("Unexpected argument '%1'.").arg(plain[most]));
    return std::nullopt;
}

int Verb_line::usage_error(const QString &message) const
{
    return Fail(Exit_usage, QStringLiteral("%1: %2 See 'r7k %1 --help'.").arg(verb, message));
}

} // namespace r7k::cli
