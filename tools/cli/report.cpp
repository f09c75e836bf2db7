#include "cli/report.h"

#include <cstdio>

namespace r7k::cli {

int Fail(Exit_status status, const QString &message)
{
    std::fprintf(stderr, "r7k: %s\n", message.toUtf8().constData());
    std::fflush(stderr);
    return status;
}

void Say(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace r7k::cli
