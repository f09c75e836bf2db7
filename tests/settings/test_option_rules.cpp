#include "core/globals.h"
#include "core/image.h"
#include "core/tone_code.h"
#include "image_rows.h"
#include "logic_start.h"
#include "settings/frequency_mode_entry.h"
#include "settings/option_rules.h"

#include <QTest>

using namespace r7k;
using enum Option_list;

namespace {

// A list's code in one cell (and a tone's polarity bits in column 12): the
// entry it shows, the code stored back on showing, the cell after picking
// entry 1.
struct Code {
    Option_list list;
    int row, column, code, column12;
    QString shown;
    int stored, picked_1;
};

} // namespace

class Test_option_rules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Start_logic();
        Freq_low = 400;
        Freq_high = 470;
    }

    void codes_shown_lowered_and_picked()
    {
        const Code codes[] = {
            {Sql, Settings_row, 0, 12, 0, "9", 9, 1},                 // squelch 12
            {TOT, Settings_row, 1, 255, 0, "7", 7, 1},                // time-out 255
            {Scan_way, Settings_row, 2, 3, 0, "SE", 2, 1},            // scan way 3
            {Mode, Settings_row, 3, 7, 0, "Channel", 7, 7},           // mode 7
            {Mode, Settings_row, 3, 11, 0, "Only Channel", 11, 7},    // mode 11
            {Mode, Settings_row, 3, 15, 0, "Only Channel", 11, 7},    // mode 15
            {Mode, Settings_row, 3, 0xF2, 0, "Frequncy", 0xF2, 0xF6}, // mode 0xF2
            {Step, Settings_row, 5, 9, 0, "25K", 4, 1},               // step 9
            {Sft_d, Settings_row, 6, 255, 0, "Minus", 255, 1},        // duplex 255
            {Vox, Vfo_row, 10, 200, 0, "8", 8, 1},                    // VOX 200
            {Decode, Vfo_row, 8, 60, 0xFE, "D053N", 60, 1},           // decode 60
            {Decode, Vfo_row, 8, 60, 1, "D053I", 60, 1},              // decode 60 inverted
            {Decode, Vfo_row, 8, 200, 0, "D754N", 154, 1},            // decode 200
            {Decode, Vfo_row, 8, 200, 1, "D754I", 154, 1},            // decode 200 inverted
            {Decode, Vfo_row, 8, 35, 1, "183.5", 35, 1},              // decode 35 bit set
            {Encode, Vfo_row, 9, 60, 1, "D053N", 60, 1},              // encode 60 decode bit
            {Encode, Vfo_row, 9, 60, 2, "D053I", 60, 1},              // encode 60 inverted
            {Encode, Vfo_row, 9, 255, 255, "D754I", 154, 1},          // encode 255 erased
        };
        for (const Code &code : codes) {
            init();
            chann(code.row, code.column) = qint16(code.code);
            chann(Vfo_row, 12) = qint16(code.column12);
            Data_image expected = chann;
            expected(code.row, code.column) = qint16(code.stored);
            const int index = Shown_index(code.list);
            QCOMPARE(List_entries(code.list).value(index), code.shown);
            QCOMPARE(Is_inverted_tone(index), code.shown.endsWith('I'));
            Lower_stored_code(code.list);
            QVERIFY(chann == expected);
            Store_index(code.list, 1);
            expected(code.row, code.column) = qint16(code.picked_1);
            QVERIFY(chann == expected);
        }
        Language = true;
        QCOMPARE(List_entries(Mode), QStringList({"频率", "信道", "仅信道模式"}));

        // Column 11 holds bandwidth, power and TX bandwidth; column 12 the polarity bits.
        init();
        chann(Vfo_row, 11) = 0xFF;
        chann(Vfo_row, 12) = 0xF0;
        const auto pick = [](Option_list list, int index, QList<int> columns_8_to_12) {
            Store_index(list, index);
            QCOMPARE(cells(Vfo_row, 8, 12), columns_8_to_12);
        };
        pick(Decode, 155, {51, 0, 0, 0xFF, 0xF1}); // D023I
        pick(Decode, 1, {1, 0, 0, 0xFF, 0xF1});    // 67.0 keeps the bit
        pick(Decode, 51, {51, 0, 0, 0xFF, 0xF0});  // D023N clears it
        pick(Encode, 258, {51, 154, 0, 0xFF, 0xF2});
        pick(Encode, 0, {51, 0, 0, 0xFF, 0xF2});
        pick(Encode, 259, {51, 0, 0, 0xFF, 0xF2}); // not an entry
        pick(Encode, -1, {51, 0, 0, 0xFF, 0xF2});
        pick(WN_RX, 0, {51, 0, 0, 0xFA, 0xF2}); // Narrow clears bits 0 and 2
        pick(WN_TX, 1, {51, 0, 0, 0xFE, 0xF2}); // TX Wide sets bit 2 only
        QCOMPARE(Shown_index(WN_RX), 0);
        QCOMPARE(Shown_index(WN_TX), 1);
        // Showing never stores a bandwidth, which would overwrite bit 2.
        for (auto list : {TXP, WN_TX, WN_RX})
            Lower_stored_code(list);
        pick(TXP, 0, {51, 0, 0, 0xFC, 0xF2});
        pick(WN_RX, 1, {51, 0, 0, 0xFD, 0xF2});
        QCOMPARE(Shown_index(TXP), 0); // the power bit, not the bandwidth's
    }

    // Characters typed into a field holding text: those let in and those kept out.
    void key_filters()
    {
        const struct {
            bool offset;
            QString text, let_in, kept_out;
        } cases[] = {
            {false, "", "4\b", ".-a"},        {false, "  ", "4", "."},
            {false, "438", ".0", "a\r"},      {false, "438.1250", "0.", ""},
            {false, "438125000", ".\b", "1"}, {true, "", "5\r\b", ".x"},
            {true, "5", ".\b", "x"},          {true, "5.2", "0", "."},
            {true, "69.98750", "0", ""},      {true, "69.987500", "\b\r", "1"},
        };
        for (const auto &c : cases) {
            const auto accepted = c.offset ? Offset_key_accepted : Rx_key_accepted;
            const QString field = QString(c.offset ? "offset \"" : "RX \"") + c.text + "\" + ";
            for (const QChar key : c.let_in)
                QVERIFY2(accepted(c.text, key), qPrintable(field + key));
            for (const QChar key : c.kept_out)
                QVERIFY2(!accepted(c.text, key), qPrintable(field + key));
        }
    }

    void offset_leave_and_the_following_tx()
    {
        Store_rx_text("438.125");
        const QList<int> tx = cells(Vfo_row, 0, 3);
        QCOMPARE(Leave_offset("1.23456789", std::nullopt, 2, "438.125"), Entry::Rejected);
        QCOMPARE(cells(Vfo_row, 0, 3) + cells(Settings_row, 7, 10), tx + QList<int>(4, 255));
        // Left as shown, even empty or beyond the limit, nothing is stored.
        Data_image kept = chann;
        QCOMPARE(Leave_offset("", "", 1, "438.125"), Entry::Accepted);
        QVERIFY(chann == kept);
        Store_offset_text("99.999999");
        kept = chann;
        QCOMPARE(Leave_offset("99.999999", "99.999999", 1, "438.125"), Entry::Accepted);
        QVERIFY(chann == kept);
        QCOMPARE(Leave_offset("69.987501", "69.987500", 1, "438.125"), Entry::Rejected);
        // With no RX frequency the TX stays, and a TX that four BCD bytes
        // cannot hold is not stored.
        QCOMPARE(Leave_offset("5", std::nullopt, 0, QString()), Entry::Accepted);
        Follow_duplex(2, "30", "69");
        QCOMPARE(cells(Vfo_row, 0, 3), tx);
        QCOMPARE(Leave_offset("69.987500", "5.000000", 2, "438.125"), Entry::Accepted);
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0x00, 0x75, 0x98, 0x69}));
        QCOMPARE(Shown_tx_text(), "368.13750");
        QCOMPARE(Following_tx_text(1, "", "5"), std::nullopt);
        QCOMPARE(Following_tx_text(2, "145.6", ".6"), "145");
        QCOMPARE(Following_tx_text(1, "438.125", "abc"), "438.125");
        QCOMPARE(Following_tx_text(-1, "438.125", "5"), std::nullopt); // no direction

        // No text stores more digits than four BCD bytes hold.
        kept = chann;
        QVERIFY(!Store_tx_text("1000"));
        QVERIFY(!Store_offset_text("100"));
        QVERIFY(chann == kept);
        QVERIFY(Store_tx_text("999.99999"));
        QVERIFY(Store_offset_text("99.999999"));
        QCOMPARE(cells(Vfo_row, 0, 3) + cells(Settings_row, 7, 10), QList<int>(8, 0x99));
    }
};

QTEST_GUILESS_MAIN(Test_option_rules)
#include "test_option_rules.moc"
