// The program's serial line on real devices: a pseudo-terminal that goes
// away, and what it tells the user about a port that cannot be opened, with
// each cause made to happen for real.
#include "core/globals.h"
#include "link/port_failure.h"
#include "link/port_map.h"
#include "link/qt_serial_line.h"

#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace r7k;

namespace {

constexpr int Pty_port = 7;

// A pseudo-terminal mapped to port 7; its far end stands in for a radio.
// The near end stays open too, or the line's reads fail as soon as it opens.
struct Pty {
    int far = -1, near = -1;
    QString path;
    Pty()
    {
        char name[256] = {};
        if (openpty(&far, &near, name, nullptr, nullptr) == 0)
            path = QString::fromLocal8Bit(name);
        Port_map::Set_mapping(Pty_port, path);
    }
    ~Pty()
    {
        ::close(far);
        ::close(near);
    }
};

// Why the program's line could not open `device`, in the language given.
QString failure_of(const QString &device, bool chinese = false)
{
    Language = chinese;
    Port_map::Set_mapping(Pty_port, device);
    Qt_serial_line line;
    if (line.open(Pty_port))
        return QStringLiteral("opened");
    return line.error_text();
}

const QString Not_in_group_advice =
    QStringLiteral("Members of the group \"%1\" may: add this user to it (sudo adduser $USER %1), "
                   "then log out and log in again. On a desktop, the udev rule of the r7k-cps "
                   "package gives the logged-in user the usual programming cables without the "
                   "group: unplug the cable and plug it in again.");
const QString Group_may_not_advice =
    QStringLiteral("Joining the group \"%1\" would not help: the group may not read and write it "
                   "either. The device's permissions must change, for example through a udev "
                   "rule.");

} // namespace

