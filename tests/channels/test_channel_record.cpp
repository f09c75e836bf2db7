// The channel record rules on the image alone: row texts, choices, names,
// frequency entry and the moves of Enter.
#include "channels/cell_editing.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "channels/frequency_entry.h"
#include "core/conversions.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"

#include <QTest>

using namespace r7k;

namespace {

QString stored_freq(int channel, int column)
{
    return Bcd_to_freq_text(chann(channel, column), chann(channel, column + 1),
                            chann(channel, column + 2), chann(channel, column + 3));
}

QList<int> cells(int row, int first, int last)
{
    QList<int> values;
    for (int c = first; c <= last; ++c)
        values.append(chann(row, c));
    return values;
}

void put(int row, int first, const QList<int> &values)
{
    for (int i = 0; i < values.size(); ++i)
        chann(row, first + i) = qint16(values[i]);
}

// Channel 1 at 446.00625 MHz both ways, as a new channel gets it.
void program_channel(int channel)
{
    QVERIFY(!Enter_rx_freq(channel, QStringLiteral("446.00625"), false));
}

} // namespace

class Channel_record_test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Init_tone_table(); }

    void init()
    {
        Language = false;
        Model_no = 0;
        Init_model_table();
        Reset_image();
    }

    void tone_texts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("polarity");
        QTest::addColumn<QString>("decode");
        QTest::addColumn<QString>("encode");
        QTest::newRow("off") << 0 << 3 << "OFF"
                             << "OFF";
        QTest::newRow("erased") << 255 << 0 << "OFF"
                                << "OFF";
        QTest::newRow("ctcss ignores polarity") << 9 << 3 << "   88.5    "
                                                << "   88.5    ";
        QTest::newRow("dcs 60 normal") << 60 << 0 << "  D053N   "
                                       << "  D053N   ";
        QTest::newRow("dcs 60 decode inverted") << 60 << 1 << "D053I"
                                                << "  D053N   ";
        QTest::newRow("dcs 60 encode inverted") << 60 << 2 << "  D053N   "
                                                << "D053I";
        QTest::newRow("200 shows the last code") << 200 << 0 << " D754N   "
                                                 << " D754N   ";
        QTest::newRow("200 inverted") << 200 << 3 << "D754I"
                                      << "D754I";
    }
    void tone_texts()
    {
        QFETCH(int, code);
        QFETCH(int, polarity);
        program_channel(1);
        chann(1, 8) = chann(1, 9) = qint16(code);
        chann(1, 12) = qint16(polarity);
        const Row_texts texts = Channel_row_texts(1);
        QFETCH(QString, decode);
        QFETCH(QString, encode);
        QCOMPARE(texts[Decode_column], decode);
        QCOMPARE(texts[Encode_column], encode);
    }

    void row_texts_in_both_languages_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<int>("power_band");
        QTest::addColumn<int>("vox");
        QTest::addColumn<QStringList>("expected"); // power, VOX, band, decode
        QTest::newRow("en high wide")
            << false << 7 << 0 << QStringList{"High", "Off", "Wide", "OFF"};
        QTest::newRow("en low narrow")
            << false << 0 << 0x13 << QStringList{"Low", "3", "Narrow", "OFF"};
        QTest::newRow("en nibble above 8")
            << false << 2 << 12 << QStringList{"High", "12", "Narrow", "OFF"};
        QTest::newRow("zh high wide") << true << 7 << 0 << QStringList{"高", "关", "宽带", "关"};
        QTest::newRow("zh low narrow") << true << 1 << 8 << QStringList{"低", "8", "窄带", "关"};
    }
    void row_texts_in_both_languages()
    {
        QFETCH(int, power_band);
        QFETCH(int, vox);
        QFETCH(QStringList, expected);
        QFETCH(bool, chinese);
        Language = chinese;
        program_channel(7);
        chann(7, 11) = qint16(power_band);
        chann(7, 10) = qint16(vox);
        const Row_texts texts = Channel_row_texts(7);
        QCOMPARE(texts[Number_column], QStringLiteral("7"));
        QCOMPARE(texts[Rx_column], QStringLiteral("446.00625"));
        QCOMPARE(texts[Tx_column], QStringLiteral("446.00625"));
        QCOMPARE((QStringList{texts[Power_column], texts[Vox_column], texts[Band_column],
                              texts[Decode_column]}),
                 expected);
    }

    void an_empty_channel_is_normalised_and_keeps_its_name()
    {
        put(3, 0, {0, 0x25, 0x81, 0x43, 255, 1, 2, 3, 9, 9, 1, 7, 0, 1, 2, 3});
        QVERIFY(!Store_channel_name(3, QStringLiteral("KEEP")));
        const Row_texts texts = Channel_row_texts(3);
        for (int column = Rx_column; column < Grid_column_count; ++column)
            QVERIFY2(texts[column].isEmpty(), qPrintable(texts[column]));
        QCOMPARE(cells(3, 0, 15), QList<int>(16, 255));
        QCOMPARE(Channel_name(3), QStringLiteral("KEEP"));
    }

    void a_receive_only_channel_shows_no_tx()
    {
        program_channel(4);
        chann(4, 0) = 255;
        const Row_texts texts = Channel_row_texts(4);
        QCOMPARE(texts[Rx_column], QStringLiteral("446.00625"));
        QCOMPARE(texts[Decode_column], QStringLiteral("OFF"));
        QVERIFY(texts[Tx_column].isEmpty());
        QVERIFY(texts[Encode_column].isEmpty());
    }

    void choices_store_codes_and_bits_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("before"); // columns 8..12
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("decode inverted 160")
            << 3 << 160 << QList<int>{0, 0, 0, 7, 0x80} << QList<int>{56, 0, 0, 7, 0x81};
        QTest::newRow("decode normal clears bit 0")
            << 3 << 56 << QList<int>{56, 0, 0, 7, 3} << QList<int>{56, 0, 0, 7, 2};
        QTest::newRow("decode ctcss keeps bits")
            << 3 << 9 << QList<int>{56, 0, 0, 7, 3} << QList<int>{9, 0, 0, 7, 3};
        QTest::newRow("decode off")
            << 3 << 0 << QList<int>{9, 0, 0, 7, 0} << QList<int>{0, 0, 0, 7, 0};
        QTest::newRow("encode last inverted")
            << 4 << 258 << QList<int>{0, 0, 0, 7, 1} << QList<int>{0, 154, 0, 7, 3};
        QTest::newRow("encode normal clears bit 1")
            << 4 << 51 << QList<int>{0, 0, 0, 7, 3} << QList<int>{0, 51, 0, 7, 1};
        QTest::newRow("low power")
            << 5 << 0 << QList<int>{0, 0, 0, 0xF7, 0} << QList<int>{0, 0, 0, 0xF5, 0};
        QTest::newRow("high power")
            << 5 << 1 << QList<int>{0, 0, 0, 0x05, 0} << QList<int>{0, 0, 0, 0x07, 0};
        QTest::newRow("vox 3") << 6 << 3 << QList<int>{0, 0, 0x15, 7, 0}
                               << QList<int>{0, 0, 3, 7, 0};
        QTest::newRow("narrow keeps bit 1")
            << 7 << 0 << QList<int>{0, 0, 0, 0x0F, 0} << QList<int>{0, 0, 0, 0x0A, 0};
        QTest::newRow("wide") << 7 << 1 << QList<int>{0, 0, 0, 0x10, 0}
                              << QList<int>{0, 0, 0, 0x15, 0};
        QTest::newRow("index beyond the list")
            << 6 << 9 << QList<int>{0, 0, 2, 7, 0} << QList<int>{0, 0, 2, 7, 0};
    }
    void choices_store_codes_and_bits()
    {
        QFETCH(int, column);
        QFETCH(int, index);
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        program_channel(2);
        put(2, 8, before);
        Store_choice(2, column, index);
        QCOMPARE(cells(2, 8, 12), after);
        QCOMPARE(cells(2, 13, 15), QList<int>(3, 255));
    }

    void choice_lists()
    {
        const QStringList tones = Choice_items(Decode_column);
        QCOMPARE(tones.size(), Tone_last + 1);
        QCOMPARE(tones.first(), QStringLiteral("OFF"));
        QCOMPARE(tones[1], QStringLiteral("67.0"));
        QCOMPARE(tones[160], QStringLiteral("D036I"));
        QCOMPARE(Choice_items(Vox_column).first(), QStringLiteral("Off"));
        QCOMPARE(Choice_items(Vox_column).last(), QStringLiteral("8"));
        QCOMPARE(Choice_items(Band_column), (QStringList{"Narrow", "Wide"}));
        Language = true;
        QCOMPARE(Choice_items(Power_column), (QStringList{"低", "高"}));
        QCOMPARE(Choice_items(Encode_column).first(), QStringLiteral("关"));
    }

    void names_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("first_cells");
        QTest::newRow("ascii and chinese") << "AB中"
                                           << "AB中" << QList<int>{0, 65, 0, 66, 0xD6, 0xD0};
        QTest::newRow("cut to eight") << "  ABCDEFGHIJ "
                                      << "ABCDEFGH" << QList<int>{0, 65, 0, 66, 0, 67};
        QTest::newRow("eight chinese")
            << "一二三四五六七八九"
            << "一二三四五六七八" << QList<int>{0xD2, 0xBB, 0xB6, 0xFE, 0xC8, 0xFD};
        QTest::newRow("inner blank kept") << "A B"
                                          << "A B" << QList<int>{0, 65, 0, 32, 0, 66};
        QTest::newRow("empty") << "   "
                               << "" << QList<int>{0, 0, 0, 0, 0, 0};
    }
    void names()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QList<int>, first_cells);
        QVERIFY(!Store_channel_name(20, typed));
        QCOMPARE(Channel_name(20), shown);
        QCOMPARE(cells(163, 0, 5), first_cells);
        const int used = 2 * int(shown.size()); // empty positions follow the name
        QCOMPARE(cells(163, used, 15), QList<int>(16 - used, 0));
    }

    void a_name_gbk_cannot_hold_is_refused()
    {
        QVERIFY(!Store_channel_name(5, QStringLiteral("OLD")));
        for (const QString &name : {QStringLiteral("A😀"), QStringLiteral("한국")}) {
            const std::optional<Bilingual> message = Store_channel_name(5, name);
            QVERIFY(message);
            QCOMPARE(message->english,
                     QStringLiteral("The channel name holds a character that the radio cannot "
                                    "store."));
            QCOMPARE(Channel_name(5), QStringLiteral("OLD"));
        }
    }

    void channel_97_keeps_the_power_levels()
    {
        put(Power_row, 0, {10, 20, 30, 40});
        QVERIFY(!Store_channel_name(97, QStringLiteral("P97")));
        QCOMPARE(cells(Spare_name_row, 0, 5), (QList<int>{0, 80, 0, 57, 0, 55}));
        QCOMPARE(cells(Power_row, 0, 4), (QList<int>{10, 20, 30, 40, 0}));
        QCOMPARE(Channel_name(97), QStringLiteral("P97"));
        Clear_all_channels();
        QCOMPARE(cells(Power_row, 0, 3), (QList<int>{10, 20, 30, 40}));
        QCOMPARE(Channel_name(97), QString());
    }

    void erased_and_broken_name_codes()
    {
        put(150, 0, {0, 65, 255, 255, 0, 66});
        QCOMPARE(Channel_name(7), QStringLiteral("A")); // erased memory ends a name
        put(150, 0, {0, 65, 0, 0x81, 0, 66, 0, 0});
        QCOMPARE(Channel_name(7), QStringLiteral("A") + QChar(QChar::ReplacementCharacter) + "B");
    }

    void clear_leaves_no_record_and_no_name()
    {
        for (int channel : {1, 17, 56, 128}) {
            program_channel(channel);
            QVERIFY(!Store_channel_name(channel, QStringLiteral("N")));
        }
        Clear_all_channels();
        for (int channel = 1; channel <= Channel_count; ++channel) {
            QCOMPARE(cells(channel, 0, 15), QList<int>(16, 255));
            QCOMPARE(cells(Name_row(channel), 0, 15), QList<int>(16, 0));
        }
        program_channel(17);
        QCOMPARE(Channel_row_texts(17)[Name_column], QString());
    }

    void normalised_texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normal");
        QTest::newRow("whole") << "446"
                               << "446.00000";
        QTest::newRow("one decimal") << "446.1"
                                     << "446.10000";
        QTest::newRow("four decimals") << "446.0125"
                                       << "446.01250";
        QTest::newRow("nine") << "446.00625"
                              << "446.00625";
        QTest::newRow("longer") << "446.006251"
                                << "446.006251";
    }
    void normalised_texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, normal);
        QCOMPARE(Normalised_freq_text(text), normal);
    }

    void band_floor_text()
    {
        QCOMPARE(Band_floor_text(), QStringLiteral("136.00000"));
        Freq_low = 50;
        QCOMPARE(Band_floor_text(), QStringLiteral("50.00000"));
    }

    void rx_entry_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // empty: the channel stays empty
        QTest::addColumn<bool>("message");
        QTest::newRow("high limit") << "470"
                                    << "136.00000" << true;
        QTest::newRow("just below the limit") << "469.99375"
                                              << "469.99375" << false;
        QTest::newRow("low limit") << "136"
                                   << "136.00000" << false;
        QTest::newRow("below the band") << "135.99"
                                        << "136.00000" << true;
        QTest::newRow("whole") << "446"
                               << "446.00000" << false;
        QTest::newRow("snapped to 6.25") << "446.007"
                                         << "446.00625" << false;
        QTest::newRow("snapped to 5") << "438.0062"
                                      << "438.00500" << false;
        QTest::newRow("blanks around") << "  438.125 "
                                       << "438.12500" << false;
        QTest::newRow("letters") << "abc"
                                 << "136.00000" << true;
        QTest::newRow("empty") << ""
                               << "" << false;
    }
    void rx_entry()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(bool, message);
        const std::optional<Bilingual> shown = Enter_rx_freq(9, text, false);
        QCOMPARE(bool(shown), message);
        if (shown)
            QCOMPARE(shown->english, QStringLiteral("Over the range of receive frequency ."));
        if (stored.isEmpty()) {
            QVERIFY(Channel_is_empty(9));
            QCOMPARE(cells(9, 0, 15), QList<int>(16, 255));
            return;
        }
        QCOMPARE(stored_freq(9, 4), stored);
        QCOMPARE(stored_freq(9, 0), stored);
        QCOMPARE(cells(9, 8, 15), (QList<int>{0, 0, 0, 7, 0, 255, 255, 255}));
    }

    void rx_entry_on_a_programmed_channel_keeps_the_rest()
    {
        program_channel(1);
        put(1, 8, {9, 56, 3, 2, 2, 1, 2, 3});
        QVERIFY(!Enter_rx_freq(1, QStringLiteral("440"), false));
        QCOMPARE(stored_freq(1, 4), QStringLiteral("440.00000"));
        QCOMPARE(stored_freq(1, 0), QStringLiteral("446.00625"));
        QCOMPARE(cells(1, 8, 15), (QList<int>{9, 56, 3, 2, 2, 1, 2, 3}));
    }

    void rx_entry_on_a_receive_only_channel()
    {
        program_channel(1);
        put(1, 8, {9, 0, 3, 2, 0});
        chann(1, 0) = 255;
        QVERIFY(!Enter_rx_freq(1, QStringLiteral("440"), false));
        QVERIFY(!Channel_has_tx(1));
        QCOMPARE(cells(1, 8, 12), (QList<int>{9, 0, 3, 2, 0}));
        QVERIFY(!Enter_rx_freq(1, QStringLiteral("441"), true));
        QCOMPARE(stored_freq(1, 0), QStringLiteral("441.00000"));
        QCOMPARE(cells(1, 8, 15), (QList<int>{0, 0, 0, 7, 0, 255, 255, 255}));
    }

    void tx_entry()
    {
        const std::optional<Bilingual> refused = Enter_tx_freq(3, QStringLiteral("446"));
        QVERIFY(refused);
        QCOMPARE(refused->english,
                 QStringLiteral("Please input the receive frequency in advance."));
        QCOMPARE(refused->chinese, QStringLiteral("请先输入接收频率 ！"));
        QCOMPARE(cells(3, 0, 15), QList<int>(16, 255));

        program_channel(3);
        QVERIFY(!Enter_tx_freq(3, QStringLiteral("")));
        QCOMPARE(stored_freq(3, 0), QStringLiteral("446.00625"));
        QVERIFY(!Enter_tx_freq(3, QStringLiteral("450.1")));
        QCOMPARE(stored_freq(3, 0), QStringLiteral("450.10000"));
        const std::optional<Bilingual> over = Enter_tx_freq(3, QStringLiteral("500"));
        QVERIFY(over);
        QCOMPARE(over->chinese, QStringLiteral("发射频率超出范围 ！"));
        QCOMPARE(stored_freq(3, 0), QStringLiteral("136.00000"));
        QCOMPARE(stored_freq(3, 4), QStringLiteral("446.00625"));
    }

    void band_of_another_model()
    {
        Model_no = 1;
        Init_model_table();
        QVERIFY(Enter_rx_freq(1, QStringLiteral("200"), false));
        QVERIFY(!Enter_rx_freq(1, QStringLiteral("173.9875"), false));
        QCOMPARE(stored_freq(1, 4), QStringLiteral("173.98750"));
    }

    void text_keys_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("character");
        QTest::addColumn<bool>("backspace");
        QTest::addColumn<bool>("enter");
        QTest::newRow("freq 9") << 1 << 9 << true << true << true;
        QTest::newRow("freq 10") << 2 << 10 << false << true << false;
        QTest::newRow("name 7") << 8 << 7 << true << true << true;
        QTest::newRow("name 8") << 8 << 8 << false << true << true;
    }
    void text_keys()
    {
        QFETCH(int, column);
        QFETCH(int, length);
        QFETCH(bool, character);
        QFETCH(bool, backspace);
        QFETCH(bool, enter);
        QCOMPARE(Text_key_allowed(column, length, false, false), character);
        QCOMPARE(Text_key_allowed(column, length, true, false), backspace);
        QCOMPARE(Text_key_allowed(column, length, false, true), enter);
    }

    void enter_targets()
    {
        QCOMPARE(Enter_target({5, Tx_column}), (Grid_cell{6, Rx_column}));
        QCOMPARE(Enter_target({128, Tx_column}), (Grid_cell{128, Rx_column}));
        program_channel(5);
        const QList<Grid_cell> walk{{5, 1}, {5, 2}, {5, 3}, {5, 4}, {5, 5},
                                    {5, 6}, {5, 7}, {5, 8}, {6, 1}};
        for (int i = 0; i + 1 < walk.size(); ++i)
            QCOMPARE(Enter_target(walk[i]), walk[i + 1]);
        chann(5, 0) = 255;
        QCOMPARE(Enter_target({5, Decode_column}), (Grid_cell{5, Power_column}));
        QCOMPARE(Enter_target({128, Name_column}), (Grid_cell{128, Rx_column}));
    }
};

QTEST_GUILESS_MAIN(Channel_record_test)
#include "test_channel_record.moc"
