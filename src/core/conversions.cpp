#include "core/conversions.h"

#include "core/globals.h"
#include "core/image.h"

#include <cmath>

namespace r7k {

namespace {

// The leading number of a text read exactly, as Value_of reads it but without
// binary rounding: value = whole + fraction / Fraction_one, 0 <= fraction <
// Fraction_one. Digits past the eighteenth decimal are cut off, which changes
// no result below: every routine here cuts off at 10^-6 at the finest, after
// additions of 10^-15 at the smallest.
struct Exact_value {
    qint64 whole = 0;
    qint64 fraction = 0;
};
constexpr qint64 Fraction_one = 1'000'000'000'000'000'000;
// Far beyond any frequency; keeps Hz and BCD arithmetic inside 64 bits.
constexpr qint64 Whole_cap = 1'000'000'000'000;

Exact_value exact_value_of(const QString &text)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    qint64 whole = 0;
    qint64 fraction = 0;
    qint64 place = Fraction_one;
    bool point = false;
    bool cut_off = false; // a nonzero digit past the eighteenth decimal
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        const int digit = ch.unicode() - '0';
        if (!point)
            whole = qMin(whole * 10 + digit, Whole_cap);
        else if (place > 1)
            fraction += digit * (place /= 10);
        else
            cut_off = cut_off || digit != 0;
    }
    if (!negative)
        return {whole, fraction};
    if (fraction == 0 && !cut_off)
        return {-whole, 0};
    return {-whole - 1, Fraction_one - fraction - (cut_off ? 1 : 0)};
}

qint64 floor_div(qint64 a, qint64 b)
{
    return a / b - (a % b < 0 ? 1 : 0);
}

// Whole units of 10^-digits MHz in the value plus a small addition: the
// radio software adds 0.000000001 before it scales each group of decimals,
// which together adds the given amount (in 10^-18 MHz) before the digits are
// cut off. Unlike scaling group by group, a sum that reaches the next whole
// unit carries into it instead of making a digit of 10.
qint64 nudged_units(const Exact_value &value, int digits, qint64 nudge)
{
    qint64 unit = Fraction_one;
    qint64 scale = 1;
    for (int d = 0; d < digits; ++d) {
        unit /= 10;
        scale *= 10;
    }
    return value.whole * scale + (value.fraction + nudge) / unit;
}

int hi(int byte)
{
    return (byte >> 4) & 15;
}
int lo(int byte)
{
    return byte & 15;
}

void leave_low_digits(int b0, int b1)
{
    Bcd_scratch = {hi(b1), lo(b1), hi(b0), lo(b0)};
}

QString zero_padded(QString text, int length)
{
    return text.leftJustified(length, QLatin1Char('0'));
}

// "438.00625", "145.5", ".5", "-5": a whole number of Hz in MHz without
// trailing zeros, written as Number_text writes it.
QString mhz_text(qint64 hz)
{
    constexpr qint64 Hz_per_mhz = 1'000'000;
    const qint64 size = qAbs(hz);
    QString text = QString::number(size % Hz_per_mhz).rightJustified(6, QLatin1Char('0'));
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (!text.isEmpty())
        text.prepend(QLatin1Char('.'));
    if (size >= Hz_per_mhz || text.isEmpty())
        text.prepend(QString::number(size / Hz_per_mhz));
    return hz < 0 ? QLatin1Char('-') + text : text;
}

constexpr const char Name_characters[] = "0123456789- ABCDEFGHIJKLMNOPQRSTUVWXYZ_+*";
constexpr int Blank_code = 11;

} // namespace

double Value_of(const QString &text)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    double sign = 1;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        sign = text[i] == QLatin1Char('-') ? -1 : 1;
        ++i;
    }
    const int start = i;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('.') && !point)
            point = true;
        else if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? sign * value : 0;
}

