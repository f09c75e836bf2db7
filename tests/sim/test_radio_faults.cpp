// Every fault that r7k-sim can show, at an early and a late block, once and
// for good, against the program's read, write and power adjustment: the whole
// program with its real serial line on a pseudo-terminal, in real time. For
// each case: the message the user gets, the image after it, the time until
// the outcome is reported against what the link's timers allow, and a new
// transfer afterwards.
//
// Most of a case is waiting for the link's time-outs and retries, so each case
// runs in a process of its own, many at once, each with its own radio.

#include "core/globals.h"
#include "core/image.h"
#include "dialog_driver.h"
#include "link/adjust_txp_dialog.h"
#include "link/port_map.h"
#include "link/transfer_dialog.h"
#include "message_recorder.h"
#include "sim/radio.h"
#include "sim/sim_process.h"
#include "started_program.h"
#include "ui/window_host.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>

using namespace r7k;
using namespace Dialog_driver;

namespace {

enum class Transfer { Read, Write, Power };
enum class Fault { No_answer, Wrong_identity, Short_reply, Noise, Stall, Hang_up };

const char *const Transfer_names[] = {"read", "write", "power"};
const struct {
    const char *name;
    const char *option; // of r7k-sim
    bool at_block;
} Fault_kinds[] = {
    {"no answer", "--no-answer", false},
    {"wrong identity", "--wrong-identity", false},
    {"short reply", "--short-reply-at", true},
    {"noise", "--noise-at", true},
    {"stall", "--stall-at", true},
    {"hang-up", "--hang-up-at", true},
};
constexpr int Early_block = 3;
constexpr int Late_block = Power_row; // late in a read or write, and the block of a power frame

// The link's timers, as the radio's protocol has them.
constexpr int Send_delay_ms = 15;
constexpr int Reply_timeout_ms = 1000;
constexpr int Retry_delay_ms = 5000;
constexpr int Attempts = 4;
constexpr int Watchdog_ms = 500;
constexpr int Handshake_commands = 3; // Connect, Identify, Start

const QString Connect_failed = QStringLiteral("与对讲机联络失败 ！");
const QString Port_failed = QStringLiteral("通讯端口打开错误，请正确设置通讯端口 ！");
const QString Read_complete = QStringLiteral("从对讲机中读取数据完毕 ！");
const QString Write_complete_status = QStringLiteral("数据写入完毕 ！");
// The first power frame carries the radio's own levels, high last changed.
const QString Power_unacknowledged = QStringLiteral("对讲机没有确认高功率 220，连接已断开 ！");

// Blocks of a read (up to 272) or a write (up to 271) in the order sent, up to `last`.
QList<int> transfer_blocks(int last)
{
    QList<int> blocks;
    for (int block = 1; block <= last; ++block)
        if (block <= 128 || block == Vfo_row || block == Settings_row || block >= First_name_row)
            blocks.append(block);
    return blocks;
}

struct Fault_case {
    Transfer transfer;
    Fault fault;
    int block; // where the fault strikes; -1 for a fault of the whole session
    bool once;

    const char *fault_name() const { return Fault_kinds[int(fault)].name; }

    QString tag() const
    {
        QString tag = QStringLiteral("%1 %2").arg(Transfer_names[int(transfer)], fault_name());
        if (block >= 0)
            tag += QStringLiteral(" at %1").arg(block);
        return tag + (once ? QStringLiteral(" once") : QString());
    }

    QStringList sim_arguments() const
    {
        QStringList arguments{Fault_kinds[int(fault)].option};
        if (block >= 0)
            arguments.append(QString::number(block));
        if (once)
            arguments.append(QStringLiteral("--once"));
        return arguments;
    }

    // The power dialog gives up at once, saying so only when a frame went
    // unacknowledged; a read or write recovers from a fault that strikes once.
    bool fails() const { return transfer == Transfer::Power || !once; }

    QString expected_message() const
    {
        if (transfer == Transfer::Power)
            return commands_to_fault() == 2 ? Power_unacknowledged : QString();
        if (!fails())
            return transfer == Transfer::Read ? Read_complete : QString();
        return fault == Fault::Hang_up ? Port_failed : Connect_failed;
    }

