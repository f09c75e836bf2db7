// Whole reads and writes of the program, through its dialogs and its real
// QSerialPort, against the r7k-sim process over a pseudo-terminal, in real
// time.

#include "core/globals.h"
#include "core/image.h"
#include "link/adjust_txp_dialog.h"
#include "link/port_map.h"
#include "link/transfer_dialog.h"
#include "message_recorder.h"
#include "shell/window_host.h"
#include "sim/radio.h"
#include "sim/sim_process.h"
#include "started_program.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;
using namespace r7k::sim;

namespace {

constexpr int Transfer_ms = 30'000; // a transfer over a pty takes a few seconds

QList<int> read_blocks()
{
    QList<int> blocks;
    for (int block = 1; block <= 272; ++block)
        if (block <= 128 || block == 131 || block == 140 || block >= 144)
            blocks.append(block);
    return blocks;
}

QList<int> written_blocks()
{
    QList<int> blocks = read_blocks();
    blocks.removeLast();
    return blocks;
}

// The simulated radio on a link of the test's own, as COM1.
void serve_com1(Sim_process &sim, const char *test, const QStringList &arguments = {})
{
    const QString link = QStringLiteral("/tmp/r7k-radio-e2e-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(test);
    QString error;
    QVERIFY2(sim.start(Sim_process::Find_program(), link, arguments, error), qPrintable(error));
    Port_map::Set_mapping(1, link);
    Port_no = 1;
}

// Chooses the menu command and presses the dialog's action button.
Transfer_dialog *run_dialog(Main_window &main, const char *command, Window_id id,
                            const char *button)
{
    auto *action = main.findChild<QAction *>(QLatin1String(command));
    if (!action)
        return nullptr;
    action->trigger();
    auto *dialog = qobject_cast<Transfer_dialog *>(main.host().window(id));
    if (!dialog)
        return nullptr;
    QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    return dialog;
}

} // namespace

class Test_sim_transfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void read_brings_the_radio_memory();
    void radio_lost_mid_read_leaves_the_image();
    void write_then_read_back();
    void power_levels_adjusted_live();
};

void Test_sim_transfer::read_brings_the_radio_memory()
{
    Message_recorder recorder;
    auto main = Start_program();
    Sim_process sim;
    serve_com1(sim, "read");
    const Radio radio; // r7k-sim starts from the same demo memory
    const Data_image before = chann;

    QPointer<Transfer_dialog> dialog =
        run_dialog(*main, "Prog_read", Window_id::Comm_read, "Command_Read");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog, Transfer_ms);

    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.texts().first(), Bilingual({QStringLiteral("从对讲机中读取数据完毕 ！"),
                                                  QStringLiteral("Complete reading the data "
                                                                 "from transceiver.")})
                                           .text());
    for (int block : read_blocks()) {
        for (int column = 0; column < 16; ++column) {
            const int got = block <= 254 ? chann(block, column) : Comm_buf(block, column + 4);
            QCOMPARE(got, radio.byte(block, column));
        }
    }
    for (int row : {0, 255, 273, 300})
        for (int column = 0; column < 16; ++column)
            QCOMPARE(chann(row, column), before(row, column));
}

void Test_sim_transfer::radio_lost_mid_read_leaves_the_image()
{
    Message_recorder recorder;
    auto main = Start_program();
    Sim_process sim;
    serve_com1(sim, "lost");
    const Data_image before = chann;

    QPointer<Transfer_dialog> dialog =
        run_dialog(*main, "Prog_read", Window_id::Comm_read, "Command_Read");
    QVERIFY(dialog);
    auto *progress = dialog->findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    QTRY_VERIFY_WITH_TIMEOUT(progress->value() >= 20, Transfer_ms);
    sim.kill();

    // The attempt ends as a time-out would; the dialog can then be closed.
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->engine().link_busy, 5000);
    QVERIFY(chann == before);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("Command_Cancel")),
                      Qt::LeftButton);
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
    QPointer<Transfer_dialog> dialog =
        run_dialog(*main, "Prog_write", Window_id::Comm_write, "Command_Write");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog, Transfer_ms);
    QVERIFY2(recorder.messages.isEmpty(), qPrintable(recorder.texts().join('\n')));
    const Data_image written = chann;

    // The radio saved its memory when the End byte came.
    Radio radio;
    QTRY_VERIFY(QFileInfo::exists(saved));
    QVERIFY(radio.load(saved).ok);
    for (int block : written_blocks())
        for (int column = 0; column < 16; ++column)
            QCOMPARE(radio.byte(block, column), int(written(block, column)));

    Reset_image();
    dialog = run_dialog(*main, "Prog_read", Window_id::Comm_read, "Command_Read");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog, Transfer_ms);
    QCOMPARE(recorder.messages.size(), 1);
    for (int block : written_blocks())
        if (block <= 254)
            for (int column = 0; column < 16; ++column)
                QCOMPARE(chann(block, column), written(block, column));
}

void Test_sim_transfer::power_levels_adjusted_live()
{
    QTemporaryDir dir;
    const QString saved = dir.filePath("radio.chann");
    Message_recorder recorder;
    auto main = Start_program();
    Sim_process sim;
    serve_com1(sim, "power", {"--save-to", saved});

    main->findChild<QAction *>(QStringLiteral("Adj_Txp"))->trigger();
    QPointer<Form_Adjust_Txp> dialog =
        qobject_cast<Form_Adjust_Txp *>(main->host().window(Window_id::Adjust_txp));
    QVERIFY(dialog);
    // The levels shown are the radio's.
    auto *high_label = dialog->findChild<QLabel *>(QStringLiteral("Label_H"));
    QTRY_COMPARE(high_label->text(), QStringLiteral("220"));
    QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("Label_L"))->text(), QStringLiteral("40"));

    QVERIFY(dialog->engine().identified);
    dialog->findChild<QScrollBar *>(QStringLiteral("HScroll_H"))->setValue(200);
    QTRY_VERIFY(dialog->engine().sent_all); // the frame has gone out
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("Command_Close")),
                      Qt::LeftButton);
    QTRY_VERIFY(!dialog);

    // The radio saved its memory when the Leave byte came.
    QTRY_VERIFY(QFileInfo::exists(saved));
    Radio radio;
    QVERIFY(radio.load(saved).ok);
    const QList<int> levels{radio.byte(Power_row, 0), radio.byte(Power_row, 1),
                            radio.byte(Power_row, 2), radio.byte(Power_row, 3)};
    QCOMPARE(levels, QList<int>({40, 120, 200, 2}));
    QVERIFY2(recorder.messages.isEmpty(), qPrintable(recorder.texts().join('\n')));
}

QTEST_MAIN(Test_sim_transfer)
#include "test_sim_transfer.moc"
