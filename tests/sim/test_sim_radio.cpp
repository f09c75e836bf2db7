// The simulated radio's logic, in-process: every command, every fault, the
// demo memory and the memory file.

#include "core/image.h"
#include "link/protocol.h"
#include "sim/radio.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;
using namespace r7k::sim;
using namespace r7k::Protocol;

namespace {

QByteArray connect_frame()
{
    return Prefix + Access_word + Cr;
}
QByteArray short_frame(char code)
{
    return Prefix + code + Cr;
}
QByteArray block_frame(char code, int block, const QByteArray &data = {})
{
    const int address = block * 16;
    return Prefix + code + char(address >> 8) + char(address & 0xFF) + Block_length + data + Cr;
}
QByteArray read_frame(int block)
{
    return block_frame(Read_code, block);
}
QByteArray write_frame(int block, const QByteArray &data)
{
    return block_frame(Write_code, block, data);
}
QByteArray power_connect_frame()
{
    return Prefix + Access_word + Prefix + Identify_code;
}
QByteArray power_frame(const QByteArray &data)
{
    return QByteArrayLiteral("\x06g\x0F\x00\x10") + data;
}
// The handshake of a read or write: Connect, Identify, Start.
QByteArray handshake()
{
    return connect_frame() + short_frame(Identify_code) + short_frame(Start_code);
}
const QByteArray Handshake_reply = QByteArray(1, Ack) + Radio_id + QByteArray(2, Ack);

QByteArray block_bytes(const Radio &radio, int block)
{
    QByteArray bytes;
    for (int column = 0; column < 16; ++column)
        bytes += char(radio.byte(block, column));
    return bytes;
}
QByteArray read_reply(const Radio &radio, int block)
{
    const int address = block * 16;
    return QByteArray(1, 'R') + char(address >> 8) + char(address & 0xFF) + Block_length +
           block_bytes(radio, block);
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
    QByteArray gbk;
    for (int position = 0; position < 8; ++position) {
        const int high = radio.byte(Name_row(channel), 2 * position);
        const int low = radio.byte(Name_row(channel), 2 * position + 1);
        if (high == 0 && low == 0)
            break;
        if (high != 0)
            gbk += char(high);
        gbk += char(low);
    }
    QStringDecoder decoder("GBK");
    return decoder.decode(gbk);
}

} // namespace

class Test_sim_radio : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_each_command_data();
    void answers_each_command();
    void takes_commands_in_any_split();
    void skips_noise_between_commands();
    void write_stores_and_records_blocks();
    void power_frames_store_block_240();
    void end_and_leave_last_until_next_connect();
    void read_faults_data();
    void read_faults();
    void write_faults_data();
    void write_faults();
    void power_connect_with_wrong_identity();
    void hang_up_silences_the_radio_for_good();
    void demo_memory_fills_every_column();
    void memory_file_round_trip();
    void bad_memory_file_changes_nothing();
};

void Test_sim_radio::answers_each_command_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("expected");

    const Radio demo;
    const QByteArray ack(1, Ack);
    QTest::newRow("connect") << QByteArray() << connect_frame() << ack;
    QTest::newRow("wrong access word")
        << QByteArray() << QByteArray(Prefix + "ZRQPROGX" + Cr) << QByteArray();
    QTest::newRow("identify") << connect_frame() << short_frame(Identify_code) << Radio_id;
    QTest::newRow("identify without connect")
        << QByteArray() << short_frame(Identify_code) << QByteArray();
    QTest::newRow("start") << QByteArray(connect_frame() + short_frame(Identify_code))
                           << short_frame(Start_code) << QByteArray(2, Ack);
    QTest::newRow("start without identify")
        << connect_frame() << short_frame(Start_code) << QByteArray();
    QTest::newRow("read block 1") << handshake() << read_frame(1) << read_reply(demo, 1);
    QTest::newRow("read block 131") << handshake() << read_frame(131) << read_reply(demo, 131);
    QTest::newRow("read block 272") << handshake() << read_frame(272) << read_reply(demo, 272);
    QTest::newRow("read before start") << QByteArray(connect_frame() + short_frame(Identify_code))
                                       << read_frame(1) << QByteArray();
    QTest::newRow("read beyond memory") << handshake() << read_frame(301) << QByteArray();
    QTest::newRow("write block 5") << handshake() << write_frame(5, pattern(5)) << ack;
    QTest::newRow("write without session")
        << QByteArray() << write_frame(5, pattern(5)) << QByteArray();
    QTest::newRow("end") << handshake() << QByteArray(1, End_byte) << QByteArray();
    QTest::newRow("read after end")
        << QByteArray(handshake() + End_byte) << read_frame(1) << QByteArray();
    QTest::newRow("power connect")
        << QByteArray() << power_connect_frame() << QByteArray(Radio_id + "\x28\x78\xDC");
    QTest::newRow("power frame") << power_connect_frame() << power_frame(pattern(1)) << ack;
    QTest::newRow("power frame without power session")
        << handshake() << power_frame(pattern(1)) << QByteArray();
    QTest::newRow("leave") << power_connect_frame() << QByteArray(1, Leave_byte) << QByteArray();
    QTest::newRow("power frame after leave") << QByteArray(power_connect_frame() + Leave_byte)
                                             << power_frame(pattern(1)) << QByteArray();
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

