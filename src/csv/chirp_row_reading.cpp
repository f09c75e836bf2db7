#include "core/image.h"
#include "csv/chirp_row.h"

namespace r7k {

namespace {

using Tone = Csv_tone;
using Reason = Bilingual;
template <class T> using Read = std::variant<T, Reason>;

constexpr int Hz_decimals = 6;

Reason malformed(Csv_column column, const QString &value)
{
    const QString name = Csv_column_name(column);
    return {QStringLiteral("%1 列的“%2”不是有效的数值").arg(name, value),
            QStringLiteral("\"%2\" in column %1 is not a valid number").arg(name, value)};
}

Reason unknown(Csv_column column, const QString &value)
{
    const QString name = Csv_column_name(column);
    return {QStringLiteral("%1 列的“%2”无法识别").arg(name, value),
            QStringLiteral("\"%2\" in column %1 is not a known value").arg(name, value)};
}

Reason reverse_squelch(const QString &mode)
{
    return {QStringLiteral("反向静噪模式“%1”在本机中没有对应的设置").arg(mode),
            QStringLiteral("the reverse squelch mode \"%1\" has no equivalent in this radio")
                .arg(mode)};
}

Reason location_outside(const QString &location)
{
    return {QStringLiteral("信道号 %1 不在 1 至 %2 之间").arg(location).arg(Channel_count),
            QStringLiteral("Location %1 is outside 1 to %2").arg(location).arg(Channel_count)};
}

// Takes what was read into `into`; false, with the reason in `why`, when the
// field could not be read.
template <class T> bool take(const Read<T> &read, T &into, Reason &why)
{
    if (const Reason *reason = std::get_if<Reason>(&read)) {
        why = *reason;
        return false;
    }
    into = std::get<T>(read);
    return true;
}

bool same(const QString &text, const QString &word)
{
    return text.compare(word, Qt::CaseInsensitive) == 0;
}

bool all_digits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
}

// A plain decimal number in units of 10^-decimals: "446.00625" with six
// decimals is 446006250. Places beyond `decimals` may only be zeros.
std::optional<qint64> decimal_units(const QString &text, int decimals)
{
    constexpr int Most_whole_digits = 9;
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = QStringView(text).left(point < 0 ? text.size() : point);
    QStringView fraction = point < 0 ? QStringView() : QStringView(text).mid(point + 1);
    while (fraction.size() > decimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if ((whole.isEmpty() && fraction.isEmpty()) || whole.size() > Most_whole_digits ||
        fraction.size() > decimals || !all_digits(whole) || !all_digits(fraction))
        return std::nullopt;
    qint64 units = whole.isEmpty() ? 0 : whole.toLongLong();
    for (int place = 0; place < decimals; ++place)
        units = units * 10 + (place < fraction.size() ? fraction[place].digitValue() : 0);
    return units;
}

// A frequency in MHz, or with its unit: "146.52 MHz", "600 kHz".
Read<qint64> hz_in(const Csv_row &row, Csv_column column)
{
    static const std::pair<QString, int> Units[] = {{QStringLiteral("MHz"), Hz_decimals},
                                                    {QStringLiteral("kHz"), 3},
                                                    {QStringLiteral("Hz"), 0}};
    QString number = row.number(column);
    int decimals = Hz_decimals;
    for (const auto &[unit, places] : Units)
        if (number.endsWith(unit, Qt::CaseInsensitive)) {
            number = number.chopped(unit.size()).trimmed();
            decimals = places;
            break;
        }
    const std::optional<qint64> hz = decimal_units(number, decimals);
    if (!hz)
        return malformed(column, row.field(column));
    return *hz;
}

// A CTCSS frequency, written with one decimal as the tone table has it.
Read<Tone> ctcss_in(const Csv_row &row, Csv_column column)
{
    const std::optional<qint64> tenths = decimal_units(row.number(column), 1);
    if (!tenths)
        return malformed(column, row.field(column));
    return Tone{Tone::Ctcss, QStringLiteral("%1.%2").arg(*tenths / 10).arg(*tenths % 10), false};
}

// A DCS code with three digits; `letter` is its polarity, N or R.
Read<Tone> dcs_in(const Csv_row &row, Csv_column column, QChar letter)
{
    const QString text = row.field(column);
    if (text.isEmpty() || text.size() > 3 || !all_digits(text))
        return malformed(column, text);
    return Tone{Tone::Dcs, text.rightJustified(3, u'0'), letter == u'R'};
}

// The TX and the RX polarity letter, "NN" when the row gives none.
Read<QString> polarity_of(const Csv_row &row)
{
    const QString given = row.field(Csv_column::Dtcs_polarity);
    const QString letters = given.isEmpty() ? QStringLiteral("NN") : given.toUpper();
    const auto letter = [](QChar ch) { return ch == u'N' || ch == u'R'; };
    if (letters.size() != 2 || !letter(letters[0]) || !letter(letters[1]))
        return unknown(Csv_column::Dtcs_polarity, given);
    return letters;
}

struct Tones {
    Tone tx;
    Tone rx;
};

Read<Tones> tones_of(const Csv_row &row)
{
    Reason why;
    QString letters;
    if (!take(polarity_of(row), letters, why))
        return why;
    // A list with only one of the two CTCSS columns uses it both ways.
    const Csv_column tx_ctcss =
        row.has(Csv_column::R_tone_freq) ? Csv_column::R_tone_freq : Csv_column::C_tone_freq;
    const Csv_column rx_ctcss =
        row.has(Csv_column::C_tone_freq) ? Csv_column::C_tone_freq : Csv_column::R_tone_freq;
    // Lists of older versions have one DCS code for both ways.
    const Csv_column rx_dcs =
        row.has(Csv_column::Rx_dtcs_code) ? Csv_column::Rx_dtcs_code : Csv_column::Dtcs_code;
    const auto side = [&](const QString &kind, Csv_column ctcss, Csv_column dcs, QChar letter) {
        if (kind.isEmpty())
            return Read<Tone>(Tone{});
        return same(kind, Csv_word::Tone) ? ctcss_in(row, ctcss) : dcs_in(row, dcs, letter);
    };

    const QString mode = row.field(Csv_column::Tone);
    Read<Tone> tx = Tone{}, rx = Tone{};
    if (same(mode, Csv_word::Tone)) {
        tx = ctcss_in(row, tx_ctcss);
    } else if (same(mode, Csv_word::Tsql)) {
        tx = rx = ctcss_in(row, rx_ctcss);
    } else if (same(mode, Csv_word::Dtcs)) {
        tx = dcs_in(row, Csv_column::Dtcs_code, letters[0]);
        rx = dcs_in(row, Csv_column::Dtcs_code, letters[1]);
    } else if (same(mode, Csv_word::Cross)) {
        const QString given = row.field(Csv_column::Cross_mode);
        const QStringList sides =
            (given.isEmpty() ? Csv_word::Unused_cross : given).split(Csv_word::Arrow);
        const auto known = [](const QString &kind) {
            return kind.isEmpty() || same(kind, Csv_word::Tone) || same(kind, Csv_word::Dtcs);
        };
        if (sides.size() != 2 || !known(sides[0]) || !known(sides[1]) ||
            (sides[0].isEmpty() && sides[1].isEmpty()))
            return unknown(Csv_column::Cross_mode, given);
        tx = side(sides[0], tx_ctcss, Csv_column::Dtcs_code, letters[0]);
        rx = side(sides[1], rx_ctcss, rx_dcs, letters[1]);
    } else if (same(mode, Csv_word::Tsql + Csv_word::Reversed) ||
               same(mode, Csv_word::Dtcs + Csv_word::Reversed)) {
        return reverse_squelch(mode);
    } else if (!mode.isEmpty()) {
        return unknown(Csv_column::Tone, mode);
    }
    Tones tones;
    if (!take(tx, tones.tx, why) || !take(rx, tones.rx, why))
        return why;
    return tones;
}

// The TX frequency from the duplex and the offset; none when it is off. A
// repeater shift without an offset is no shift.
Read<std::optional<qint64>> tx_of(const Csv_row &row, qint64 rx)
{
    const QString duplex = row.field(Csv_column::Duplex);
    if (duplex.isEmpty())
        return std::optional(rx);
    if (same(duplex, Csv_word::Off))
        return std::optional<qint64>();
    const bool split = same(duplex, Csv_word::Split);
    const int sign = duplex == u'+' ? 1 : duplex == u'-' ? -1 : 0;
    if (!split && sign == 0)
        return unknown(Csv_column::Duplex, duplex);
    Reason why;
    qint64 offset = 0;
    if ((split || !row.field(Csv_column::Offset).isEmpty()) &&
        !take(hz_in(row, Csv_column::Offset), offset, why))
        return why;
    return std::optional(split ? offset : rx + sign * offset);
}

Read<bool> wide_of(const Csv_row &row)
{
    // The modes of the other program that the radio cannot use.
    static const QStringList Other_modes = {"WFM",  "AM",    "NAM", "DV",   "USB",  "LSB", "CW",
                                            "RTTY", "DIG",   "PKT", "NCW",  "NCWR", "CWR", "P25",
                                            "Auto", "RTTYR", "FSK", "FSKR", "DMR",  "DN"};
    const QString mode = row.field(Csv_column::Mode);
    if (mode.isEmpty() || same(mode, Csv_word::Wide))
        return true;
    if (same(mode, Csv_word::Narrow))
        return false;
    if (Other_modes.contains(mode, Qt::CaseInsensitive))
        return Reason{QStringLiteral("R7K 没有 %1 模式").arg(mode),
                      QStringLiteral("the R7K has no %1 mode").arg(mode)};
    return unknown(Csv_column::Mode, mode);
}

// "5.0W", "5W", "High" or "Low"; an empty field is high power.
Read<bool> high_power_of(const Csv_row &row)
{
    const QString power = row.number(Csv_column::Power);
    if (power.isEmpty() || same(power, QStringLiteral("High")))
        return true;
    if (same(power, QStringLiteral("Low")))
        return false;
    constexpr int Milliwatt_decimals = 3;
    QString watts = power;
    if (watts.endsWith(u'W', Qt::CaseInsensitive))
        watts.chop(1);
    const std::optional<qint64> milliwatts = decimal_units(watts.trimmed(), Milliwatt_decimals);
    if (!milliwatts)
        return malformed(Csv_column::Power, row.field(Csv_column::Power));
    return *milliwatts >= qint64(High_power_from_watts * 1000);
}

} // namespace

std::variant<Csv_channel, Bilingual> Csv_channel_of(const Csv_row &row)
{
    Csv_channel channel;
    const QString location = row.field(Csv_column::Location);
    if (location.isEmpty() || location.size() > 9 || !all_digits(location))
        return malformed(Csv_column::Location, location);
    channel.location = location.toInt();
    if (channel.location < 1 || channel.location > Channel_count)
        return location_outside(location);
    channel.name = row.field(Csv_column::Name);

    Reason why;
    Tones tones;
    const bool read = take(hz_in(row, Csv_column::Frequency), channel.rx_hz, why) &&
                      take(tx_of(row, channel.rx_hz), channel.tx_hz, why) &&
                      take(tones_of(row), tones, why) && take(wide_of(row), channel.wide, why) &&
                      take(high_power_of(row), channel.high_power, why);
    if (!read)
        return why;
    channel.tx_tone = tones.tx;
    channel.rx_tone = tones.rx;
    return channel;
}

} // namespace r7k
