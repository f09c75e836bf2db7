// The write to the radio, in virtual time against the simulated radio.
#include "core/image.h"
#include "link/protocol.h"
#include "link/write_engine.h"
#include "link_rig.h"

#include <QTest>

using namespace r7k;

namespace {

using Rig = Link_rig<Write_engine>;

constexpr qint64 Whole_write_ms = 60'000;
constexpr qint64 All_retries_ms = 30'000;

QByteArray image_row(int row)
{
    QByteArray bytes;
    for (int c = 0; c < 16; ++c)
        bytes.append(char(chann(row, c)));
    return bytes;
}

QList<QByteArray> write_frames(const QByteArray &sent)
{
    QList<QByteArray> frames;
    for (const QByteArray &command : Commands_in(sent))
        if (command.startsWith("AT^W"))
            frames.append(command);
    return frames;
}

QList<int> writing_numbers(const Recording_listener &listener)
{
    QList<int> numbers;
    for (const Bilingual &status : listener.statuses)
        if (status.english.startsWith(QLatin1String("Writing  ")))
            numbers.append(status.english.section(QLatin1Char(' '), 2, 2).toInt());
    return numbers;
}

// The blocks acknowledged, as the status line names them: 0 for Start.
QList<int> acknowledged_blocks()
{
    QList<int> blocks = Transfer_blocks(270);
    blocks.prepend(0);
    return blocks;
}

} // namespace

