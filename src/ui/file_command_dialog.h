#pragma once

#include "core/bilingual.h"

#include <QFileDialog>
#include <QStringList>

namespace r7k {

// The toolkit's file dialog of a command that works on one file the user
// chooses (the channel file dialogs take ".chann" names only): modal, with
// the command's caption, the given name filters and a default suffix.
// Choosing a file carries out the command, which tells the user the outcome.
class File_command_dialog : public QFileDialog {
    Q_OBJECT
protected:
    File_command_dialog(QWidget *parent, const char *name, const Bilingual &caption,
                        AcceptMode mode, const QList<Bilingual> &filters, const QString &suffix);

private:
    virtual void file_chosen(const QString &path) = 0;
};

} // namespace r7k
