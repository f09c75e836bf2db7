// Every fault of the simulated radio, early and late, striking once or for
// good, against the read, the write and the power adjustment, in virtual
// time and against each test radio: what the user is told and when, what
// becomes of the image and of the radio, and that a transfer goes through
// again once the radio is sound.
#include "link/power_engine.h"
#include "link/read_engine.h"
#include "link/write_engine.h"
#include "link_rig.h"

#include <QTest>

using namespace r7k;

namespace {

enum class Transfer { Read, Write, Power };
enum class Fault { No_answer, Wrong_identity, Short_reply, Noise, Stall, Hang_up };

const char *const Transfer_names[] = {"read", "write", "power"};
const char *const Fault_names[] = {"no answer", "wrong identity", "short reply",
                                   "noise",     "stall",          "hang-up"};

const QString Connect_failed =
    QStringLiteral("Operate prompt: 与对讲机联络失败 ！ / Fail connect with transceiver.");
const QString Fault_status = QStringLiteral("与对讲机通讯故障 ！ / Communication fault.");

struct Fault_case {
    Transfer transfer;
    Fault fault;
    int block; // where the fault strikes; -1 for a fault of the whole session
    bool once;

    sim::Faults faults() const
    {
        sim::Faults faults{.no_answer = fault == Fault::No_answer,
                           .wrong_identity = fault == Fault::Wrong_identity,
                           .once = once};
        const std::pair<Fault, int sim::Faults::*> at_block[] = {
            {Fault::Short_reply, &sim::Faults::short_reply_at},
            {Fault::Noise, &sim::Faults::noise_at},
            {Fault::Stall, &sim::Faults::stall_at},
            {Fault::Hang_up, &sim::Faults::hang_up_at}};
        for (const auto &[kind, field] : at_block)
            if (kind == fault)
                faults.*field = block;
        return faults;
    }
    QList<int> blocks() const
    {
        return transfer == Transfer::Read ? Transfer_blocks(272) : Transfer_blocks(271);
    }
    // What the user is told happened in the last attempt.
    QString what_happened() const
    {
        if (fault == Fault::No_answer)
            return QStringLiteral("the radio does not answer the connect command");
        if (fault == Fault::Wrong_identity)
            return QStringLiteral("the radio identifies as another model (ZRQ-5...), not as an "
                                  "R7K (ZRQ-47)");
        const int position = int(blocks().indexOf(block)) + 1;
        QString text = QStringLiteral("the radio stopped answering at block %1 of %2")
                           .arg(position)
                           .arg(blocks().size());
        if (position != block)
            text += QStringLiteral(" (block %1 of its memory)").arg(block);
        return text;
    }
};

// The image is as before, but for `except`.
bool unchanged_but(Data_image before, int except)
{
    for (int column = 0; except >= 0 && column < Data_image::columns; ++column)
        before(except, column) = chann(except, column);
    return before == chann;
}

template <class Engine> void transfer_case(const Fault_case &c)
{
    Link_rig<Engine> rig(c.faults());
    const bool read = c.transfer == Transfer::Read;
    const Data_image before = chann;
    qint64 message_at = -1;
    rig.listener.while_message = [&] { message_at = rig.clock.now(); };
    rig.engine.start();
    rig.clock.advance_until([&] { return rig.engine.link_done || rig.listener.failures > 0; },
                            120'000);

    if (c.once) {
        // The second attempt starts again from the first block and completes.
        QVERIFY(rig.engine.link_done);
        QCOMPARE(rig.log.opens, 2);
        QCOMPARE(rig.listener.messages, read ? QStringList{Read_complete_message} : QStringList());
        const QList<int> numbers = rig.listener.block_numbers();
        QCOMPARE(numbers.mid(numbers.lastIndexOf(read ? 1 : 0)),
                 read ? c.blocks() : QList<int>{0} + Transfer_blocks(270));
        QVERIFY(Same_blocks(Transfer_blocks(271), chann, rig.radio));
        return;
    }
    const bool lost = c.fault == Fault::Hang_up;
    QCOMPARE(rig.listener.failures, 1);
    QCOMPARE(rig.listener.messages, QStringList{lost ? Port_failed_message : Connect_failed});
    QCOMPARE(rig.log.sent.count(Connect_command), lost ? 1 : 4);
    // The time-out counts from the end of the last command, the retry from
    // the time-out; a lost line ends the attempt at once.
    QCOMPARE(message_at - rig.log.last_sent_at, lost ? 1 + 5000 : 1000 + 5000);
    if (!lost) {
        QCOMPARE(rig.listener.failure.what_happened().english, c.what_happened());
        QCOMPARE(rig.listener.statuses.last(), Fault_status);
        QCOMPARE(rig.listener.progress.last(), 0);
    }
    QVERIFY(unchanged_but(before, read ? -1 : Radio_id_row));
    QVERIFY(!rig.engine.link_busy && !rig.log.open);

    if (!lost) {
        rig.radio.set_faults({});
        rig.engine.start();
        QVERIFY(rig.run_to_end());
        QCOMPARE(rig.log.opens, 5);
    }
}

// The power dialog does not retry: it closes without a word at the
// watchdog's next check after the port closed.
void power_case(const Fault_case &c)
{
    Link_rig<Power_engine> rig(c.faults());
    const Data_image before = chann;
    rig.engine.opened();
    QVERIFY(rig.clock.advance_until([&] { return rig.listener.finished_count > 0; }, 30'000));
    const qint64 waited = rig.clock.now() - rig.log.last_sent_at;
    const bool lost = c.fault == Fault::Hang_up;
    QVERIFY2(waited > (lost ? 0 : 1000) && waited <= (lost ? 1 : 1000) + Power_engine::Watchdog_ms,
             qPrintable(QString::number(waited)));
    rig.clock.advance(30'000);
    QCOMPARE(rig.listener.finished_count, 1);
    QCOMPARE(rig.log.sent.count("AT^" + Protocol::Access_word + "AT^\x02"), 1);
    QVERIFY(rig.listener.messages.isEmpty() && !rig.log.open);
    // Identified, the levels are the radio's; otherwise nothing changed.
    const bool identified = c.block == Power_row;
    QCOMPARE(cells(Power_row, 0, 2),
             identified ? cells(Power_row, 0, 2, rig.radio) : cells(Power_row, 0, 2, before));
    QVERIFY(unchanged_but(before, Power_row));
}

} // namespace

Q_DECLARE_METATYPE(Fault_case)

class Test_link_faults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data() { Test_radios::add_rows(); }
    void init() { Start_link_test(); }

    void fault_data()
    {
        QTest::addColumn<Fault_case>("fault");
        for (Transfer transfer : {Transfer::Read, Transfer::Write, Transfer::Power})
            for (int kind = 0; kind < int(std::size(Fault_names)); ++kind) {
                const Fault fault = Fault(kind);
                // Only a read's replies are long enough to be cut short.
                if (fault == Fault::Short_reply && transfer != Transfer::Read)
                    continue;
                QList<int> blocks{-1};
                if (kind >= int(Fault::Short_reply)) // early, and late: a power frame is block 240
                    blocks = transfer == Transfer::Power ? QList<int>{Power_row}
                                                         : QList<int>{3, Power_row};
                for (int block : blocks)
                    for (bool once : {false, true}) {
                        QString tag = QStringLiteral("%1 %2").arg(Transfer_names[int(transfer)],
                                                                  Fault_names[kind]);
                        if (block >= 0)
                            tag += QStringLiteral(" at %1").arg(block);
                        QTest::newRow(qPrintable(tag + (once ? " once" : "")))
                            << Fault_case{transfer, fault, block, once};
                    }
            }
    }
    void fault()
    {
        QFETCH(Fault_case, fault);
        if (fault.transfer == Transfer::Power)
            power_case(fault);
        else if (fault.transfer == Transfer::Read)
            transfer_case<Read_engine>(fault);
        else
            transfer_case<Write_engine>(fault);
    }
};

QTEST_GUILESS_MAIN(Test_link_faults)
#include "test_link_faults.moc"
