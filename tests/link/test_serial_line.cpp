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

    void explains_why_a_port_failed_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<QString>("details");
        QTest::newRow("no device for the number")
            << QString() << false << false
            << "COM3 stands for no serial device on this computer. Plug in the programming "
               "cable, or start the program with --port COM3=/dev/ttyUSB0 naming the cable's "
               "device.";
        QTest::newRow("gone") << "/dev/ttyUSB0" << false << false
                              << "/dev/ttyUSB0: No such file or directory. The device does not "
                                 "exist; is the cable plugged in?";
        QTest::newRow("not allowed")
            << "/dev/ttyUSB0" << true << false
            << "/dev/ttyUSB0: Permission denied. Only members of the group \"dialout\" may use "
               "it: add your user to it (sudo usermod -aG dialout $USER), then log in again.";
        QTest::newRow("in use") << "/dev/ttyUSB0" << true << true
                                << "/dev/ttyUSB0: Device or resource busy";
    }
    void explains_why_a_port_failed()
    {
        QFETCH(QString, device);
        QFETCH(bool, exists);
        QFETCH(bool, accessible);
        QFETCH(QString, details);
        const QString reason = !exists       ? QStringLiteral("No such file or directory")
                               : !accessible ? QStringLiteral("Permission denied")
                                             : QStringLiteral("Device or resource busy");
        QCOMPARE(Port_failure_details(
                     3, {device, exists, accessible, QStringLiteral("dialout"), reason}),
                 details);
    }
};

QTEST_GUILESS_MAIN(Test_serial_line)
#include "test_serial_line.moc"
