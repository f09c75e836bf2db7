// The read, the write and the live power adjustment, and the link layer
// under them, in virtual time against the simulated radio.
#include "link/power_engine.h"
#include "link/protocol.h"
#include "link/read_engine.h"
#include "link/write_engine.h"
#include "link_rig.h"

#include <QTest>
#include <utility>

using namespace r7k;

namespace {

const QByteArray Handshake = Connect_command + "AT^\x02\r" + "AT^\x06\r"; // with Start
const QByteArray Power_connect = "AT^" + Protocol::Access_word + "AT^\x02";
const QByteArray Power_header("\x06\x67\x0F\x00\x10", 5);

// The intervals each timer of an engine is started with while it opens, meets
// a silent radio until the retry, and then runs a whole transfer and closes.
template <class Engine> QList<QSet<int>> periods_used()
{
    Link_rig<Engine> rig({.no_answer = true});
    rig.engine.opened();
    if constexpr (std::is_base_of_v<Transfer_engine, Engine>)
        rig.engine.start();
    rig.clock.advance(15 + 1000 + 5000);
    rig.radio.set_faults({});
    rig.clock.advance_until([&rig] { return rig.engine.link_done; }, 60'000);
    rig.clock.advance(1000);
    return {rig.timers.intervals_used.begin(), rig.timers.intervals_used.end()};
}

} // namespace

class Test_link_engines : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data() { Test_radios::add_rows(); }
    void init() { Start_link_test(); }

    void read_whole()
    {
        // Replies in pieces, and a byte at a time: the tail of a reply then
        // comes while the next command waits to go out, and must not be taken
        // for the first byte of the next reply.
        for (int largest_piece : {20, 1}) {
            Start_link_test();
            Link_rig<Read_engine> rig({}, largest_piece);
            chann.fill(0, Data_image::rows - 1, 0, 15, 77); // so that any change shows
            rig.engine.opened();
            rig.engine.start();
            rig.clock.advance(14);
            QVERIFY(rig.log.sent.isEmpty());
            rig.clock.advance(1); // the command goes out in one burst
            QCOMPARE(rig.log.sent, Connect_command);
            QVERIFY(rig.run_to_end());

            QVERIFY(QRegularExpression("^[A-Z]{8}$").match(Protocol::Access_word).hasMatch());
            // The four header bytes of a reply are the radio's: kept, not looked at.
            const sim::Personality radio = Test_radios::personality();
            QByteArray requests = Handshake;
            for (int block : Transfer_blocks(272)) {
                requests += "AT^R" + Address_of(block) + "\x10\r";
                const QByteArray header = radio.header == sim::Personality::Header::Fixed
                                              ? radio.fixed_header
                                              : "R" + Address_of(block) + "\x10";
                QCOMPARE(cells<QByteArray>(block, 0, 19, rig.engine.comm_buf),
                         header + cells<QByteArray>(block, 0, 15, rig.radio));
            }
            QVERIFY(Same_blocks(Transfer_blocks(271), chann, rig.radio));
            QCOMPARE(rig.log.sent, requests);
            QCOMPARE(rig.log.longer_writes, 0);
            for (int row : {0, 272, 273, 300})
                QCOMPARE(cells<QByteArray>(row, 0, 15), QByteArray(16, 77));

            const Recording_listener &shown = rig.listener;
            QCOMPARE(shown.block_numbers(), Transfer_blocks(272));
            QCOMPARE(shown.statuses.first(), "正在与对讲机联络 ！ / Connecting with transceiver. ");
            QCOMPARE(shown.statuses[1], "正在读取 1 数据块 / Reading 1 Data Block");
            QCOMPARE(shown.statuses.last(), "数据读出正常 ！ / Read Data in gear. ");
            QCOMPARE(shown.progress.first(), 0);
            QCOMPARE(shown.progress.mid(shown.progress.size() - 2), (QList<int>{99, 100}));
            QVERIFY(std::is_sorted(shown.progress.cbegin(), shown.progress.cend()));
            QCOMPARE(shown.messages, QStringList{Read_complete_message});
            QCOMPARE(shown.failures, 0);
            QVERIFY(!rig.log.open && !rig.engine.link_busy);
            QCOMPARE(shown.finished_count, 0); // the dialog closes at the next check
            rig.clock.advance(200);
            QVERIFY(shown.finished_count >= 1);
        }
    }

