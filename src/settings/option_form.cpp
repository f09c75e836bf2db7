// The form of the optional features window: the general settings and the
// frequency-mode group side by side, Close and Help below.
#include "settings/option_texts.h"
#include "settings/option_window.h"
#include "ui/named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace r7k {

namespace {

// A control in a new row of the grid, after its caption.
void add_labelled(QGridLayout *grid, QWidget *control, const char *name)
{
    auto *label = new QLabel(Option_caption(name), control->parentWidget());
    label->setObjectName(QStringLiteral("Label_") + QLatin1String(name));
    label->setBuddy(control);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row, 1);
}

} // namespace

void Option_window::build_form()
{
    auto *frame2 = Named("Frame2", new QGroupBox(this));
    auto *general = new QGridLayout(frame2);
    add_list(general, Option_list::TOT, "Combo_TOT");
    add_list(general, Option_list::Sql, "Combo_Sql");
    add_list(general, Option_list::Scan_way, "Combo_Scan_Way");
    add_list(general, Option_list::Mode, "Combo_Mode");
    add_list(general, Option_list::Vox, "Combo_vox");
    const auto check = [this](const char *name) {
        return Named(name, new QCheckBox(Option_caption(name), this));
    };
    Check_Save = check("Check_Save");
    Check_Scan = check("Check_Scan");
    general->addWidget(Check_Save, general->rowCount(), 0);
    general->addWidget(Check_Scan, general->rowCount() - 1, 1);
    general->setRowStretch(general->rowCount(), 1);

    auto *frame_vfo = Named("Frame_vfo", new QGroupBox(Option_caption("Frame_vfo"), this));
    auto *vfo = new QGridLayout(frame_vfo);
    Text_RX_Freq = add_text(vfo, "Text_RX_Freq");
    Text_TX_Freq = add_text(vfo, "Text_TX_Freq");
    Text_TX_Freq->setReadOnly(true);
    // The indicators follow the stored polarity bits; the user changes them
    // only by picking a tone.
    const auto indicator = [&](const char *name) {
        QCheckBox *box = check(name);
        box->setFocusPolicy(Qt::NoFocus);
        box->installEventFilter(this);
        vfo->addWidget(box, vfo->rowCount() - 1, 2);
        return box;
    };
    add_list(vfo, Option_list::Decode, "Combo_Decode");
    Check_DNI = indicator("Check_DNI");
    add_list(vfo, Option_list::Encode, "Combo_Encode");
    Check_ENI = indicator("Check_ENI");
    add_list(vfo, Option_list::Step, "Combo_Step");
    add_list(vfo, Option_list::Sft_d, "Combo_Sft_d");
    Text_Offset_Freq = add_text(vfo, "Text_Offset_Freq");
    add_list(vfo, Option_list::WN_TX, "Combo_wn_TX");
    add_list(vfo, Option_list::WN_RX, "Combo_WN_RX");
    add_list(vfo, Option_list::TXP, "Combo_TXP");
    // Controls keep their natural width; the room left over stays empty.
    vfo->setColumnStretch(3, 1);
    vfo->setRowStretch(vfo->rowCount(), 1);
    general->setColumnStretch(2, 1);

    auto *close = Named("Command_Close", new QPushButton(Option_caption("Command_Close"), this));
    // Clicking Close leaves the focus where it is, so a rejected field does
    // not keep the window open; closing checks the unfinished entry itself.
    close->setFocusPolicy(Qt::TabFocus);
    connect(close, &QPushButton::clicked, this, [this] { Close_window(this); });
    auto *help = Named("Command_Help", new QPushButton(Option_caption("Command_Help"), this));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(help);
    auto *groups = new QHBoxLayout;
    groups->addWidget(frame2, 1);
    groups->addWidget(frame_vfo, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
}

QComboBox *Option_window::add_list(QGridLayout *grid, Option_list list, const char *name)
{
    auto *combo = Named(name, new QComboBox(this));
    add_labelled(grid, combo, name);
    lists[list] = combo;
    combo->installEventFilter(this);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, list](int index) { list_changed(list, index); });
    return combo;
}

QLineEdit *Option_window::add_text(QGridLayout *grid, const char *name)
{
    auto *field = Named(name, new QLineEdit(this));
    add_labelled(grid, field, name);
    return field;
}

} // namespace r7k
