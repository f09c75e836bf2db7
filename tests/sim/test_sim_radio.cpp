// What the transfer tests take from the simulated radio without seeing it
// themselves: that each of r7k-sim's options reaches the radio, that a
// personality shapes the replies it names, and a demo memory that shows
// something in every column.

#include "core/image.h"
#include "image_rows.h"
#include "link/protocol.h"
#include "sim/radio.h"
#include "sim/sim_options.h"
#include "test_radios.h"

#include <QSet>
#include <QTest>

using namespace r7k;
using namespace r7k::sim;
using namespace r7k::Protocol;

namespace {

// The GBK bytes of a channel's name.
QByteArray name_of(const Radio &radio, int channel)
{
    QByteArray gbk; // one 16-bit code a position, high byte 0 for ASCII
    for (int column = 0; column < 16; ++column)
        if (const int code = radio.byte(Name_row(channel), column))
            gbk += char(code);
    return gbk;
}

} // namespace

class Test_sim_radio : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void personality_shapes_its_replies();
    void demo_memory_fills_every_column();
    void options();
};

// The replies of r7k-sim as it comes and of the other test radio, command by
// command, in one session each.
void Test_sim_radio::personality_shapes_its_replies()
{
    const QByteArray block_5 = cells<QByteArray>(5, 0, 15, Radio());
    const QByteArray levels("\x28\x78\xDC"); // as the demo memory holds them
    const struct {
        QByteArray command, plain, other;
    } session[] = {
        {Prefix + Access_word + Cr, "\x06", QByteArray("\x06\x00", 2)},
        {Prefix + Identify_code + Cr, Radio_id, Radio_id + " V2"},
        {Prefix + Start_code + Cr, "\x06\x06", QByteArray("\x06\x57\x00", 3)},
        {Prefix + "R" + QByteArray("\x00\x50\x10\r", 4),
         "R" + QByteArray("\x00\x50\x10", 3) + block_5,
         QByteArray("\x57\xA5\xC3\x00", 4) + block_5},
        {"E" + Prefix + Access_word + Prefix + Identify_code, Radio_id + levels,
         QByteArray(1, 0) + Radio_id + "\x11\x63\xC9\x55\xAA"},
    };
    Radio plain, other;
    other.set_personality(Parse_sim_arguments(Test_radios::All()[1].second).options.personality);
    for (const auto &step : session) {
        QCOMPARE(plain.receive(step.command).toHex(' '), step.plain.toHex(' '));
        QCOMPARE(other.receive(step.command).toHex(' '), step.other.toHex(' '));
    }

    // Random headers differ from block to block; the data stay the radio's.
    Radio random;
    random.set_personality(Parse_sim_arguments({"--header", "random"}).options.personality);
    random.receive(Prefix + Access_word + Cr + Prefix + Identify_code + Cr + Prefix + Start_code +
                   Cr);
    QSet<QByteArray> headers;
    for (int block = 1; block <= 8; ++block) {
        const QByteArray reply = random.receive(Prefix + "R" + char(block * 16 >> 8) +
                                                char(block * 16 & 0xFF) + Block_length + Cr);
        QCOMPARE(reply.mid(4), cells<QByteArray>(block, 0, 15, random));
        headers.insert(reply.left(4));
    }
    QCOMPARE(headers.size(), 8);

    // A reply in pieces: as even as can be, none empty, nothing lost.
    QCOMPARE(Pieces_of("abcdefgh", 3), (QList<QByteArray>{"ab", "cde", "fgh"}));
    QCOMPARE(Pieces_of("ab", 3), (QList<QByteArray>{"a", "b"}));
}

