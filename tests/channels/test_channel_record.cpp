// The channel record rules on the image alone: row texts, choices, names,
// frequency entry, the moves of Enter, and channels as tab-separated text
// (what a copy writes, what a paste stores and reports). The table's own
// keys are tested through the widgets.
#include "channels/cell_editing.h"
#include "channels/channel_clipboard.h"
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "channels/tab_text.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "image_rows.h"
#include "logic_start.h"

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

// The grid texts of columns 1..8, blanks at either end removed.
QString trimmed_texts(int channel)
{
    QStringList values;
    const Row_texts row = Channel_row_texts(channel);
    for (int column = Rx_column; column < Grid_column_count; ++column)
        values.append(row[column].trimmed());
    return values.join(u'|');
}

Paste_outcome paste(const QString &text, Grid_cell at)
{
    return Paste_channel_rows(Pasted_rows(text), at, false, chann);
}

// A channel with something in every column: inverted DCS decode, CTCSS
// encode, low power, VOX 3, narrow, a Chinese name.
void program_full_channel(int channel)
{
    QVERIFY(!Enter_rx_freq(channel, u"446.00625"_s, false));
    QVERIFY(!Enter_tx_freq(channel, u"446.5"_s));
    for (const auto &[column, index] : {std::pair(Decode_column, 160),
                                        {Encode_column, 9},
                                        {Power_column, 0},
                                        {Vox_column, 3},
                                        {Band_column, 0}})
        Store_choice(channel, column, index);
    QVERIFY(!Store_channel_name(channel, u"频道A"_s));
}

} // namespace

