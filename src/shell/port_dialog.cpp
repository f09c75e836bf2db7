#include "shell/port_dialog.h"

#include "core/globals.h"
#include "link/port_map.h"
#include "shell/port_choice.h"
#include "shell/radio_search.h"
#include "ui/button_row.h"
#include "ui/dialog_placement.h"
#include "ui/named.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace r7k {

namespace {

const Bilingual Title{QStringLiteral("通讯端口设置"), QStringLiteral("Communication Port Setup")};
const Bilingual Frame_caption{QStringLiteral("端口设置"), QStringLiteral("Port Setup")};
const Bilingual Ok_caption{QStringLiteral("确 定"), QStringLiteral("Confirm")};
const Bilingual Cancel_caption{QStringLiteral("取 消"), QStringLiteral("Cancel")};

} // namespace

Form_setup::Form_setup(QWidget *parent) : QDialog(parent), ports(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("Form_setup"));
    setWindowTitle(Title.text());

    auto *frame = Named("Frame1", new QGroupBox(Frame_caption.text(), this));
    auto *grid = new QGridLayout(frame);
    const QStringList devices = Port_map::Devices();
    // Two columns of four: COM1..COM4 on the left, COM5..COM8 on the right.
    for (int port = Port_map::First_port; port <= Port_map::Last_port; ++port) {
        auto *choice = new QRadioButton(QStringLiteral("COM%1").arg(port), frame);
        choice->setObjectName(QStringLiteral("Option%1").arg(port));
        ports->addButton(choice, port);
        auto *device = new QLabel(Port_device_text(port, devices[port - 1]).text(), frame);
        device->setObjectName(QStringLiteral("Device%1").arg(port));
        device->setEnabled(false);
        const int row = (port - 1) % 4;
        const int column = 2 * ((port - 1) / 4);
        grid->addWidget(choice, row, column);
        grid->addWidget(device, row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    if (QAbstractButton *current = ports->button(Port_no))
        current->setChecked(true);

    auto *search = new Radio_search(this);
    connect(search, &Radio_search::port_picked, this,
            [this](int port) { ports->button(port)->setChecked(true); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addWidget(search);
    QPushButton *ok =
        Add_ok_cancel_row(this, layout, "Command_ok", Ok_caption, "Command1", Cancel_caption);
    connect(ok, &QPushButton::clicked, this, &Form_setup::confirm);

    Dialog_placement::Size_from_main_window(this, 2, 1.8);
    Dialog_placement::Place_above_centre(this, 500);
}

void Form_setup::confirm()
{
    const int port = ports->checkedId();
    if (port < Port_map::First_port) {
        accept();
        return;
    }
    const bool may_close = Choose_port(port);
    Q_EMIT port_chosen();
    if (may_close)
        accept();
}

} // namespace r7k
