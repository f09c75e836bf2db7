#include "cli/radio_port.h"

#include "cli/exit_status.h"
#include "cli/report.h"
#include "link/port_map.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace r7k::cli {

QList<Radio_port> Radio_ports(const QStringList &values, int &status, QString &error)
{
    static const QRegularExpression com(QStringLiteral("^COM(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    QList<Radio_port> ports;
    QStringList devices;
    for (const QString &value : values) {
        Radio_port port{value, value};
        if (const QRegularExpressionMatch match = com.match(value); match.hasMatch()) {
            const int port_no = match.captured(1).toInt();
            if (port_no < Port_map::First_port || port_no > Port_map::Last_port) {
                status = Exit_usage;
                error =
                    In_language({QStringLiteral("--port 取设备或 COM1..COM8，而不是“%1”。"),
                                 QStringLiteral("--port takes a device or COM1..COM8, not '%1'.")})
                        .arg(value);
                return {};
            }
            port.device = Port_map::Device(port_no);
            if (port.device.isEmpty()) {
                status = Exit_link;
                error =
                    In_language({QStringLiteral("%1 在这台计算机上没有对应的串口设备；请直接给出"
                                                "设备，例如 --port /dev/ttyUSB0。"),
                                 QStringLiteral("%1 stands for no serial device on this "
                                                "computer; name the device itself, for "
                                                "example --port /dev/ttyUSB0.")})
                        .arg(value);
                return {};
            }
        } else if (!value.isEmpty() && QDir::isRelativePath(value) &&
                   !value.startsWith(QLatin1String("./")) &&
                   !value.startsWith(QLatin1String("../")))
            // The serial port takes a name without "./" as a device under
            // /dev; a file of that name here is what is meant when there is one.
            port.device = QFileInfo::exists(value) ? QFileInfo(value).absoluteFilePath()
                                                   : QStringLiteral("/dev/") + value;
        if (value.isEmpty() || devices.contains(port.device)) {
            status = Exit_usage;
            error = value.isEmpty()
                        ? In_language({QStringLiteral("--port 需要设备或 COM1..COM8。"),
                                       QStringLiteral("--port needs a device or COM1..COM8.")})
                        : In_language({QStringLiteral("%1 给了两次；每台对讲机需要各自的端口。"),
                                       QStringLiteral("%1 is named twice; each radio needs its "
                                                      "own port.")})
                              .arg(value);
            return {};
        }
        devices.append(port.device);
        ports.append(port);
    }
    return ports;
}

} // namespace r7k::cli