    // Commands of an attempt up to the one that the fault leaves unanswered.
    int commands_to_fault() const
    {
        if (transfer == Transfer::Power)
            return fault == Fault::No_answer || fault == Fault::Wrong_identity ? 1 : 2;
        if (fault == Fault::No_answer)
            return 1;
        if (fault == Fault::Wrong_identity)
            return 2;
        return Handshake_commands + int(transfer_blocks(block).size());
    }
    int whole_transfer_commands() const
    {
        return Handshake_commands +
               int(transfer_blocks(transfer == Transfer::Read ? 272 : 271).size());
    }
    // The commands sent until the outcome is reported.
    int commands() const
    {
        if (transfer == Transfer::Power)
            return commands_to_fault();
        if (once)
            return commands_to_fault() + whole_transfer_commands();
        return (fault == Fault::Hang_up ? 1 : Attempts) * commands_to_fault();
    }

    // The earliest the outcome can be reported, by the link's timers: each
    // command waits for the sender, an attempt ends by the reply time-out (or
    // at once when the line is lost), a retry follows 5 s after it; the power
    // dialog closes at the watchdog's next check after its port closed.
    qint64 earliest_ms() const
    {
        const qint64 attempt =
            commands_to_fault() * Send_delay_ms + (fault == Fault::Hang_up ? 0 : Reply_timeout_ms);
        if (transfer == Transfer::Power)
            return (attempt / Watchdog_ms + 1) * Watchdog_ms;
        if (once)
            return attempt + Retry_delay_ms + whole_transfer_commands() * Send_delay_ms;
        if (fault == Fault::Hang_up) // the radio is gone: the retry finds no port
            return attempt + Retry_delay_ms;
        return Attempts * (attempt + Retry_delay_ms);
    }
    // The latest it may be reported: each command may take twice what a
    // sound transfer's commands took beyond the sender's delay (the radio's
    // answer, the program's work), and the timers may fire a tenth late, on
    // a loaded machine, with 3 s more in all; the power dialog closes at the
    // latest a watchdog check later.
    qint64 latest_ms(double extra_ms_per_command) const
    {
        if (transfer == Transfer::Power)
            return earliest_ms() + Watchdog_ms + 1000;
        return earliest_ms() * 11 / 10 + qint64(commands() * extra_ms_per_command * 2) + 3000;
    }
};

QList<Fault_case> all_cases()
{
    QList<Fault_case> cases;
    for (Transfer transfer : {Transfer::Read, Transfer::Write, Transfer::Power})
        for (int fault = 0; fault < int(std::size(Fault_kinds)); ++fault) {
            // Only a read's replies are long enough to be cut short.
            if (Fault(fault) == Fault::Short_reply && transfer != Transfer::Read)
                continue;
            QList<int> blocks{-1};
            if (Fault_kinds[fault].at_block)
                blocks = transfer == Transfer::Power ? QList<int>{Late_block}
                                                     : QList<int>{Early_block, Late_block};
            for (int block : blocks)
                for (bool once : {false, true})
                    cases.append({transfer, Fault(fault), block, once});
        }
    return cases;
}

bool rows_equal(const Data_image &a, const Data_image &b, int except)
{
    for (int row = 0; row < Data_image::rows; ++row)
        for (int column = 0; column < Data_image::columns; ++column)
            if (row != except && a(row, column) != b(row, column))
                return false;
    return true;
}

// Columns 0..15 of `rows` of the image equal the radio's memory.
bool image_holds(const sim::Radio &radio, const QList<int> &rows)
{
    for (int row : rows)
        for (int column = 0; column < Block_bytes; ++column)
            if (chann(row, column) != radio.byte(row, column))
                return false;
    return true;
}

// Lets the program run until `done` holds; the milliseconds that took, or -1
// after `limit_ms`.
qint64 time_until(const std::function<bool()> &done, qint64 limit_ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit_ms)
            return -1;
        QTest::qWait(10);
    }
    return clock.elapsed();
}

// The program, started afresh, with r7k-sim as COM1 on a link of its own.
struct Rig {
    QTemporaryDir dir;
    const QString saved = dir.filePath("radio.chann"); // the radio's memory after End or Leave
    const QString link =
        QStringLiteral("/tmp/r7k-radio-faults-%1").arg(QCoreApplication::applicationPid());
    Message_recorder recorder;
    std::unique_ptr<Main_window> program = Start_program();
    sim::Sim_process sim;

    // A radio with these faults in place of the one before.
    void serve(const QStringList &faults)
    {
        sim.stop();
        QFile::remove(saved);
        QString error;
        QVERIFY2(sim.start(R7K_SIM_PATH, link, faults + QStringList{"--save-to", saved}, error),
                 qPrintable(error));
        Port_map::Set_mapping(1, link);
        Port_no = 1;
    }

