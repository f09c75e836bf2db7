// The program's command line, and its whole reads and writes through its
// dialogs and its real QSerialPort against the r7k-sim process over a
// pseudo-terminal, in real time.

#include "app/command_line.h"
#include "channels/channel_name.h"
#include "core/globals.h"
#include "core/image.h"
#include "dialog_driver.h"
#include "files/backups.h"
#include "files/channel_file.h"
#include "image_rows.h"
#include "link/port_map.h"
#include "link/protocol.h"
#include "link/transfer_dialog.h"
#include "message_recorder.h"
#include "shell/main_window.h"
#include "sim/radio.h"
#include "sim/sim_process.h"
#include "started_program.h"
#include "test_radios.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace r7k;
using namespace r7k::sim;
using namespace Dialog_driver;

namespace {

constexpr int Transfer_ms = 30'000; // a transfer over a pty takes a few seconds

// The whole program with a simulated radio of the test's own as COM1: r7k-sim
// on a pseudo-terminal as the radio of the test row, started with the
// further `arguments`, which saves its memory to `saved` after every End or
// Leave.
struct Rig {
    QTemporaryDir dir;
    const QString saved = dir.filePath("radio.chann");
    Message_recorder recorder;
    std::unique_ptr<r7k::Main_window> main = Start_program();
    r7k::sim::Sim_process sim;

    Rig(const QString &test, const QStringList &arguments = {})
    {
        const QString link = QStringLiteral("/tmp/r7k-radio-e2e-%1-").arg(qApp->applicationPid());
        QString error;
        QVERIFY2(sim.start(R7K_SIM_PATH, link + test,
                           Test_radios::arguments() + arguments + QStringList{"--save-to", saved},
                           error),
                 qPrintable(error));
        r7k::Port_map::Set_mapping(1, sim.link());
        r7k::Port_no = 1;
    }
};

// Chooses the menu command and presses the dialog's action button.
r7k::Transfer_dialog *run_dialog(r7k::Main_window &main, const char *command, r7k::Window_id id,
                                 const char *button)
{
    trigger(main, command);
    auto *dialog = qobject_cast<r7k::Transfer_dialog *>(main.host().window(id));
    if (dialog)
        click(dialog, button);
    return dialog;
}

// Runs a program to its end: its exit code, a space, then its stderr.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000))
        return "did not finish";
    return QString::number(process.exitCode()) + ' ' + process.readAllStandardError();
}

// The backups in the data folder, oldest first, as their file texts.
QList<QByteArray> backup_texts()
{
    QList<QByteArray> texts;
    const QDir folder(Backups::Folder());
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        texts.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return texts;
}

} // namespace

class Test_sim_transfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(qputenv("XDG_DATA_HOME", data.path().toLocal8Bit())); }
    void init() { QDir(Backups::Folder()).removeRecursively(); }
    void cleanup()
    {
        Port_map::Reset();
        Test_radios::current().clear(); // a function without rows of radios has the first
    }
    void command_lines();
    void demo_serves_a_radio_on_com1_from_beside_the_program();
    void a_radio_lost_mid_verify_leaves_the_image();
    void read_then_write_back_data() { Test_radios::add_rows(); }
    void read_then_write_back();

private:
    QTemporaryDir data; // the user's data folder, for the backups
};