void Test_sim_radio::demo_memory_fills_every_column()
{
    Reset_image();
    const Data_image factory = chann;
    const Radio radio;
    QVERIFY(chann == factory); // the program's image is left alone
    QCOMPARE(name_of(radio, 3), QByteArray("\xB3\xB5\xB6\xD3 A")); // 车队 A
    QCOMPARE(radio.byte(17, 4), 255);
    const auto distinct = [&radio](int column, int mask) {
        QSet<int> values;
        for (int channel = 1; channel <= 16; ++channel)
            values.insert(radio.byte(channel, column) & mask);
        return values.size();
    };
    QVERIFY(distinct(10, 255) > 2 && distinct(8, 255) > 2 && distinct(9, 255) > 2);
    QVERIFY(distinct(11, 2) == 2 && distinct(11, 4) == 2); // power and band
    bool repeater = false;
    for (int channel = 1; channel <= 16; ++channel) {
        QVERIFY(radio.byte(channel, 4) != 255 && !name_of(radio, channel).isEmpty());
        const QByteArray bytes = cells<QByteArray>(channel, 0, 15, radio);
        repeater = repeater || bytes.left(4) != bytes.mid(4, 4);
    }
    QVERIFY(repeater);
}

void Test_sim_radio::options()
{
    // "01 02" is given as "0102": hex bytes may come without spaces.
    const Sim_arguments parsed = Parse_sim_arguments(
        QStringLiteral("--link /tmp/x --memory in.chann --save-to out.chann --pace --no-answer "
                       "--wrong-identity --short-reply-at 3 --noise-at 131 --stall-at 0 "
                       "--hang-up-at 300 --corrupt-at 140 --once --help --header random "
                       "--pieces 20 --gap 500 --power-tail 0102 --power-lead 030405060708090A0B")
            .split(' '));
    QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
    const Sim_options &o = parsed.options;
    const Faults &f = o.faults;
    const Personality &p = o.personality;
    QVERIFY(parsed.help && o.pace && f.no_answer && f.wrong_identity && f.once);
    QCOMPARE(QStringList({o.link, o.memory, o.save_to}),
             QStringList({"/tmp/x", "in.chann", "out.chann"}));
    QCOMPARE(QList<int>({f.short_reply_at, f.noise_at, f.stall_at, f.hang_up_at, f.corrupt_at}),
             QList<int>({3, 131, 0, 300, 140}));
    QVERIFY(p.header == Personality::Header::Random && p.pieces == 20 && p.gap_ms == 500);
    QCOMPARE(p.power_tail + p.power_lead,
             QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B"));

    const std::pair<QStringList, QString> bad[] = {
        {{"--fast"}, "unknown option --fast"},
        {{"--save-to", ""}, "--save-to needs a value"},
        {{"--noise-at", "301"}, "--noise-at needs a block number 0..300, not \"301\""},
        {{"--hang-up-at", "-1"}, "--hang-up-at needs a block number 0..300, not \"-1\""},
        {{"--start-reply", "06"},
         "--start-reply needs 2 to 8 bytes in hex, the first 06 (ACK), not \"06\""},
        {{"--connect-reply", "15"},
         "--connect-reply needs 1 to 8 bytes in hex, the first 06 (ACK), not \"15\""},
        {{"--identity-tail", "4G"}, "--identity-tail needs 1 to 8 bytes in hex, not \"4G\""},
        {{"--power-lead", "00112233445566778899"},
         "--power-lead needs 1 to 9 bytes in hex, not \"00112233445566778899\""},
        {{"--header", "571000"}, "--header needs 4 bytes in hex or \"random\", not \"571000\""},
        {{"--levels", "1,2,256"},
         "--levels needs three levels 0..255 such as 40,120,220, not \"1,2,256\""},
        {{"--pieces", "0"}, "--pieces needs a number 1..20, not \"0\""},
        {{"--gap", "501"}, "--gap needs milliseconds 0..500, not \"501\""},
    };
    for (const auto &[arguments, error] : bad)
        QCOMPARE(Parse_sim_arguments(arguments).error, error);
}

QTEST_GUILESS_MAIN(Test_sim_radio)
#include "test_sim_radio.moc"
