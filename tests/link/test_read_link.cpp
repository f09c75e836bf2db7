// The read from the radio and the link layer under it, in virtual time
// against the simulated radio.
#include "core/globals.h"
#include "core/image.h"
#include "link/protocol.h"
#include "link/read_engine.h"
#include "link_rig.h"

#include <QTest>

using namespace r7k;

namespace {

using Rig = Link_rig<Read_engine>;

constexpr qint64 Whole_read_ms = 60'000;
constexpr qint64 All_retries_ms = 30'000;

bool read_done(Rig &rig)
{
    return rig.engine.link_done;
}

QList<int> reading_numbers(const Recording_listener &listener)
{
    QList<int> numbers;
    for (const Bilingual &status : listener.statuses)
        if (status.english.startsWith(QLatin1String("Reading ")))
            numbers.append(status.english.section(QLatin1Char(' '), 1, 1).toInt());
    return numbers;
}

// Marks every image row so that a change shows.
void mark_image()
{
    chann.fill(0, Data_image::rows - 1, 0, 15, 77);
}

bool image_is_marked()
{
    for (int r = 0; r < Data_image::rows; ++r)
        for (int c = 0; c < 16; ++c)
            if (chann(r, c) != 77)
                return false;
    return true;
}

} // namespace

class Test_read_link : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Reset_link_globals(); }

    void sends_the_handshake_and_every_block_request_byte_for_byte()
    {
        Rig rig;
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return read_done(rig); }, Whole_read_ms));

        QByteArray expected = "AT^" + Protocol::Access_word + "\r" + QByteArray("AT^\x02\r") +
                              QByteArray("AT^\x06\r");
        for (int block : Transfer_blocks(272))
            expected += "AT^R" + Address_of(block) + "\x10\r";
        QCOMPARE(rig.log.sent, expected);
        QCOMPARE(rig.log.longer_writes, 0);
        QCOMPARE(Protocol::Access_word.size(), 8);
        for (char letter : Protocol::Access_word)
            QVERIFY(letter >= 'A' && letter <= 'Z');
    }

    void sends_a_command_as_one_burst_15_ms_after_queuing_it()
    {
        Rig rig;
        rig.engine.start();
        rig.clock.advance(14);
        QVERIFY(rig.log.sent.isEmpty());
        rig.clock.advance(1);
        QCOMPARE(rig.log.sent.size(), 12);
        QCOMPARE(rig.log.sent_at.first(), 15);
        QCOMPARE(rig.log.sent_at.last(), 15);
        QVERIFY(rig.engine.sent_all);
    }

    void fills_image_rows_1_to_254_from_the_replies_and_nothing_else()
    {
        Rig rig;
        mark_image();
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return read_done(rig); }, Whole_read_ms));

        for (int block : Transfer_blocks(272)) {
            QCOMPARE(Comm_buf(block, 0), 'R');
            QCOMPARE(QByteArray(1, char(Comm_buf(block, 1))) + char(Comm_buf(block, 2)),
                     Address_of(block));
            QCOMPARE(Comm_buf(block, 3), 0x10);
            for (int c = 0; c < 16; ++c) {
                QCOMPARE(Comm_buf(block, c + 4), rig.radio.byte(block, c));
                if (block <= 254)
                    QCOMPARE(chann(block, c), rig.radio.byte(block, c));
            }
        }
        // Blocks the read skips take what the reply buffer holds for them.
        for (int row : {129, 130, 132, 139, 141, 143})
            for (int c = 0; c < 16; ++c)
                QCOMPARE(chann(row, c), 0);
        for (int row : {0, 255, 272, 273, 300})
            for (int c = 0; c < 16; ++c)
                QCOMPARE(chann(row, c), 77);
    }

    void reports_each_block_and_completes_with_its_message()
    {
        Rig rig;
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return read_done(rig); }, Whole_read_ms));

        QCOMPARE(reading_numbers(rig.listener), Transfer_blocks(272));
        QCOMPARE(rig.listener.statuses.first().english,
                 QStringLiteral("Connecting with transceiver. "));
        QCOMPARE(rig.listener.statuses[1], (Bilingual{QStringLiteral("正在读取 1 数据块"),
                                                      QStringLiteral("Reading 1 Data Block")}));
        QCOMPARE(rig.listener.last_status(), QStringLiteral("Read Data in gear. "));
        QCOMPARE(rig.listener.statuses.last().chinese, QStringLiteral("数据读出正常 ！"));

        const QList<int> &progress = rig.listener.progress;
        QCOMPARE(progress.first(), 0);
        QCOMPARE(progress[progress.size() - 2], 99); // block 272: 272 / 273
        QCOMPARE(progress.last(), 100);
        QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()));

        QCOMPARE(rig.listener.messages.size(), 1);
        QCOMPARE(rig.listener.messages[0].text.english,
                 QStringLiteral("Complete reading the data from transceiver."));
        QCOMPARE(rig.listener.messages[0].text.chinese,
                 QStringLiteral("从对讲机中读取数据完毕 ！"));
        QCOMPARE(rig.listener.messages[0].title.english, QStringLiteral("Operate Prompt"));
        QVERIFY(!rig.log.open);
        QVERIFY(!rig.engine.link_busy);
    }

    void closes_the_dialog_on_the_next_check_after_completion()
    {
        Rig rig;
        rig.engine.opened();
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return read_done(rig); }, Whole_read_ms));
        QCOMPARE(rig.listener.finished_count, 0);
        rig.clock.advance(200);
        QVERIFY(rig.listener.finished_count >= 1);
    }

    void times_out_one_second_after_the_burst_and_retries_five_seconds_later()
    {
        Rig rig;
        rig.radio.set_faults({.no_answer = true});
        rig.engine.start();
        rig.clock.advance(15 + 999);
        QVERIFY(rig.log.open);
        QVERIFY(rig.engine.link_busy);
        rig.clock.advance(1);
        QVERIFY(!rig.log.open);
        QVERIFY(!rig.engine.link_busy);
        rig.clock.advance(4999);
        QCOMPARE(rig.log.opens, 1);
        rig.clock.advance(1);
        QCOMPARE(rig.log.opens, 2);
        QCOMPARE(rig.engine.retry_count, 2);
    }

    void wrong_identity_fails_after_three_retries()
    {
        Rig rig;
        mark_image();
        rig.radio.set_faults({.wrong_identity = true});
        rig.engine.start();
        rig.clock.advance(All_retries_ms);

        int connects = 0;
        for (const QByteArray &command : Commands_in(rig.log.sent))
            connects += command == "AT^" + Protocol::Access_word + "\r";
        QCOMPARE(connects, 4);
        QCOMPARE(rig.listener.message_texts(), QStringList{"Fail connect with transceiver."});
        QCOMPARE(rig.listener.messages[0].text.chinese, QStringLiteral("与对讲机联络失败 ！"));
        QCOMPARE(rig.listener.messages[0].title.english, QStringLiteral("Operate prompt"));
        QCOMPARE(rig.listener.last_status(), QStringLiteral("Communication fault."));
        QCOMPARE(rig.listener.progress.last(), 0);
        QVERIFY(image_is_marked());
        QVERIFY(!rig.engine.identified);
    }

    void a_short_reply_times_out_and_the_read_starts_again_from_block_1()
    {
        Rig rig;
        rig.radio.set_faults({.short_reply_at = 7, .once = true});
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return read_done(rig); }, Whole_read_ms));

        const QList<int> numbers = reading_numbers(rig.listener);
        QCOMPARE(numbers.mid(0, 8), (QList<int>{1, 2, 3, 4, 5, 6, 7, 1}));
        QCOMPARE(numbers.mid(7), Transfer_blocks(272));
        QCOMPARE(rig.log.opens, 2);
        for (int block : Transfer_blocks(254))
            for (int c = 0; c < 16; ++c)
                QCOMPARE(chann(block, c), rig.radio.byte(block, c));
        QCOMPARE(rig.listener.message_texts(),
                 QStringList{"Complete reading the data from transceiver."});
    }

    void a_radio_fault_in_mid_read_leaves_the_image_unchanged_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("block");
        QTest::addColumn<QStringList>("messages");
        const QStringList failed{"Fail connect with transceiver."};
        const QStringList port_gone{
            "Communication port is error, please setting right communication port . ！"};
        QTest::newRow("noise at 3") << 0 << 3 << failed;
        QTest::newRow("noise at 200") << 0 << 200 << failed;
        QTest::newRow("stall at 131") << 1 << 131 << failed;
        QTest::newRow("stall at 272") << 1 << 272 << failed;
        QTest::newRow("hang-up at 50") << 2 << 50 << port_gone;
        QTest::newRow("short reply at 144") << 3 << 144 << failed;
    }
    void a_radio_fault_in_mid_read_leaves_the_image_unchanged()
    {
        QFETCH(int, fault);
        QFETCH(int, block);
        QFETCH(QStringList, messages);
        Rig rig;
        mark_image();
        sim::Faults faults;
        (fault == 0   ? faults.noise_at
         : fault == 1 ? faults.stall_at
         : fault == 2 ? faults.hang_up_at
                      : faults.short_reply_at) = block;
        rig.radio.set_faults(faults);
        rig.engine.start();
        rig.clock.advance(Whole_read_ms + All_retries_ms);

        QVERIFY(image_is_marked());
        QVERIFY(!rig.engine.link_done);
        QVERIFY(!rig.engine.link_busy);
        QVERIFY(!rig.log.open);
        QVERIFY(reading_numbers(rig.listener).contains(block));
        QCOMPARE(rig.listener.message_texts(), messages);
    }

    void a_second_start_while_busy_is_refused()
    {
        Rig rig;
        rig.engine.start();
        rig.clock.advance(100);
        rig.engine.start();
        QCOMPARE(rig.listener.message_texts(),
                 QStringList{"Read-write operating with transceiver ."});
        QCOMPARE(rig.listener.messages[0].text.chinese,
                 QStringLiteral("正在与对讲机进行读写操作 ！"));
        QVERIFY(rig.clock.advance_until([&] { return read_done(rig); }, Whole_read_ms));
        QCOMPARE(rig.log.opens, 1);
    }

    void cancel_is_refused_only_while_busy()
    {
        Rig rig;
        QVERIFY(rig.engine.may_close());
        rig.engine.start();
        rig.clock.advance(500);
        QVERIFY(!rig.engine.may_close());
        QCOMPARE(rig.listener.message_texts(),
                 QStringList{"Read-write operating，don't close the window. ,"});
        QCOMPARE(rig.listener.messages[0].text.chinese,
                 QStringLiteral("正在进行读写操作,请勿关窗口 ！,"));
    }

    void a_port_that_cannot_be_opened_shows_only_the_port_error()
    {
        Rig rig;
        rig.log.refuse_open = QStringLiteral("/dev/ttyUSB0: Permission denied");
        rig.engine.start();
        rig.clock.advance(All_retries_ms);

        QCOMPARE(rig.listener.messages.size(), 1);
        QCOMPARE(rig.listener.messages[0].text.chinese,
                 QStringLiteral("通讯端口打开错误，请正确设置通讯端口 ！"));
        QCOMPARE(rig.listener.messages[0].text.english,
                 QStringLiteral(
                     "Communication port is error, please setting right communication port . ！"));
        QCOMPARE(rig.listener.messages[0].details, rig.log.refuse_open);
        QVERIFY(rig.listener.statuses.isEmpty());
        QVERIFY(rig.listener.progress.isEmpty());
        QVERIFY(Port_error);
        QVERIFY(rig.log.sent.isEmpty());
        QVERIFY(!rig.engine.link_busy);

        // The next attempt clears the flag when the port opens.
        rig.log.refuse_open.clear();
        rig.engine.start();
        QVERIFY(!Port_error);
    }

    void a_new_start_cancels_a_pending_retry()
    {
        Rig rig;
        rig.radio.set_faults({.no_answer = true});
        rig.engine.start();
        rig.clock.advance(2000); // timed out; the retry would come at 6015
        QVERIFY(!rig.engine.link_busy);
        rig.radio.set_faults({});
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return read_done(rig); }, Whole_read_ms));
        QCOMPARE(rig.log.opens, 2);
        QCOMPARE(rig.listener.message_texts(),
                 QStringList{"Complete reading the data from transceiver."});
    }

    // The last byte of the identifier then comes after the identification
    // was accepted, while Start is waiting to go out: it must not be taken
    // for the first byte of a reply.
    void replies_arriving_a_byte_at_a_time_fill_the_image_exactly()
    {
        Rig rig;
        rig.log.largest_piece = 1;
        rig.engine.start();
        QVERIFY(rig.clock.advance_until([&] { return read_done(rig); }, Whole_read_ms));
        for (int block : Transfer_blocks(254))
            for (int c = 0; c < 16; ++c)
                QCOMPARE(chann(block, c), rig.radio.byte(block, c));
    }
};

QTEST_GUILESS_MAIN(Test_read_link)
#include "test_read_link.moc"
