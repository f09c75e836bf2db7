#include "link/port_map.h"

#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

namespace r7k::Port_map {

namespace {

QMap<int, QString> &mappings()
{
    static QMap<int, QString> given;
    return given;
}

bool is_usb_adapter(const QSerialPortInfo &port)
{
    return port.hasVendorIdentifier() || port.portName().contains(QLatin1String("USB")) ||
           port.portName().contains(QLatin1String("ACM"));
}

QStringList listed_ports()
{
    QStringList devices;
    for (const QSerialPortInfo &port : System_ports())
        devices.append(port.systemLocation());
    return devices;
}

// The device of port n given the system's list (unused on Windows).
QString device_in(int port_no, const QStringList &listed)
{
    if (mappings().contains(port_no))
        return mappings().value(port_no);
#ifdef Q_OS_WIN
    Q_UNUSED(listed);
    return QStringLiteral("COM%1").arg(port_no);
#else
    return port_no >= First_port && port_no <= listed.size() ? listed[port_no - 1] : QString();
#endif
}

} // namespace

QList<QSerialPortInfo> System_ports()
{
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::stable_sort(ports.begin(), ports.end(),
                     [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
                         if (is_usb_adapter(a) != is_usb_adapter(b))
                             return is_usb_adapter(a);
                         return a.portName() < b.portName();
                     });
    return ports;
}

QString Device(int port_no)
{
    return device_in(port_no, listed_ports());
}

QStringList Devices()
{
    // Listing the system's ports takes a while; list them once for all eight.
    const QStringList listed = listed_ports();
    QStringList devices;
    for (int port_no = First_port; port_no <= Last_port; ++port_no)
        devices.append(device_in(port_no, listed));
    return devices;
}

void Set_mapping(int port_no, const QString &device)
{
    mappings().insert(port_no, device);
}

bool Is_mapped(int port_no)
{
    return mappings().contains(port_no);
}

void Reset()
{
    mappings().clear();
}

std::optional<Mapping> Parse_mapping(const QString &argument)
{
    static const QRegularExpression form(QStringLiteral("^COM([0-9]+)=(.+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(argument);
    if (!match.hasMatch())
        return std::nullopt;
    // A number too long for an int reads as 0, which is out of range too.
    return Mapping{match.captured(1).toInt(), match.captured(2)};
}

} // namespace r7k::Port_map