class Channel_record_test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Start_logic(); }

    void row_texts_choices_and_names()
    {
        program_channel(7);
        // columns 8..12, then the decode, encode, power, VOX and band texts
        const std::tuple<bool, Cells, QString> cases[] = {
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

        // Names are stored as GBK, refused whole when GBK cannot hold them, and
        // read up to erased memory with undecodable bytes marked.
        // typed, shown, the first cells of the name row
        const std::tuple<QString, QString, Cells> named[] = {
            {u"AB中"_s, u"AB中"_s, {0, 65, 0, 66, 0xD6, 0xD0}},
            {u"  ABCDEFGHIJ "_s, u"ABCDEFGH"_s, {0, 65, 0, 66}},
            {u"一二三四五六七八九"_s, u"一二三四五六七八"_s, {0xD2, 0xBB, 0xB6, 0xFE}},
            {u"A B"_s, u"A B"_s, {0, 65, 0, 32, 0, 66}}, // inner blank kept
            {u"   "_s, QString(), {0, 0}},
        };
        for (const auto &[typed, shown, first_cells] : named) {
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

        // Choices store codes and bits.
        program_channel(2);
        // column, list index, columns 8..12 before and after
        const std::tuple<int, int, Cells, Cells> choices[] = {
            {3, 160, {0, 0, 0, 7, 0x80}, {56, 0, 0, 7, 0x81}}, // inverted, sets bit 0
            {3, 56, {56, 0, 0, 7, 3}, {56, 0, 0, 7, 2}},       // normal, clears bit 0
            {3, 50, {56, 0, 0, 7, 3}, {50, 0, 0, 7, 3}},       // the last CTCSS keeps the bits
            {4, 258, {0, 0, 0, 7, 1}, {0, 154, 0, 7, 3}},      // last inverted encode
            {5, 0, {0, 0, 0, 0xF7, 0}, {0, 0, 0, 0xF5, 0}},    // low power
            {6, 3, {0, 0, 0x15, 7, 0}, {0, 0, 3, 7, 0}},       // VOX 3
            {7, 0, {0, 0, 0, 0x0F, 0}, {0, 0, 0, 0x0A, 0}},    // narrow keeps bit 1
            {7, 1, {0, 0, 0, 0x10, 0}, {0, 0, 0, 0x15, 0}},    // wide
            {6, 9, {0, 0, 2, 7, 0}, {0, 0, 2, 7, 0}},          // beyond the list
        };
        for (const auto &[column, index, before, after] : choices) {
            put(2, 8, before);
            Store_choice(2, column, index);
            QVERIFY2(cells(2, 8, 15) == after + Cells(3, 255),
                     qPrintable(u"column %1, index %2"_s.arg(column).arg(index)));
        }
    }

    // Stray bytes behind an erased RX frequency must never reach the radio.
    void empty_and_programmed_channels()
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

    void frequency_entry_and_enter_targets()
    {
        // Typed into an empty channel: what is stored (nothing, when empty), and
        // whether the range message comes.
        const std::tuple<QString, QString, bool> cases[] = {
            {"470", "136.00000", true},       {"469.99375", "469.99375", false},
            {"136", "136.00000", false},      {"135.99", "136.00000", true},
            {"446", "446.00000", false},      {"446.007", "446.00625", false},
            {"438.0062", "438.00500", false}, {"  438.125 ", "438.12500", false},
            {"abc", "136.00000", true},       {"", "", false},
        };
        for (const auto &[text, stored, message] : cases) {
            Start_logic();
            const QString over =
                message ? u"接收频率超出范围 ！/Over the range of receive frequency ."_s
                        : QString();
            QCOMPARE(both(Enter_rx_freq(9, text, false)), over);
            QCOMPARE(cells(9, 8, 15), stored.isEmpty() ? Cells(8, 255) : New_channel_rest);
            QCOMPARE(texts(9, Rx_column, Decode_column), stored + u'|' + stored);
        }

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

        QCOMPARE(Enter_target({5, Tx_column}), (Grid_cell{6, Rx_column})); // empty: next row
        QCOMPARE(Enter_target({128, Name_column}), (Grid_cell{128, Rx_column}));
        program_channel(5);
        chann(5, 0) = 255;
        QCOMPARE(Enter_target({5, Decode_column}), (Grid_cell{5, Power_column}));
    }

    void copied_channels_paste_back_the_same_rows_in_either_language()
    {
        // Tab text reads a spreadsheet's line ends and quotes.
        const Tab_rows rows = Parse_tab_text(u"a\tb\r\n\t\"x\ty\"\"z\"\nlast"_s);
        QCOMPARE(rows, (Tab_rows{{u"a"_s, u"b"_s}, {QString(), u"x\ty\"z"_s}, {u"last"_s}}));
        QCOMPARE(Parse_tab_text(Tab_text(rows)), rows);
        QCOMPARE(Tab_text({{u"1"_s, u"a\"b"_s}}), u"1\t\"a\"\"b\"\n"_s);
        QVERIFY(Parse_tab_text(QString()).isEmpty());

        for (const auto &[copied_in_chinese, pasted_in_chinese] :
             {std::pair(false, false), {true, false}, {false, true}}) {
            Start_logic();
            program_full_channel(1);
            QVERIFY(!Enter_rx_freq(2, u"150.025"_s, true));
            QVERIFY(!Enter_rx_freq(3, u"446"_s, true));
            Clear_tx_freq(3); // receive only
            QVERIFY(!Enter_rx_freq(4, u"440"_s, true));
            QVERIFY(!Enter_tx_freq(4, u"445"_s));
            Language = copied_in_chinese;
            const QString text = Channels_text({1, 2, 3, 4}, chann);
            QCOMPARE(text.count(u'\n'), 5);
            QVERIFY(text.startsWith(copied_in_chinese ? u"信道号\t接收频率(MHZ)\t"_s
                                                      : u"Channel\tRX Frequency\t"_s));
            QVERIFY(text.section(u'\n', 0, 0)
                        .endsWith(copied_in_chinese ? u"\t信道名称"_s : u"\tName"_s));
            QVERIFY(text.contains(
                u"\n1\t446.00625\t446.50000\tD036I\t88.5\t"_s +
                (copied_in_chinese ? u"低\t3\t窄带\t频道A\n"_s : u"Low\t3\tNarrow\t频道A\n"_s)));
            QVERIFY(text.contains(copied_in_chinese ? u"\n3\t446.00000\t无发射\t"_s
                                                    : u"\n3\t446.00000\tno TX\t"_s));

            Language = pasted_in_chinese;
            const Data_image before = chann;
            const Paste_outcome outcome = paste(text, {60, Vox_column});
            QCOMPARE(both(outcome.message), QString());
            QCOMPARE(outcome.first, (Grid_cell{60, Number_column}));
            QCOMPARE(outcome.last, (Grid_cell{63, Name_column}));
            Data_image expected = before;
            for (int i = 0; i < 4; ++i)
                for (int column = 0; column < 16; ++column) {
                    expected(60 + i, column) = chann(1 + i, column);
                    expected(Name_row(60 + i), column) = chann(Name_row(1 + i), column);
                }
            QVERIFY(chann == expected);

            // Over a programmed channel the copy replaces every value.
            paste(text.section(u'\n', 0, 1), {4, Rx_column});
            QCOMPARE(trimmed_texts(4), trimmed_texts(1));
        }
    }

    void a_paste_with_headings_and_one_without_store_what_typing_would()
    {
        Language = false;
        const QString sheet = u"Name\tRX Frequency\tTX FREQUENCY\tCTCSS/DCS Dec\tTX-Power\tNotes\t"
                              u"Wide/Narrow\r\n"
                              u"Base\t446.00625\t446.007\t67\thigh\tfront desk\tnarrow\r\n"
                              u"仓库\t440.1\t480\tD023N\t低\t\t宽带\r\n"
                              u"한국\t441\t441\t999.9\tHigh\t\tWide\r\n"
                              u"\t\t447\tOFF\r\n"_s;
        const Paste_outcome pasted = paste(sheet, {10, Power_column});
        QCOMPARE(trimmed_texts(10), u"446.00625|446.00625|67.0|OFF|High|Off|Narrow|Base"_s);
        QCOMPARE(trimmed_texts(11), u"440.10000|440.10000|D023N|OFF|Low|Off|Wide|仓库"_s);
        QCOMPARE(trimmed_texts(12), u"441.00000|441.00000|OFF|OFF|High|Off|Wide|"_s);
        QCOMPARE(trimmed_texts(13), u"|||||||"_s);
        QCOMPARE(pasted.last, (Grid_cell{13, Name_column}));
        QCOMPARE(
            both(pasted.message),
            u"以下数值未粘贴：\n"
            u"信道 11，发射频率(MHZ)：480（发射频率超出范围 ！）\n"
            u"信道 12，QT/DQT解码：999.9（列表中没有此项）\n"
            u"信道 12，信道名称：한국（信道名称中有对讲机无法保存的字符 ！）\n"
            u"信道 13，发射频率(MHZ)：447（请先输入接收频率 ！）\n"
            u"信道 13，QT/DQT解码：OFF（请先输入接收频率 ！）/"
            u"These values were not pasted:\n"
            u"Channel 11, TX Frequency: 480 (Over the range of transmit frequency .)\n"
            u"Channel 12, CTCSS/DCS Dec: 999.9 (not an entry of the list)\n"
            u"Channel 12, Name: 한국 (The channel name holds a character that the radio "
            u"cannot store.)\n"
            u"Channel 13, TX Frequency: 447 (Please input the receive frequency in advance.)\n"
            u"Channel 13, CTCSS/DCS Dec: OFF (Please input the receive frequency in advance.)"_s);

        // Without headings the values fill the cells from the one pasted into.
        QVERIFY(!Enter_rx_freq(20, u"446"_s, true));
        QVERIFY(!Enter_rx_freq(21, u"446"_s, true));
        chann(21, 0) = 255; // receive only
        QVERIFY(!Enter_rx_freq(128, u"446"_s, true));
        const std::tuple<QString, Grid_cell, QString> cases[] = {
            {u"446.1\t257.84\r\n447.0125\t\r\n"_s, {22, Rx_column}, QString()},
            {u"d023i"_s, {22, Decode_column}, QString()},
            {u"D754N"_s,
             {21, Encode_column},
             u"Channel 21, CTCSS/DCS Enc: D754N (the channel has no TX frequency)"_s},
            {u"Wide\tN1\tmore\nNarrow\tN2\n"_s,
             {128, Band_column},
             u"3 values lie outside the table"_s},
            {u"\n"_s, {20, Rx_column}, QString()}, // an empty RX deletes the channel
        };
        for (const auto &[text, at, report] : cases) {
            const Paste_outcome outcome = paste(text, at);
            QCOMPARE(outcome.message ? outcome.message->english.section(u'\n', 1) : QString(),
                     report);
        }
        QCOMPARE(trimmed_texts(20), u"|||||||"_s);
        QCOMPARE(trimmed_texts(22), u"446.10000|257.84000|D023I|OFF|High|Off|Wide|"_s);
        QCOMPARE(trimmed_texts(23), u"447.01250|447.01250|OFF|OFF|High|Off|Wide|"_s);
        QCOMPARE(trimmed_texts(128), u"446.00000|446.00000|OFF|OFF|High|Off|Wide|N1"_s);
    }
};

QTEST_GUILESS_MAIN(Channel_record_test)
#include "test_channel_record.moc"
