// The live transmit power adjustment, in virtual time against the simulated
// radio.
#include "core/image.h"
#include "link/power_engine.h"
#include "link/protocol.h"
#include "link_rig.h"

#include <QTest>

using namespace r7k;

namespace {

using Rig = Link_rig<Power_engine>;

QByteArray power_row()
{
    QByteArray bytes;
    for (int c = 0; c < 16; ++c)
        bytes.append(char(chann(Power_row, c)));
    return bytes;
}

QByteArray power_frame()
{
    return QByteArray("\x06\x67\x0F\x00\x10", 5) + power_row();
}

QByteArray connect_and_identify()
{
    return "AT^" + Protocol::Access_word + "AT^" + QByteArray(1, 0x02);
}

// Opens the link and waits until the radio is identified and its first frame
// acknowledged.
void open_identified(Rig &rig)
{
    rig.engine.opened();
    QVERIFY(rig.clock.advance_until([&] { return rig.engine.identified && !rig.engine.link_busy; },
                                    1000));
}

} // namespace

class Test_power_link : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Reset_link_globals();
        for (int c = 0; c < 16; ++c)
            chann(Power_row, c) = qint16(c + 1);
    }

    void connects_and_takes_the_levels_from_the_radio()
    {
        Rig rig;
        rig.radio.set_byte(Power_row, 0, 40);
        rig.radio.set_byte(Power_row, 1, 120);
        rig.radio.set_byte(Power_row, 2, 220);
        open_identified(rig);

        QVERIFY(rig.log.sent.startsWith(connect_and_identify()));
        QCOMPARE(rig.log.sent_at.first(), 15);
        QCOMPARE(rig.listener.levels, 1);
        QCOMPARE(chann(Power_row, 0), 40);
        QCOMPARE(chann(Power_row, 1), 120);
        QCOMPARE(chann(Power_row, 2), 220);
        // The first frame goes out as soon as the radio is identified.
        QCOMPARE(rig.log.sent, connect_and_identify() + power_frame());
        QCOMPARE(rig.radio.power_frames(), QList<QByteArray>{power_row()});
        QVERIFY(rig.log.open);
    }

    void moving_a_level_while_identified_sends_a_frame()
    {
        Rig rig;
        open_identified(rig);
        const qsizetype before = rig.log.sent.size();
        rig.engine.set_level(2, 200);
        rig.clock.advance(100);

        const QByteArray frame = rig.log.sent.mid(before);
        QCOMPARE(frame.left(5), QByteArray("\x06\x67\x0F\x00\x10", 5));
        QCOMPARE(frame.size(), 21);
        QCOMPARE(quint8(frame[5 + 2]), 200);
        QCOMPARE(quint8(frame[5 + 3]), 2);
        for (int c = 4; c < 16; ++c)
            QCOMPARE(quint8(frame[5 + c]), c + 1); // the other columns unchanged
        QCOMPARE(rig.radio.power_frames().last(), frame.mid(5));
        QVERIFY(!rig.engine.link_busy);
    }

    void a_frame_queued_before_the_last_went_out_replaces_it()
    {
        Rig rig;
        open_identified(rig);
        const int frames = int(rig.radio.power_frames().size());
        rig.engine.set_level(0, 10);
        rig.clock.advance(5);
        rig.engine.set_level(0, 11);
        rig.clock.advance(100);
        QCOMPARE(rig.radio.power_frames().size(), frames + 1);
        QCOMPARE(quint8(rig.radio.power_frames().last()[0]), 11);
    }

    void moving_a_level_before_identification_sends_nothing()
    {
        Rig rig;
        rig.engine.opened();
        rig.engine.set_level(1, 77);
        QCOMPARE(chann(Power_row, 1), 77);
        QCOMPARE(chann(Power_row, 3), 1);
        rig.clock.advance(15);
        QCOMPARE(rig.log.sent, connect_and_identify());
    }

    void leaving_with_the_port_open_sends_one_leave_byte()
    {
        Rig rig;
        open_identified(rig);
        const QByteArray before = rig.log.sent;
        rig.engine.leave();
        QCOMPARE(rig.log.sent, before + "b");
        QCOMPARE(rig.log.closed_at.last(), rig.log.sent.size());
        QVERIFY(rig.radio.left());
        rig.engine.leave();
        QCOMPARE(rig.log.sent, before + "b");
    }

    void a_silent_radio_closes_the_dialog()
    {
        Rig rig;
        rig.radio.set_faults({.no_answer = true});
        const QByteArray row = power_row();
        rig.engine.opened();
        rig.clock.advance(1499);
        QCOMPARE(rig.listener.finished_count, 0);
        QVERIFY(!rig.log.open); // the reply time-out closed the port
        rig.clock.advance(1);
        QCOMPARE(rig.listener.finished_count, 1);
        QCOMPARE(rig.log.sent, connect_and_identify()); // no Leave on a closed port
        QCOMPARE(power_row(), row);
        QVERIFY(rig.listener.messages.isEmpty());
        rig.clock.advance(30'000);
        QCOMPARE(rig.log.opens, 1);
        QCOMPARE(rig.listener.finished_count, 1);
    }

    void a_wrong_identity_closes_the_dialog_with_the_levels_unchanged()
    {
        Rig rig;
        rig.radio.set_faults({.wrong_identity = true});
        const QByteArray row = power_row();
        rig.engine.opened();
        rig.clock.advance(2000);
        QCOMPARE(rig.listener.finished_count, 1);
        QCOMPARE(rig.listener.levels, 0);
        QCOMPARE(power_row(), row);
    }

    void a_port_error_shows_its_message_and_closes_the_dialog()
    {
        Rig rig;
        rig.log.refuse_open = QStringLiteral("COM1 stands for no serial device");
        rig.engine.opened();
        QCOMPARE(rig.listener.message_texts(),
                 QStringList{
                     "Communication port is error, please setting right communication port . ！"});
        rig.clock.advance(500);
        QCOMPARE(rig.listener.finished_count, 1);
    }

    void a_lost_ack_closes_the_dialog()
    {
        Rig rig;
        open_identified(rig);
        rig.radio.set_faults({.no_answer = true});
        rig.engine.set_level(0, 5);
        rig.clock.advance(2000);
        QCOMPARE(rig.listener.finished_count, 1);
    }
};

QTEST_GUILESS_MAIN(Test_power_link)
#include "test_power_link.moc"
