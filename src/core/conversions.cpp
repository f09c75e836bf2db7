#include "core/conversions.h"

#include "core/globals.h"
#include "core/image.h"

#include <cmath>

namespace r7k {

namespace {

// Added before each fractional part is scaled, so that 438.12500 whose binary
// form lies just below its decimal value still yields the digit 5.
constexpr double Nudge = 0.000000001;

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

int Freq_text_to_bcd(const QString &text)
{
    const double v = Value_of(text);
    const double H = std::floor(v / 100);
    const double r = v - 100 * H;
    const double T = std::floor(r / 10);
    const double U = std::floor(r - 10 * T);
    const double F = (v - std::floor(v) + Nudge) * 1000;
    const double f1 = std::floor(F / 100);
    const double r2 = F - 100 * f1;
    const double f2 = std::floor(r2 / 10);
    const double f3 = std::floor(r2 - 10 * f2);
    const double G = (F - std::floor(F) + Nudge) * 1000;
    const double f4 = std::floor(G / 100);
    const double f5 = std::floor((G - 100 * f4) / 10);
    Bcd_scratch = {int(H * 16 + T), int(U * 16 + f1), int(f2 * 16 + f3), int(f4 * 16 + f5)};
    return Bcd_scratch[0];
}

int Offset_text_to_bcd(const QString &text)
{
    const double v = Value_of(text);
    const double T = std::floor(v / 10);
    double x = v - 10 * T + Nudge;
    double digit = std::floor(x);
    const double U = digit;
    double f[6];
    for (double &next : f) {
        x = (x - digit + Nudge) * 10;
        digit = std::floor(x);
        next = digit;
    }
    Bcd_scratch = {int(T * 16 + U), int(f[0] * 16 + f[1]), int(f[2] * 16 + f[3]),
                   int(f[4] * 16 + f[5])};
    return Bcd_scratch[0];
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
    double x = Value_of(text) * 1000;
    const double q5 = std::floor(x / 5);
    const double r5 = x - 5 * q5;
    const double q6 = std::floor(x / 6.25);
    const double r6 = x - 6.25 * q6;
    x = r6 >= r5 ? 5 * q5 : 6.25 * q6;

    QString t = Number_text(x / 1000);
    if (t.trimmed().size() <= 3)
        t += QLatin1Char('.');
    if (t.size() < 9)
        t = zero_padded(t, 9);
    text = t;

    Freq_text_to_bcd(t);
    for (int i = 0; i < 4; ++i)
        image(row, column + i) = qint16(Bcd_scratch[3 - i]);
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
