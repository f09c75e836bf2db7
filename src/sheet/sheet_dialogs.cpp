#include "sheet/sheet_dialogs.h"

#include "core/bilingual.h"
#include "core/globals.h"
#include "sheet/sheet_content.h"
#include "sheet/sheet_printer.h"
#include "ui/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>

namespace r7k {

namespace {

const Bilingual Print_caption{QStringLiteral("打印信道表"), QStringLiteral("Print Channel Sheet")};
const Bilingual Export_caption{QStringLiteral("导出 PDF"), QStringLiteral("Export PDF")};
const Bilingual Pdf_files{QStringLiteral("PDF 文件 (*.pdf)"), QStringLiteral("PDF files (*.pdf)")};
const QString Default_name = QStringLiteral("channels.pdf");

// Beside the channel file the image came from, named after it.
QString suggested_path()
{
    if (Image_origin.kind != Image_source::File)
        return QDir::current().filePath(Default_name);
    const QFileInfo file(Image_origin.file);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
}

} // namespace

Sheet_print_dialog::Sheet_print_dialog(QWidget *parent) : QPrintPreviewDialog(parent)
{
    setObjectName(QStringLiteral("Form_print_sheet"));
    setWindowTitle(Print_caption.text());
    setWindowModality(Qt::ApplicationModal);
    printer()->setPageLayout(Sheet_page_layout());
    connect(this, &QPrintPreviewDialog::paintRequested, this, [](QPrinter *printer) {
        Paint_channel_sheet(*printer, Make_channel_sheet(QDate::currentDate()));
    });
    fit_toolbar_on_screen();
}

// The preview's toolbar ends with Print; a dialog narrower than the toolbar
// folds Print away behind the toolbar's extension button. The dialog is made
// wide enough for the whole toolbar, and tall enough to show a page, within
// the screen.
void Sheet_print_dialog::fit_toolbar_on_screen()
{
    const QRect room = screen()->availableGeometry();
    const auto *toolbar = findChild<QToolBar *>();
    const QSize wanted(qMax(sizeHint().width(), toolbar->sizeHint().width()),
                       qMax(sizeHint().height(), room.height() * 3 / 4));
    resize(wanted.boundedTo(room.size()));
    move(room.center() - rect().center());
}

Sheet_export_dialog::Sheet_export_dialog(QWidget *parent)
    : File_command_dialog(parent, "Form_export_pdf", Export_caption, AcceptSave, {Pdf_files},
                          QStringLiteral("pdf"))
{
    const QString path = suggested_path();
    setDirectory(QFileInfo(path).absolutePath());
    selectFile(QFileInfo(path).fileName());
}

void Sheet_export_dialog::file_chosen(const QString &path)
{
    const Sheet_export outcome = Export_channel_sheet(path);
    Messages::show(outcome.message, outcome.details);
}

} // namespace r7k
