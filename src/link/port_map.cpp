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

// The system's serial ports, USB adapters first, each group in name order.
QStringList listed_ports()
{
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::stable_sort(ports.begin(), ports.end(),
                     [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
                         if (is_usb_adapter(a) != is_usb_adapter(b))
                             return is_usb_adapter(a);
                         return a.portName() < b.portName();
                     });
    QStringList devices;
    for (const QSerialPortInfo &port : ports)
        devices.append(port.systemLocation());
    return devices;
}

} // namespace

QString Device(int port_no)
{
    if (mappings().contains(port_no))
        return mappings().value(port_no);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port_no);
#else
    const QStringList devices = listed_ports();
    return port_no >= First_port && port_no <= devices.size() ? devices[port_no - 1] : QString();
#endif
}

void Set_mapping(int port_no, const QString &device)
{
    mappings().insert(port_no, device);
}

bool Set_mapping_from_argument(const QString &argument)
{
    static const QRegularExpression form(QStringLiteral("^COM([1-8])=(.+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(argument);
    if (!match.hasMatch())
        return false;
    Set_mapping(match.captured(1).toInt(), match.captured(2));
    return true;
}

} // namespace r7k::Port_map
