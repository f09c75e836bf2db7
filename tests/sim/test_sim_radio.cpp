// The simulated radio's logic, in-process: every command, every fault, the
// demo memory, the memory file and r7k-sim's own options.

#include "core/image.h"
#include "link/protocol.h"
#include "sim/radio.h"
#include "sim/sim_options.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
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
const QByteArray Power_header = QByteArrayLiteral("\x06g\x0F\x00\x10");

QByteArray block_frame(int block, const QByteArray &data = {})
{
    return Prefix + (data.isEmpty() ? Read_code : Write_code) + char(block * 16 >> 8) +
           char(block * 16 & 0xFF) + Block_length + data + Cr;
}
QByteArray block_bytes(const Radio &radio, int block)
{
    QByteArray bytes;
    for (int column = 0; column < 16; ++column)
        bytes += char(radio.byte(block, column));
    return bytes;
}
QByteArray read_reply(const Radio &radio, int block)
{
    return block_frame(block).mid(3, 4) + block_bytes(radio, block);
}
QByteArray pattern(int seed)
{
    QByteArray data;
    for (int i = 0; i < 16; ++i)
        data += char((seed * 37 + i * 11) & 0xFF);
    return data;
}
QString name_of(const Radio &radio, int channel)
{
    QByteArray gbk; // one 16-bit code a position, high byte 0 for ASCII
    for (int column = 0; column < 16; ++column)
        if (const int code = radio.byte(Name_row(channel), column))
            gbk += char(code);
    return QStringDecoder("GBK").decode(gbk);
}

} // namespace

class Test_sim_radio : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_each_command_data();
    void answers_each_command();
    void takes_commands_in_any_split();
    void end_and_leave_last_until_next_connect();
    void each_fault_data();
    void each_fault();
    void wrong_identity();
    void hang_up_silences_the_radio_for_good();
    void demo_memory_fills_every_column();
    void memory_file();
    void options();
};

void Test_sim_radio::answers_each_command_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray none;
    QTest::newRow("connect") << none << Connect << Ack_reply;
    QTest::newRow("connect after noise") << none << QByteArray(Noise + "AT" + Connect) << Ack_reply;
    QTest::newRow("wrong access word") << none << QByteArray(Prefix + "ZRQPROGX" + Cr) << none;
    QTest::newRow("identify") << Connect << Identify << Radio_id;
    QTest::newRow("identify without connect") << none << Identify << none;
    QTest::newRow("start") << QByteArray(Connect + Identify) << Start << QByteArray(2, Ack);
    QTest::newRow("start without identify") << Connect << Start << none;
    QTest::newRow("read block 272") << Handshake << block_frame(272) << read_reply(Radio(), 272);
    QTest::newRow("read before start") << QByteArray(Connect + Identify) << block_frame(1) << none;
    QTest::newRow("read beyond memory") << Handshake << block_frame(301) << none;
    QTest::newRow("read after end") << QByteArray(Handshake + End_byte) << block_frame(1) << none;
    QTest::newRow("write") << Handshake << block_frame(5, pattern(5)) << Ack_reply;
    QTest::newRow("power connect")
        << none << Power_connect << QByteArray(Radio_id + "\x28\x78\xDC");
    QTest::newRow("power frame") << Power_connect << Power_header + pattern(1) << Ack_reply;
    QTest::newRow("power frame in a read session")
        << Handshake << Power_header + pattern(1) << none;
    QTest::newRow("power frame after leave")
        << QByteArray(Power_connect + Leave_byte) << Power_header + pattern(1) << none;
}

void Test_sim_radio::answers_each_command()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, expected);
    Radio radio;
    radio.receive(before);
    QCOMPARE(radio.receive(sent).toHex(' '), expected.toHex(' '));
}

// Stores written blocks and power frames, whatever the split of the bytes;
// the levels reported at the next power connect are the stored ones.
void Test_sim_radio::takes_commands_in_any_split()
{
    QByteArray session = Handshake;
    for (int block = 1; block <= 20; ++block)
        session += block_frame(block);
    session += block_frame(7, pattern(7)) + End_byte + Power_connect + Power_header + pattern(2) +
               Leave_byte + Power_connect;
    Radio whole;
    const QByteArray expected = whole.receive(session);
    QCOMPARE(expected.size(), Handshake_reply.size() + 20 * 20 + 1 + 9 + 1 + 9);
    QCOMPARE(expected.right(9), Radio_id + pattern(2).left(3));
    QCOMPARE(whole.written_blocks(), QList<int>{7});
    QCOMPARE(block_bytes(whole, 7), pattern(7));
    QCOMPARE(whole.power_frames(), QList<QByteArray>{pattern(2)});
    QCOMPARE(block_bytes(whole, Power_row), pattern(2));

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

void Test_sim_radio::end_and_leave_last_until_next_connect()
{
    Radio radio;
    radio.receive(Handshake + End_byte);
    QVERIFY(radio.ended());
    radio.receive(Power_connect);
    QVERIFY(!radio.ended() && !radio.left());
    radio.receive(QByteArray(1, Leave_byte));
    QVERIFY(radio.left());
}

// The answers to blocks 1..5 of a read or write in two sessions one after the
// other: R the full read reply, S its first 19 bytes, N noise, A an ACK and
// the block stored, - nothing, . nothing yet the block stored.
void Test_sim_radio::each_fault_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<bool>("writing");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    const QByteArray read_ok = "RRRRR", write_ok = "AAAAA";
    QTest::newRow("read short at 3 once")
        << Faults{.short_reply_at = 3, .once = true} << false << QByteArray("RRSRR") << read_ok;
    QTest::newRow("read noise at 2")
        << Faults{.noise_at = 2} << false << QByteArray("RNRRR") << QByteArray("RNRRR");
    QTest::newRow("read stall at 4 once")
        << Faults{.stall_at = 4, .once = true} << false << QByteArray("RRR--") << read_ok;
    QTest::newRow("no answer once")
        << Faults{.no_answer = true, .once = true} << false << QByteArray("-----") << read_ok;
    QTest::newRow("write noise at 2")
        << Faults{.noise_at = 2} << true << QByteArray("ANAAA") << QByteArray("ANAAA");
    QTest::newRow("write stall at 3")
        << Faults{.stall_at = 3} << true << QByteArray("AA...") << QByteArray("AA...");
    QTest::newRow("short reply spares writes")
        << Faults{.short_reply_at = 2} << true << write_ok << write_ok;
}