class Test_write_link : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Reset_link_globals(); }

    void writes_every_block_of_the_image_in_order()
    {
        QFETCH(int, largest_piece);
        Rig rig;
        rig.log.largest_piece = largest_piece;
        chann(1, 13) = 0x0D; // data bytes may look like CR
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return rig.engine.link_done; }, Whole_write_ms));

        QCOMPARE(rig.radio.written_blocks(), Transfer_blocks(271));
        const QList<QByteArray> frames = write_frames(rig.log.sent);
        QCOMPARE(frames.size(), 258);
        QCOMPARE(frames[0], "AT^W" + QByteArray("\x00\x10\x10", 3) + image_row(1) + "\r");
        QCOMPARE(frames[128].mid(4, 2), QByteArray("\x08\x30"));
        QCOMPARE(frames.last().mid(4, 2), QByteArray("\x10\xF0"));
        for (int i = 0; i < frames.size(); ++i) {
            const int block = Transfer_blocks(271)[i];
            QCOMPARE(frames[i].size(), 24);
            QCOMPARE(frames[i].mid(4, 2), Address_of(block));
            QCOMPARE(frames[i].mid(7, 16), image_row(block));
            for (int c = 0; c < 16; ++c)
                QCOMPARE(rig.radio.byte(block, c), chann(block, c));
        }
        QCOMPARE(rig.log.longer_writes, 0);
    }
    void writes_every_block_of_the_image_in_order_data() { pieces(); }

    void begins_with_the_handshake_and_start()
    {
        Rig rig;
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return rig.engine.link_done; }, Whole_write_ms));
        const QList<QByteArray> commands = Commands_in(rig.log.sent);
        QCOMPARE(commands[0], "AT^" + Protocol::Access_word + "\r");
        QCOMPARE(commands[1], QByteArray("AT^\x02\r"));
        QCOMPARE(commands[2], QByteArray("AT^\x06\r"));
        QVERIFY(commands[3].startsWith("AT^W"));
    }

    void stores_the_radio_identifier_in_row_139_before_writing()
    {
        Rig rig;
        rig.engine.start();
        QCOMPARE(image_row(139), QByteArray("ZRQ-47") + QByteArray(10, char(255)));
    }

    void shows_each_block_acknowledged_and_ends_without_a_message()
    {
        Rig rig;
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return rig.engine.link_done; }, Whole_write_ms));

        QCOMPARE(writing_numbers(rig.listener), acknowledged_blocks());
        QCOMPARE(rig.listener.statuses[1], (Bilingual{QStringLiteral("正在写入  0  数据块"),
                                                      QStringLiteral("Writing  0  Data Block")}));
        QCOMPARE(rig.listener.last_status(), QStringLiteral("Complete writing Data "));
        QCOMPARE(rig.listener.statuses.last().chinese, QStringLiteral("数据写入完毕 ！"));
        // progress by 272, from the block about to be sent
        QCOMPARE(rig.listener.progress.mid(0, 3), (QList<int>{0, 0, 0}));
        QCOMPARE(rig.listener.progress.last(), 271 * 100 / 272);
        QVERIFY(rig.listener.messages.isEmpty());
    }

    void sends_end_then_closes_the_port_then_the_dialog()
    {
        Rig rig;
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return rig.engine.link_done; }, Whole_write_ms));
        QVERIFY(rig.log.sent.endsWith("\r" + QByteArray(1, 'E')));
        QCOMPARE(rig.log.closed_at.last(), rig.log.sent.size());
        QVERIFY(!rig.log.open);
        QVERIFY(rig.radio.ended());
        QVERIFY(!rig.engine.link_busy);

        rig.clock.advance(499);
        QCOMPARE(rig.listener.finished_count, 0);
        rig.clock.advance(1);
        QCOMPARE(rig.listener.finished_count, 1);
        QVERIFY(rig.listener.messages.isEmpty());
    }

    // An ACK before the frame has gone out completely answers nothing.
    void an_early_ack_is_ignored()
    {
        Rig rig;
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return rig.engine.block_no == 10; }, 10'000));
        QVERIFY(!rig.engine.sent_all);
        rig.line.arrive(QByteArray(1, Protocol::Ack), 0);
        rig.clock.advance(1);
        QCOMPARE(rig.engine.block_no, 10);
        QVERIFY(rig.clock.advance_until([&] { return rig.engine.link_done; }, Whole_write_ms));
        QCOMPARE(rig.radio.written_blocks(), Transfer_blocks(271));
    }

    void other_bytes_are_ignored_and_the_write_starts_over()
    {
        Rig rig;
        rig.radio.set_faults({.noise_at = 100, .once = true});
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return rig.engine.link_done; }, Whole_write_ms));

        // The radio answered block 100 with noise instead of storing it.
        QList<int> expected = Transfer_blocks(99);
        expected += Transfer_blocks(271);
        QCOMPARE(rig.radio.written_blocks(), expected);
        QCOMPARE(rig.log.opens, 2);
        QVERIFY(rig.listener.messages.isEmpty());
    }

    void an_image_without_a_programmed_channel_sends_nothing()
    {
        Rig rig;
        chann.fill(0, 127, 0, 15, 255);
        for (int row = 0; row < 128; ++row)
            chann(row, row % 4) = 0x12; // part of a frequency only
        chann(128, 0) = chann(128, 1) = chann(128, 2) = chann(128, 3) = 0x45;
        const QByteArray row_139 = image_row(139);
        rig.engine.start();
        rig.clock.advance(All_retries_ms);

        QCOMPARE(rig.listener.message_texts(),
                 QStringList{"Please input the frequency in channel "});
        QCOMPARE(rig.listener.messages[0].text.chinese, QStringLiteral("信道参数不能为空"));
        QCOMPARE(rig.log.opens, 0);
        QVERIFY(rig.log.sent.isEmpty());
        QCOMPARE(image_row(139), row_139);
    }

    void fails_after_three_retries()
    {
        Rig rig;
        rig.radio.set_faults({.no_answer = true});
        rig.engine.start();
        rig.clock.advance(All_retries_ms);
        QCOMPARE(rig.log.opens, 4);
        QCOMPARE(rig.listener.message_texts(), QStringList{"Fail connect with transceiver."});
        QCOMPARE(rig.listener.last_status(), QStringLiteral("Communication fault."));
        QVERIFY(rig.radio.written_blocks().isEmpty());
    }

private:
    static void pieces()
    {
        QTest::addColumn<int>("largest_piece");
        QTest::newRow("replies whole") << 20;
        QTest::newRow("replies a byte at a time") << 1;
    }
};

QTEST_GUILESS_MAIN(Test_write_link)
#include "test_write_link.moc"
