// r7k show: a channel file as a readable table and the settings in words.

#include "cli/exit_status.h"
#include "cli/image_file.h"
#include "cli/image_words.h"
#include "cli/report.h"
#include "cli/verb_line.h"
#include "cli/verbs.h"

namespace r7k::cli {

namespace {

const QString Help = QStringLiteral(
    "Usage: r7k show FILE\n"
    "Shows the channel file FILE: its programmed channels as a table with the\n"
    "columns of the channel table, then the optional features, the frequency mode\n"
    "and the transmit power levels in words.\n"
    "\n"
    "  -h, --help   show this text\n"
    "\n"
    "Exit status: 0 shown, 2 bad command line, 3 the file cannot be read or holds a\n"
    "bad value.\n");

constexpr int Column_gap = 2;

// Names come from a file: their control characters are shown, not sent.
void print_table(QList<QStringList> rows)
{
    for (QStringList &row : rows)
        for (QString &cell : row)
            cell = Visible(cell);
    QList<int> widths(rows.first().size(), 0);
    for (const QStringList &row : rows)
        for (qsizetype column = 0; column < row.size(); ++column)
            widths[column] = qMax(widths[column], int(row[column].size()));
    for (const QStringList &row : rows) {
        QString text;
        for (qsizetype column = 0; column < row.size(); ++column)
            text += row[column].leftJustified(widths[column] + Column_gap);
        Say(text.trimmed());
    }
}

} // namespace

int Run_show(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("show"), Help, QStringLiteral("The FILE to show is missing."));
    if (const std::optional<int> status = line.parse(arguments, 1, 1))
        return *status;
    const QString path = line.parser.positionalArguments().first();
    Data_image image;
    if (const std::optional<QString> problem = Load_image(path, image))
        return Fail(Exit_file, *problem);

    const QList<QStringList> table = Channel_table_rows(image);
    if (table.size() == 1)
        Say(QStringLiteral("No channel is programmed."));
    else
        print_table(table);

    QString section;
    int width = 0;
    const QList<Image_field> fields = Setting_fields(image);
    for (const Image_field &field : fields)
        width = qMax(width, int(field.name.size()));
    for (const Image_field &field : fields) {
        if (field.section != section) {
            section = field.section;
            Say(QString());
            Say(section + QLatin1Char(':'));
        }
        Say(QStringLiteral("  ") + field.name.leftJustified(width + Column_gap) + field.value);
    }
    return Exit_ok;
}

} // namespace r7k::cli
