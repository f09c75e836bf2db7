#include "shell/radio_search.h"

#include "link/qt_timer_set.h"
#include "link/radio_finder.h"
#include "ui/named.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace r7k {

namespace {

const Bilingual Find_caption{QStringLiteral("查找对讲机"), QStringLiteral("Find radio")};
const Bilingual Nothing_to_try{QStringLiteral("没有插上 USB 串口适配器。"),
                               QStringLiteral("No USB serial adapter is plugged in.")};
const Bilingual No_radio{QStringLiteral("没有对讲机应答。"),
                         QStringLiteral("No R7K radio answered.")};

} // namespace

Radio_search::Radio_search(QWidget *parent)
    : QWidget(parent), button(Named("Command_find", new QPushButton(Find_caption.text(), this))),
      list(Named("List_found", new QListWidget(this)))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(button, 0, Qt::AlignLeft);
    layout->addWidget(list);
    // Four lines show at once; more scroll.
    list->setFixedHeight(list->fontMetrics().height() * 4);
    connect(button, &QPushButton::clicked, this, &Radio_search::search);
    connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (const int port_no = item->data(Qt::UserRole).toInt(); port_no > 0)
            Q_EMIT port_picked(port_no);
    });
}

Radio_search::~Radio_search() = default;

void Radio_search::search()
{
    const QList<Port_entry> ports = Ports_to_try(Port_entries(), false);
    list->clear();
    radios = 0;
    if (ports.isEmpty()) {
        add_line(Nothing_to_try.text());
        return;
    }
    button->setEnabled(false);
    finder = std::make_unique<Radio_finder>(
        [](const Port_entry &entry) { return System_link_parts(entry.device.location); },
        std::make_unique<Qt_timer_set>());
    finder->on_finding = [this](const Port_finding &finding) { found(finding); };
    finder->on_done = [this] { searched(); };
    finder->start(ports);
}

void Radio_search::found(const Port_finding &finding)
{
    const bool radio = finding.kind == Port_finding::Kind::Radio;
    radios += radio;
    add_line(finding.text().text(), radio ? finding.port.port_no : 0);
}

void Radio_search::searched()
{
    if (radios == 0)
        add_line(No_radio.text());
    button->setEnabled(true);
}

void Radio_search::add_line(const QString &text, int port_no)
{
    auto *item = new QListWidgetItem(text, list);
    item->setData(Qt::UserRole, port_no);
    if (port_no == 0)
        item->setFlags(Qt::ItemIsEnabled);
}

} // namespace r7k
