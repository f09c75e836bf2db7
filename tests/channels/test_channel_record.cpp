// The channel record rules on the image alone: row texts, choices, names,
// frequency entry and the moves of Enter.
#include "channels/cell_editing.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "channels/frequency_entry.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"

#include <QTest>

using namespace r7k;
using namespace Qt::StringLiterals;
using Cells = QList<int>;

namespace {

const Cells Erased_record(16, 255);
const Cells New_channel_rest{0, 0, 0, 7, 0, 255, 255, 255}; // columns 8..15

Cells cells(int row, int first, int last)
{
    Cells values;
    for (int column = first; column <= last; ++column)
        values.append(chann(row, column));
    return values;
}

void put(int row, int first, const Cells &values)
{
    for (int i = 0; i < values.size(); ++i)
        chann(row, first + i) = qint16(values[i]);
}

// The texts of grid columns first..last-1, joined by '|'.
QString texts(int channel, int first = Rx_column, int last = Grid_column_count)
{
    const Row_texts row = Channel_row_texts(channel);
    return QStringList(row.begin() + first, row.begin() + last).join(u'|');
}

// A new channel at 446.00625 MHz both ways.
void program_channel(int channel)
{
    QVERIFY(!Enter_rx_freq(channel, u"446.00625"_s, false));
}

} // namespace

