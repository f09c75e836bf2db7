#include "link/device_facts.h"

#include "link/port_map.h"

#include <QDir>
#include <QFile>
#include <QSerialPortInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace r7k {

namespace {

QList<Serial_device> present_devices()
{
    QList<Serial_device> present;
    for (const QSerialPortInfo &port : Port_map::System_ports())
        present.append({port.systemLocation(), port.description(), port.manufacturer(),
                        port.hasVendorIdentifier() ? int(port.vendorIdentifier()) : -1,
                        port.hasProductIdentifier() ? int(port.productIdentifier()) : -1});
    return present;
}

#ifdef Q_OS_UNIX

// "crw-rw----", as ls shows a file's type and permissions.
QString mode_text(mode_t mode)
{
    QString text(10, QLatin1Char('-'));
    if (S_ISCHR(mode))
        text[0] = QLatin1Char('c');
    else if (S_ISDIR(mode))
        text[0] = QLatin1Char('d');
    const mode_t bits[9] = {S_IRUSR, S_IWUSR, S_IXUSR, S_IRGRP, S_IWGRP,
                            S_IXGRP, S_IROTH, S_IWOTH, S_IXOTH};
    for (int i = 0; i < 9; ++i)
        if (mode & bits[i])
            text[i + 1] = QLatin1Char("rwx"[i % 3]);
    return text;
}

QString user_name(uid_t uid)
{
    const passwd *user = getpwuid(uid);
    return user ? QString::fromLocal8Bit(user->pw_name) : QString::number(uid);
}

QString group_name(gid_t gid)
{
    const group *found = getgrgid(gid);
    return found ? QString::fromLocal8Bit(found->gr_name) : QString::number(gid);
}

// Whether the user of this process belongs to `gid` in the group database,
// which a later login will take up.
bool user_in_group(gid_t gid)
{
    const passwd *user = getpwuid(geteuid());
    if (!user)
        return false;
    int count = 64;
    QList<gid_t> groups(count);
    if (getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0) {
        groups.resize(count);
        if (getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0)
            return false;
    }
    groups.resize(count);
    return groups.contains(gid);
}

// Whether this process already has `gid` among its groups.
bool session_in_group(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    QList<gid_t> groups(qMax(count, 0));
    return getgroups(int(groups.size()), groups.data()) >= 0 && groups.contains(gid);
}

void permission_facts(Device_facts &facts, const struct stat &status)
{
    facts.problem = Port_problem::No_permission;
    facts.owner = user_name(status.st_uid);
    facts.group = group_name(status.st_gid);
    facts.mode = mode_text(status.st_mode);
    facts.group_may_use = (status.st_mode & S_IRGRP) && (status.st_mode & S_IWGRP);
    facts.user_in_group = user_in_group(status.st_gid);
    facts.session_in_group = session_in_group(status.st_gid);
}

// The lock file that programs take for a serial device by the UUCP
// convention: LCK..ttyUSB0 for /dev/ttyUSB0, in /var/lock (or, where that is
// not writable, the temporary folder). Its first line holds the process id,
// a second line (where the program wrote one) the program's name.
void lock_holder(Device_facts &facts)
{
    QString name = facts.device;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name = QStringLiteral("LCK..") + name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString &folder : {QStringLiteral("/var/lock"), QDir::tempPath()}) {
        QFile lock(folder + QLatin1Char('/') + name);
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = lock.read(4096).split('\n');
        const qint64 pid = lines.value(0).trimmed().toLongLong();
        if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM))
            continue; // a stale lock of a process that has ended
        QString program = QString::fromLocal8Bit(lines.value(1).trimmed());
        if (program.isEmpty()) {
            QFile command(QStringLiteral("/proc/%1/comm").arg(pid));
            if (command.open(QIODevice::ReadOnly))
                program = QString::fromLocal8Bit(command.readAll().trimmed());
        }
        facts.holder = program;
        facts.holder_pid = pid;
        return;
    }
}

// QSerialPort reports a lock that another program holds as a permission
// error. Opening the device without the lock tells the two apart: it works
// when only the lock was in the way, and a device held exclusively says it
// is busy.
bool held_by_another_program(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno == EBUSY;
}

#endif

} // namespace

Device_access Access_of(const QString &device)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    struct stat status {};
    if (device.isEmpty() || ::stat(path.constData(), &status) != 0)
        return Device_access::Missing;
    return ::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0
               ? Device_access::Allowed
               : Device_access::Denied;
#else
    // Windows lists the COM ports that exist; whether one may be opened it
    // tells only by opening it.
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    const bool listed = std::any_of(ports.cbegin(), ports.cend(), [&device](const auto &port) {
        return port.portName().compare(device, Qt::CaseInsensitive) == 0;
    });
    return listed ? Device_access::Allowed : Device_access::Missing;
#endif
}

Device_facts Examine_device(const QString &device, QSerialPort::SerialPortError error,
                            const QString &system_reason)
{
    Device_facts facts;
    facts.device = device;
    facts.system_reason = system_reason;
    if (device.isEmpty()) {
        facts.problem = Port_problem::No_device;
        facts.present = present_devices();
        return facts;
    }
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    struct stat status {};
    if (::stat(path.constData(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            facts.problem = Port_problem::Missing;
            facts.present = present_devices();
        }
        return facts;
    }
    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0) {
        if (errno == EACCES)
            permission_facts(facts, status);
        return facts;
    }
    if (error == QSerialPort::PermissionError && held_by_another_program(path)) {
        facts.problem = Port_problem::In_use;
        lock_holder(facts);
    }
#else
    // Windows says that a port does not exist, or denies access to a port
    // that another program has open.
    if (error == QSerialPort::DeviceNotFoundError) {
        facts.problem = Port_problem::Missing;
        facts.present = present_devices();
    } else if (error == QSerialPort::PermissionError) {
        facts.problem = Port_problem::In_use;
    }
#endif
    return facts;
}

} // namespace r7k
