// r7k export-csv: the programmed channels of a channel file as a CSV list
// that other programming software reads.

#include "cli/exit_status.h"
#include "cli/image_file.h"
#include "cli/report.h"
#include "cli/verb_line.h"
#include "cli/verbs.h"
#include "files/channel_csv.h"

namespace r7k::cli {

namespace {

const QString Help =
    QStringLiteral("Usage: r7k export-csv FILE.chann -o OUT.csv\n"
                   "Writes the programmed channels of the channel file FILE.chann to OUT.csv, in\n"
                   "the generic CSV form of CHIRP and other programming software: one line a\n"
                   "channel with its frequencies, tones, bandwidth, power (5.0W High, 1.0W Low)\n"
                   "and name. VOX is not carried.\n"
                   "\n"
                   "  -o, --output OUT.csv   the CSV file to write\n"
                   "  -h, --help             show this text\n"
                   "\n"
                   "Exit status: 0 exported, 2 bad command line, 3 a file cannot be read or\n"
                   "written, or holds a bad value.\n");

} // namespace

int Run_export_csv(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("export-csv"), Help,
                   QStringLiteral("The channel FILE to export is missing."));
    const QCommandLineOption output_option({QStringLiteral("o"), QStringLiteral("output")},
                                           QString(), QStringLiteral("OUT.csv"));
    line.parser.addOption(output_option);
    if (const std::optional<int> status = line.parse(arguments, 1, 1))
        return *status;
    if (!line.parser.isSet(output_option))
        return line.usage_error(QStringLiteral("-o OUT.csv is missing."));
    const QString path = line.parser.positionalArguments().first();
    const QString output = line.parser.value(output_option);
    if (const std::optional<QString> problem = Same_file(path, output))
        return line.usage_error(*problem);

    Data_image image;
    if (const std::optional<QString> problem = Load_image(path, image))
        return Fail(Exit_file, *problem);
    const Channel_file::Outcome written = Channel_csv::Export_file(image, output);
    if (const std::optional<QString> problem = File_problem(output, written))
        return Fail(Exit_file, *problem);
    Say(output + QStringLiteral(": ") + written.message.english);
    return Exit_ok;
}

} // namespace r7k::cli