void Test_sim_transfer::command_lines()
{
    const Command_line line = Read_command_line(
        {"--port", "COM2=/dev/ttyUSB7", "--port=com8=/tmp/x y", "--demo", "trip.chann"});
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QVERIFY(line.demo && !line.help && !line.version && Read_command_line({"-h"}).help);
    QCOMPARE(line.file, QStringLiteral("trip.chann"));
    QCOMPARE(Port_map::Device(2), QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(Port_map::Device(8), QStringLiteral("/tmp/x y"));

    // --help and --version need no display, and print on stdout.
    QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        headless.remove(name);
    const std::pair<QString, QString> informative[] = {{"--help", Command_line_usage()},
                                                       {"--version", "r7k-cps 1.4\n"}};
    for (const auto &[option, output] : informative) {
        QProcess program;
        program.setProcessEnvironment(headless);
        program.start(R7K_CPS_PATH, {option});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(std::tuple(program.exitCode(), QString(program.readAllStandardOutput()),
                            QString(program.readAllStandardError())),
                 std::tuple(0, output, QString()));
    }

    // Bad arguments, read in-process and given to the program itself: one
    // line on stderr and status 2.
    const std::pair<QStringList, QString> bad[] = {
        {{"--fast"}, "Unknown option 'fast'."},
        {{"--port", "COM1/dev/null"},
         "--port takes COMn=PATH (for example COM1=/dev/ttyUSB0), not 'COM1/dev/null'."},
        {{"--port", "COM0=/dev/null"},
         "--port COM0=/dev/null: there is no port COM0; the ports are COM1 to COM8."},
        {{"--port", "com9=/dev/null"},
         "--port com9=/dev/null: there is no port COM9; the ports are COM1 to COM8."},
        {{"--port", "COM99999999999=/dev/null"},
         "--port COM99999999999=/dev/null: there is no port COM99999999999; the ports are COM1 "
         "to COM8."},
        {{"a.chann", "b.chann"}, "give one channel file, not both 'a.chann' and 'b.chann'."},
    };
    for (const auto &[arguments, error] : bad) {
        QCOMPARE(Read_command_line(arguments).error, error);
        QCOMPARE(run(R7K_CPS_PATH, arguments), "2 r7k-cps: " + error + " See r7k-cps --help.\n");
    }
    // --demo keeps COM1 for its radio, however the port is written.
    for (const char *mapping : {"COM1=/dev/ttyUSB0", "com1=/dev/ttyUSB0", "Com1=/dev/ttyUSB0",
                                "cOM1=/dev/ttyUSB0", "COM01=/dev/ttyUSB0"})
        for (const QStringList &arguments :
             {QStringList{"--demo", "--port", mapping}, QStringList{"--port", mapping, "--demo"}})
            QCOMPARE(Read_command_line(arguments).error,
                     QStringLiteral("--demo uses COM1 for the simulated radio; map other ports "
                                    "with --port."));

    // r7k-sim refuses a bad option and a memory file it cannot load alike.
    QString ran = run(R7K_SIM_PATH, {"--stall-at", "many"});
    QVERIFY2(ran.startsWith("2 r7k-sim: --stall-at needs a block number 0..300, not \"many\"\n\n"
                            "Usage: r7k-sim"),
             qPrintable(ran));
    ran = run(R7K_SIM_PATH, {"--link", "/tmp/r7k-never", "--memory", "/no.chann"});
    QVERIFY2(ran.startsWith("1 ") && ran.contains("The channel parameter file cannot be opened."),
             qPrintable(ran));
}

// --demo starts the r7k-sim that lies beside the program, wherever that is:
// a copy of the program alone in a folder has none; beside the built program
// it serves a radio on the demo link.
void Test_sim_transfer::demo_serves_a_radio_on_com1_from_beside_the_program()
{
    QTemporaryDir folder;
    const QString alone = folder.filePath("r7k-cps");
    QVERIFY(QFile::copy(R7K_CPS_PATH, alone));
    const QString ran = run(alone, {"--demo"});
    QVERIFY2(ran.startsWith("1 ") &&
                 ran.endsWith("r7k-cps: --demo needs the simulated radio r7k-sim beside r7k-cps "
                              "in " +
                              QFileInfo(folder.path()).canonicalFilePath() +
                              ", and it is not there.\n"),
             qPrintable(ran));

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
    QTRY_COMPARE(reply += port.readAll(), QByteArray(1, Protocol::Ack));
    port.close();

    // However the program ends, its simulated radio goes with it.
    ::kill(pid_t(program.processId()), SIGKILL);
    QVERIFY(program.waitForFinished());
    QTRY_VERIFY(!QFileInfo(link).isSymLink());
}

// The radio hangs up midway through a verification: the attempt ends as a
// time-out would, the image stays as it was, and the dialog can be closed.
void Test_sim_transfer::a_radio_lost_mid_verify_leaves_the_image()
{
    Rig rig("hung-up", {"--hang-up-at", "100"});
    const Data_image before = chann;
    QPointer dialog =
        run_dialog(*rig.main, "Prog_verify", Window_id::Comm_verify, "Command_Verify");
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), QStringLiteral("Form_Comm_Verify"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.sim.process().state(), QProcess::NotRunning, Transfer_ms);
    QVERIFY(rig.sim.process().exitCode() == 0 && !QFileInfo(rig.sim.link()).isSymLink());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->engine().link_busy, 5000);
    click(dialog, "Command_Cancel");
    QTRY_VERIFY(!dialog);
    QCOMPARE(rig.recorder.texts(), QStringList());
    QVERIFY(chann == before);
}

