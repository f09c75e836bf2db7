// r7k export-csv: the programmed channels of a channel file as a CSV list
// that other programming software reads.

#include "cli/exit_status.h"
#include "cli/image_file.h"
#include "cli/model_argument.h"
#include "cli/report.h"
#include "cli/verb_line.h"
#include "cli/verbs.h"
#include "csv/csv_export.h"

namespace r7k::cli {

namespace {

const QString Help = QStringLiteral(
    "Usage: r7k export-csv FILE.chann -o OUT.csv [--bom] [--model M]\n"
    "Writes the programmed channels of the channel file FILE.chann to OUT.csv, in\n"
    "the generic CSV form of CHIRP and other programming software: one line a\n"
    "channel with its frequencies, tones, bandwidth, power (5.0W High, 1.0W Low)\n"
    "and name. VOX is not carried. Channels that will not come back on import\n"
    "into the model (a frequency outside its band, a name other programs cannot\n"
    "read) are exported and listed.\n"
    "\n"
    "  -o, --output OUT.csv   the CSV file to write\n"
    "  --bom                  for spreadsheets: begin with a byte-order mark, which\n"
    "                         they need to show UTF-8 names right (older CHIRP\n"
    "                         versions cannot read it)\n"
    "  --model M              the model whose band the frequencies are checked\n"
    "                         against: its number 0..6 or its name (default 0)\n"
    "  -h, --help             show this text\n"
    "\n"
    "Exit status: 0 exported, 2 bad command line, 3 a file cannot be read or\n"
    "written, or holds a bad value.\n");

} // namespace

int Run_export_csv(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("export-csv"), Help,
                   {QStringLiteral("缺少要导出的信道文件。"),
                    QStringLiteral("The channel FILE to export is missing.")});
    const QCommandLineOption output_option({QStringLiteral("o"), QStringLiteral("output")},
                                           QString(), QStringLiteral("OUT.csv"));
    const QCommandLineOption bom_option(QStringLiteral("bom"));
    const QCommandLineOption model_option(QStringLiteral("model"), QString(), QStringLiteral("M"));
    line.parser.addOptions({output_option, bom_option, model_option});
    if (const std::optional<int> status = line.parse(arguments, 1, 1))
        return *status;
    if (!line.parser.isSet(output_option))
        return line.usage_error(Bilingual{QStringLiteral("缺少 -o OUT.csv。"),
                                          QStringLiteral("-o OUT.csv is missing.")});
    const std::optional<int> model =
        line.parser.isSet(model_option) ? Model_named(line.parser.value(model_option)) : 0;
    if (!model)
        return line.usage_error(Not_a_model(line.parser.value(model_option)));
    const QString path = line.parser.positionalArguments().first();
    const QString output = line.parser.value(output_option);
    if (const std::optional<QString> problem = Same_file(path, output))
        return line.usage_error(*problem);

    Data_image image;
    if (const std::optional<QString> problem = Load_image(path, image))
        return Fail(Exit_file, *problem);
    const Channel_file::Outcome written = Channel_csv::Export_file(
        image, output, *model,
        line.parser.isSet(bom_option) ? Channel_csv::Form::Spreadsheet : Channel_csv::Form::Plain);
    if (const std::optional<QString> problem = File_problem(output, written))
        return Fail(Exit_file, *problem);
    for (const QString &warning : In_language(written.details).split(u'\n', Qt::SkipEmptyParts))
        Say(output + QStringLiteral(": ") + warning);
    Say(output + QStringLiteral(": ") + In_language(written.message));
    return Exit_ok;
}

} // namespace r7k::cli
