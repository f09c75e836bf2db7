// r7k import-csv: a CSV channel list of other programming software into a
// channel file, through the same rules as typing into the channel table.

#include "cli/exit_status.h"
#include "cli/image_file.h"
#include "cli/model_argument.h"
#include "cli/report.h"
#include "cli/verb_line.h"
#include "cli/verbs.h"
#include "csv/csv_import.h"

namespace r7k::cli {

namespace {

const QString Help = QStringLiteral(
    "Usage: r7k import-csv IN.csv -o FILE.chann [--base BASE.chann] [--model M]\n"
    "                      [--encoding E]\n"
    "Reads the channels of the CSV list IN.csv (the generic form of CHIRP and other\n"
    "programming software) into the channel file FILE.chann. Frequencies must lie\n"
    "in the band of the model and are snapped to the channel grid; tones must be in\n"
    "the tone table; names must be GBK. Each row that cannot be taken is skipped;\n"
    "each skipped row, snapped frequency and name that could not be kept is listed.\n"
    "\n"
    "  -o, --output FILE.chann   the channel file to write\n"
    "  --base BASE.chann         start from this file and replace only the channels\n"
    "                            the list holds (they keep their VOX); without it the\n"
    "                            list's channels replace all 128 of a fresh image\n"
    "  --model M                 the model whose band holds the frequencies: its\n"
    "                            number 0..6 or its name (default 0, R7K, from 136 MHz\n"
    "                            up to, but not including, 470 MHz)\n"
    "  --encoding E              utf-8, gbk, windows-1252 or auto (the default: a\n"
    "                            byte-order mark, or what the text holds, decides)\n"
    "  -h, --help                show this text\n"
    "\n"
    "Exit status: 0 imported, 2 bad command line, 3 a file cannot be read or\n"
    "written, or the list holds no channel that can be imported.\n");

} // namespace

int Run_import_csv(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("import-csv"), Help,
                   {QStringLiteral("缺少要导入的 CSV 文件。"),
                    QStringLiteral("The CSV file to import is missing.")});
    const QCommandLineOption output_option({QStringLiteral("o"), QStringLiteral("output")},
                                           QString(), QStringLiteral("FILE.chann"));
    const QCommandLineOption base_option(QStringLiteral("base"), QString(),
                                         QStringLiteral("BASE.chann"));
    const QCommandLineOption model_option(QStringLiteral("model"), QString(), QStringLiteral("M"));
    const QCommandLineOption encoding_option(QStringLiteral("encoding"), QString(),
                                             QStringLiteral("E"));
    line.parser.addOptions({output_option, base_option, model_option, encoding_option});
    if (const std::optional<int> status = line.parse(arguments, 1, 1))
        return *status;
    if (!line.parser.isSet(output_option))
        return line.usage_error(Bilingual{QStringLiteral("缺少 -o FILE.chann。"),
                                          QStringLiteral("-o FILE.chann is missing.")});
    const std::optional<int> model =
        line.parser.isSet(model_option) ? Model_named(line.parser.value(model_option)) : 0;
    if (!model)
        return line.usage_error(Not_a_model(line.parser.value(model_option)));
    const std::optional<Csv_encoding> encoding =
        line.parser.isSet(encoding_option) ? Encoding_named(line.parser.value(encoding_option))
                                           : Csv_encoding::Auto;
    if (!encoding)
        return line.usage_error(
            In_language(
                {QStringLiteral("--encoding 取 utf-8、gbk、windows-1252 或 auto，而不是“%1”。"),
                 QStringLiteral("--encoding takes utf-8, gbk, windows-1252 or auto, not "
                                "'%1'.")})
                .arg(line.parser.value(encoding_option)));
    const QString path = line.parser.positionalArguments().first();
    const QString output = line.parser.value(output_option);
    if (const std::optional<QString> problem = Same_file(path, output))
        return line.usage_error(*problem);

    Data_image image;
    Reset_image(image);
    const bool based = line.parser.isSet(base_option);
    if (based)
        if (const std::optional<QString> problem =
                Load_image(line.parser.value(base_option), image))
            return Fail(Exit_file, *problem);

    const Channel_csv::Report report = Channel_csv::Import_file(
        image, path, based ? Channel_csv::Scope::Listed_channels : Channel_csv::Scope::All_channels,
        *model, *encoding);
    for (const Bilingual &note : report.notes)
        Say(path + QStringLiteral(": ") + In_language(note));
    if (report.ambiguous())
        Say(In_language({QStringLiteral("%1：按 UTF-8 读出的名称（%2）也可能是 GBK（%3）；"
                                        "--encoding gbk 按 GBK 读。"),
                         QStringLiteral("%1: the names read as UTF-8 (%2) could also be GBK "
                                        "(%3); --encoding gbk reads them so.")})
                .arg(path, report.utf8_names.join(QStringLiteral(", ")),
                     report.gbk_names.join(QStringLiteral(", "))));
    if (!report.imported)
        return Fail(Exit_file, *File_problem(path, Channel_file::Outcome::failure(report.failure,
                                                                                  report.details)));
    if (const std::optional<QString> problem = Save_image(output, image))
        return Fail(Exit_file, *problem);
    Say(In_language({QStringLiteral("%1：%2 已写入 %3。"), QStringLiteral("%1: %2 Written to %3.")})
            .arg(path, In_language(Channel_csv::Summary(report)), output));
    return Exit_ok;
}

} // namespace r7k::cli