    // A silent radio: the port closes at each time-out until the retry, and
    // after the fourth attempt the user is told what happened. The time-out
    // counts from the end of the last command, the retry from the time-out.
    // A new start while a retry is pending cancels the retry. Each timer of
    // every engine runs with the one period that the radio's protocol fixes.
    void read_of_a_silent_radio()
    {
        // sender, reply time-out, retry, close check
        using Periods = QList<QSet<int>>;
        QCOMPARE(periods_used<Read_engine>(), (Periods{{15}, {1000}, {5000}, {200}}));
        QCOMPARE(periods_used<Write_engine>(), (Periods{{15}, {1000}, {5000}, {500}}));
        QCOMPARE(periods_used<Power_engine>(), (Periods{{15}, {1000}, {5000}, {500}}));

        Link_rig<Read_engine> rig({.no_answer = true});
        const Data_image before = chann;
        qint64 message_at = -1;
        rig.listener.while_message = [&] { message_at = rig.clock.now(); };
        rig.engine.start();
        rig.clock.advance(15 + 1000);
        QVERIFY(!rig.log.open && !rig.engine.link_busy);
        rig.clock.advance(5000);
        QCOMPARE(rig.log.opens, 2);
        QCOMPARE(rig.engine.retry_count, 2);
        QCOMPARE(rig.listener.statuses.last(), "正在与对讲机联络 ！（第 2 次尝试，共 4 次） / "
                                               "Connecting with transceiver. (attempt 2 of 4)");
        rig.clock.advance(60'000);
        QCOMPARE(
            rig.listener.messages,
            QStringList{"Operate prompt: 与对讲机联络失败 ！ / Fail connect with transceiver."});
        QCOMPARE(rig.listener.failures, 1);
        QCOMPARE(rig.log.sent.count(Connect_command), 4);
        QCOMPARE(message_at - rig.log.last_sent_at, 1000 + 5000);
        QCOMPARE(rig.listener.failure.what_happened().english,
                 "the radio does not answer the connect command");
        QCOMPARE(rig.listener.statuses.last(), "与对讲机通讯故障 ！ / Communication fault.");
        QCOMPARE(rig.listener.progress.last(), 0);
        QVERIFY(chann == before && !rig.engine.link_busy && !rig.log.open);

        rig.engine.start();
        rig.clock.advance(15 + 1000 + 2000); // timed out; the retry is due in 3 s
        rig.engine.start();
        rig.clock.advance(15 + 1000 + 4000); // its own retry is due 1 s later
        QCOMPARE(rig.log.opens, 4 + 2);
        rig.radio.set_faults({});
        QVERIFY(rig.run_to_end());
        QCOMPARE(rig.log.opens, 4 + 3);
        QCOMPARE(rig.listener.block_numbers(), Transfer_blocks(272));
        QCOMPARE(rig.listener.messages.last(), Read_complete_message);
    }

    // A fault that strikes once: the second attempt starts over from the
    // first block and completes.
    void read_retried_after_noise_starts_over()
    {
        Link_rig<Read_engine> rig({.noise_at = Power_row, .once = true});
        rig.engine.start();
        QVERIFY(rig.run_to_end());
        QCOMPARE(rig.log.opens, 2);
        const QList<int> numbers = rig.listener.block_numbers();
        QCOMPARE(numbers.mid(numbers.lastIndexOf(1)), Transfer_blocks(272));
        QVERIFY(Same_blocks(Transfer_blocks(271), chann, rig.radio));
    }

    void write_whole()
    {
        Link_rig<Write_engine> rig;
        chann(1, 13) = 0x0D; // data bytes may look like CR
        rig.engine.start();
        QCOMPARE(cells<QByteArray>(139, 0, 15), "ZRQ-47" + QByteArray(10, char(255)));
        QVERIFY(rig.run_to_end());

        QCOMPARE(rig.radio.written_blocks(), Transfer_blocks(271));
        QByteArray frames = Handshake;
        for (int block : Transfer_blocks(271))
            frames += "AT^W" + Address_of(block) + "\x10" + cells<QByteArray>(block, 0, 15) + "\r";
        QCOMPARE(rig.log.sent, frames + 'E');
        QVERIFY(Same_blocks(Transfer_blocks(271), chann, rig.radio));
        QCOMPARE(rig.log.longer_writes, 0);

        const Recording_listener &shown = rig.listener;
        QCOMPARE(shown.block_numbers(), QList<int>{0} + Transfer_blocks(270));
        QCOMPARE(shown.statuses[1], "正在写入  0  数据块 / Writing  0  Data Block");
        QCOMPARE(shown.statuses.last(), "数据写入完毕 ！ / Complete writing Data ");
        QCOMPARE(shown.progress.mid(0, 3), (QList<int>{0, 0, 0})); // by 272, of the next block
        QCOMPARE(shown.progress.last(), 271 * 100 / 272);
        // End, then the port closes (a closed port sends nothing), then the
        // dialog closes with no message.
        QVERIFY(!rig.log.open && rig.radio.ended() && !rig.engine.link_busy);
        rig.clock.advance(499);
        QCOMPARE(shown.finished_count, 0);
        rig.clock.advance(1);
        QCOMPARE(shown.finished_count, 1);
        QVERIFY(shown.messages.isEmpty());
    }

    // An ACK before the frame has gone out completely answers nothing; any
    // other byte is no answer either, and the write starts over.
    void write_ignores_an_early_ack_and_other_bytes()
    {
        Link_rig<Write_engine> rig({.noise_at = 100, .once = true});
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return rig.engine.block_no == 10; }, 10'000));
        QVERIFY(!rig.engine.sent_all);
        rig.line.arrive(QByteArray(1, Protocol::Ack));
        rig.clock.advance(1);
        QCOMPARE(rig.engine.block_no, 10);
        QVERIFY(rig.run_to_end());
        // The radio answered block 100 with noise instead of storing it.
        QCOMPARE(rig.radio.written_blocks(), Transfer_blocks(99) + Transfer_blocks(271));
        QCOMPARE(rig.log.opens, 2);
        QVERIFY(rig.listener.messages.isEmpty());
    }

