#pragma once

#include "ui/file_command_dialog.h"

#include <QPrintPreviewDialog>

namespace r7k {

// Form_print_sheet: the channel sheet as it will be printed; its Print button
// opens the system's print dialog.
class Sheet_print_dialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit Sheet_print_dialog(QWidget *parent);

private:
    void fit_toolbar_on_screen();
};

// Form_export_pdf: asks for a PDF file and writes the channel sheet into it.
class Sheet_export_dialog : public File_command_dialog {
    Q_OBJECT
public:
    explicit Sheet_export_dialog(QWidget *parent);

private:
    void file_chosen(const QString &path) override;
};

} // namespace r7k