    // The memory that the radio saved after End or Leave holds these rows
    // of the image.
    bool memory_holds_image(const QList<int> &rows) const
    {
        sim::Radio radio;
        return time_until([&] { return QFileInfo::exists(saved) && radio.load(saved).ok; }, 5000) >=
                   0 &&
               image_holds(radio, rows);
    }

    template <class Dialog> QPointer<Dialog> open(const char *command, Window_id id)
    {
        trigger(*program, command);
        return qobject_cast<Dialog *>(program->host().window(id));
    }
    // The read or write dialog: the one still open, else a new one.
    QPointer<Transfer_dialog> transfer_dialog(Transfer transfer)
    {
        const bool read = transfer == Transfer::Read;
        const Window_id id = read ? Window_id::Comm_read : Window_id::Comm_write;
        if (auto *open_dialog = qobject_cast<Transfer_dialog *>(program->host().window(id)))
            return open_dialog;
        return open<Transfer_dialog>(read ? "Prog_read" : "Prog_write", id);
    }
};

QString status_of(Transfer_dialog *dialog)
{
    return dialog ? text_of(dialog, "Label_tr_count") : QString();
}

// What a case found, as a row of the fault table.
struct Outcome {
    QString message;
    qint64 ms = -1;
    bool image_unchanged = false;
};

// Starts a read or write in its dialog and waits for what it reports: a
// message, or the status line of a completed write. A completed transfer
// closes its dialog by itself; a failed one leaves it open.
Outcome run_transfer(Rig &rig, Transfer transfer, qint64 limit_ms)
{
    const Data_image before = chann;
    const bool read = transfer == Transfer::Read;
    QPointer dialog = rig.transfer_dialog(transfer);
    click(dialog, read ? "Command_Read" : "Command_Write");
    Outcome outcome;
    outcome.ms = time_until(
        [&] {
            return !rig.recorder.messages.isEmpty() || status_of(dialog) == Write_complete_status;
        },
        limit_ms);
    outcome.message = rig.recorder.texts().join(" + ");
    outcome.image_unchanged = rows_equal(chann, before, read ? -1 : Radio_id_row);
    if (outcome.message.isEmpty() || outcome.message == Read_complete)
        time_until([&] { return dialog.isNull(); }, 5000);
    return outcome;
}

Outcome power_case(Rig &rig, const Fault_case &c)
{
    const Data_image before = chann;
    QPointer dialog = rig.open<Form_Adjust_Txp>("Adj_Txp", Window_id::Adjust_txp);
    Outcome outcome;
    outcome.ms = time_until([&] { return dialog.isNull(); }, c.latest_ms(0));
    outcome.message = rig.recorder.texts().join(" + ");
    outcome.image_unchanged = rows_equal(chann, before, Power_row);
    return outcome;
}

// After the fault, with a sound radio, the same transfer goes through. For a
// read or write, `extra_ms` tells how long each of its commands took beyond
// the sender's delay.
void transfer_again(Rig &rig, const Fault_case &c, double &extra_ms)
{
    rig.recorder.messages.clear();
    if (c.transfer == Transfer::Power) {
        QPointer dialog = rig.open<Form_Adjust_Txp>("Adj_Txp", Window_id::Adjust_txp);
        QTRY_COMPARE_WITH_TIMEOUT(text_of(dialog, "Label_H"), QStringLiteral("220"), 5000);
        control<QScrollBar>(dialog, "HScroll_H")->setValue(200);
        QTRY_VERIFY(dialog->engine().sent_all && !dialog->engine().link_busy);
        click(dialog, "Command_Close");
        QTRY_VERIFY(dialog.isNull());
        QVERIFY(rig.memory_holds_image({Power_row}));
        QCOMPARE(rig.recorder.texts(), QStringList());
        return;
    }
    const bool read = c.transfer == Transfer::Read;
    const Outcome again = run_transfer(rig, c.transfer, 60'000);
    QCOMPARE(again.message, read ? Read_complete : QString());
    if (read)
        QVERIFY(image_holds(sim::Radio(), transfer_blocks(254)));
    else
        QVERIFY(rig.memory_holds_image(transfer_blocks(271)));
    const int commands = c.whole_transfer_commands();
    extra_ms = qMax(0.0, double(again.ms - commands * Send_delay_ms) / commands);
}

} // namespace

Q_DECLARE_METATYPE(Fault_case)

class Test_radio_faults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void every_fault();
    void fault_case_data();
    void fault_case();
};