void Test_sim_radio::takes_commands_in_any_split()
{
    QByteArray session = handshake();
    for (int block = 1; block <= 20; ++block)
        session += read_frame(block);
    session += write_frame(7, pattern(7)) + End_byte;
    session += power_connect_frame() + power_frame(pattern(2)) + Leave_byte;

    Radio whole;
    const QByteArray expected = whole.receive(session);
    QCOMPARE(expected.size(), Handshake_reply.size() + 20 * 20 + 1 + 9 + 1);

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

void Test_sim_radio::skips_noise_between_commands()
{
    Radio radio;
    const QByteArray noise = QByteArrayLiteral("\x00\xFF"
                                               "AT"
                                               "\x06"
                                               "Z\r");
    QCOMPARE(radio.receive(noise + connect_frame()), QByteArray(1, Ack));
    QCOMPARE(radio.receive(QByteArrayLiteral("xyz") + short_frame(Identify_code)), Radio_id);
}

void Test_sim_radio::write_stores_and_records_blocks()
{
    Radio radio;
    radio.receive(handshake());
    for (int block : {1, 128, 131, 140, 271})
        QCOMPARE(radio.receive(write_frame(block, pattern(block))), QByteArray(1, Ack));
    QCOMPARE(radio.written_blocks(), QList<int>({1, 128, 131, 140, 271}));
    for (int block : {1, 128, 131, 140, 271})
        QCOMPARE(block_bytes(radio, block), pattern(block));
    QVERIFY(!radio.ended());
    radio.receive(QByteArray(1, End_byte));
    QVERIFY(radio.ended());
}

void Test_sim_radio::power_frames_store_block_240()
{
    Radio radio;
    radio.receive(power_connect_frame());
    radio.receive(power_frame(pattern(3)));
    radio.receive(power_frame(pattern(4)));
    QCOMPARE(radio.power_frames(), QList<QByteArray>({pattern(3), pattern(4)}));
    QCOMPARE(block_bytes(radio, Power_row), pattern(4));
    // The levels reported at the next connect are the stored ones.
    radio.receive(QByteArray(1, Leave_byte));
    QCOMPARE(radio.receive(power_connect_frame()), Radio_id + pattern(4).left(3));
}

void Test_sim_radio::end_and_leave_last_until_next_connect()
{
    Radio radio;
    radio.receive(handshake() + End_byte);
    QVERIFY(radio.ended());
    radio.receive(connect_frame());
    QVERIFY(!radio.ended());
    radio.receive(QByteArray(1, End_byte));
    radio.receive(power_connect_frame());
    QVERIFY(!radio.ended());
    QVERIFY(!radio.left());
    radio.receive(QByteArray(1, Leave_byte));
    QVERIFY(radio.left());
}

// What the radio answers to blocks 1..5 of a read, in two sessions one after
// the other: "ok" a full reply, "short" 19 bytes, "noise" the noise bytes,
// "none" nothing.
void Test_sim_radio::read_faults_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    const QStringList all_ok{"ok", "ok", "ok", "ok", "ok"};

    QTest::newRow("none") << Faults{} << all_ok << all_ok;
    QTest::newRow("short reply at 3")
        << Faults{.short_reply_at = 3} << QStringList{"ok", "ok", "short", "ok", "ok"}
        << QStringList{"ok", "ok", "short", "ok", "ok"};
    QTest::newRow("short reply at 3 once")
        << Faults{.short_reply_at = 3, .once = true} << QStringList{"ok", "ok", "short", "ok", "ok"}
        << all_ok;
    QTest::newRow("noise at 2") << Faults{.noise_at = 2}
                                << QStringList{"ok", "noise", "ok", "ok", "ok"}
                                << QStringList{"ok", "noise", "ok", "ok", "ok"};
    QTest::newRow("stall at 4") << Faults{.stall_at = 4}
                                << QStringList{"ok", "ok", "ok", "none", "none"}
                                << QStringList{"ok", "ok", "ok", "none", "none"};
    QTest::newRow("stall at 4 once") << Faults{.stall_at = 4, .once = true}
                                     << QStringList{"ok", "ok", "ok", "none", "none"} << all_ok;
    QTest::newRow("no answer") << Faults{.no_answer = true}
                               << QStringList{"none", "none", "none", "none", "none"}
                               << QStringList{"none", "none", "none", "none", "none"};
    QTest::newRow("no answer once")
        << Faults{.no_answer = true, .once = true}
        << QStringList{"none", "none", "none", "none", "none"} << all_ok;
}

