// The simulated radio's logic, in-process: every command, every fault, the
// demo memory, the memory file and r7k-sim's own options.

#include "core/image.h"
#include "image_rows.h"
#include "link/protocol.h"
#include "sim/radio.h"
#include "sim/sim_options.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;
using namespace r7k::sim;
using namespace r7k::Protocol;

namespace {

const QByteArray Ack_reply(1, Ack);
const QByteArray Noise = QByteArrayLiteral("\x55\xAA\x15\x00\xFF\x7E\x31");
const QByteArray Connect = Prefix + Access_word + Cr;
const QByteArray Identify = Prefix + Identify_code + Cr;
const QByteArray Start = Prefix + Start_code + Cr;
const QByteArray Handshake = Connect + Identify + Start;
const QByteArray Handshake_reply = Ack_reply + Radio_id + Ack_reply + Ack_reply;
const QByteArray Power_connect = Prefix + Access_word + Prefix + Identify_code;

QByteArray block_frame(int block, const QByteArray &data = {})
{
    return Prefix + (data.isEmpty() ? Read_code : Write_code) + char(block * 16 >> 8) +
           char(block * 16 & 0xFF) + Block_length + data + Cr;
}
QByteArray read_reply(const Radio &radio, int block)
{
    return block_frame(block).mid(3, 4) + cells<QByteArray>(block, 0, 15, radio);
}
QByteArray pattern(int seed)
{
    QByteArray data;
    for (int i = 0; i < 16; ++i)
        data += char((seed * 37 + i * 11) & 0xFF);
    return data;
}
const QByteArray Power_frame = QByteArrayLiteral("\x06g\x0F\x00\x10") + pattern(2);
// Bytes named by the case they belong to, so that a failure says which.
QString labelled(const QString &name, const QByteArray &bytes)
{
    return name + ": " + bytes.toHex(' ');
}
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
    void answers_each_command();
    void takes_commands_in_any_split();
    void each_fault();
    void demo_memory_fills_every_column();
    void memory_file();
    void options();
};

void Test_sim_radio::answers_each_command()
{
    const QByteArray none, identified = Connect + Identify, power = Power_frame;
    const QByteArray levels("\x28\x78\xDC"); // as the demo memory holds them
    const Faults wrong{.wrong_identity = true}, wrong_once{.wrong_identity = true, .once = true};
    const struct {
        const char *name;
        Faults faults;
        QByteArray before, sent, expected;
    } cases[] = {
        {"connect", {}, none, Connect, Ack_reply},
        {"connect after noise", {}, none, Noise + "AT" + Connect, Ack_reply},
        {"wrong access word", {}, none, Prefix + "ZRQPROGX" + Cr, none},
        {"identify", {}, Connect, Identify, Radio_id},
        {"identify without connect", {}, none, Identify, none},
        {"start", {}, identified, Start, QByteArray(2, Ack)},
        {"start without identify", {}, Connect, Start, none},
        {"read block 272", {}, Handshake, block_frame(272), read_reply(Radio(), 272)},
        {"read before start", {}, identified, block_frame(1), none},
        {"read beyond memory", {}, Handshake, block_frame(301), none},
        {"read after end", {}, Handshake + End_byte, block_frame(1), none},
        {"write", {}, Handshake, block_frame(5, pattern(5)), Ack_reply},
        {"power connect", {}, none, Power_connect, Radio_id + levels},
        {"power frame", {}, Power_connect, power, Ack_reply},
        {"power frame in a read session", {}, Handshake, power, none},
        {"power frame after leave", {}, Power_connect + Leave_byte, power, none},
        // A power frame is a write of block 240.
        {"power frame noise", {.noise_at = Power_row}, Power_connect, power, Noise},
        {"power frame stall", {.stall_at = Power_row}, Power_connect, power + power, none},
        {"power frame hang-up", {.hang_up_at = Power_row}, Power_connect, power + power, none},
        // Another model's identity, to Identify and to the power connect;
        // with --once the next session is a sound one.
        {"wrong identity", wrong, Connect, Identify + Start + block_frame(1), "ZRQ-58"},
        {"wrong identity to power", wrong, none, Power_connect + power, "ZRQ-58" + levels},
        {"wrong identity once", wrong_once, Handshake, Power_connect + power,
         Radio_id + levels + Ack},
    };
    for (const auto &c : cases) {
        Radio radio;
        radio.set_faults(c.faults);
        radio.receive(c.before);
        QCOMPARE(labelled(c.name, radio.receive(c.sent)), labelled(c.name, c.expected));
    }
}

