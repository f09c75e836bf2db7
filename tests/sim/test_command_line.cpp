// The program's command line, and --demo starting the simulated radio.

#include "app/command_line.h"
#include "link/port_map.h"
#include "link/protocol.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTest>
#include <csignal>

using namespace r7k;

class Test_command_line : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void maps_ports();
    void bad_arguments_data();
    void bad_arguments();
    void program_reports_bad_arguments();
    void demo_serves_a_radio_on_com1();
};

void Test_command_line::maps_ports()
{
    const Command_line line =
        Read_command_line({"--port", "COM2=/dev/ttyUSB7", "--port=com8=/tmp/x y", "--demo"});
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QVERIFY(line.demo);
    QVERIFY(!line.help);
    QCOMPARE(Port_map::Device(2), QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(Port_map::Device(8), QStringLiteral("/tmp/x y"));
    QVERIFY(Read_command_line({"--help"}).help);
    QVERIFY(!Read_command_line({}).demo);
}

void Test_command_line::bad_arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown option") << QStringList{"--fast"} << "Unknown option 'fast'.";
    QTest::newRow("port without value") << QStringList{"--port"} << "Missing value after '--port'.";
    QTest::newRow("port out of range")
        << QStringList{"--port", "COM9=/dev/ttyS0"}
        << "--port takes COMn=PATH with n from 1 to 8, not 'COM9=/dev/ttyS0'.";
    QTest::newRow("port without path") << QStringList{"--port", "COM1="}
                                       << "--port takes COMn=PATH with n from 1 to 8, not 'COM1='.";
    QTest::newRow("stray argument")
        << QStringList{"file.chann"} << "Unexpected argument 'file.chann'.";
    QTest::newRow("demo and COM1")
        << QStringList{"--demo", "--port", "COM1=/dev/ttyUSB0"}
        << "--demo uses COM1 for the simulated radio; map other ports with --port.";
}

void Test_command_line::bad_arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QCOMPARE(Read_command_line(arguments).error, error);
}

void Test_command_line::program_reports_bad_arguments()
{
    QProcess program;
    program.start(QStringLiteral(R7K_CPS_PATH), {"--port", "COM0=/dev/null"});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 2);
    QVERIFY(program.readAllStandardError().contains(
        "r7k-cps: --port takes COMn=PATH with n from 1 to 8, not 'COM0=/dev/null'.\n\n"
        "Usage: r7k-cps [options]\n"));
    QVERIFY(program.readAllStandardOutput().isEmpty());

    program.start(QStringLiteral(R7K_CPS_PATH), {"--help"});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), Command_line_usage());
}

void Test_command_line::demo_serves_a_radio_on_com1()
{
    QProcess program;
    program.start(QStringLiteral(R7K_CPS_PATH), {"--demo"});
    QVERIFY(program.waitForStarted());
    const QString link =
        QDir::tempPath() + QStringLiteral("/r7k-radio-demo-%1").arg(program.processId());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(link).isSymLink(), 10000);

    QSerialPort port(link);
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    port.write(Protocol::Prefix + Protocol::Access_word + Protocol::Cr);
    QByteArray reply;
    QTRY_VERIFY((reply += port.readAll()).size() >= 1);
    QCOMPARE(reply, QByteArray(1, Protocol::Ack));
    port.close();

    // However the program ends, its simulated radio goes with it.
    ::kill(pid_t(program.processId()), SIGKILL);
    QVERIFY(program.waitForFinished());
    QTRY_VERIFY(!QFileInfo(link).isSymLink());
}

QTEST_MAIN(Test_command_line)
#include "test_command_line.moc"