// Runs each case in a process of its own, several at once, the longest
// first, and prints the table of what they found.
void Test_radio_faults::every_fault()
{
    QList<Fault_case> cases = all_cases();
    std::stable_sort(cases.begin(), cases.end(), [](const Fault_case &a, const Fault_case &b) {
        return a.earliest_ms() > b.earliest_ms();
    });
    const int jobs = qEnvironmentVariableIsSet("R7K_FAULT_JOBS")
                         ? qMax(1, qEnvironmentVariableIntValue("R7K_FAULT_JOBS"))
                         : 12;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("R7K_FAULT_CASE"), QStringLiteral("1"));

    std::vector<std::unique_ptr<QProcess>> running;
    QMap<QString, QString> rows; // by tag
    QStringList failures;
    qsizetype next = 0;
    while (next < cases.size() || !running.empty()) {
        while (next < cases.size() && int(running.size()) < jobs) {
            auto process = std::make_unique<QProcess>();
            process->setProcessEnvironment(environment);
            process->setProcessChannelMode(QProcess::MergedChannels);
            process->setObjectName(cases[next++].tag());
            process->start(QCoreApplication::applicationFilePath(),
                           {QStringLiteral("fault_case:") + process->objectName()});
            running.push_back(std::move(process));
        }
        QTest::qWait(100);
        std::erase_if(running, [&](const std::unique_ptr<QProcess> &process) {
            if (process->state() != QProcess::NotRunning)
                return false;
            const QString output = QString::fromUtf8(process->readAll());
            static const QRegularExpression row(QStringLiteral("^QINFO.*?(\\|.*\\|)$"),
                                                QRegularExpression::MultilineOption);
            rows[process->objectName()] = row.match(output).captured(1);
            if (process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0)
                failures.append(process->objectName() + ":\n" + output);
            return true;
        });
    }

    qInfo("| transfer, fault | message | seconds to report | image unchanged |");
    for (const Fault_case &c : all_cases())
        qInfo("%s",
              qPrintable(rows.value(c.tag(), QStringLiteral("| %1 | (no result) |").arg(c.tag()))));
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

void Test_radio_faults::fault_case_data()
{
    if (qEnvironmentVariableIsEmpty("R7K_FAULT_CASE"))
        QSKIP("each case runs in a process of its own, started by every_fault");
    QTest::addColumn<Fault_case>("fault");
    for (const Fault_case &c : all_cases())
        QTest::newRow(qPrintable(c.tag())) << c;
}

void Test_radio_faults::fault_case()
{
    QFETCH(Fault_case, fault);
    Rig rig;
    rig.serve(fault.sim_arguments());
    Reset_image();
    Load_default_image();
    chann(Power_row, 0) = 1;            // levels that differ from the radio's
    constexpr qint64 Hang_ms = 120'000; // far beyond any time the link may take
    const Outcome outcome = fault.transfer == Transfer::Power
                                ? power_case(rig, fault)
                                : run_transfer(rig, fault.transfer, fault.earliest_ms() + Hang_ms);
    const bool read_completed = fault.transfer == Transfer::Read && !fault.fails();
    const bool read_right = !read_completed || image_holds(sim::Radio(), transfer_blocks(254));
    const bool write_right = fault.transfer != Transfer::Write || fault.fails() ||
                             rig.memory_holds_image(transfer_blocks(271));

    if (!fault.once)
        rig.serve({});
    double extra_ms = 0;
    transfer_again(rig, fault, extra_ms);
    qInfo("| %s | %s | %.2f | %s |", qPrintable(fault.tag()),
          outcome.message.isEmpty() ? "none" : qPrintable(outcome.message),
          double(outcome.ms) / 1000, outcome.image_unchanged ? "yes" : "no");

    QCOMPARE(outcome.message, fault.expected_message());
    // A read changes the image only when it completes, and then to the
    // radio's memory; a write changes only row 139 (the radio's identifier)
    // and leaves the radio holding the image; a power adjustment changes only
    // row 240 (the levels).
    QCOMPARE(outcome.image_unchanged, !read_completed);
    QVERIFY(read_right && write_right);
    QVERIFY2(outcome.ms >= fault.earliest_ms() && outcome.ms <= fault.latest_ms(extra_ms),
             qPrintable(QStringLiteral("reported after %1 ms, the link's timers allow %2..%3 ms")
                            .arg(outcome.ms)
                            .arg(fault.earliest_ms())
                            .arg(fault.latest_ms(extra_ms))));
}

QTEST_MAIN(Test_radio_faults)
#include "test_radio_faults.moc"
