// The channel record rules on the image alone: row texts, choices, names,
// frequency entry and the moves of Enter.
#include "channels/cell_editing.h"
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "image_rows.h"
#include "logic_start.h"
#include "tone_boundaries.h"

#include <QTest>

using namespace r7k;
using namespace Qt::StringLiterals;
using Cells = QList<int>;

namespace {

const Cells Erased_record(16, 255);
const Cells New_channel_rest{0, 0, 0, 7, 0, 255, 255, 255}; // columns 8..15

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

// A message in both languages; empty when there is none.
QString both(const std::optional<Bilingual> &message)
{
    return message ? message->chinese + u'/' + message->english : QString();
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
    void init() { Start_logic(); }

    void row_texts()
    {
        program_channel(7);
        // columns 8..12, then the decode, encode, power, VOX and band texts
        const std::tuple<bool, Cells, QString> cases[] = {
            {false, {0, 0, 0, 7, 0}, u"OFF|OFF|High|Off|Wide"_s},
            {false, {255, 255, 0x13, 0, 3}, u"OFF|OFF|Low|3|Narrow"_s},
            {false, {9, 9, 12, 2, 3}, u"   88.5    |   88.5    |High|12|Narrow"_s},
            {false, {60, 60, 0, 7, 1}, u"D053I|  D053N   |High|Off|Wide"_s},
            {false, {200, 200, 0, 5, 2}, u" D754N   |D754I|Low|Off|Wide"_s},
            {true, {0, 0, 8, 1, 0}, u"关|关|低|8|窄带"_s},
        };
        for (const auto &[chinese, record, shown] : cases) {
            Language = chinese;
            put(7, 8, record);
            QCOMPARE(texts(7, Decode_column, Name_column), shown);
        }
    }

    // Stray bytes behind an erased RX frequency must never reach the radio.
    void empty_and_receive_only_channels()
    {
        put(3, 0, {0, 0x25, 0x81, 0x43, 255, 1, 2, 3, 9, 9, 1, 7, 0, 1, 2, 3});
        QVERIFY(!Store_channel_name(3, u"KEEP"_s));
        QCOMPARE(texts(3), u"|||||||"_s);
        Tidy_empty_channel(3);
        QCOMPARE(cells(3, 0, 15), Erased_record);
        QCOMPARE(Channel_name(3), u"KEEP"_s);
        program_channel(4);
        chann(4, 0) = 255;
        QCOMPARE(texts(4, Rx_column, Power_column), u"446.00625||OFF|"_s);
    }

    void choices_store_codes_and_bits()
    {
        program_channel(2);
        // column, list index, columns 8..12 before and after
        const std::tuple<int, int, Cells, Cells> cases[] = {
            {3, 160, {0, 0, 0, 7, 0x80}, {56, 0, 0, 7, 0x81}}, // inverted, sets bit 0
            {3, 56, {56, 0, 0, 7, 3}, {56, 0, 0, 7, 2}},       // normal, clears bit 0
            {3, 9, {56, 0, 0, 7, 3}, {9, 0, 0, 7, 3}},         // CTCSS keeps the bits
            {4, 258, {0, 0, 0, 7, 1}, {0, 154, 0, 7, 3}},      // last inverted encode
            {5, 0, {0, 0, 0, 0xF7, 0}, {0, 0, 0, 0xF5, 0}},    // low power
            {6, 3, {0, 0, 0x15, 7, 0}, {0, 0, 3, 7, 0}},       // VOX 3
            {7, 0, {0, 0, 0, 0x0F, 0}, {0, 0, 0, 0x0A, 0}},    // narrow keeps bit 1
            {7, 1, {0, 0, 0, 0x10, 0}, {0, 0, 0, 0x15, 0}},    // wide
            {6, 9, {0, 0, 2, 7, 0}, {0, 0, 2, 7, 0}},          // beyond the list
        };
        for (const auto &[column, index, before, after] : cases) {
            put(2, 8, before);
            Store_choice(2, column, index);
            QVERIFY2(cells(2, 8, 15) == after + Cells(3, 255),
                     qPrintable(u"column %1, index %2"_s.arg(column).arg(index)));
        }
    }

    // Each tone entry is stored as its code and polarity bit and shown again
    // as the same entry, whatever the bit held before.
    void tone_choices_at_the_edges_of_each_run()
    {
        program_channel(2);
        for (const auto &[column, tone, bit] : {std::tuple{Decode_column, Record::Decode_tone, 1},
                                                {Encode_column, Record::Encode_tone, 2}}) {
            for (const Tone_boundary &edge : Tone_boundaries) {
                for (const bool before : {false, true}) {
                    chann(2, Record::Polarity) = qint16(0xF0 | (before ? bit : 0));
                    Store_choice(2, column, edge.index);
                    const bool inverted = edge.inverted.value_or(before);
                    const QString label =
                        u"column %1, entry %2, bit %3"_s.arg(column).arg(edge.index).arg(before);
                    QVERIFY2(cells(2, tone, tone) == Cells{edge.code} &&
                                 chann(2, Record::Polarity) == (0xF0 | (inverted ? bit : 0)),
                             qPrintable(label));
                    QVERIFY2(Channel_row_texts(2)[column].trimmed() ==
                                 Choice_items(column)[edge.index],
                             qPrintable(label));
                }
            }
        }
    }

    // Names are stored as GBK, refused whole when GBK cannot hold them, and
    // read up to erased memory with undecodable bytes marked.
    void names()
    {
        // typed, shown, the first cells of the name row
        const std::tuple<QString, QString, Cells> cases[] = {
            {u"AB中"_s, u"AB中"_s, {0, 65, 0, 66, 0xD6, 0xD0}},
            {u"  ABCDEFGHIJ "_s, u"ABCDEFGH"_s, {0, 65, 0, 66}},
            {u"一二三四五六七八九"_s, u"一二三四五六七八"_s, {0xD2, 0xBB, 0xB6, 0xFE}},
            {u"A B"_s, u"A B"_s, {0, 65, 0, 32, 0, 66}}, // inner blank kept
            {u"   "_s, QString(), {0, 0}},
        };
        for (const auto &[typed, shown, first_cells] : cases) {
            QVERIFY(!Store_channel_name(20, typed));
            QCOMPARE(Channel_name(20), shown);
            const int used = 2 * int(shown.size()); // empty positions follow the name
            QVERIFY2(cells(163, 0, int(first_cells.size()) - 1) == first_cells &&
                         cells(163, used, 15) == Cells(16 - used, 0),
                     qPrintable(u'"' + typed + u'"'));
        }
        QVERIFY(!Store_channel_name(5, u"OLD"_s));
        for (const QString &name : {u"A😀"_s, u"한국"_s}) {
            QCOMPARE(both(Store_channel_name(5, name)),
                     u"信道名称中有对讲机无法保存的字符 ！/"
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
        const QString over =
            message ? u"接收频率超出范围 ！/Over the range of receive frequency ."_s : QString();
        QCOMPARE(both(Enter_rx_freq(9, text, false)), over);
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
        QCOMPARE(both(Enter_tx_freq(3, u"446"_s)),
                 u"请先输入接收频率 ！/Please input the receive frequency in advance."_s);
        QCOMPARE(cells(3, 0, 15), Erased_record);
        program_channel(3);
        QVERIFY(!Enter_tx_freq(3, QString())); // erasing TX keeps the stored TX
        QCOMPARE(texts(3, Rx_column, Decode_column), u"446.00625|446.00625"_s);
        QVERIFY(!Enter_tx_freq(3, u"450.1"_s));
        QCOMPARE(texts(3, Rx_column, Decode_column), u"446.00625|450.10000"_s);
        QCOMPARE(both(Enter_tx_freq(3, u"500"_s)),
                 u"发射频率超出范围 ！/Over the range of transmit frequency ."_s);
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