    // The radio goes away midway: the port error after the reply time-out,
    // and no retry.
    void write_to_a_radio_that_hangs_up()
    {
        Link_rig<Write_engine> rig({.hang_up_at = 3});
        qint64 message_at = -1;
        rig.listener.while_message = [&] { message_at = rig.clock.now(); };
        rig.engine.start();
        rig.clock.advance(60'000);
        QCOMPARE(rig.listener.messages, QStringList{Port_failed_message});
        QCOMPARE(message_at - rig.log.last_sent_at, 1 + 5000);
        QCOMPARE(rig.listener.failures, 1);
        QCOMPARE(rig.log.sent.count(Connect_command), 1);
        QVERIFY(!rig.engine.link_busy && !rig.log.open);
    }

    void write_without_a_programmed_channel_sends_nothing()
    {
        Link_rig<Write_engine> rig;
        chann.fill(0, 127, 0, 15, 255);
        for (int row = 0; row < 128; ++row)
            chann(row, row % 4) = 0x12; // part of a frequency only
        chann.fill(128, 128, 0, 3, 0x45);
        const QByteArray row_139 = cells<QByteArray>(139, 0, 15);
        rig.engine.start();
        rig.clock.advance(30'000);
        QCOMPARE(rig.listener.messages,
                 QStringList{"Operate prompt: 信道参数不能为空 / Please input the frequency in "
                             "channel "});
        QVERIFY(rig.log.opens == 0 && rig.log.sent.isEmpty());
        QCOMPARE(rig.listener.failures, 1);
        QCOMPARE(cells<QByteArray>(139, 0, 15), row_139);
    }

    void power_takes_the_levels_from_the_radio_and_sends_each_change()
    {
        Link_rig<Power_engine> rig;
        for (int level = 0; level < 3; ++level)
            rig.radio.set_byte(Power_row, level, 40 + 90 * level);
        rig.engine.opened();
        rig.engine.set_level(1, 77); // before identification: nothing goes out
        QCOMPARE(cells<QByteArray>(Power_row, 0, 3), QByteArray("\x01\x4D\x03\x01"));
        rig.clock.advance(14);
        QVERIFY(rig.log.sent.isEmpty());
        rig.clock.advance(1);
        QCOMPARE(rig.log.sent, Power_connect);
        QVERIFY(rig.clock.advance_until(
            [&] { return rig.engine.identified && !rig.engine.link_busy; }, 1000));
        QCOMPARE(rig.listener.levels, 1);
        QCOMPARE(cells<QByteArray>(Power_row, 0, 2), QByteArray("\x28\x82\xDC"));
        // The first frame goes out as soon as the radio is identified.
        QCOMPARE(rig.log.sent, Power_connect + Power_header + cells<QByteArray>(Power_row, 0, 15));
        QCOMPARE(rig.radio.power_frames(), QList<QByteArray>{cells<QByteArray>(Power_row, 0, 15)});

        const qsizetype before = rig.log.sent.size();
        rig.engine.set_level(2, 200);
        rig.clock.advance(100);
        QCOMPARE(rig.log.sent.mid(before),
                 Power_header + "\x28\x82\xC8\x02\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F\x10");
        QCOMPARE(rig.radio.power_frames().last(), rig.log.sent.mid(before + 5));
        QVERIFY(!rig.engine.link_busy);

        // A frame queued before the last went out replaces it.
        rig.engine.set_level(0, 10);
        rig.clock.advance(5);
        rig.engine.set_level(0, 11);
        rig.clock.advance(100);
        QCOMPARE(rig.radio.power_frames().size(), 3);
        QCOMPARE(rig.radio.power_frames().last()[0], 11);

        rig.clock.advance(5000); // the watchdog leaves a live link alone
        QCOMPARE(rig.listener.finished_count, 0);
        const QByteArray sent = rig.log.sent;
        rig.engine.leave();
        rig.engine.leave();
        QCOMPARE(rig.log.sent, sent + "b");
        QVERIFY(!rig.log.open && rig.radio.left());
    }

    // The power dialog does not retry: it closes without a word at the
    // watchdog's next check after the port closed, on a silent radio and on
    // noise for an acknowledgement. Identified, the levels are the radio's.
    void power_gives_up_without_a_word()
    {
        for (const bool silent : {true, false}) {
            Start_link_test();
            Link_rig<Power_engine> rig(silent ? sim::Faults{.no_answer = true}
                                              : sim::Faults{.noise_at = Power_row});
            Data_image expected = chann;
            for (int level = 0; !silent && level < 3; ++level)
                expected(Power_row, level) = qint16(rig.radio.byte(Power_row, level));
            rig.engine.opened();
            QVERIFY(
                rig.clock.advance_until([&] { return rig.listener.finished_count > 0; }, 30'000));
            const qint64 waited = rig.clock.now() - rig.log.last_sent_at;
            QVERIFY2(waited > 1000 && waited <= 1000 + Power_engine::Watchdog_ms,
                     qPrintable(QString::number(waited)));
            rig.clock.advance(30'000);
            QCOMPARE(rig.listener.finished_count, 1);
            QCOMPARE(rig.log.sent.count(Power_connect), 1);
            QVERIFY(rig.listener.messages.isEmpty() && !rig.log.open);
            QVERIFY(chann == expected);
        }
    }

    // The identifier may come after other bytes, as long as it starts within
    // the first ten bytes of the reply; the levels are the three bytes after
    // it, however the reply is split.
    void power_identifier_within_the_first_ten_bytes()
    {
        for (int leading : {0, 1, 4, 9, 10}) {
            Start_link_test();
            Link_rig<Power_engine> rig({.no_answer = true}, 3);
            const QList<int> levels = cells(Power_row, 0, 2);
            rig.engine.opened();
            rig.clock.advance(15);
            QCOMPARE(rig.log.sent, Power_connect);
            // Bytes that look like parts of a reply: an ACK, another model, a
            // start of the identifier.
            const QByteArray before = QByteArray("\x06ZRQ-58\x00ZR", 10).left(leading);
            rig.line.arrive(before + "ZRQ-47" + "\x28\x82\xDC" + "\x01\x02");
            rig.clock.advance(100);

            const bool accepted = leading <= 9;
            QCOMPARE(rig.engine.identified, accepted);
            QCOMPARE(rig.listener.levels, int(accepted));
            QCOMPARE(cells(Power_row, 0, 2), (accepted ? QList<int>{0x28, 0x82, 0xDC} : levels));
        }
    }

    // A port that cannot be opened: the port error and nothing sent; the
    // power dialog closes, and the next attempt clears the error.
    void power_closes_on_a_port_error()
    {
        Link_rig<Power_engine> refused;
        refused.log.refuse_open = QStringLiteral("COM1 stands for no serial device");
        refused.engine.opened();
        QCOMPARE(refused.listener.messages, QStringList{Port_failed_message});
        QVERIFY(Port_error && refused.listener.failures == 1 && refused.log.sent.isEmpty());
        refused.clock.advance(500);
        QCOMPARE(refused.listener.finished_count, 1);
        refused.log.refuse_open.clear();
        refused.engine.opened();
        QVERIFY(!Port_error);
    }
};

QTEST_GUILESS_MAIN(Test_link_engines)
#include "test_link_engines.moc"
