// Channels as tab-separated text on the image alone: what a copy writes, and
// what a paste stores and reports. The table's own copy and paste keys are
// tested through the widgets.
#include "channels/channel_clipboard.h"
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "channels/tab_text.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "logic_start.h"

#include <QTest>

using namespace r7k;
using namespace Qt::StringLiterals;

namespace {

// The grid texts of columns 1..8, blanks at either end removed.
QString texts(int channel)
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

QString both(const std::optional<Bilingual> &message)
{
    return message ? message->chinese + u"\n--\n"_s + message->english : QString();
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

class Test_channel_clipboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Start_logic(); }

    void tab_text_reads_spreadsheet_line_ends_and_quotes()
    {
        const Tab_rows rows = Parse_tab_text(u"a\tb\r\n\t\"x\ty\"\"z\"\nlast"_s);
        QCOMPARE(rows, (Tab_rows{{u"a"_s, u"b"_s}, {QString(), u"x\ty\"z"_s}, {u"last"_s}}));
        QCOMPARE(Parse_tab_text(Tab_text(rows)), rows);
        QCOMPARE(Tab_text({{u"1"_s, u"a\"b"_s}}), u"1\t\"a\"\"b\"\n"_s);
        QVERIFY(Parse_tab_text(QString()).isEmpty());
    }

    void copied_channels_paste_back_the_same_rows_in_either_language_data()
    {
        QTest::addColumn<bool>("copied_in_chinese");
        QTest::addColumn<bool>("pasted_in_chinese");
        QTest::newRow("English") << false << false;
        QTest::newRow("Chinese into English") << true << false;
        QTest::newRow("English into Chinese") << false << true;
    }
    void copied_channels_paste_back_the_same_rows_in_either_language()
    {
        QFETCH(bool, copied_in_chinese);
        QFETCH(bool, pasted_in_chinese);
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
        QVERIFY(
            text.section(u'\n', 0, 0).endsWith(copied_in_chinese ? u"\t信道名称"_s : u"\tName"_s));
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
        QCOMPARE(texts(4), texts(1));
    }

    void a_spreadsheet_paste_stores_what_typing_would_and_reports_the_rest_data()
    {
        QTest::addColumn<QString>("headings");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("English headings")
            << u"Name\tRX Frequency\tTX FREQUENCY\tCTCSS/DCS Dec\tTX-Power\tNotes\tWide/Narrow"_s
            << false;
        QTest::newRow("Chinese headings in the Chinese program")
            << u"信道名称\t接收频率(MHZ)\t发射频率(MHZ)\tQT/DQT解码\t功率\t备注\t信道带宽"_s
            << true;
    }
    void a_spreadsheet_paste_stores_what_typing_would_and_reports_the_rest()
    {
        QFETCH(QString, headings);
        QFETCH(bool, chinese);
        Language = chinese;
        const QString text = headings + u"\r\n"_s +
                             u"Base\t446.00625\t446.007\t67\thigh\tfront desk\tnarrow\r\n"
                             u"仓库\t440.1\t480\tD023N\t低\t\t宽带\r\n"
                             u"한국\t441\t441\t999.9\tHigh\t\tWide\r\n"
                             u"\t\t447\tOFF\r\n"_s;
        const Paste_outcome outcome = paste(text, {10, Power_column});
        Language = false;
        QCOMPARE(texts(10), u"446.00625|446.00625|67.0|OFF|High|Off|Narrow|Base"_s);
        QCOMPARE(texts(11), u"440.10000|440.10000|D023N|OFF|Low|Off|Wide|仓库"_s);
        QCOMPARE(texts(12), u"441.00000|441.00000|OFF|OFF|High|Off|Wide|"_s);
        QCOMPARE(texts(13), u"|||||||"_s);
        QCOMPARE(outcome.last, (Grid_cell{13, Name_column}));
        QCOMPARE(
            both(outcome.message),
            u"以下数值未粘贴：\n"
            u"信道 11，发射频率(MHZ)：480（发射频率超出范围 ！）\n"
            u"信道 12，QT/DQT解码：999.9（列表中没有此项）\n"
            u"信道 12，信道名称：한국（信道名称中有对讲机无法保存的字符 ！）\n"
            u"信道 13，发射频率(MHZ)：447（请先输入接收频率 ！）\n"
            u"信道 13，QT/DQT解码：OFF（请先输入接收频率 ！）\n--\n"
            u"These values were not pasted:\n"
            u"Channel 11, TX Frequency: 480 (Over the range of transmit frequency .)\n"
            u"Channel 12, CTCSS/DCS Dec: 999.9 (not an entry of the list)\n"
            u"Channel 12, Name: 한국 (The channel name holds a character that the radio "
            u"cannot store.)\n"
            u"Channel 13, TX Frequency: 447 (Please input the receive frequency in advance.)\n"
            u"Channel 13, CTCSS/DCS Dec: OFF (Please input the receive frequency in advance.)"_s);
    }

    // Without headings the values fill the cells from the one pasted into.
    void values_fill_the_cells_from_the_first_one_as_in_a_spreadsheet()
    {
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
        QCOMPARE(texts(20), u"|||||||"_s);
        QCOMPARE(texts(22), u"446.10000|257.84000|D023I|OFF|High|Off|Wide|"_s);
        QCOMPARE(texts(23), u"447.01250|447.01250|OFF|OFF|High|Off|Wide|"_s);
        QCOMPARE(texts(128), u"446.00000|446.00000|OFF|OFF|High|Off|Wide|N1"_s);
    }
};

QTEST_GUILESS_MAIN(Test_channel_clipboard)
#include "test_channel_clipboard.moc"
