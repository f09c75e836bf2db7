#include "link/port_failure.h"

namespace r7k {

namespace {

// "  /dev/ttyUSB0: USB-Serial Controller (Prolific, USB 067b:2303)"
QString device_line(const Serial_device &device)
{
    QString line = QStringLiteral("  ") + device.location;
    if (!device.description.isEmpty())
        line += QStringLiteral(": ") + device.description;
    QStringList about;
    if (!device.manufacturer.isEmpty())
        about.append(device.manufacturer);
    if (device.vendor_id >= 0)
        about.append(QStringLiteral("USB %1:%2")
                         .arg(device.vendor_id, 4, 16, QLatin1Char('0'))
                         .arg(device.product_id, 4, 16, QLatin1Char('0')));
    if (!about.isEmpty())
        line += QStringLiteral(" (") + about.join(QStringLiteral(", ")) + QLatin1Char(')');
    return line;
}

// The serial devices that do exist, after an empty line.
Bilingual present_devices(const QList<Serial_device> &present)
{
    if (present.isEmpty())
        return {QStringLiteral("\n\n本机没有任何串口设备。"),
                QStringLiteral("\n\nThis computer has no serial device.")};
    QString lines;
    for (const Serial_device &device : present)
        lines += QLatin1Char('\n') + device_line(device);
    return {QStringLiteral("\n\n本机的串口设备：") + lines,
            QStringLiteral("\n\nSerial devices on this computer:") + lines};
}

Bilingual no_device(int port_no)
{
    return {QStringLiteral("COM%1 在本机上没有对应的串口设备。请插好编程线，或者用 "
                           "--port COM%1=/dev/ttyUSB0 启动程序，指明编程线的设备。")
                .arg(port_no),
            QStringLiteral("COM%1 stands for no serial device on this computer. Plug in the "
                           "programming cable, or start the program with "
                           "--port COM%1=/dev/ttyUSB0 naming the cable's device.")
                .arg(port_no)};
}

Bilingual missing(const Device_facts &facts)
{
#ifdef Q_OS_WIN
    return {QStringLiteral("%1 不存在。编程线插好了吗？USB 编程线插上后，Windows 才给它一个 COM "
                           "端口号（见设备管理器的“端口 (COM 和 LPT)”）。")
                .arg(facts.device),
            QStringLiteral("%1 does not exist. Is the programming cable plugged in? Windows gives "
                           "a USB cable its COM port number when it is plugged in (see Ports (COM "
                           "& LPT) in the Device Manager).")
                .arg(facts.device)};
#else
    return {QStringLiteral("设备 %1 不存在。编程线插好了吗？USB 编程线插上后，系统才给它一个名字"
                           "（例如 /dev/ttyUSB0）。")
                .arg(facts.device),
            QStringLiteral("%1 does not exist. Is the programming cable plugged in? A USB cable "
                           "gets its name (such as /dev/ttyUSB0) when it is plugged in.")
                .arg(facts.device)};
#endif
}

Bilingual no_permission(const Device_facts &facts)
{
    const Bilingual lead{
        QStringLiteral("当前用户没有读写 %1 的权限（%2，属主 %3，属组 %4）。")
            .arg(facts.device, facts.mode, facts.owner, facts.group),
        QStringLiteral("This user may not read and write %1 (%2, owner %3, group %4).")
            .arg(facts.device, facts.mode, facts.owner, facts.group)};
    Bilingual advice;
    if (!facts.group_may_use)
        advice = {QStringLiteral("加入“%1”组也无济于事：该组同样没有读写权限。需要修改设备的权限，"
                                 "例如用 udev 规则。")
                      .arg(facts.group),
                  QStringLiteral("Joining the group \"%1\" would not help: the group may not read "
                                 "and write it either. The device's permissions must change, for "
                                 "example through a udev rule.")
                      .arg(facts.group)};
    else if (!facts.user_in_group)
        advice = {QStringLiteral("“%1”组的成员可以读写：请把当前用户加入该组"
                                 "（sudo adduser $USER %1），然后注销并重新登录。在桌面上，"
                                 "r7k-cps 软件包的 udev 规则让登录的用户无需加入该组即可使用"
                                 "常见的编程线：请拔下编程线再插上。")
                      .arg(facts.group),
                  QStringLiteral("Members of the group \"%1\" may: add this user to it "
                                 "(sudo adduser $USER %1), then log out and log in again. On a "
                                 "desktop, the udev rule of the r7k-cps package gives the "
                                 "logged-in user the usual programming cables without the "
                                 "group: unplug the cable and plug it in again.")
                      .arg(facts.group)};
    else if (!facts.session_in_group)
        advice = {QStringLiteral("当前用户已加入可以读写的“%1”组，但本次登录早于加入：请注销并重新"
                                 "登录。")
                      .arg(facts.group),
                  QStringLiteral("This user is a member of the group \"%1\", which may, but this "
                                 "login began before the user joined it: log out and log in "
                                 "again.")
                      .arg(facts.group)};
    else
        advice = {facts.system_reason, facts.system_reason};
    return {lead.chinese + advice.chinese, lead.english + QLatin1Char(' ') + advice.english};
}

Bilingual in_use(const Device_facts &facts)
{
#ifdef Q_OS_WIN
    // Windows opens a port for one program at a time and answers "access
    // denied" to the next, whichever program that is.
    return {
        QStringLiteral("Windows 拒绝访问 %1：该端口正被另一个程序（例如另一个写频软件或终端程序）"
                       "占用。请关闭该程序后再试。")
            .arg(facts.device),
        QStringLiteral("Windows denies access to %1: another program (such as other "
                       "programming software or a terminal) is using the port. Close that "
                       "program, then try again.")
            .arg(facts.device)};
#else
    if (facts.holder_pid <= 0)
        return {QStringLiteral("%1 正被另一个程序占用。请关闭该程序后再试。").arg(facts.device),
                QStringLiteral("%1 is in use by another program. Close that program, then try "
                               "again.")
                    .arg(facts.device)};
    return {QStringLiteral("%1 正被另一个程序（%2，进程 %3）占用。请关闭该程序后再试。")
                .arg(facts.device, facts.holder)
                .arg(facts.holder_pid),
            QStringLiteral("%1 is in use by another program (%2, process %3). Close that "
                           "program, then try again.")
                .arg(facts.device, facts.holder)
                .arg(facts.holder_pid)};
#endif
}

Bilingual followed_by(const Bilingual &first, const Bilingual &second)
{
    return {first.chinese + second.chinese, first.english + second.english};
}

} // namespace

Bilingual Port_failure_details(int port_no, const Device_facts &facts)
{
    switch (facts.problem) {
    case Port_problem::No_device:
        return followed_by(no_device(port_no), present_devices(facts.present));
    case Port_problem::Missing:
        return followed_by(missing(facts), present_devices(facts.present));
    case Port_problem::No_permission:
        return no_permission(facts);
    case Port_problem::In_use:
        return in_use(facts);
    case Port_problem::Other:
        break;
    }
    const QString reason = facts.device + QStringLiteral(": ") + facts.system_reason;
    return {reason, reason};
}

} // namespace r7k
