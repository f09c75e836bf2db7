#include "cli/report.h"

#include "core/environment_language.h"

#include <cstdio>

namespace r7k::cli {

int Fail(Exit_status status, const QString &message)
{
    std::fprintf(stderr, "r7k: %s\n", Visible(One_line(message)).toUtf8().constData());
    std::fflush(stderr);
    return status;
}

int Fail(Exit_status status, const Bilingual &message)
{
    return Fail(status, In_language(message));
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

void Say_table(const QList<QStringList> &cells, bool tabs)
{
    constexpr int Column_gap = 2;
    // Names come from a file: their control characters are shown, not sent.
    QList<QStringList> rows = cells;
    for (QStringList &row : rows)
        for (QString &cell : row)
            cell = Visible(cell);
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
