#include "ui/file_command_dialog.h"

namespace r7k {

File_command_dialog::File_command_dialog(QWidget *parent, const char *name,
                                         const Bilingual &caption, AcceptMode mode,
                                         const QList<Bilingual> &filters, const QString &suffix)
    : QFileDialog(parent)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption.text());
    setWindowModality(Qt::ApplicationModal);
    setAcceptMode(mode);
    setFileMode(mode == AcceptSave ? AnyFile : ExistingFile);
    QStringList names;
    for (const Bilingual &filter : filters)
        names.append(filter.text());
    setNameFilters(names);
    setDefaultSuffix(suffix);
    connect(this, &QFileDialog::fileSelected, this,
            [this](const QString &path) { file_chosen(path); });
}

} // namespace r7k
