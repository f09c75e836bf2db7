// r7k-sim as a process, against a real QSerialPort over its pseudo-terminal,
// in real time.

#include "core/image.h"
#include "link/protocol.h"
#include "sim/radio.h"
#include "sim/sim_process.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;
using namespace r7k::sim;
using namespace r7k::Protocol;

namespace {

// A link of this test's own: QSerialPort locks a port by its name.
QString link_for(const char *test)
{
    return QStringLiteral("/tmp/r7k-radio-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QLatin1String(test));
}

// Writes a command and collects `expected` reply bytes, however they are split.
QByteArray exchange(QSerialPort &port, const QByteArray &command, int expected)
{
    port.write(command);
    port.waitForBytesWritten(1000);
    QByteArray reply;
    const QDeadlineTimer deadline(3000);
    while (reply.size() < expected && !deadline.hasExpired()) {
        if (port.bytesAvailable() == 0)
            port.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        reply += port.readAll();
    }
    return reply;
}

QByteArray block_frame(char code, int block, const QByteArray &data = {})
{
    const int address = block * 16;
    return Prefix + code + char(address >> 8) + char(address & 0xFF) + Block_length + data + Cr;
}

void open_port(QSerialPort &port, const QString &link)
{
    port.setPortName(link);
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    QVERIFY(port.setBaudRate(QSerialPort::Baud9600));
    QVERIFY(port.setDataBits(QSerialPort::Data8));
    QVERIFY(port.setParity(QSerialPort::NoParity));
    QVERIFY(port.setStopBits(QSerialPort::OneStop));
    port.clear();
}

void start_sim(Sim_process &sim, const char *test, const QStringList &arguments = {})
{
    QString error;
    QVERIFY2(sim.start(Sim_process::Find_program(), link_for(test), arguments, error),
             qPrintable(error));
}

void handshake(QSerialPort &port)
{
    QCOMPARE(exchange(port, Prefix + Access_word + Cr, 1), QByteArray(1, Ack));
    QCOMPARE(exchange(port, Prefix + Identify_code + Cr, 6), Radio_id);
    QCOMPARE(exchange(port, Prefix + Start_code + Cr, 2), QByteArray(2, Ack));
}

} // namespace

class Test_sim_line : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void serial_port_reads_blocks();
    void saves_what_was_written();
    void terminates_cleanly();
    void hang_up_closes_the_line();
    void bad_memory_file_is_refused();
};

void Test_sim_line::serial_port_reads_blocks()
{
    Sim_process sim;
    start_sim(sim, "read");
    QVERIFY(QFileInfo(sim.link()).isSymLink());
    QSerialPort port;
    open_port(port, sim.link());
    handshake(port);

    const Radio demo;
    for (int block : {1, 131, 140, 272}) {
        const QByteArray reply = exchange(port, block_frame(Read_code, block), 20);
        QCOMPARE(reply.size(), 20);
        QCOMPARE(reply.left(4), block_frame(Read_code, block).mid(3, 4));
        for (int column = 0; column < 16; ++column)
            QCOMPARE(quint8(reply[4 + column]), demo.byte(block, column));
    }
    // The port can be closed and opened again: the radio stays on the line.
    port.close();
    open_port(port, sim.link());
    handshake(port);
}

void Test_sim_line::saves_what_was_written()
{
    QTemporaryDir dir;
    const QString saved = dir.filePath("radio.chann");
    Sim_process sim;
    start_sim(sim, "save", {"--save-to", saved});
    QSerialPort port;
    open_port(port, sim.link());
    handshake(port);

    const QByteArray data = QByteArrayLiteral("0123456789ABCDEF");
    QCOMPARE(exchange(port, block_frame(Write_code, 20, data), 1), QByteArray(1, Ack));
    QVERIFY(!QFileInfo::exists(saved));
    port.write(QByteArray(1, End_byte));
    QTRY_VERIFY(QFileInfo::exists(saved));

    Radio written;
    QTRY_VERIFY(written.load(saved).ok);
    for (int column = 0; column < 16; ++column)
        QCOMPARE(written.byte(20, column), int(data[column]));
    QCOMPARE(written.byte(1, 4), Radio().byte(1, 4));
}

void Test_sim_line::terminates_cleanly()
{
    QTemporaryDir dir;
    const QString saved = dir.filePath("on-exit.chann");
    Sim_process sim;
    start_sim(sim, "term", {"--save-to", saved});
    const QString link = sim.link();
    sim.stop();
    QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.process().exitCode(), 0);
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
    QVERIFY(QFileInfo::exists(saved));
}

void Test_sim_line::hang_up_closes_the_line()
{
    Sim_process sim;
    start_sim(sim, "hangup", {"--hang-up-at", "2"});
    QSerialPort port;
    open_port(port, sim.link());
    handshake(port);
    QCOMPARE(exchange(port, block_frame(Read_code, 1), 20).size(), 20);
    port.write(block_frame(Read_code, 2));
    QTRY_COMPARE(sim.process().state(), QProcess::NotRunning);
    QCOMPARE(port.readAll(), QByteArray());
    QCOMPARE(sim.process().exitCode(), 0);
    QVERIFY(!QFileInfo(sim.link()).isSymLink());
    // The far end is gone: the port reports an error.
    port.write(QByteArray(1, End_byte));
    port.waitForReadyRead(200);
    QVERIFY(port.error() != QSerialPort::NoError);
}

void Test_sim_line::bad_memory_file_is_refused()
{
    QTemporaryDir dir;
    QProcess sim;
    sim.start(Sim_process::Find_program(),
              {"--link", link_for("badmem"), "--memory", dir.filePath("missing.chann")});
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 1);
    QVERIFY(sim.readAllStandardError().contains("The channel parameter file cannot be opened."));
    QVERIFY(!QFileInfo(link_for("badmem")).isSymLink());

    sim.start(Sim_process::Find_program(), {"--stall-at", "many"});
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY(sim.readAllStandardError().startsWith(
        "r7k-sim: --stall-at needs a block number 0..300, not \"many\"\n\nUsage: r7k-sim"));
}

QTEST_GUILESS_MAIN(Test_sim_line)
#include "test_sim_line.moc"
