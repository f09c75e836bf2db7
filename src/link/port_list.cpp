#include "link/port_list.h"

#include "link/port_map.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace r7k {

QString Port_entry::name() const
{
    return QStringLiteral("COM%1").arg(port_no);
}

QString Port_entry::usb_id() const
{
    if (!usb_adapter())
        return {};
    return QStringLiteral("%1:%2")
        .arg(device.vendor_id, 4, 16, QLatin1Char('0'))
        .arg(device.product_id, 4, 16, QLatin1Char('0'));
}

QString Port_entry::where() const
{
    return usb_adapter() ? device.location + QStringLiteral(", ") + usb_id() : device.location;
}

QList<Port_entry> Port_entries()
{
    const QList<QSerialPortInfo> listed = Port_map::System_ports();
    const QStringList devices = Port_map::Devices();
    QList<Port_entry> entries;
    for (int port_no = Port_map::First_port; port_no <= Port_map::Last_port; ++port_no) {
        Port_entry entry;
        entry.port_no = port_no;
        entry.mapped = Port_map::Is_mapped(port_no);
        entry.device.location = devices[port_no - 1];
        // A mapped path may be a link to a listed device (/dev/serial/by-id/...).
        const QString target = QFileInfo(entry.device.location).canonicalFilePath();
        for (const QSerialPortInfo &port : listed) {
            if (port.systemLocation() != entry.device.location && port.systemLocation() != target)
                continue;
            entry.device.description = port.description();
            entry.device.manufacturer = port.manufacturer();
            if (port.hasVendorIdentifier() && port.hasProductIdentifier()) {
                entry.device.vendor_id = port.vendorIdentifier();
                entry.device.product_id = port.productIdentifier();
            }
        }
        entry.access = Access_of(entry.device.location);
        entries.append(entry);
    }
    return entries;
}

QList<Port_entry> Ports_to_try(const QList<Port_entry> &entries, bool all)
{
    QList<Port_entry> chosen;
    for (const Port_entry &entry : entries)
        if (!entry.device.location.isEmpty() && (all || entry.mapped || entry.usb_adapter()))
            chosen.append(entry);
    return chosen;
}

Bilingual Access_text(Device_access access)
{
    switch (access) {
    case Device_access::Allowed:
        return {QStringLiteral("可以"), QStringLiteral("yes")};
    case Device_access::Denied:
        return {QStringLiteral("不可以"), QStringLiteral("no")};
    case Device_access::Missing:
        break;
    }
    return {QStringLiteral("不存在"), QStringLiteral("missing")};
}

} // namespace r7k
