#include "core/conversions.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "image_cells.h"
#include "settings/frequency_entry.h"
#include "settings/option_rules.h"

#include <QTest>

using namespace r7k;

namespace {

const QList<int> Erased{255, 255, 255, 255};

} // namespace

class Test_frequency_entry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Init_tone_table(); }
    void init()
    {
        Reset_image();
        Freq_low = 400;
        Freq_high = 470;
    }

    void rx_key_filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("first digit") << "" << QChar('4') << true;
        QTest::newRow("point first") << "" << QChar('.') << false;
        QTest::newRow("point after blanks") << "  " << QChar('.') << false;
        QTest::newRow("point") << "438" << QChar('.') << true;
        QTest::newRow("second point") << "438.1" << QChar('.') << true;
        QTest::newRow("ninth character") << "438.1250" << QChar('0') << true;
        QTest::newRow("tenth digit") << "438125000" << QChar('1') << false;
        QTest::newRow("point at nine") << "438125000" << QChar('.') << true;
        QTest::newRow("backspace") << "" << Backspace_key << true;
        QTest::newRow("letter") << "43" << QChar('a') << false;
        QTest::newRow("minus") << "" << QChar('-') << false;
        QTest::newRow("enter") << "438" << Enter_key << false;
    }
    void rx_key_filter()
    {
        QFETCH(QString, text);
        QFETCH(QChar, key);
        QFETCH(bool, accepted);
        QCOMPARE(Rx_key_accepted(text, key), accepted);
    }

    void offset_key_filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("first digit") << "" << QChar('5') << true;
        QTest::newRow("point first") << "" << QChar('.') << false;
        QTest::newRow("point") << "5" << QChar('.') << true;
        QTest::newRow("second point") << "5.2" << QChar('.') << false;
        QTest::newRow("eighth character") << "69.9875" << QChar('0') << true;
        QTest::newRow("ninth digit") << "69.98750" << QChar('1') << false;
        QTest::newRow("enter") << "" << Enter_key << true;
        QTest::newRow("backspace") << "5" << Backspace_key << true;
        QTest::newRow("letter") << "5" << QChar('x') << false;
    }
    void offset_key_filter()
    {
        QFETCH(QString, text);
        QFETCH(QChar, key);
        QFETCH(bool, accepted);
        QCOMPARE(Offset_key_accepted(text, key), accepted);
    }

    void rx_leave_follows_the_duplex_direction_data()
    {
        QTest::addColumn<int>("duplex");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QList<int>>("tx");
        QTest::newRow("plus") << 1 << "5" << QList<int>{0x00, 0x25, 0x31, 0x44};
        QTest::newRow("minus") << 2 << "5" << QList<int>{0x00, 0x25, 0x31, 0x43};
        QTest::newRow("off") << 0 << "5" << QList<int>{0x00, 0x25, 0x81, 0x43};
        QTest::newRow("plus, no offset") << 1 << "" << QList<int>{0x00, 0x25, 0x81, 0x43};
        QTest::newRow("plus, offset typed 69.99")
            << 1 << "69.99" << QList<int>{0x00, 0x15, 0x81, 0x50};
        QTest::newRow("no direction") << -1 << "5" << QList<int>{80, 18, 0, 64};
    }
    void rx_leave_follows_the_duplex_direction()
    {
        QFETCH(int, duplex);
        QFETCH(QString, offset);
        QFETCH(QList<int>, tx);
        QCOMPARE(Leave_rx(QStringLiteral("438.125"), duplex, offset), Entry::Accepted);
        QCOMPARE(cells(Vfo_row, 4, 7), (QList<int>{0x00, 0x25, 0x81, 0x43}));
        QCOMPARE(cells(Vfo_row, 0, 3), tx);
    }

    void rx_leave_rejects_outside_the_band_data()
    {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("low limit") << "400" << true;
        QTest::newRow("just below the high limit") << "469.99999" << true;
        QTest::newRow("high limit") << "470" << false;
        QTest::newRow("below") << "399.99999" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("ten characters") << "438.125000" << false;
        QTest::newRow("two points") << "438.1.5" << true;
    }
    void rx_leave_rejects_outside_the_band()
    {
        QFETCH(QString, rx);
        QFETCH(bool, accepted);
        const Data_image before = chann;
        const Entry result = Leave_rx(rx, 1, QStringLiteral("5"));
        QCOMPARE(result == Entry::Accepted, accepted);
        if (!accepted)
            QVERIFY(chann == before);
        else
            QCOMPARE(Value_of(Shown_rx_text()), Value_of(rx));
        QCOMPARE(Rx_text_changed(rx), rx.size() > 9 ? Entry::Rejected : Entry::Accepted);
    }

    void offset_typed_up_to_70()
    {
        QCOMPARE(Offset_text_changed(QStringLiteral("69.99")), Entry::Accepted);
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0x00, 0x00, 0x99, 0x69}));
        QCOMPARE(Offset_text_changed(QString()), Entry::Accepted);
        QCOMPARE(cells(Settings_row, 7, 10), Erased);
        QCOMPARE(Offset_text_changed(QStringLiteral("7")), Entry::Accepted);
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0, 0, 0, 7}));
        QCOMPARE(Offset_text_changed(QStringLiteral("70")), Entry::Rejected);
        QCOMPARE(cells(Settings_row, 7, 10), Erased);
    }

    void offset_leave_data()
    {
        QTest::addColumn<QString>("offset");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("highest") << "69.9875" << true << QList<int>{0x00, 0x75, 0x98, 0x69};
        QTest::newRow("69.99") << "69.99" << false << Erased;
        QTest::newRow("empty is zero") << "" << true << QList<int>{0, 0, 0, 0};
        QTest::newRow("nine characters") << "1.2345678" << false << Erased;
    }
    void offset_leave()
    {
        QFETCH(QString, offset);
        QFETCH(bool, accepted);
        QFETCH(QList<int>, stored);
        Store_rx_text(QStringLiteral("438.125"));
        const QList<int> tx_before = cells(Vfo_row, 0, 3);
        QCOMPARE(Leave_offset(offset, 2, QStringLiteral("438.125")) == Entry::Accepted, accepted);
        QCOMPARE(cells(Settings_row, 7, 10), stored);
        if (accepted)
            QCOMPARE(Value_of(Shown_tx_text()), 438.125 - Value_of(offset));
        else
            QCOMPARE(cells(Vfo_row, 0, 3), tx_before);
    }

    void tx_follows_only_an_rx_frequency()
    {
        QCOMPARE(Following_tx_text(1, QString(), QStringLiteral("5")), std::nullopt);
        QCOMPARE(Following_tx_text(0, QStringLiteral("438.125"), QStringLiteral("5")),
                 QStringLiteral("438.125"));
        QCOMPARE(Following_tx_text(2, QStringLiteral("145.6"), QStringLiteral(".6")),
                 QStringLiteral("145"));
        QCOMPARE(Following_tx_text(1, QStringLiteral("438.125"), QStringLiteral("abc")),
                 QStringLiteral("438.125"));

        // Leaving the offset while there is no RX frequency leaves the TX alone.
        const QList<int> tx = cells(Vfo_row, 0, 3);
        QCOMPARE(Leave_offset(QStringLiteral("5"), 0, QString()), Entry::Accepted);
        QCOMPARE(cells(Vfo_row, 0, 3), tx);

        // A TX that four BCD bytes cannot hold is not stored.
        Follow_duplex(2, QStringLiteral("30"), QStringLiteral("69"));
        QCOMPARE(cells(Vfo_row, 0, 3), tx);
    }
};

QTEST_GUILESS_MAIN(Test_frequency_entry)
#include "test_frequency_entry.moc"