QString Number_text(double value)
{
    const double magnitude = std::fabs(value);
    const int whole_digits = magnitude >= 1 ? int(std::floor(std::log10(magnitude))) + 1 : 0;
    QString text = QString::number(value, 'f', qBound(0, 15 - whole_digits, 15));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        return QStringLiteral("0");
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

int Char_to_code(const QString &character)
{
    if (character.size() != 1)
        return Blank_code;
    const QChar ch = character[0].toUpper();
    for (int code = 0; Name_characters[code] != '\0'; ++code)
        if (ch == QLatin1Char(Name_characters[code]))
            return code;
    return Blank_code;
}

// Packs eight decimal digits, the highest byte from all the digits above.
Bcd_bytes packed(qint64 units)
{
    const qint64 high = floor_div(units, 1'000'000);
    const qint64 low = units - high * 1'000'000;
    const auto pair = [low](int at) { return int(low / at / 10 % 10 * 16 + low / at % 10); };
    return {int(floor_div(high, 10) * 16 + (high - floor_div(high, 10) * 10)), pair(10'000),
            pair(100), pair(1)};
}

Bcd_bytes Freq_bcd(const QString &text)
{
    // 0.000000001 before the first three decimals, again before the next three.
    return packed(nudged_units(exact_value_of(text), 5, 1'001'000'000));
}

Bcd_bytes Offset_bcd(const QString &text)
{
    // 0.000000001 before each of the seven digits from the units of MHz down.
    return packed(nudged_units(exact_value_of(text), 6, 1'111'111'000));
}

int Freq_text_to_bcd(const QString &text)
{
    Bcd_scratch = Freq_bcd(text);
    return Bcd_scratch[0];
}

int Offset_text_to_bcd(const QString &text)
{
    Bcd_scratch = Offset_bcd(text);
    return Bcd_scratch[0];
}

qint64 Hz_of(const QString &text)
{
    const Exact_value v = exact_value_of(text);
    constexpr qint64 Hz_per_mhz = 1'000'000;
    return v.whole * Hz_per_mhz + v.fraction / (Fraction_one / Hz_per_mhz);
}

QString Bcd_to_freq_text(int b0, int b1, int b2, int b3)
{
    const double value = hi(b3) * 100 + lo(b3) * 10 + hi(b2) + lo(b2) * 0.1 + hi(b1) * 0.01 +
                         lo(b1) * 0.001 + hi(b0) * 0.0001 + lo(b0) * 0.00001;
    leave_low_digits(b0, b1);
    QString t = Number_text(value);
    if (value >= 1 && value == std::floor(value))
        t += QLatin1Char('.');
    if (t.size() >= 9)
        return t;
    if (value < 1) {
        if (value == 0)
            return QStringLiteral("0.00000");
        return QLatin1Char('0') + t + QString(6 - t.size(), QLatin1Char('0'));
    }
    if (value < 10)
        return zero_padded(t, 7);
    if (value < 100)
        return zero_padded(t, 8);
    return zero_padded(t, 9);
}

QString Bcd_to_offset_text(int b0, int b1, int b2, int b3)
{
    const double value = hi(b3) * 10 + lo(b3) + hi(b2) * 0.1 + lo(b2) * 0.01 + hi(b1) * 0.001 +
                         lo(b1) * 0.0001 + hi(b0) * 0.00001 + lo(b0) * 0.000001;
    leave_low_digits(b0, b1);
    const QString t = Number_text(value);
    if (value != std::floor(value))
        return zero_padded(t, std::floor(value) < 10 ? 8 : 9);
    if (value == 0)
        return QStringLiteral("0.000000");
    return t + QStringLiteral(".000000");
}

void Store_freq(QString &text, int row, int column, Data_image &image)
{
    // Both grids are whole Hz, so the Hz below the text decide the snapping.
    const qint64 hz = Hz_of(text);
    const qint64 q5 = floor_div(hz, 5000);
    const qint64 r5 = hz - 5000 * q5;
    const qint64 q6 = floor_div(hz, 6250);
    const qint64 r6 = hz - 6250 * q6;
    const qint64 snapped = r6 >= r5 ? 5000 * q5 : 6250 * q6;

    QString t = mhz_text(snapped);
    if (t.size() <= 3)
        t += QLatin1Char('.');
    if (t.size() < 9)
        t = zero_padded(t, 9);
    text = t;

    const Bcd_bytes bytes = Freq_bcd(t);
    for (int i = 0; i < 4; ++i)
        image(row, column + i) = qint16(bytes[3 - i]);
}

int Find_first_used_channel(const Data_image &image)
{
    for (int row = 0; row < Channel_count; ++row) {
        bool programmed = true;
        for (int c = 0; c < 4; ++c)
            programmed = programmed && image(row, c) != 255;
        if (programmed)
            return row;
    }
    return 255;
}

} // namespace r7k
