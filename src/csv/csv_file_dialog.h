#pragma once

#include "core/bilingual.h"
#include "ui/file_command_dialog.h"

namespace r7k {

class Image_history;
class Window_host;

// The file dialog of a CSV export or import: CSV files, or all files.
class Csv_file_dialog : public File_command_dialog {
    Q_OBJECT
protected:
    Csv_file_dialog(QWidget *parent, const char *name, const Bilingual &caption, AcceptMode mode,
                    const QList<Bilingual> &filters);
};

// Writes the programmed channels of the image to a CSV file, as the other
// program reads it or, as a file type of its own, for spreadsheets.
class Csv_export_dialog final : public Csv_file_dialog {
    Q_OBJECT
public:
    // The unfinished edits of the windows of `window_host` are stored in the
    // image first.
    Csv_export_dialog(QWidget *parent, Window_host &window_host);

private:
    void file_chosen(const QString &path) override;

    Window_host &host;
};

// What File > Import CSV does with the file chosen: replaces the channels of
// the image by those of the CSV file at `path`, after asking (and asking which
// encoding is right when the names read well both as UTF-8 and as GBK), and
// reports every row it could not take. A listed channel keeps what the file
// does not carry. The import is one step of `history`.
void Import_csv_file(const QString &path, Image_history &history);

// File > Import CSV: the file dialog, then Import_csv_file.
class Csv_import_dialog final : public Csv_file_dialog {
    Q_OBJECT
public:
    Csv_import_dialog(QWidget *parent, Image_history &of_history);

private:
    void file_chosen(const QString &path) override;

    Image_history &history;
};

} // namespace r7k