// A dealer reads a radio, changes it and writes it back: the radio then
// holds the image, the names of all 128 channels included, those in the last
// name rows too.
void Test_sim_transfer::read_then_write_back()
{
    Test_radios::use_local_row();
    QTemporaryDir dir;
    const QString named = dir.filePath("named.chann");
    Radio radio; // the demo memory, and two names
    Reset_image();
    QVERIFY(!Store_channel_name(100, QStringLiteral("北门 100")));
    QVERIFY(!Store_channel_name(120, QStringLiteral("Gate 120")));
    for (int channel : {100, 120})
        for (int column = 0; column < 16; ++column)
            radio.set_byte(channel + 143, column, chann(channel + 143, column));
    QVERIFY(radio.save(named).ok);
    radio.set_personality(Test_radios::personality()); // as r7k-sim holds it

    // A full read brings the radio's memory: rows 1..271, every block a write
    // sends, into the image; block 272 into the read's own reply buffer only
    // (see the engine tests).
    Rig rig("names", {"--memory", named});
    Reset_image();
    const Data_image before = chann;
    QPointer dialog = run_dialog(*rig.main, "Prog_read", Window_id::Comm_read, "Command_Read");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog, Transfer_ms);
    QCOMPARE(rig.recorder.texts(), QStringList("从对讲机中读取数据完毕 ！"));
    QCOMPARE(Channel_name(100) + '|' + Channel_name(120), QStringLiteral("北门 100|Gate 120"));
    for (int block : Transfer_blocks(271))
        QCOMPARE(cells<QByteArray>(block, 0, 15), cells<QByteArray>(block, 0, 15, radio));
    for (int row : {0, 272, 273, 300})
        QCOMPARE(cells<QByteArray>(row, 0, 15), cells<QByteArray>(row, 0, 15, before));
    const Data_image read = chann;
    QCOMPARE(backup_texts(), QList<QByteArray>{Channel_file::Format_image(read)});

    // The dealer starts again from the factory channels and names two anew.
    Reset_image();
    Load_default_image();
    QVERIFY(!Store_channel_name(100, QStringLiteral("南门 100")));
    QVERIFY(!Store_channel_name(120, QStringLiteral("Gate 121")));
    rig.recorder.messages.clear();
    dialog = run_dialog(*rig.main, "Prog_write", Window_id::Comm_write, "Command_Write");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog, Transfer_ms);
    QCOMPARE(rig.recorder.texts(), QStringList());
    const Data_image written = chann;
    // The image was backed up just before it went to the radio.
    QCOMPARE(backup_texts(), (QList<QByteArray>{Channel_file::Format_image(read),
                                                Channel_file::Format_image(written)}));
    // The radio saved its memory when the End byte came.
    QTRY_VERIFY(QFileInfo::exists(rig.saved));
    Radio saved;
    QVERIFY(saved.load(rig.saved).ok);
    for (int block : Transfer_blocks(271))
        QCOMPARE(cells<QByteArray>(block, 0, 15, saved), cells<QByteArray>(block, 0, 15, written));

    // Told to stop, r7k-sim saves its memory once more and removes its link.
    QVERIFY(QFile::remove(rig.saved));
    rig.sim.stop();
    QCOMPARE(rig.sim.process().exitCode(), 0);
    QVERIFY(QFileInfo::exists(rig.saved) && !QFileInfo(rig.sim.link()).isSymLink());
}

QTEST_MAIN(Test_sim_transfer)
#include "test_sim_transfer.moc"
