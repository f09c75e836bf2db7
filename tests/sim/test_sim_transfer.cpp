// The program's command line, and its whole reads and writes through its
// dialogs and its real QSerialPort against the r7k-sim process over a
// pseudo-terminal, in real time.

#include "app/command_line.h"
#include "core/globals.h"
#include "core/image.h"
#include "link/adjust_txp_dialog.h"
#include "link/port_map.h"
#include "link/protocol.h"
#include "link/transfer_dialog.h"
#include "message_recorder.h"
#include "shell/window_host.h"
#include "sim/radio.h"
#include "sim/sim_process.h"
#include "started_program.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace r7k;
using namespace r7k::sim;

namespace {

constexpr int Transfer_ms = 30'000; // a transfer over a pty takes a few seconds

// The blocks a read brings, without block 272 the blocks a write sends.
QList<int> transfer_blocks(int last)
{
    QList<int> blocks;
    for (int block = 1; block <= last; ++block)
        if (block <= 128 || block == 131 || block == 140 || block >= 144)
            blocks.append(block);
    return blocks;
}

// The simulated radio on a link of the test's own, as COM1.
void serve_com1(Sim_process &sim, const QString &test, const QStringList &arguments = {})
{
    const QString link = QStringLiteral("/tmp/r7k-radio-e2e-%1-").arg(qApp->applicationPid());
    QString error;
    QVERIFY2(sim.start(Sim_process::Find_program(), link + test, arguments, error),
             qPrintable(error));
    Port_map::Set_mapping(1, sim.link());
    Port_no = 1;
}

template <typename T> T *child(QObject *parent, const char *name)
{
    return parent ? parent->findChild<T *>(QLatin1String(name)) : nullptr;
}

// Chooses the menu command and presses the dialog's action button.
Transfer_dialog *run_dialog(Main_window &main, const char *command, Window_id id,
                            const char *button)
{
    child<QAction>(&main, command)->trigger();
    auto *dialog = qobject_cast<Transfer_dialog *>(main.host().window(id));
    if (dialog)
        QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
    return dialog;
}

// Sixteen bytes of a block: the radio's, or the image's (shift 0) or the
// reply buffer's (shift 4) row.
QByteArray bytes_of(const Radio &radio, int block)
{
    QByteArray bytes;
    for (int column = 0; column < 16; ++column)
        bytes += char(radio.byte(block, column));
    return bytes;
}
template <typename Rows> QByteArray bytes_of(const Rows &rows, int row, int shift = 0)
{
    QByteArray bytes;
    for (int column = 0; column < 16; ++column)
        bytes += char(rows(row, column + shift));
    return bytes;
}

} // namespace

class Test_sim_transfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void maps_ports();
    void bad_arguments_data();
    void bad_arguments();
    void demo_serves_a_radio_on_com1();
    void radio_lost_mid_read_leaves_the_image_data();
    void radio_lost_mid_read_leaves_the_image();
    void write_then_read_back();
    void sim_refuses_a_bad_start();
    void power_levels_adjusted_live();
};

void Test_sim_transfer::maps_ports()
{
    const Command_line line =
        Read_command_line({"--port", "COM2=/dev/ttyUSB7", "--port=com8=/tmp/x y", "--demo"});
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QVERIFY(line.demo && !line.help && Read_command_line({"--help"}).help);
    QCOMPARE(Port_map::Device(2), QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(Port_map::Device(8), QStringLiteral("/tmp/x y"));
}

// Bad arguments, read in-process and given to the programs themselves.
void Test_sim_transfer::bad_arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown option") << QStringList{"--fast"} << "Unknown option 'fast'.";
    QTest::newRow("port out of range")
        << QStringList{"--port", "COM0=/dev/null"}
        << "--port takes COMn=PATH with n from 1 to 8, not 'COM0=/dev/null'.";
    QTest::newRow("stray argument")
        << QStringList{"file.chann"} << "Unexpected argument 'file.chann'.";
    QTest::newRow("demo and COM1")
        << QStringList{"--demo", "--port", "COM1=/dev/ttyUSB0"}
        << "--demo uses COM1 for the simulated radio; map other ports with --port.";
}

void Test_sim_transfer::bad_arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QCOMPARE(Read_command_line(arguments).error, error);
    QProcess program;
    program.start(QStringLiteral(R7K_CPS_PATH), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 2);
    // Qt may warn on stderr first; the program's own report comes last.
    QVERIFY(QString::fromUtf8(program.readAllStandardError())
                .endsWith("r7k-cps: " + error + "\n\n" + Command_line_usage()));
}

// r7k-sim refuses a bad option and a memory file it cannot load alike.
void Test_sim_transfer::sim_refuses_a_bad_start()
{
    QProcess program;
    program.start(Sim_process::Find_program(), {"--stall-at", "many"});
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 2);
    QVERIFY(program.readAllStandardError().startsWith(
        "r7k-sim: --stall-at needs a block number 0..300, not \"many\"\n\nUsage: r7k-sim"));
    program.start(Sim_process::Find_program(),
                  {"--link", "/tmp/r7k-never", "--memory", "/nowhere.chann"});
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 1);
    QVERIFY(
        program.readAllStandardError().contains("The channel parameter file cannot be opened."));
}

