#include "ui/button_row.h"

#include "ui/named.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace r7k {

QPushButton *Add_ok_cancel_row(QDialog *dialog, QVBoxLayout *layout, const char *ok_name,
                               const Bilingual &ok_caption, const char *cancel_name,
                               const Bilingual &cancel_caption)
{
    auto *ok = Named(ok_name, new QPushButton(ok_caption.text(), dialog));
    auto *cancel = Named(cancel_name, new QPushButton(cancel_caption.text(), dialog));
    ok->setDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addStretch();
    layout->addLayout(row);
    return ok;
}

} // namespace r7k