void Test_sim_radio::read_faults()
{
    QFETCH(Faults, faults);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    Radio radio;
    radio.set_faults(faults);
    const QByteArray noise = QByteArrayLiteral("\x55\xAA\x15\x00\xFF\x7E\x31");
    for (const QStringList &session : {first, second}) {
        const bool silent = session.first() == "none"; // no answer even to Connect
        QCOMPARE(radio.receive(handshake()), silent ? QByteArray() : Handshake_reply);
        for (int block = 1; block <= 5; ++block) {
            const QString kind = session[block - 1];
            const QByteArray full = read_reply(radio, block);
            const QByteArray expected = kind == "ok"      ? full
                                        : kind == "short" ? full.left(19)
                                        : kind == "noise" ? noise
                                                          : QByteArray();
            QCOMPARE(radio.receive(read_frame(block)).toHex(' '), expected.toHex(' '));
        }
    }
}

void Test_sim_radio::write_faults_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QByteArray>("replies"); // one byte a block: A ack, N noise, - nothing
    QTest::addColumn<QList<int>>("stored");

    QTest::newRow("none") << Faults{} << QByteArray("AAAA") << QList<int>{1, 2, 3, 4};
    QTest::newRow("noise at 2") << Faults{.noise_at = 2} << QByteArray("ANAA")
                                << QList<int>{1, 3, 4};
    QTest::newRow("stall at 3") << Faults{.stall_at = 3} << QByteArray("AA--")
                                << QList<int>{1, 2, 3, 4};
    QTest::newRow("short reply does not touch writes")
        << Faults{.short_reply_at = 2} << QByteArray("AAAA") << QList<int>{1, 2, 3, 4};
}

void Test_sim_radio::write_faults()
{
    QFETCH(Faults, faults);
    QFETCH(QByteArray, replies);
    QFETCH(QList<int>, stored);
    Radio radio;
    radio.set_faults(faults);
    radio.receive(handshake());
    for (int block = 1; block <= 4; ++block) {
        const char kind = replies[block - 1];
        const QByteArray expected = kind == 'A' ? QByteArray(1, Ack)
                                    : kind == 'N'
                                        ? QByteArrayLiteral("\x55\xAA\x15\x00\xFF\x7E\x31")
                                        : QByteArray();
        QCOMPARE(radio.receive(write_frame(block, pattern(block))).toHex(' '), expected.toHex(' '));
    }
    QCOMPARE(radio.written_blocks(), stored);
}

void Test_sim_radio::power_connect_with_wrong_identity()
{
    Radio radio;
    radio.set_faults({.wrong_identity = true, .once = true});
    const QByteArray reply = radio.receive(power_connect_frame());
    QCOMPARE(reply.size(), 9);
    QVERIFY(!reply.startsWith(Radio_id_prefix));
    QCOMPARE(radio.receive(power_frame(pattern(1))), QByteArray());
    // The second session is a sound one.
    QCOMPARE(radio.receive(QByteArray(1, Leave_byte) + power_connect_frame()).left(6), Radio_id);

    Radio reader;
    reader.set_faults({.wrong_identity = true});
    const QByteArray identity = reader.receive(connect_frame() + short_frame(Identify_code)).mid(1);
    QCOMPARE(identity.size(), 6);
    QVERIFY(!identity.startsWith(Radio_id_prefix));
    QCOMPARE(reader.receive(short_frame(Start_code) + read_frame(1)), QByteArray());
}