// Stores written blocks and power frames, whatever the split of the bytes;
// the levels reported at the next power connect are the stored ones. End and
// Leave hold until the next connect.
void Test_sim_radio::takes_commands_in_any_split()
{
    QByteArray reading = Handshake;
    for (int block = 1; block <= 20; ++block)
        reading += block_frame(block);
    reading += block_frame(7, pattern(7)) + End_byte;
    const QByteArray powering = Power_connect + Power_frame + Leave_byte;
    Radio whole;
    QByteArray expected = whole.receive(reading);
    QVERIFY(whole.ended() && !whole.left());
    expected += whole.receive(powering);
    QVERIFY(!whole.ended() && whole.left());
    expected += whole.receive(Power_connect);
    QVERIFY(!whole.ended() && !whole.left());
    QCOMPARE(expected.size(), Handshake_reply.size() + 20 * 20 + 1 + 9 + 1 + 9);
    QCOMPARE(expected.right(9), Radio_id + Power_frame.mid(5, 3));
    QCOMPARE(whole.written_blocks(), QList<int>{7});
    QCOMPARE(cells<QByteArray>(7, 0, 15, whole), pattern(7));
    QCOMPARE(whole.power_frames(), QList<QByteArray>{Power_frame.mid(5)});
    QCOMPARE(cells<QByteArray>(Power_row, 0, 15, whole), Power_frame.mid(5));

    const QByteArray session = reading + powering + Power_connect;
    for (int piece : {1, 2, 3, 7, 13}) {
        Radio split;
        QByteArray reply;
        for (qsizetype at = 0; at < session.size(); at += piece)
            reply += split.receive(session.mid(at, piece));
        QCOMPARE(reply, expected);
        QCOMPARE(split.written_blocks(), whole.written_blocks());
        QCOMPARE(split.power_frames(), whole.power_frames());
    }
}

