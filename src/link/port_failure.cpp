#include "link/port_failure.h"

namespace r7k {

QString Port_failure_details(int port_no, const Device_facts &facts)
{
    if (facts.device.isEmpty())
        return QStringLiteral("COM%1 stands for no serial device on this computer. Plug in the "
                              "programming cable, or start the program with "
                              "--port COM%1=/dev/ttyUSB0 naming the cable's device.")
            .arg(port_no);
    const QString reason = facts.device + QStringLiteral(": ") + facts.system_reason;
    if (!facts.exists)
        return reason + QStringLiteral(". The device does not exist; is the cable plugged in?");
    if (!facts.accessible && !facts.group.isEmpty())
        return reason + QStringLiteral(". Only members of the group \"%1\" may use it: add your "
                                       "user to it (sudo usermod -aG %1 $USER), then log in "
                                       "again.")
                            .arg(facts.group);
    return reason;
}

} // namespace r7k