void Test_sim_radio::each_fault()
{
    QFETCH(Faults, faults);
    QFETCH(bool, writing);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    Radio radio;
    radio.set_faults(faults);
    for (int session = 0; session < 2; ++session) {
        const QByteArray &kinds = session ? second : first;
        const bool silent = kinds[0] == '-'; // no answer even to Connect
        QCOMPARE(radio.receive(Handshake), silent ? QByteArray() : Handshake_reply);
        for (int block = 1; block <= 5; ++block) {
            const char kind = kinds[block - 1];
            const QByteArray data = writing ? pattern(block + 10 * session) : QByteArray();
            const QByteArray full = read_reply(radio, block);
            const QByteArray expected = kind == 'R'   ? full
                                        : kind == 'S' ? full.left(19)
                                        : kind == 'N' ? Noise
                                        : kind == 'A' ? Ack_reply
                                                      : QByteArray();
            QCOMPARE(radio.receive(block_frame(block, data)).toHex(' '), expected.toHex(' '));
            if (writing)
                QCOMPARE(block_bytes(radio, block) == data, kind == 'A' || kind == '.');
        }
    }
}

// Another model's identity, to a read's Identify and to the power connect;
// with --once the next session is a sound one.
void Test_sim_radio::wrong_identity()
{
    Radio radio;
    radio.set_faults({.wrong_identity = true, .once = true});
    QCOMPARE(radio.receive(Connect + Identify + Start + block_frame(1)), Ack_reply + "ZRQ-58");
    QCOMPARE(radio.receive(Power_connect + Power_header + pattern(1)),
             Radio_id + "\x28\x78\xDC" + Ack);

    Radio power;
    power.set_faults({.wrong_identity = true});
    QCOMPARE(power.receive(Power_connect + Power_header + pattern(1)),
             QByteArray("ZRQ-58\x28\x78\xDC"));
}

void Test_sim_radio::hang_up_silences_the_radio_for_good()
{
    Radio radio;
    radio.set_faults({.hang_up_at = 3});
    QCOMPARE(radio.receive(Handshake + block_frame(1, pattern(1)) + block_frame(2)),
             Handshake_reply + Ack_reply + read_reply(radio, 2));
    QVERIFY(!radio.hung_up());
    QCOMPARE(radio.receive(block_frame(3, pattern(3))), QByteArray());
    QVERIFY(radio.hung_up());
    QCOMPARE(radio.receive(Handshake + block_frame(4, pattern(4))), QByteArray());
    QCOMPARE(radio.written_blocks(), QList<int>{1});
}

void Test_sim_radio::demo_memory_fills_every_column()
{
    Reset_image();
    const Data_image factory = chann;
    const Radio radio;
    QVERIFY(chann == factory); // the program's image is left alone
    QCOMPARE(name_of(radio, 3), QStringLiteral("车队 A"));
    QCOMPARE(radio.byte(17, 4), 255);
    QSet<int> vox, power, band, decode, encode;
    bool repeater = false;
    for (int channel = 1; channel <= 16; ++channel) {
        QVERIFY(radio.byte(channel, 4) != 255 && !name_of(radio, channel).isEmpty());
        vox.insert(radio.byte(channel, 10));
        power.insert(radio.byte(channel, 11) & 2);
        band.insert(radio.byte(channel, 11) & 4);
        decode.insert(radio.byte(channel, 8));
        encode.insert(radio.byte(channel, 9));
        repeater = repeater ||
                   block_bytes(radio, channel).left(4) != block_bytes(radio, channel).mid(4, 4);
    }
    QVERIFY(vox.size() > 2 && decode.size() > 2 && encode.size() > 2);
    QVERIFY(power.size() == 2 && band.size() == 2 && repeater);
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
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(" 1 2 3 x\r\n");
    file.close();
    const Channel_file::Outcome outcome = loaded.load(path);
    QVERIFY(!outcome.ok && outcome.message.english.contains("not a number"));
    QCOMPARE(loaded.byte(280, 15), 17);
}

void Test_sim_radio::options()
{
    const Sim_arguments parsed = Parse_sim_arguments(
        {"--link", "/tmp/x", "--memory", "in.chann", "--save-to", "out.chann", "--pace",
         "--no-answer", "--wrong-identity", "--short-reply-at", "3", "--noise-at", "131",
         "--stall-at", "0", "--hang-up-at", "300", "--once", "--help"});
    QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
    const Sim_options &o = parsed.options;
    const Faults &f = o.faults;
    QVERIFY(parsed.help && o.pace && f.no_answer && f.wrong_identity && f.once);
    QCOMPARE(QStringList({o.link, o.memory, o.save_to}),
             QStringList({"/tmp/x", "in.chann", "out.chann"}));
    QCOMPARE(QList<int>({f.short_reply_at, f.noise_at, f.stall_at, f.hang_up_at}),
             QList<int>({3, 131, 0, 300}));

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
