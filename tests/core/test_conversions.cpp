#include "core/conversions.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "image_rows.h"

#include <QTest>
#include <algorithm>

using namespace r7k;
using namespace Qt::StringLiterals;

class Test_conversions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every point of the 5 kHz and 6.25 kHz grids of every model's band (all
    // lie between the lowest and the highest limit), typed as short as it
    // goes, keeps its value, its nine-character text and the BCD digits of
    // its 10 Hz units.
    void every_grid_point_of_every_band_is_stored_exactly()
    {
        Init_model_table();
        const auto limits = std::minmax_element(Band_limit.begin(), Band_limit.end());
        const qint64 low = *limits.first * 100'000LL;
        const qint64 high = *limits.second * 100'000LL;
        QStringList wrong;
        for (const qint64 step : {500, 625}) {
            for (qint64 units = low; units < high && wrong.size() < 5; units += step) {
                const QString digits = QString::number(units);
                const QString text = digits.left(3) + u'.' + digits.mid(3);
                QString typed = text;
                while (typed.endsWith(u'0'))
                    typed.chop(1);
                Store_freq(typed, 1, 0);
                QList<int> bytes;
                for (qint64 rest = units; bytes.size() < 4; rest /= 100)
                    bytes << int(rest / 10 % 10 * 16 + rest % 10);
                if (typed != text || cells(1, 0, 3) != bytes)
                    wrong << text + u" -> "_s + typed;
            }
        }
        QCOMPARE(wrong, QStringList());
        // Below 100 MHz the text keeps nine characters by an extra decimal.
        QString text = QStringLiteral("50.5");
        Store_freq(text, 5, 0);
        QCOMPARE(text, QStringLiteral("50.500000"));
        QCOMPARE(cells(5, 0, 3), (QList<int>{0x00, 0x00, 0x05, 0x05}));
    }

    void frequency_offset_and_name_codes_and_number_texts()
    {
        QCOMPARE(Freq_text_to_bcd(QStringLiteral("438.125")), 0x43);
        QCOMPARE(Bcd_scratch, (std::array<int, 4>{0x43, 0x81, 0x25, 0x00}));
        Freq_text_to_bcd(QStringLiteral("438.123456"));
        QCOMPARE(Bcd_scratch, (std::array<int, 4>{0x43, 0x81, 0x23, 0x45}));
        // A sum that reaches the next 10 Hz carries instead of making a digit of 10.
        Freq_text_to_bcd(QStringLiteral("99.9999999999"));
        QCOMPARE(Bcd_scratch, (std::array<int, 4>{0x10, 0x00, 0x00, 0x00}));
        Freq_text_to_bcd(QStringLiteral("abc"));
        QCOMPARE(Bcd_scratch, (std::array<int, 4>{0, 0, 0, 0}));

        const std::pair<QList<int>, QString> cases[] = {
            {{0x00, 0x25, 0x81, 0x43}, "438.12500"}, {{0x00, 0x00, 0x25, 0x01}, "12.50000"},
            {{0x00, 0x25, 0x01, 0x00}, "0.12500"},   {{0, 0, 0, 0}, "0.00000"},
            {{255, 255, 255, 255}, "1666.66665"},    {{0x00, 0x00, 0x00, 0x44}, "440.00000"},
            {{0x00, 0x00, 0x50, 0x00}, "5.00000"},
        };
        for (const auto &[bytes, text] : cases) {
            QCOMPARE(Bcd_to_freq_text(bytes[0], bytes[1], bytes[2], bytes[3]), text);
            QCOMPARE(Bcd_scratch, (std::array<int, 4>{bytes[1] >> 4, bytes[1] & 15, bytes[0] >> 4,
                                                      bytes[0] & 15}));
        }

        // Offsets, typed and shown.
        const std::tuple<QString, QList<int>, QString> offsets[] = {
            {"0.6", {0x00, 0x00, 0x60, 0x00}, ".6000000"},
            {"10", {0x00, 0x00, 0x00, 0x10}, "10.000000"},
            {"5.25", {0x00, 0x00, 0x25, 0x05}, "5.250000"},
            {"10.5", {0x00, 0x00, 0x50, 0x10}, "10.500000"},
            {"68.0125", {0x00, 0x25, 0x01, 0x68}, "68.012500"},
            {"0", {0, 0, 0, 0}, "0.000000"},
        };
        for (const auto &[typed, bytes, shown] : offsets) {
            Offset_text_to_bcd(typed);
            QCOMPARE(Bcd_scratch, (std::array<int, 4>{bytes[3], bytes[2], bytes[1], bytes[0]}));
            QCOMPARE(Bcd_to_offset_text(bytes[0], bytes[1], bytes[2], bytes[3]), shown);
        }

        // Name characters, values and number texts.
        const std::pair<QString, int> codes[] = {
            {"a", 12}, {"A", 12}, {"Z", 37}, {"0", 0},  {"9", 9}, {"-", 10},
            {"_", 38}, {"+", 39}, {"*", 40}, {"#", 11}, {"", 11}, {"AB", 11},
        };
        for (const auto &[character, code] : codes)
            QVERIFY2(Char_to_code(character) == code, qPrintable(character));

        QCOMPARE(Value_of(QStringLiteral("  446.1abc")), 446.1);
        QCOMPARE(Value_of(QStringLiteral("446.1.2")), 446.1);
        QCOMPARE(Value_of(QStringLiteral("x446")), 0.0);
        QCOMPARE(Value_of(QString()), 0.0);
        QCOMPARE(Number_text(0.5), QStringLiteral(".5"));
        QCOMPARE(Number_text(136), QStringLiteral("136"));
        QCOMPARE(Number_text(438.00625), QStringLiteral("438.00625"));
        QCOMPARE(Number_text(0.1 + 0.2), QStringLiteral(".3"));
    }
};

QTEST_GUILESS_MAIN(Test_conversions)
#include "test_conversions.moc"