void Test_sim_radio::hang_up_silences_the_radio_for_good()
{
    for (const bool writing : {false, true}) {
        Radio radio;
        radio.set_faults({.hang_up_at = 3});
        radio.receive(handshake());
        const auto request = [&](int block) {
            return writing ? write_frame(block, pattern(block)) : read_frame(block);
        };
        QVERIFY(!radio.receive(request(1) + request(2)).isEmpty());
        QVERIFY(!radio.hung_up());
        QCOMPARE(radio.receive(request(3)), QByteArray());
        QVERIFY(radio.hung_up());
        QCOMPARE(radio.receive(handshake() + request(1)), QByteArray());
        QCOMPARE(radio.written_blocks(), writing ? QList<int>({1, 2}) : QList<int>());
    }
}

void Test_sim_radio::demo_memory_fills_every_column()
{
    Reset_image();
    const Data_image before = chann;
    const Radio radio;
    QVERIFY(chann == before); // the program's image is left alone

    for (int channel = 1; channel <= 16; ++channel) {
        QVERIFY(radio.byte(channel, 4) != 255);
        QVERIFY(!name_of(radio, channel).isEmpty());
    }
    QCOMPARE(name_of(radio, 1), QStringLiteral("Base"));
    QCOMPARE(name_of(radio, 3), QStringLiteral("车队 A"));
    QCOMPARE(name_of(radio, 9), QStringLiteral("中继R1"));
    QCOMPARE(radio.byte(17, 4), 255);

    QSet<int> vox, power, band, decode, encode;
    bool repeater = false;
    for (int channel = 1; channel <= 16; ++channel) {
        vox.insert(radio.byte(channel, 10));
        power.insert(radio.byte(channel, 11) & 2);
        band.insert(radio.byte(channel, 11) & 4);
        decode.insert(radio.byte(channel, 8));
        encode.insert(radio.byte(channel, 9));
        for (int c = 0; c < 4; ++c)
            repeater = repeater || radio.byte(channel, c) != radio.byte(channel, c + 4);
    }
    QVERIFY(vox.size() > 2);
    QCOMPARE(power.size(), 2);
    QCOMPARE(band.size(), 2);
    QVERIFY(decode.size() > 2 && encode.size() > 2);
    QVERIFY(repeater);

    QCOMPARE(block_bytes(radio, Power_row).left(4), QByteArray("\x28\x78\xDC\x02"));
    QCOMPARE(block_bytes(radio, Radio_id_row).left(6), Radio_id);
    bool settings_differ = false, vfo_differs = false;
    for (int column = 0; column < 16; ++column) {
        settings_differ =
            settings_differ || radio.byte(Settings_row, column) != before(Settings_row, column);
        vfo_differs = vfo_differs || radio.byte(Vfo_row, column) != before(Vfo_row, column);
    }
    QVERIFY(settings_differ && vfo_differs);
}

void Test_sim_radio::memory_file_round_trip()
{
    QTemporaryDir dir;
    const QString first = dir.filePath("first.chann");
    const QString second = dir.filePath("second.chann");
    const Data_image before = chann;

    Radio radio;
    radio.set_byte(20, 7, 42);
    radio.set_byte(280, 15, 17);
    QVERIFY(radio.save(first).ok);
    QFile file(first);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("\r\n"), 281);

    Radio loaded;
    QCOMPARE(loaded.byte(20, 7), 255);
    QVERIFY(loaded.load(first).ok);
    for (int block = 0; block <= 280; ++block)
        QCOMPARE(block_bytes(loaded, block), block_bytes(radio, block));
    QVERIFY(loaded.save(second).ok);
    QFile again(second);
    QVERIFY(again.open(QIODevice::ReadOnly));
    file.seek(0);
    QCOMPARE(again.readAll(), file.readAll());
    QVERIFY(chann == before);
}

void Test_sim_radio::bad_memory_file_changes_nothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.chann");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(" 1 2 3 x\r\n");
    file.close();

    Radio radio;
    const Radio untouched;
    const Channel_file::Outcome outcome = radio.load(path);
    QVERIFY(!outcome.ok);
    QVERIFY(outcome.message.english.contains("not a number"));
    for (int block = 0; block < Radio::Block_count; ++block)
        QCOMPARE(block_bytes(radio, block), block_bytes(untouched, block));
    QVERIFY(!radio.load(dir.filePath("missing.chann")).ok);
}

QTEST_GUILESS_MAIN(Test_sim_radio)
#include "test_sim_radio.moc"
