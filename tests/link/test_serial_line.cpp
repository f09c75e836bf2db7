// The program's serial line on a real pseudo-terminal, and what it tells the
// user about a port that cannot be opened.
#include "link/port_failure.h"
#include "link/port_map.h"
#include "link/qt_serial_line.h"

#include <QTest>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

using namespace r7k;

namespace {

constexpr int Pty_port = 7;

// The far end of a pseudo-terminal, standing in for a radio.
class Far_end {
public:
    Far_end()
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0)
            Port_map::Set_mapping(Pty_port, QString::fromLocal8Bit(name));
    }
    ~Far_end()
    {
        hang_up();
        if (slave >= 0)
            ::close(slave);
    }
    bool ok() const { return master >= 0; }
    void send(const QByteArray &bytes)
    {
        QVERIFY(::write(master, bytes.data(), size_t(bytes.size())) == bytes.size());
    }
    // What the line has sent so far.
    QByteArray take()
    {
        QByteArray bytes;
        pollfd ready{master, POLLIN, 0};
        while (poll(&ready, 1, 0) > 0) {
            char buffer[64];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, n);
        }
        return bytes;
    }
    // The cable is pulled: the line's device goes away.
    void hang_up()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

private:
    int master = -1;
    int slave = -1; // kept open, or the line's reads fail as soon as it opens
};

} // namespace

class Test_serial_line : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void carries_bytes_both_ways_on_a_pty()
    {
        Far_end radio;
        QVERIFY(radio.ok());
        Qt_serial_line line;
        int arrivals = 0;
        line.on_data_received = [&] { ++arrivals; };
        QVERIFY2(line.open(Pty_port), qPrintable(line.error_text()));
        QVERIFY(line.is_open());

        for (char byte : QByteArray("AT^\x02\r"))
            line.write(QByteArray(1, byte));
        QByteArray received;
        QVERIFY(QTest::qWaitFor([&] {
            received += radio.take();
            return received.size() >= 5;
        }));
        QCOMPARE(received, QByteArray("AT^\x02\r"));

        radio.send(QByteArray("ZRQ-47\xF0", 7));
        QTRY_COMPARE(line.bytes_waiting(), 7);
        QVERIFY(arrivals >= 1);
        QCOMPARE(line.read_byte(), int('Z'));
        QCOMPARE(line.bytes_waiting(), 6);
        line.empty_input();
        QCOMPARE(line.bytes_waiting(), 0);

        line.close();
        QVERIFY(!line.is_open());
    }

    void a_vanished_device_is_reported_once_and_the_line_closes()
    {
        auto radio = std::make_unique<Far_end>();
        QVERIFY(radio->ok());
        Qt_serial_line line;
        int lost = 0;
        line.on_line_lost = [&] { ++lost; };
        QVERIFY(line.open(Pty_port));
        radio.reset();
        QTRY_COMPARE(lost, 1);
        QVERIFY(!line.is_open());
        QTest::qWait(200);
        QCOMPARE(lost, 1);
    }

    void a_missing_device_cannot_be_opened()
    {
        Port_map::Set_mapping(Pty_port, QStringLiteral("/dev/r7k-unplugged"));
        Qt_serial_line line;
        QVERIFY(!line.open(Pty_port));
        QVERIFY(!line.is_open());
        QVERIFY2(line.error_text().startsWith(QLatin1String("/dev/r7k-unplugged: ")),
                 qPrintable(line.error_text()));
        QVERIFY(line.error_text().endsWith(
            QLatin1String("The device does not exist; is the cable plugged in?")));
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
