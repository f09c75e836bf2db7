// r7k ports: which device each port COM1..COM8 stands for.

#include "cli/port_mappings.h"
#include "cli/report.h"
#include "cli/verbs.h"
#include "link/port_list.h"

namespace r7k::cli {

namespace {

const QString Help =
    QStringLiteral("Usage: r7k ports [--port COMn=PATH]...\n"
                   "Lists the ports COM1..COM8 as r7k-cps numbers them (the serial ports of the\n"
                   "system, USB adapters first): the device each stands for, its USB maker,\n"
                   "product and vendor:product, and whether this user may open it.\n"
                   "\n"
                   "  --port COMn=PATH   let port COMn stand for the device PATH, as in r7k-cps\n"
                   "  -h, --help         show this text\n"
                   "\n"
                   "Exit status: 0 listed, 2 bad command line.\n");

const Bilingual Header[] = {
    {QStringLiteral("端口"), QStringLiteral("Port")},
    {QStringLiteral("设备"), QStringLiteral("Device")},
    {QStringLiteral("厂商"), QStringLiteral("Maker")},
    {QStringLiteral("产品"), QStringLiteral("Product")},
    {QStringLiteral("USB"), QStringLiteral("USB")},
    {QStringLiteral("可以打开"), QStringLiteral("May open")},
};

QString or_dash(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

QStringList row_of(const Port_entry &entry)
{
    if (entry.device.location.isEmpty())
        return {entry.name(), QStringLiteral("-")};
    return {entry.name(),
            entry.device.location,
            or_dash(entry.device.manufacturer),
            or_dash(entry.device.description),
            or_dash(entry.usb_id()),
            In_language(Access_text(entry.access))};
}

} // namespace

int Run_ports(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("ports"), Help);
    Add_port_mapping_option(line);
    if (const std::optional<int> status = line.parse(arguments, 0, 0))
        return *status;
    if (const std::optional<int> status = Map_ports(line))
        return *status;
    QList<QStringList> rows(1);
    for (const Bilingual &title : Header)
        rows.first().append(In_language(title));
    for (const Port_entry &entry : Port_entries())
        rows.append(row_of(entry));
    Say_table(rows);
    return Exit_ok;
}

} // namespace r7k::cli
