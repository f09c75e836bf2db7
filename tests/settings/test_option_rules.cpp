#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "image_cells.h"
#include "settings/option_rules.h"

#include <QTest>

using namespace r7k;

Q_DECLARE_METATYPE(r7k::Option_list)

namespace {

constexpr Option_list All_lists[] = {
    Option_list::Sql,    Option_list::TOT,   Option_list::Scan_way, Option_list::Mode,
    Option_list::Step,   Option_list::Sft_d, Option_list::Vox,      Option_list::Decode,
    Option_list::Encode, Option_list::TXP,   Option_list::WN_TX,    Option_list::WN_RX,
};

} // namespace

class Test_option_rules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Init_tone_table(); }
    void init()
    {
        Language = false;
        Reset_image();
    }

    void list_entries_in_both_languages()
    {
        Language = true;
        QCOMPARE(List_entries(Option_list::Mode), QStringList({"频率", "信道", "仅信道模式"}));
        Language = false;
        QCOMPARE(List_entries(Option_list::Mode),
                 QStringList({"Frequncy", "Channel", "Only Channel"}));
        QCOMPARE(List_entries(Option_list::Vox),
                 QStringList({"Off", "1", "2", "3", "4", "5", "6", "7", "8"}));
        const QStringList tones = List_entries(Option_list::Encode);
        QCOMPARE(tones.size(), 259);
        QCOMPARE(tones.mid(49, 3), QStringList({"250.3", "254.1", "D023N"}));
        QCOMPARE(tones.mid(154, 2), QStringList({"D754N", "D023I"}));
        QCOMPARE(tones[258], QStringLiteral("D754I"));
    }

    void work_mode_and_switches_share_a_cell_data()
    {
        QTest::addColumn<int>("column3");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("scan");
        QTest::addColumn<int>("lowered");
        QTest::newRow("7") << 7 << "Channel" << true << true << 7;
        QTest::newRow("11") << 11 << "Only Channel" << true << true << 11;
        QTest::newRow("15") << 15 << "Only Channel" << true << true << 11;
        QTest::newRow("0xF2") << 0xF2 << "Frequncy" << true << false << 0xF2;
    }
    void work_mode_and_switches_share_a_cell()
    {
        QFETCH(int, column3);
        QFETCH(QString, mode);
        QFETCH(bool, save);
        QFETCH(bool, scan);
        QFETCH(int, lowered);
        chann(Settings_row, 3) = qint16(column3);
        QCOMPARE(List_entries(Option_list::Mode).value(Shown_index(Option_list::Mode)), mode);
        QCOMPARE(Shown_checked(Option_switch::Save), save);
        QCOMPARE(Shown_checked(Option_switch::Scan), scan);
        Lower_stored_code(Option_list::Mode);
        QCOMPARE(int(chann(Settings_row, 3)), lowered);

        // Each store changes its own bits only.
        Store_index(Option_list::Mode, 1);
        QCOMPARE(int(chann(Settings_row, 3)), (lowered & 0xF3) | 4);
        Store_checked(Option_switch::Save, !save);
        QCOMPARE(Shown_checked(Option_switch::Save), !save);
        QCOMPARE(Shown_checked(Option_switch::Scan), scan);
        Store_checked(Option_switch::Scan, !scan);
        QCOMPARE(Shown_checked(Option_switch::Scan), !scan);
        QCOMPARE(Shown_index(Option_list::Mode), 1);
        QCOMPARE(chann(Settings_row, 3) & 0xF0, lowered & 0xF0);
    }

    void codes_beyond_a_list_are_lowered_data()
    {
        QTest::addColumn<Option_list>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("squelch 12") << Option_list::Sql << Settings_row << 0 << 12 << "9" << 9;
        QTest::newRow("time-out 255") << Option_list::TOT << Settings_row << 1 << 255 << "7" << 7;
        QTest::newRow("scan way 3") << Option_list::Scan_way << Settings_row << 2 << 3 << "SE" << 2;
        QTest::newRow("step 9") << Option_list::Step << Settings_row << 5 << 9 << "25K" << 4;
        QTest::newRow("duplex 255")
            << Option_list::Sft_d << Settings_row << 6 << 255 << "Minus" << 2;
        QTest::newRow("VOX 200") << Option_list::Vox << Vfo_row << 10 << 200 << "8" << 8;
        QTest::newRow("VOX 3 kept") << Option_list::Vox << Vfo_row << 10 << 3 << "3" << 3;
    }
    void codes_beyond_a_list_are_lowered()
    {
        QFETCH(Option_list, list);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, code);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        chann(row, column) = qint16(code);
        Data_image expected = chann;
        expected(row, column) = qint16(stored);
        QCOMPARE(List_entries(list).value(Shown_index(list)), shown);
        Lower_stored_code(list);
        QVERIFY(chann == expected);
        Store_index(list, 1);
        QCOMPARE(int(chann(row, column)), 1);
    }

    void tone_shown_from_code_and_polarity_data()
    {
        QTest::addColumn<Option_list>("list");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("column12");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("lowered");
        const auto add = [](const char *name, Option_list list, int code, int column12,
                            const char *shown, int lowered) {
            QTest::newRow(name) << list << code << column12 << QString::fromLatin1(shown)
                                << lowered;
        };
        add("decode 60 normal", Option_list::Decode, 60, 0xFE, "D053N", 60);
        add("decode 60 inverted", Option_list::Decode, 60, 0x01, "D053I", 60);
        add("decode 200 normal", Option_list::Decode, 200, 0, "D754N", 154);
        add("decode 200 inverted", Option_list::Decode, 200, 1, "D754I", 154);
        add("decode 35", Option_list::Decode, 35, 0, "183.5", 35);
        add("decode 35 bit set", Option_list::Decode, 35, 1, "183.5", 35);
        add("encode 60 decode bit", Option_list::Encode, 60, 0x01, "D053N", 60);
        add("encode 60 inverted", Option_list::Encode, 60, 0x02, "D053I", 60);
        add("encode 255 erased", Option_list::Encode, 255, 255, "D754I", 154);
        add("encode off", Option_list::Encode, 0, 2, "OFF", 0);
    }
    void tone_shown_from_code_and_polarity()
    {
        QFETCH(Option_list, list);
        QFETCH(int, code);
        QFETCH(int, column12);
        QFETCH(QString, shown);
        QFETCH(int, lowered);
        const int column = list == Option_list::Decode ? 8 : 9;
        chann(Vfo_row, column) = qint16(code);
        chann(Vfo_row, 12) = qint16(column12);
        const int index = Shown_index(list);
        QCOMPARE(List_entries(list).value(index), shown);
        QCOMPARE(Is_inverted_tone(index), shown.endsWith(QLatin1Char('I')));
        Lower_stored_code(list);
        QCOMPARE(int(chann(Vfo_row, column)), lowered);
        QCOMPARE(int(chann(Vfo_row, 12)), column12);
    }

    void tone_choice_stores_code_and_polarity_bit()
    {
        chann(Vfo_row, 12) = 0xF0;
        Store_index(Option_list::Decode, 155); // D023I
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{51, 0, 0, 7, 0xF1}));
        Store_index(Option_list::Decode, 1); // 67.0 keeps the bit
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{1, 0, 0, 7, 0xF1}));
        Store_index(Option_list::Decode, 51); // D023N clears it
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{51, 0, 0, 7, 0xF0}));
        Store_index(Option_list::Encode, 258); // D754I
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{51, 154, 0, 7, 0xF2}));
        Store_index(Option_list::Encode, 0);
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{51, 0, 0, 7, 0xF2}));
        Store_index(Option_list::Encode, 259); // not an entry
        Store_index(Option_list::Encode, -1);
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{51, 0, 0, 7, 0xF2}));
    }

    void bandwidth_power_and_tx_bandwidth_bits()
    {
        chann(Vfo_row, 11) = 0xFF;
        Store_index(Option_list::WN_RX, 0); // Narrow clears bits 0 and 2
        QCOMPARE(int(chann(Vfo_row, 11)), 0xFA);
        Store_index(Option_list::WN_TX, 1); // TX Wide sets bit 2 only
        QCOMPARE(int(chann(Vfo_row, 11)), 0xFE);
        QCOMPARE(Shown_index(Option_list::WN_RX), 0);
        QCOMPARE(Shown_index(Option_list::WN_TX), 1);
        // Showing never stores a bandwidth, which would overwrite bit 2.
        for (Option_list list : All_lists)
            Lower_stored_code(list);
        QCOMPARE(int(chann(Vfo_row, 11)), 0xFE);
        Store_index(Option_list::TXP, 0);
        QCOMPARE(int(chann(Vfo_row, 11)), 0xFC);
        QCOMPARE(Shown_index(Option_list::TXP), 0);
        Store_index(Option_list::WN_RX, 1);
        QCOMPARE(int(chann(Vfo_row, 11)), 0xFD);
    }

    void frequencies_stored_as_typed()
    {
        QVERIFY(Store_rx_text(QStringLiteral("438.125")));
        QCOMPARE(cells(Vfo_row, 4, 7), (QList<int>{0x00, 0x25, 0x81, 0x43}));
        QCOMPARE(Shown_rx_text(), QStringLiteral("438.12500"));
        // No snapping to the 5 kHz or 6.25 kHz grid.
        QVERIFY(Store_tx_text(QStringLiteral("438.0062")));
        QCOMPARE(cells(Vfo_row, 0, 3), (QList<int>{0x20, 0x06, 0x80, 0x43}));
        QCOMPARE(Shown_tx_text(), QStringLiteral("438.00620"));
        QCOMPARE(cells(Vfo_row, 4, 7), (QList<int>{0x00, 0x25, 0x81, 0x43}));

        QVERIFY(Store_offset_text(QStringLiteral("5")));
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0, 0, 0, 5}));
        QCOMPARE(Shown_offset_text(), QStringLiteral("5.000000"));
        QVERIFY(Store_offset_text(QStringLiteral("12.5")));
        QCOMPARE(Shown_offset_text(), QStringLiteral("12.500000"));
        QVERIFY(Store_offset_text(QString()));
        QCOMPARE(cells(Settings_row, 6, 11), (QList<int>{0, 255, 255, 255, 255, 255}));
    }

    // An erased radio holds 255s; nothing shows a made-up frequency, and no
    // text can store a byte outside 0..255.
    void bytes_that_are_not_bcd()
    {
        chann.fill(Vfo_row, Vfo_row, 0, 7, 255);
        chann.fill(Settings_row, Settings_row, 7, 10, 255);
        QCOMPARE(Shown_rx_text(), QString());
        QCOMPARE(Shown_tx_text(), QString());
        QCOMPARE(Shown_offset_text(), QString());
        chann(Vfo_row, 2) = 0x4A;
        QCOMPARE(Shown_tx_text(), QString());

        const Data_image erased = chann;
        QVERIFY(!Store_tx_text(QStringLiteral("1666.66665")));
        QVERIFY(!Store_rx_text(QStringLiteral("-2.5")));
        QVERIFY(!Store_offset_text(QStringLiteral("166.666665")));
        QVERIFY(chann == erased);
        QVERIFY(Store_tx_text(QStringLiteral("999.99999")));
        QCOMPARE(cells(Vfo_row, 0, 3), (QList<int>{0x99, 0x99, 0x99, 0x99}));
        QVERIFY(Store_offset_text(QStringLiteral("99.999999")));
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0x99, 0x99, 0x99, 0x99}));
    }
};

QTEST_GUILESS_MAIN(Test_option_rules)
#include "test_option_rules.moc"
