#include "cli/report.h"

#include "core/environment_language.h"

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

void Say_table(const QList<QStringList> &rows, bool tabs)
{
    constexpr int Column_gap = 2;
    QList<int> widths;
    for (const QStringList &row : rows)
        for (qsizetype column = 0; column < row.size(); ++column) {
            if (widths.size() <= column)
                widths.append(0);
            widths[column] = qMax(widths[column], int(row[column].size()));
        }
    for (const QStringList &row : rows) {
        if (tabs) {
            Say(row.join(QLatin1Char('\t')));
            continue;
        }
        QString text;
        for (qsizetype column = 0; column < row.size(); ++column)
            text += row[column].leftJustified(widths[column] + Column_gap);
        Say(text.trimmed());
    }
}

QString In_language(const Bilingual &text)
{
    return Environment_prefers_chinese() ? text.chinese : text.english;
}

} // namespace r7k::cli
