#include "cli/report.h"

#include <cstdio>

namespace r7k::cli {

int Fail(Exit_status status, const QString &message)
{
    std::fprintf(stderr, "r7k: %s\n", One_line(message).toUtf8().constData());
    std::fflush(stderr);
    return status;
}

QString One_line(const QString &text)
{
    return text.section(QStringLiteral("\n\n"), 0, 0).simplified();
}

void Say(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace r7k::cli
