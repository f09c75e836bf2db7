#include "cli/verb_line.h"

#include "cli/exit_status.h"
#include "cli/report.h"

#include <cstdio>

namespace r7k::cli {

Verb_line::Verb_line(const QString &verb_name, const QString &help_text,
                     const Bilingual &missing_text)
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
        if (name != QLatin1String("port") && parser.values(name).size() > 1) {
            const QString option =
                (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
            return usage_error({QStringLiteral("%1 给了不止一次。").arg(option),
                                QStringLiteral("%1 is given more than once.").arg(option)});
        }
    const QStringList plain = parser.positionalArguments();
    if (plain.size() < least)
        return usage_error(missing);
    if (plain.contains(QString()))
        return usage_error(
            {QStringLiteral("文件名为空。"), QStringLiteral("A file name is empty.")});
    if (plain.size() > most)
        return usage_error({QStringLiteral("多余的参数“%1”。").arg(plain[most]),
                            QStringLiteral("Unexpected argument '%1'.").arg(plain[most])});
    return std::nullopt;
}

int Verb_line::usage_error(const QString &message) const
{
    return Fail(Exit_usage, In_language({QStringLiteral("%1：%2 参见“r7k %1 --help”。"),
                                         QStringLiteral("%1: %2 See 'r7k %1 --help'.")})
                                .arg(verb, message));
}

int Verb_line::usage_error(const Bilingual &message) const
{
    return usage_error(In_language(message));
}

} // namespace r7k::cli
