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
    "Usage: r7k show [--tsv] FILE\n"
    "Shows the channel file FILE: its programmed channels as a table with the\n"
    "columns of the channel table, then the optional features, the frequency mode\n"
    "and the transmit power levels in words.\n"
    "\n"
    "  --tsv        for scripts: the channels one a line with a header line, the\n"
    "               columns separated by tabs; after an empty line the settings as\n"
    "               lines of section, setting and value, separated by tabs\n"
    "  -h, --help   show this text\n"
    "\n"
    "Exit status: 0 shown, 2 bad command line, 3 the file cannot be read or holds a\n"
    "bad value.\n");

} // namespace

int Run_show(const QStringList &arguments)
{
    Verb_line line(
        QStringLiteral("show"), Help,
        {QStringLiteral("缺少要显示的文件。"), QStringLiteral("The FILE to show is missing.")});
    const QCommandLineOption tsv_option(QStringLiteral("tsv"), QString());
    line.parser.addOption(tsv_option);
    if (const std::optional<int> status = line.parse(arguments, 1, 1))
        return *status;
    const bool tsv = line.parser.isSet(tsv_option);
    const QString path = line.parser.positionalArguments().first();
    Data_image image;
    if (const std::optional<QString> problem = Load_image(path, image))
        return Fail(Exit_file, *problem);

    const QList<QStringList> table = Channel_table_rows(image);
    if (table.size() == 1 && !tsv)
        Say(In_language(
            {QStringLiteral("没有编程的信道。"), QStringLiteral("No channel is programmed.")}));
    else
        Say_table(table, tsv);

    const QList<Image_field> fields = Setting_fields(image);
    if (tsv) {
        QList<QStringList> settings;
        for (const Image_field &field : fields)
            settings.append({field.section, field.name, field.value});
        Say(QString());
        Say_table(settings, true);
        return Exit_ok;
    }
    QString section;
    int width = 0;
    for (const Image_field &field : fields)
        width = qMax(width, int(field.name.size()));
    for (const Image_field &field : fields) {
        if (field.section != section) {
            section = field.section;
            Say(QString());
            Say(section + QLatin1Char(':'));
        }
        Say(QStringLiteral("  ") + field.name.leftJustified(width + 2) + field.value);
    }
    return Exit_ok;
}

} // namespace r7k::cli