class Channel_record_test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Language = false;
        Model_no = 0;
        Init_tone_table();
        Init_model_table();
        Reset_image();
    }

    void row_texts_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<Cells>("record");  // columns 8..12
        QTest::addColumn<QString>("shown"); // decode, encode, power, VOX, band
        QTest::newRow("new") << false << Cells{0, 0, 0, 7, 0} << u"OFF|OFF|High|Off|Wide"_s;
        QTest::newRow("erased tones")
            << false << Cells{255, 255, 0x13, 0, 3} << u"OFF|OFF|Low|3|Narrow"_s;
        QTest::newRow("ctcss") << false << Cells{9, 9, 12, 2, 3}
                               << u"   88.5    |   88.5    |High|12|Narrow"_s;
        QTest::newRow("dcs") << false << Cells{60, 60, 0, 7, 1}
                             << u"D053I|  D053N   |High|Off|Wide"_s;
        QTest::newRow("beyond dcs")
            << false << Cells{200, 200, 0, 5, 2} << u" D754N   |D754I|Low|Off|Wide"_s;
        QTest::newRow("chinese") << true << Cells{0, 0, 8, 1, 0} << u"关|关|低|8|窄带"_s;
    }
    void row_texts()
    {
        QFETCH(bool, chinese);
        QFETCH(Cells, record);
        Language = chinese;
        program_channel(7);
        put(7, 8, record);
        QTEST(texts(7, Decode_column, Name_column), "shown");
    }

    // Stray bytes behind an erased RX frequency must never reach the radio.
    void empty_and_receive_only_channels()
    {
        put(3, 0, {0, 0x25, 0x81, 0x43, 255, 1, 2, 3, 9, 9, 1, 7, 0, 1, 2, 3});
        QVERIFY(!Store_channel_name(3, u"KEEP"_s));
        QCOMPARE(texts(3), u"|||||||"_s);
        QCOMPARE(cells(3, 0, 15), Erased_record);
        QCOMPARE(Channel_name(3), u"KEEP"_s);
        program_channel(4);
        chann(4, 0) = 255;
        QCOMPARE(texts(4, Rx_column, Power_column), u"446.00625||OFF|"_s);
    }

    void choices_store_codes_and_bits_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("index");
        QTest::addColumn<Cells>("before"); // columns 8..12
        QTest::addColumn<Cells>("after");
        auto row = [](const char *name, int column, int index, const Cells &b, const Cells &a) {
            QTest::newRow(name) << column << index << b << a;
        };
        row("decode inverted 160", 3, 160, {0, 0, 0, 7, 0x80}, {56, 0, 0, 7, 0x81});
        row("decode normal clears bit 0", 3, 56, {56, 0, 0, 7, 3}, {56, 0, 0, 7, 2});
        row("decode ctcss keeps bits", 3, 9, {56, 0, 0, 7, 3}, {9, 0, 0, 7, 3});
        row("encode last inverted", 4, 258, {0, 0, 0, 7, 1}, {0, 154, 0, 7, 3});
        row("low power", 5, 0, {0, 0, 0, 0xF7, 0}, {0, 0, 0, 0xF5, 0});
        row("vox 3", 6, 3, {0, 0, 0x15, 7, 0}, {0, 0, 3, 7, 0});
        row("narrow keeps bit 1", 7, 0, {0, 0, 0, 0x0F, 0}, {0, 0, 0, 0x0A, 0});
        row("wide", 7, 1, {0, 0, 0, 0x10, 0}, {0, 0, 0, 0x15, 0});
        row("index beyond the list", 6, 9, {0, 0, 2, 7, 0}, {0, 0, 2, 7, 0});
    }
    void choices_store_codes_and_bits()
    {
        QFETCH(int, column);
        QFETCH(int, index);
        QFETCH(Cells, before);
        QFETCH(Cells, after);
        program_channel(2);
        put(2, 8, before);
        Store_choice(2, column, index);
        QCOMPARE(cells(2, 8, 15), after + Cells(3, 255));
    }

    void names_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<Cells>("first_cells");
        QTest::newRow("ascii and chinese")
            << u"AB中"_s << u"AB中"_s << Cells{0, 65, 0, 66, 0xD6, 0xD0};
        QTest::newRow("cut to eight") << u"  ABCDEFGHIJ "_s << u"ABCDEFGH"_s << Cells{0, 65, 0, 66};
        QTest::newRow("eight chinese")
            << u"一二三四五六七八九"_s << u"一二三四五六七八"_s << Cells{0xD2, 0xBB, 0xB6, 0xFE};
        QTest::newRow("inner blank kept") << u"A B"_s << u"A B"_s << Cells{0, 65, 0, 32, 0, 66};
        QTest::newRow("empty") << u"   "_s << QString() << Cells{0, 0};
    }
    void names()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(Cells, first_cells);
        QVERIFY(!Store_channel_name(20, typed));
        QCOMPARE(Channel_name(20), shown);
        QCOMPARE(cells(163, 0, int(first_cells.size()) - 1), first_cells);
        const int used = 2 * int(shown.size()); // empty positions follow the name
        QCOMPARE(cells(163, used, 15), Cells(16 - used, 0));
    }

    void names_gbk_cannot_hold_or_read_are_handled()
    {
        QVERIFY(!Store_channel_name(5, u"OLD"_s));
        for (const QString &name : {u"A😀"_s, u"한국"_s}) {
            QCOMPARE(Store_channel_name(5, name).value_or(Bilingual()).english,
                     u"The channel name holds a character that the radio cannot store."_s);
            QCOMPARE(Channel_name(5), u"OLD"_s);
        }
        put(150, 0, {0, 65, 255, 255, 0, 66});
        QCOMPARE(Channel_name(7), u"A"_s); // erased memory ends a name
        put(150, 0, {0, 65, 0, 0x81, 0, 66, 0, 0});
        QCOMPARE(Channel_name(7), u"A\uFFFDB"_s);
    }

    // Channel 97's name lives apart from the power levels; a cleared table
    // must not bring old names back when a channel is programmed again.
    void names_and_clear_leave_the_power_levels()
    {
        put(Power_row, 0, {10, 20, 30, 40});
        for (int channel : {1, 97, 128}) {
            program_channel(channel);
            QVERIFY(!Store_channel_name(channel, u"P97"_s));
        }
        QCOMPARE(cells(Spare_name_row, 0, 5), (Cells{0, 80, 0, 57, 0, 55}));
        QCOMPARE(cells(Power_row, 0, 4), (Cells{10, 20, 30, 40, 0}));
        Clear_all_channels();
        QCOMPARE(cells(Power_row, 0, 3), (Cells{10, 20, 30, 40}));
        for (int channel = 1; channel <= Channel_count; ++channel)
            QCOMPARE(cells(channel, 0, 15) + cells(Name_row(channel), 0, 15),
                     Erased_record + Cells(16, 0));
        program_channel(97);
        QCOMPARE(texts(97, Name_column), QString());
    }

    void rx_entry_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // empty: the channel stays empty
        QTest::addColumn<bool>("message");
        QTest::newRow("high limit") << u"470"_s << u"136.00000"_s << true;
        QTest::newRow("just below the limit") << u"469.99375"_s << u"469.99375"_s << false;
        QTest::newRow("low limit") << u"136"_s << u"136.00000"_s << false;
        QTest::newRow("below the band") << u"135.99"_s << u"136.00000"_s << true;
        QTest::newRow("whole") << u"446"_s << u"446.00000"_s << false;
        QTest::newRow("snapped to 6.25") << u"446.007"_s << u"446.00625"_s << false;
        QTest::newRow("snapped to 5") << u"438.0062"_s << u"438.00500"_s << false;
        QTest::newRow("blanks around") << u"  438.125 "_s << u"438.12500"_s << false;
        QTest::newRow("letters") << u"abc"_s << u"136.00000"_s << true;
        QTest::newRow("empty") << QString() << QString() << false;
    }
    void rx_entry()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(bool, message);
        const QString over = message ? u"Over the range of receive frequency ."_s : QString();
        QCOMPARE(Enter_rx_freq(9, text, false).value_or(Bilingual()).english, over);
        QCOMPARE(cells(9, 8, 15), stored.isEmpty() ? Cells(8, 255) : New_channel_rest);
        QCOMPARE(texts(9, Rx_column, Decode_column), stored + u'|' + stored);
    }

    void rx_entry_on_a_programmed_channel_and_in_another_band()
    {
        program_channel(1);
        put(1, 8, {9, 56, 3, 2, 2, 1, 2, 3});
        QVERIFY(!Enter_rx_freq(1, u"440"_s, true));
        QCOMPARE(texts(1, Rx_column, Decode_column), u"440.00000|446.00625"_s);
        chann(1, 0) = 255;
        QVERIFY(!Enter_rx_freq(1, u"441"_s, false));
        QCOMPARE(texts(1, Rx_column, Decode_column), u"441.00000|"_s);
        QCOMPARE(cells(1, 8, 15), (Cells{9, 56, 3, 2, 2, 1, 2, 3}));
        QVERIFY(!Enter_rx_freq(1, u"442"_s, true)); // by Enter, TX follows as on a new channel
        QCOMPARE(texts(1, Rx_column, Decode_column), u"442.00000|442.00000"_s);
        QCOMPARE(cells(1, 8, 15), New_channel_rest);
        QVERIFY(!Store_channel_name(1, u"KEEP"_s));
        QVERIFY(!Enter_rx_freq(1, QString(), true));
        QCOMPARE(cells(1, 0, 15), Erased_record);
        QCOMPARE(Channel_name(1), u"KEEP"_s);
        Model_no = 1; // the band follows the model
        Init_model_table();
        QVERIFY(Enter_rx_freq(1, u"200"_s, false));
        QVERIFY(!Enter_rx_freq(1, u"173.9875"_s, false));
        QCOMPARE(texts(1, Rx_column, Tx_column), u"173.98750"_s);
    }

    void tx_entry()
    {
        QCOMPARE(Enter_tx_freq(3, u"446"_s)->chinese, u"请先输入接收频率 ！"_s);
        QCOMPARE(cells(3, 0, 15), Erased_record);
        program_channel(3);
        QVERIFY(!Enter_tx_freq(3, QString()));
        QVERIFY(!Enter_tx_freq(3, u"450.1"_s));
        QCOMPARE(texts(3, Rx_column, Decode_column), u"446.00625|450.10000"_s);
        QCOMPARE(Enter_tx_freq(3, u"500"_s)->chinese, u"发射频率超出范围 ！"_s);
        QCOMPARE(texts(3, Rx_column, Decode_column), u"446.00625|136.00000"_s);
    }

    void enter_targets()
    {
        QCOMPARE(Enter_target({5, Tx_column}), (Grid_cell{6, Rx_column})); // empty: next row
        QCOMPARE(Enter_target({128, Name_column}), (Grid_cell{128, Rx_column}));
        program_channel(5);
        chann(5, 0) = 255;
        QCOMPARE(Enter_target({5, Decode_column}), (Grid_cell{5, Power_column}));
    }
};

QTEST_GUILESS_MAIN(Channel_record_test)
#include "test_channel_record.moc"
