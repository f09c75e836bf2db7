#include "files/csv_file_dialog.h"

#include "core/globals.h"
#include "core/image.h"
#include "core/image_history.h"
#include "files/channel_csv.h"
#include "ui/messages.h"
#include "ui/window_host.h"

namespace r7k {

namespace {

const Bilingual Export_caption{QStringLiteral("导出 CSV"), QStringLiteral("Export CSV")};
const Bilingual Import_caption{QStringLiteral("导入 CSV"), QStringLiteral("Import CSV")};
const Bilingual Csv_files{QStringLiteral("CSV 文件 (*.csv *.CSV)"),
                          QStringLiteral("CSV files (*.csv *.CSV)")};
const Bilingual All_files{QStringLiteral("所有文件 (*)"), QStringLiteral("All files (*)")};
const Bilingual Replace_all{
    QStringLiteral("导入将用 CSV 文件中的信道替换全部 128 个信道，是否继续？"),
    QStringLiteral("Importing replaces all 128 channels with those of the CSV file. Continue?")};

QString notes_text(const QList<Bilingual> &notes)
{
    QStringList lines;
    for (const Bilingual &note : notes)
        lines.append(note.text());
    return lines.join(u'\n');
}

} // namespace

Csv_file_dialog::Csv_file_dialog(QWidget *parent, const char *name, const Bilingual &caption,
                                 AcceptMode mode)
    : File_command_dialog(parent, name, caption, mode, {Csv_files, All_files},
                          QStringLiteral("csv"))
{}

Csv_export_dialog::Csv_export_dialog(QWidget *parent, Window_host &window_host)
    : Csv_file_dialog(parent, "Form_export_csv", Export_caption, AcceptSave), host(window_host)
{}

void Csv_export_dialog::file_chosen(const QString &path)
{
    host.commit_pending_edits();
    const Channel_file::Outcome outcome = Channel_csv::Export_file(chann, path);
    Messages::show(outcome.message, outcome.details.text());
}

Csv_import_dialog::Csv_import_dialog(QWidget *parent)
    : Csv_file_dialog(parent, "Form_import_csv", Import_caption, AcceptOpen)
{}

void Csv_import_dialog::file_chosen(const QString &path)
{
    Import_csv_file(path);
}

void Import_csv_file(const QString &path)
{
    if (!Messages::ask(Replace_all))
        return;
    Channel_csv::Report report;
    {
        const Image_step step;
        report = Channel_csv::Import_file(chann, path, Channel_csv::Scope::All_channels);
    }
    if (report.imported)
        Image_origin = {Image_source::File, path};
    // A file that could not be read has its reason and no notes.
    Messages::show(Channel_csv::Summary(report), report.details == Bilingual()
                                                     ? notes_text(report.notes)
                                                     : report.details.text());
}

} // namespace r7k
