#include "csv/csv_file_dialog.h"

#include "core/globals.h"
#include "core/image.h"
#include "core/image_history.h"
#include "csv/csv_export.h"
#include "csv/csv_import.h"
#include "ui/messages.h"
#include "ui/window_host.h"

namespace r7k {

namespace {

const Bilingual Export_caption{QStringLiteral("导出 CSV"), QStringLiteral("Export CSV")};
const Bilingual Import_caption{QStringLiteral("导入 CSV"), QStringLiteral("Import CSV")};
const Bilingual Import_step{QStringLiteral("导入 CSV"), QStringLiteral("Import CSV")};
const Bilingual Csv_files{QStringLiteral("CSV 文件 (*.csv *.CSV)"),
                          QStringLiteral("CSV files (*.csv *.CSV)")};
const Bilingual Spreadsheet_files{QStringLiteral("电子表格用 CSV 文件 (*.csv *.CSV)"),
                                  QStringLiteral("CSV for spreadsheets (*.csv *.CSV)")};
const Bilingual All_files{QStringLiteral("所有文件 (*)"), QStringLiteral("All files (*)")};
const Bilingual Replace_all{
    QStringLiteral("导入将用 CSV 文件中的信道替换全部 128 个信道：文件中的信道保留原有的声控及 CSV "
                   "文件不含的设置，文件中没有的信道将被清空。是否继续？"),
    QStringLiteral("Importing replaces all 128 channels with those of the CSV file: the channels "
                   "in the file keep their VOX and the settings a CSV file does not carry, the "
                   "channels not in the file are emptied. Continue?")};

// Which reading of a file's names is right, when both look like names.
Bilingual which_encoding(const Channel_csv::Report &probe)
{
    const QString utf8 = probe.utf8_names.join(QStringLiteral(", "));
    const QString gbk = probe.gbk_names.join(QStringLiteral(", "));
    return {QStringLiteral("CSV 文件中的名称可按两种编码读取：\nUTF-8：%1\nGBK：%2\n按 GBK "
                           "读取吗？（选“否”则按 UTF-8 读取。）")
                .arg(utf8, gbk),
            QStringLiteral("The names of the CSV file read in two ways:\nUTF-8: %1\nGBK: %2\n"
                           "Read the file as GBK? (No reads it as UTF-8.)")
                .arg(utf8, gbk)};
}

QString notes_text(const QList<Bilingual> &notes)
{
    QStringList lines;
    for (const Bilingual &note : notes)
        lines.append(note.text());
    return lines.join(u'\n');
}

} // namespace

Csv_file_dialog::Csv_file_dialog(QWidget *parent, const char *name, const Bilingual &caption,
                                 AcceptMode mode, const QList<Bilingual> &filters)
    : File_command_dialog(parent, name, caption, mode, filters, QStringLiteral("csv"))
{}

Csv_export_dialog::Csv_export_dialog(QWidget *parent, Window_host &window_host)
    : Csv_file_dialog(parent, "Form_export_csv", Export_caption, AcceptSave,
                      {Csv_files, Spreadsheet_files, All_files}),
      host(window_host)
{}

void Csv_export_dialog::file_chosen(const QString &path)
{
    host.commit_pending_edits();
    const Channel_file::Outcome outcome = Channel_csv::Export_file(
        chann, path, Model_no,
        selectedNameFilter() == Spreadsheet_files.text() ? Channel_csv::Form::Spreadsheet
                                                         : Channel_csv::Form::Plain);
    Messages::show(outcome.message, outcome.details.text());
}

Csv_import_dialog::Csv_import_dialog(QWidget *parent, Image_history &of_history)
    : Csv_file_dialog(parent, "Form_import_csv", Import_caption, AcceptOpen,
                      {Csv_files, All_files}),
      history(of_history)
{}

void Csv_import_dialog::file_chosen(const QString &path)
{
    Import_csv_file(path, history);
}

void Import_csv_file(const QString &path, Image_history &history)
{
    if (!Messages::ask(Replace_all))
        return;
    Csv_encoding encoding = Csv_encoding::Auto;
    {
        Data_image trial = chann;
        const Channel_csv::Report probe =
            Channel_csv::Import_file(trial, path, Channel_csv::Scope::All_channels, Model_no);
        if (probe.ambiguous())
            encoding =
                Messages::ask(which_encoding(probe)) ? Csv_encoding::Gbk : Csv_encoding::Utf8;
    }
    Channel_csv::Report report;
    {
        const Image_step step(history, Import_step);
        report = Channel_csv::Import_file(chann, path, Channel_csv::Scope::All_channels, Model_no,
                                          encoding);
        if (report.imported)
            Image_origin = {Image_source::File, path};
    }
    // A file that could not be read has its reason and no notes.
    Messages::show(Channel_csv::Summary(report), report.details == Bilingual()
                                                     ? notes_text(report.notes)
                                                     : report.details.text());
}

} // namespace r7k