// The answers to blocks 1..5 of a read or write in two sessions one after the
// other: R the full read reply, S its first 19 bytes, N noise, A an ACK and
// the block stored, C an ACK and the block stored with every bit flipped,
// - nothing, . nothing yet the block stored.
void Test_sim_radio::each_fault()
{
    const struct {
        const char *name;
        Faults faults;
        bool writing;
        QByteArray first, second;
    } cases[] = {
        {"read short at 3 once", {.short_reply_at = 3, .once = true}, false, "RRSRR", "RRRRR"},
        {"read noise at 2", {.noise_at = 2}, false, "RNRRR", "RNRRR"},
        {"read stall at 4 once", {.stall_at = 4, .once = true}, false, "RRR--", "RRRRR"},
        {"no answer once", {.no_answer = true, .once = true}, false, "-----", "RRRRR"},
        {"write noise at 2", {.noise_at = 2}, true, "ANAAA", "ANAAA"},
        {"write stall at 3", {.stall_at = 3}, true, "AA...", "AA..."},
        {"short reply spares writes", {.short_reply_at = 2}, true, "AAAAA", "AAAAA"},
        {"hang up at 3 for good", {.hang_up_at = 3}, true, "AA---", "-----"},
        {"write corrupt at 2 once", {.corrupt_at = 2, .once = true}, true, "ACAAA", "AAAAA"},
        {"corrupt spares reads", {.corrupt_at = 2}, false, "RRRRR", "RRRRR"},
        {"hang up at 3 and come back", {.hang_up_at = 3, .once = true}, true, "AA---", "AAAAA"},
    };
    for (const auto &c : cases) {
        Radio radio;
        radio.set_faults(c.faults);
        for (int session = 0; session < 2; ++session) {
            QCOMPARE(radio.come_back(), session == 0 || c.second != "-----");
            const QByteArray &kinds = session ? c.second : c.first;
            const QString name = QStringLiteral("%1, session %2").arg(c.name).arg(session + 1);
            const bool silent = kinds[0] == '-'; // no answer even to Connect
            QCOMPARE(labelled(name, radio.receive(Handshake)),
                     labelled(name, silent ? QByteArray() : Handshake_reply));
            for (int block = 1; block <= 5; ++block) {
                const char kind = kinds[block - 1];
                const QByteArray data = c.writing ? pattern(block + 10 * session) : QByteArray();
                const QByteArray full = read_reply(radio, block);
                const QByteArray expected = kind == 'R'                  ? full
                                            : kind == 'S'                ? full.left(19)
                                            : kind == 'N'                ? Noise
                                            : kind == 'A' || kind == 'C' ? Ack_reply
                                                                         : QByteArray();
                const QString at = name + ", block " + QString::number(block);
                QCOMPARE(labelled(at, radio.receive(block_frame(block, data))),
                         labelled(at, expected));
                QByteArray flipped = data;
                for (char &byte : flipped)
                    byte = char(~byte);
                if (c.writing)
                    QVERIFY2((cells<QByteArray>(block, 0, 15, radio) == data) ==
                                     (kind == 'A' || kind == '.') &&
                                 (cells<QByteArray>(block, 0, 15, radio) == flipped) ==
                                     (kind == 'C'),
                             qPrintable(at));
            }
        }
        QCOMPARE(radio.hung_up(), c.faults.hang_up_at >= 0 && !c.faults.once);
    }
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

void Test_sim_radio::memory_file()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("radio.chann");
    const Data_image before = chann;
    Radio radio;
    radio.set_byte(280, 15, 17);
    QVERIFY(radio.save(path).ok);
    Radio loaded;
    QVERIFY(loaded.load(path).ok);
    QCOMPARE(loaded.byte(280, 15), 17);
    QVERIFY(chann == before);

    // A bad file is refused and changes nothing.
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(" 1 2 3 x\r\n") > 0);
    file.close();
    const Channel_file::Outcome outcome = loaded.load(path);
    QVERIFY(!outcome.ok && outcome.message.english.contains("not a number"));
    QCOMPARE(loaded.byte(280, 15), 17);
}

void Test_sim_radio::options()
{
    const Sim_arguments parsed = Parse_sim_arguments({"--link",
                                                      "/tmp/x",
                                                      "--memory",
                                                      "in.chann",
                                                      "--save-to",
                                                      "out.chann",
                                                      "--pace",
                                                      "--no-answer",
                                                      "--wrong-identity",
                                                      "--short-reply-at",
                                                      "3",
                                                      "--noise-at",
                                                      "131",
                                                      "--stall-at",
                                                      "0",
                                                      "--hang-up-at",
                                                      "300",
                                                      "--corrupt-at",
                                                      "140",
                                                      "--once",
                                                      "--help"});
    QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
    const Sim_options &o = parsed.options;
    const Faults &f = o.faults;
    QVERIFY(parsed.help && o.pace && f.no_answer && f.wrong_identity && f.once);
    QCOMPARE(QStringList({o.link, o.memory, o.save_to}),
             QStringList({"/tmp/x", "in.chann", "out.chann"}));
    QCOMPARE(QList<int>({f.short_reply_at, f.noise_at, f.stall_at, f.hang_up_at, f.corrupt_at}),
             QList<int>({3, 131, 0, 300, 140}));

    const std::pair<QStringList, QString> bad[] = {
        {{"--fast"}, "unknown option --fast"},
        {{"--save-to", ""}, "--save-to needs a value"},
        {{"--noise-at", "301"}, "--noise-at needs a block number 0..300, not \"301\""},
        {{"--hang-up-at", "-1"}, "--hang-up-at needs a block number 0..300, not \"-1\""},
    };
    for (const auto &[arguments, error] : bad)
        QCOMPARE(Parse_sim_arguments(arguments).error, error);
}

QTEST_GUILESS_MAIN(Test_sim_radio)
#include "test_sim_radio.moc"