class Test_serial_line : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        Port_map::Reset();
        Language = true;
    }

    void a_vanished_device_is_reported_once_and_the_line_closes()
    {
        auto radio = std::make_unique<Pty>();
        Qt_serial_line line;
        int lost = 0;
        line.on_line_lost = [&] { ++lost; };
        QVERIFY(line.open(Pty_port));
        radio.reset(); // the cable is pulled
        QTRY_COMPARE(lost, 1);
        QVERIFY(!line.is_open());
        QCoreApplication::processEvents(); // whatever the loss left to report
        QCOMPARE(lost, 1);
    }

    // The details for each cause: in both languages for one, in English for
    // the others.
    void explains_each_cause()
    {
        const auto facts = [](Port_problem problem, const QString &device) {
            Device_facts made;
            made.problem = problem;
            made.device = device;
            return made;
        };
        Device_facts no_device = facts(Port_problem::No_device, {});
        no_device.present = {
            {"/dev/ttyUSB0", "USB-Serial Controller", "Prolific Technology Inc.", 0x067b, 0x2303},
            {"/dev/ttyS0", "", "", -1, -1}};
        const QString listed = "\n  /dev/ttyUSB0: USB-Serial Controller (Prolific Technology "
                               "Inc., USB 067b:2303)\n  /dev/ttyS0";
        QCOMPARE(Port_failure_details(3, no_device),
                 (Bilingual{"COM3 在本机上没有对应的串口设备。请插好编程线，或者用 --port "
                            "COM3=/dev/ttyUSB0 启动程序，指明编程线的设备。\n\n本机的串口设备：" +
                                listed,
                            "COM3 stands for no serial device on this computer. Plug in the "
                            "programming cable, or start the program with --port "
                            "COM3=/dev/ttyUSB0 naming the cable's device.\n\nSerial devices on "
                            "this computer:" +
                                listed}));

        Device_facts denied = facts(Port_problem::No_permission, "/dev/ttyUSB0");
        denied.owner = "root";
        denied.group = "dialout";
        denied.mode = "crw-rw----";
        denied.group_may_use = true;
        Device_facts joined = denied, closed = denied;
        joined.user_in_group = true;
        closed.group_may_use = false;
        closed.mode = "crw-------";
        Device_facts in_use = facts(Port_problem::In_use, "/dev/ttyUSB0");
        in_use.holder = "minicom"; // with no process: the real holder is tested below
        const QString lead = "This user may not read and write /dev/ttyUSB0 (%1, owner root, "
                             "group dialout). ";
        const std::pair<Device_facts, QString> english[] = {
            {facts(Port_problem::Missing, "/dev/ttyUSB1"),
             "/dev/ttyUSB1 does not exist. Is the programming cable plugged in? A USB cable gets "
             "its name (such as /dev/ttyUSB0) when it is plugged in.\n\nThis computer has no "
             "serial device."},
            {denied, lead.arg("crw-rw----") + Not_in_group_advice.arg("dialout")},
            {joined, lead.arg("crw-rw----") +
                         "This user is a member of the group \"dialout\", which may, but this "
                         "login began before the user joined it: log out and log in again."},
            {closed, lead.arg("crw-------") + Group_may_not_advice.arg("dialout")},
            {in_use, "/dev/ttyUSB0 is in use by another program. Close that program, then try "
                     "again."},
        };
        for (const auto &[given, text] : english)
            QCOMPARE(Port_failure_details(3, given).english, text);
    }

    // A path that does not exist, or a link left behind by a radio that is
    // gone: the details say so and list the serial devices that do exist.
    void a_device_that_does_not_exist()
    {
        QTemporaryDir folder;
        const QString dangling = folder.filePath("r7k-radio");
        QVERIFY(QFile::link(folder.filePath("gone"), dangling));
        const QList<QSerialPortInfo> ports = Port_map::System_ports();
        for (const QString &device : {QStringLiteral("/dev/r7k-no-such-device"), dangling}) {
            const QString details = failure_of(device);
            QVERIFY2(details.startsWith(device + " does not exist. Is the programming cable "
                                                 "plugged in?"),
                     qPrintable(details));
            QVERIFY(details.contains(ports.isEmpty() ? "\n\nThis computer has no serial device."
                                                     : "\n\nSerial devices on this computer:"));
            for (const QSerialPortInfo &port : ports)
                QVERIFY2(details.contains("\n  " + port.systemLocation()),
                         qPrintable(port.systemLocation()));
            QVERIFY(failure_of(device, true).startsWith("设备 " + device + " 不存在。"));
        }
        QVERIFY(failure_of({}).startsWith("COM7 stands for no serial device on this computer."));
    }

    // QSerialPort takes a lock on the device; another program that wants it
    // meanwhile is told who holds it, not that it lacks permission.
    void a_device_in_use_by_another_program()
    {
        Pty radio;
        QSerialPort holder(radio.path);
        QVERIFY2(holder.open(QIODevice::ReadWrite), qPrintable(holder.errorString()));
        const QString pid = QString::number(QCoreApplication::applicationPid());
        QCOMPARE(failure_of(radio.path),
                 radio.path + " is in use by another program (test_serial_line, process " + pid +
                     "). Close that program, then try again.");
        QCOMPARE(failure_of(radio.path, true), radio.path +
                                                   " 正被另一个程序（test_serial_line，进程 " +
                                                   pid + "）占用。请关闭该程序后再试。");
        holder.close();
        QCOMPARE(failure_of(radio.path), QStringLiteral("opened"));
    }

    // A device whose permissions keep this user out. As root, who may open
    // everything, the probe program opens it as the user nobody.
    void a_device_this_user_may_not_use()
    {
        // As root the device keeps its owner's permissions, which nobody lacks.
        const bool root = geteuid() == 0;
        const std::tuple<mode_t, QString, QString> cases[] = {
            {root ? 0660 : 0060, root ? "crw-rw----" : "c---rw----", Not_in_group_advice},
            {root ? 0620 : 0020, root ? "crw--w----" : "c----w----", Group_may_not_advice},
        };
        for (const auto &[mode, shown, advice] : cases) {
            Pty radio;
            QVERIFY(::chmod(QFile::encodeName(radio.path).constData(), mode) == 0);
            const QFileInfo device(radio.path);
            QStringList command{R7K_PORT_PROBE};
            QTemporaryDir folder;
            if (geteuid() == 0) {
                const QString setpriv = QStandardPaths::findExecutable("setpriv");
                if (setpriv.isEmpty())
                    QSKIP("running as root, who may open every device, and without setpriv to run "
                          "the probe as another user");
                // Where the user nobody may run it.
                const QString probe = folder.filePath("port_probe");
                QVERIFY(QFile::copy(R7K_PORT_PROBE, probe));
                QVERIFY(QFile::setPermissions(folder.path(),
                                              QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ExeOther));
                command = {setpriv, "--reuid=65534", "--regid=65534", "--clear-groups", probe};
            } else if (getegid() == device.groupId()) {
                QSKIP("this user is in the group of pseudo-terminals");
            }
            QProcess probe;
            probe.start(command.takeFirst(), command << radio.path);
            QVERIFY(probe.waitForFinished(10000));
            QCOMPARE(QString(probe.readAllStandardError()), QString());
            QCOMPARE(QString(probe.readAllStandardOutput()),
                     QString("This user may not read and write %1 (%2, owner %3, group %4). ")
                             .arg(radio.path, shown, device.owner(), device.group()) +
                         advice.arg(device.group()) + '\n');
        }
    }

    // Anything else is told in the system's own words.
    void any_other_failure_gives_the_system_text()
    {
        QTemporaryFile plain;
        QVERIFY(plain.open());
        QSerialPort direct(plain.fileName());
        QVERIFY(!direct.open(QIODevice::ReadWrite));
        QVERIFY(!direct.errorString().isEmpty());
        QCOMPARE(failure_of(plain.fileName()), plain.fileName() + ": " + direct.errorString());
    }
};

QTEST_GUILESS_MAIN(Test_serial_line)
#include "test_serial_line.moc"
