#include "shell/port_choice.h"

#include "core/globals.h"

namespace r7k {

namespace {

const Bilingual No_device{QStringLiteral("（无此端口）"), QStringLiteral("(no such port)")};

} // namespace

bool Choose_port(int port_no)
{
    Port_no = qint16(port_no);
    return !Port_error;
}

Bilingual Port_device_text(int port_no, const QString &device)
{
    if (device.isEmpty())
        return No_device;
    if (device.compare(QStringLiteral("COM%1").arg(port_no), Qt::CaseInsensitive) == 0)
        return {};
    return {device, device};
}

} // namespace r7k
