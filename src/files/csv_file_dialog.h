#pragma once

#include "core/bilingual.h"
#include "ui/file_command_dialog.h"

namespace r7k {

class Window_host;

// The file dialog of a CSV export or import: CSV files, or all files.
class Csv_file_dialog : public File_command_dialog {
    Q_OBJECT
protected:
    Csv_file_dialog(QWidget *parent, const char *name, const Bilingual &caption, AcceptMode mode);
};

// Writes the programmed channels of the image to a CSV file.
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

// Replaces all 128 channels of the image by those of the CSV file at
// `path`, after asking, and reports every row it could not take: what
// File > Import CSV does with the file chosen.
void Import_csv_file(const QString &path);

// Replaces all 128 channels of the image by those of a CSV file, after
// asking, and reports every row it could not take.
class Csv_import_dialog final : public Csv_file_dialog {
    Q_OBJECT
public:
    explicit Csv_import_dialog(QWidget *parent = nullptr);

private:
    void file_chosen(const QString &path) override;
};

} // namespace r7k
