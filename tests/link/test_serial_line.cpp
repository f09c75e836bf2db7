// The program's serial line on a pseudo-terminal that goes away, and what it
// tells the user about a port that cannot be opened.
#include "link/port_failure.h"
#include "link/port_map.h"
#include "link/qt_serial_line.h"

#include <QTest>
#include <pty.h>
#include <unistd.h>

using namespace r7k;

namespace {

constexpr int Pty_port = 7;

// A pseudo-terminal mapped to port 7; its far end stands in for a radio.
// The near end stays open too, or the line's reads fail as soon as it opens.
struct Pty {
    int far = -1, near = -1;
    Pty()
    {
        char name[256] = {};
        if (openpty(&far, &near, name, nullptr, nullptr) == 0)
            Port_map::Set_mapping(Pty_port, QString::fromLocal8Bit(name));
    }
    ~Pty()
    {
        ::close(far);
        ::close(near);
    }
};

} // namespace

class Test_serial_line : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { Port_map::Reset(); }

    void mappings_hold_until_reset()
    {
        const QStringList system = Port_map::Devices();
        Port_map::Set_mapping(3, QStringLiteral("/dev/ttyUSB9"));
        QVERIFY(Port_map::Set_mapping_from_argument(QStringLiteral("com8=/tmp/x y")));
        QStringList mapped = system;
        mapped[2] = QStringLiteral("/dev/ttyUSB9");
        mapped[7] = QStringLiteral("/tmp/x y");
        QCOMPARE(Port_map::Devices(), mapped);
        QCOMPARE(Port_map::Device(8), QStringLiteral("/tmp/x y"));
        Port_map::Reset();
        QCOMPARE(Port_map::Devices(), system);
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
        QTest::qWait(200);
        QCOMPARE(lost, 1);
    }

    // Each expected text names its case.
    void explains_why_a_port_failed()
    {
        const QString cable = QStringLiteral("/dev/ttyUSB0");
        const QString gone = QStringLiteral("No such file or directory");
        const QString denied = QStringLiteral("Permission denied");
        const QString busy = QStringLiteral("Device or resource busy");
        const QList<std::pair<Device_facts, QString>> cases{
            {{QString(), false, false, "dialout", gone},
             "COM3 stands for no serial device on this computer. Plug in the programming cable, or "
             "start the program with --port COM3=/dev/ttyUSB0 naming the cable's device."},
            {{cable, false, false, "dialout", gone},
             "/dev/ttyUSB0: No such file or directory. The device does not exist; is the cable "
             "plugged in?"},
            {{cable, true, false, "dialout", denied},
             "/dev/ttyUSB0: Permission denied. Only members of the group \"dialout\" may use it: "
             "add your user to it (sudo usermod -aG dialout $USER), then log in again."},
            {{cable, true, true, "dialout", busy}, "/dev/ttyUSB0: Device or resource busy"}};
        for (const auto &[state, details] : cases)
            QCOMPARE(Port_failure_details(3, state), details);
    }
};

QTEST_GUILESS_MAIN(Test_serial_line)
#include "test_serial_line.moc"
