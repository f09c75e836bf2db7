#pragma once

#include <QFileDialog>
#include <QPrintPreviewDialog>

namespace r7k {

// Form_print_sheet: the channel sheet as it will be printed; its Print button
// opens the system's print dialog.
class Sheet_print_dialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit Sheet_print_dialog(QWidget *parent);
};

// Form_export_pdf: asks for a PDF file and writes the channel sheet into it.
class Sheet_export_dialog : public QFileDialog {
    Q_OBJECT
public:
    explicit Sheet_export_dialog(QWidget *parent);

private:
    void write(const QString &path);
};

} // namespace r7k