void Test_sim_transfer::demo_serves_a_radio_on_com1()
{
    QProcess program;
    program.start(QStringLiteral(R7K_CPS_PATH), {"--demo"});
    QVERIFY(program.waitForStarted());
    const QString link =
        QDir::tempPath() + "/r7k-radio-demo-" + QString::number(program.processId());
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

void Test_sim_transfer::radio_lost_mid_read_leaves_the_image_data()
{
    QTest::addColumn<bool>("killed");
    QTest::newRow("killed") << true;
    QTest::newRow("hung up") << false; // r7k-sim closes the line and exits
}

void Test_sim_transfer::radio_lost_mid_read_leaves_the_image()
{
    QFETCH(bool, killed);
    Message_recorder recorder;
    auto main = Start_program();
    Sim_process sim;
    serve_com1(sim, killed ? "killed" : "hung-up",
               killed ? QStringList() : QStringList{"--hang-up-at", "100"});
    const Data_image before = chann;

    QPointer dialog = run_dialog(*main, "Prog_read", Window_id::Comm_read, "Command_Read");
    QVERIFY(dialog);
    if (killed) {
        QTRY_VERIFY_WITH_TIMEOUT(child<QProgressBar>(dialog, "ProgressBar1")->value() >= 20,
                                 Transfer_ms);
        sim.kill();
    }
    QTRY_COMPARE_WITH_TIMEOUT(sim.process().state(), QProcess::NotRunning, Transfer_ms);
    QVERIFY(killed || (sim.process().exitCode() == 0 && !QFileInfo(sim.link()).isSymLink()));

    // The attempt ends as a time-out would; the dialog can then be closed.
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->engine().link_busy, 5000);
    QVERIFY(chann == before);
    QTest::mouseClick(child<QPushButton>(dialog, "Command_Cancel"), Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    QVERIFY(recorder.messages.isEmpty());
    QVERIFY(chann == before);
    QFile::remove(sim.link()); // killed, it could not remove its link
}

void Test_sim_transfer::write_then_read_back()
{
    QTemporaryDir dir;
    const QString saved = dir.filePath("radio.chann");
    Message_recorder recorder;
    auto main = Start_program();
    Sim_process sim;
    serve_com1(sim, "write", {"--save-to", saved});

    Reset_image();
    Load_default_image();
    QPointer dialog = run_dialog(*main, "Prog_write", Window_id::Comm_write, "Command_Write");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog, Transfer_ms);
    QVERIFY2(recorder.messages.isEmpty(), qPrintable(recorder.texts().join('\n')));
    const Data_image written = chann;

    // The radio saved its memory when the End byte came.
    Radio radio;
    QTRY_VERIFY(QFileInfo::exists(saved));
    QVERIFY(radio.load(saved).ok);
    for (int block : transfer_blocks(271))
        QCOMPARE(bytes_of(radio, block), bytes_of(written, block));

    // A full read brings the radio's memory: rows 1..254 into the image, the
    // rest into the reply buffer only.
    Reset_image();
    const Data_image before = chann;
    dialog = run_dialog(*main, "Prog_read", Window_id::Comm_read, "Command_Read");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog, Transfer_ms);
    QCOMPARE(recorder.texts(),
             QStringList(Bilingual({"从对讲机中读取数据完毕 ！", "Complete reading the data from "
                                                                 "transceiver."})
                             .text()));
    for (int block : transfer_blocks(272))
        QCOMPARE(block <= 254 ? bytes_of(chann, block) : bytes_of(Comm_buf, block, 4),
                 bytes_of(radio, block));
    for (int row : {0, 255, 273, 300})
        QCOMPARE(bytes_of(chann, row), bytes_of(before, row));

    // Told to stop, r7k-sim saves its memory once more and removes its link.
    QVERIFY(QFile::remove(saved));
    sim.stop();
    QCOMPARE(sim.process().exitCode(), 0);
    QVERIFY(QFileInfo::exists(saved) && !QFileInfo(sim.link()).isSymLink());
}

void Test_sim_transfer::power_levels_adjusted_live()
{
    QTemporaryDir dir;
    const QString saved = dir.filePath("radio.chann");
    Message_recorder recorder;
    auto main = Start_program();
    Sim_process sim;
    serve_com1(sim, "power", {"--save-to", saved});

    child<QAction>(main.get(), "Adj_Txp")->trigger();
    QPointer dialog = qobject_cast<Form_Adjust_Txp *>(main->host().window(Window_id::Adjust_txp));
    QVERIFY(dialog);
    // The levels shown are the radio's.
    QTRY_COMPARE(child<QLabel>(dialog, "Label_H")->text(), QStringLiteral("220"));
    child<QScrollBar>(dialog, "HScroll_H")->setValue(200);
    QTRY_VERIFY(dialog->engine().sent_all); // the frame has gone out
    QTest::mouseClick(child<QPushButton>(dialog, "Command_Close"), Qt::LeftButton);
    QTRY_VERIFY(!dialog);

    // The radio saved its memory when the Leave byte came.
    QTRY_VERIFY(QFileInfo::exists(saved));
    Radio radio;
    QVERIFY(radio.load(saved).ok);
    QCOMPARE(bytes_of(radio, Power_row).left(4), QByteArray("\x28\x78\xC8\x02"));
    QVERIFY2(recorder.messages.isEmpty(), qPrintable(recorder.texts().join('\n')));
}

QTEST_MAIN(Test_sim_transfer)
#include "test_sim_transfer.moc"
