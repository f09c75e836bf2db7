#include "cli/report.h"

#include <cstdio>

namespace r7k::cli {

int Fail(Exit_status status, const QString &message)
{
    std::fprintf(stderr, "r7k: %s\n", Visible(One_line(message)).toUtf8().constData());
    std::fflush(stderr);
    return status;
}

QString One_line(const QString &text)
{
    return text.section(QStringLiteral("\n\n"), 0, 0).simplified();
}

QString Visible(const QString &text)
{
    QString shown;
    for (const QChar ch : text) {
        if (ch.isPrint() || ch == QLatin1Char(' '))
            shown += ch;
        else if (ch.unicode() < 0x100)
            shown += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
    }
    return shown;
}

void Say(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace r7k::cli
