#include "shell/model_dialog.h"

#include "core/globals.h"
#include "core/tables.h"
#include "shell/model_choice.h"
#include "ui/button_row.h"
#include "ui/dialog_placement.h"
#include "ui/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace r7k {

namespace {

const Bilingual Title{QStringLiteral("机型选择"), QStringLiteral("Model Select")};
const Bilingual Ok_caption{QStringLiteral("确 定"), QStringLiteral("Confirm")};
const Bilingual Cancel_caption{QStringLiteral("取 消"), QStringLiteral("Cancel")};
const Bilingual Model_caption{QStringLiteral("机  型"), QStringLiteral("Model")};
const Bilingual Band_caption{QStringLiteral("频  段"), QStringLiteral("Band")};

} // namespace

Form_type::Form_type(QWidget *parent)
    : QDialog(parent), models(Named("Combo_type", new QComboBox(this))),
      band(Named("Label_band", new QLabel(this)))
{
    setObjectName(QStringLiteral("Form_type"));
    setWindowTitle(Title.text());

    // The list has a text area, as the user knows it, but only picking an
    // entry chooses a model: typed text is thrown away at once.
    models->setEditable(true);
    models->setInsertPolicy(QComboBox::NoInsert);
    models->setCompleter(nullptr);
    for (const QString &name : Model_name)
        models->addItem(name);
    models->setCurrentIndex(Model_no);
    connect(models->lineEdit(), &QLineEdit::textEdited, this, &Form_type::discard_typing);

    band->setText(Model_band_label());

    auto *fields = new QGridLayout;
    fields->addWidget(Named("Label_model", new QLabel(Model_caption.text(), this)), 0, 0);
    fields->addWidget(models, 0, 1);
    fields->addWidget(Named("Label_band_title", new QLabel(Band_caption.text(), this)), 1, 0);
    fields->addWidget(band, 1, 1);
    fields->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(fields);
    layout->addStretch();
    QPushButton *ok =
        Add_ok_cancel_row(this, layout, "Command_ok", Ok_caption, "Command_cancel", Cancel_caption);
    connect(ok, &QPushButton::clicked, this, &Form_type::confirm);

    Dialog_placement::Size_from_main_window(this, 2, 1.8);
    Dialog_placement::Place_above_centre(this, 500);
}

void Form_type::confirm()
{
    if (Select_model(models->currentIndex()))
        Q_EMIT model_chosen();
    accept();
}

void Form_type::discard_typing()
{
    models->setCurrentIndex(-1);
    models->clearEditText();
    models->setFocus();
}

} // namespace r7k
