#include "csv/chirp_row.h"

namespace r7k {

namespace {

using Tone = Csv_tone;

constexpr const char *Column_names[Csv_column_count] = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE",
};

// The tuning step a channel's frequencies lie on: 5 kHz, or 6.25 kHz for a
// frequency off the 5 kHz grid (the channel grid holds no other).
QString tuning_step(const Csv_channel &channel)
{
    constexpr qint64 Five_khz = 5'000;
    const bool on_five = channel.rx_hz % Five_khz == 0 && channel.tx_hz.value_or(0) % Five_khz == 0;
    return on_five ? QStringLiteral("5.00") : QStringLiteral("6.25");
}

// A TX frequency this far from the RX frequency or further is written as a
// split rather than as a repeater shift.
constexpr qint64 Split_from_hz = 70'000'000;

QString side_of(const Tone &tone)
{
    switch (tone.kind) {
    case Tone::Ctcss:
        return Csv_word::Tone;
    case Tone::Dcs:
        return Csv_word::Dtcs;
    case Tone::None:
        break;
    }
    return {};
}

// The tone columns of a channel: each tone in its column (TSQL and DTCS
// repeat theirs in both, as programs differ in which one they read), the
// tone mode, and in the columns it does not use what other programs write
// there.
void put_tones(QStringList &fields, const Tone &tx, const Tone &rx)
{
    const auto put = [&fields](Csv_column column, const QString &value) {
        fields[int(column)] = value;
    };
    put(Csv_column::R_tone_freq, Csv_word::Unused_ctcss);
    put(Csv_column::C_tone_freq, Csv_word::Unused_ctcss);
    put(Csv_column::Dtcs_code, Csv_word::Unused_dcs);
    put(Csv_column::Rx_dtcs_code, Csv_word::Unused_dcs);
    put(Csv_column::Cross_mode, Csv_word::Unused_cross);
    const auto letter = [](const Tone &tone) { return tone.reversed ? u'R' : u'N'; };
    put(Csv_column::Dtcs_polarity, QString(letter(tx)) + letter(rx));
    if (tx.kind != Tone::None)
        put(tx.kind == Tone::Ctcss ? Csv_column::R_tone_freq : Csv_column::Dtcs_code, tx.code);
    if (rx.kind != Tone::None)
        put(rx.kind == Tone::Ctcss ? Csv_column::C_tone_freq : Csv_column::Rx_dtcs_code, rx.code);

    const bool same_both_ways = tx.kind == rx.kind && tx.code == rx.code;
    if (tx.kind == Tone::None && rx.kind == Tone::None)
        return;
    if (tx.kind == Tone::Ctcss && rx.kind == Tone::None) {
        put(Csv_column::Tone, Csv_word::Tone);
    } else if (tx.kind == Tone::Ctcss && same_both_ways) {
        put(Csv_column::Tone, Csv_word::Tsql);
    } else if (tx.kind == Tone::Dcs && same_both_ways) {
        put(Csv_column::Tone, Csv_word::Dtcs);
    } else {
        put(Csv_column::Tone, Csv_word::Cross);
        put(Csv_column::Cross_mode, side_of(tx) + Csv_word::Arrow + side_of(rx));
    }
}

} // namespace

QStringList Csv_header()
{
    QStringList names;
    for (const char *name : Column_names)
        names.append(QLatin1String(name));
    return names;
}

QString Csv_column_name(Csv_column column)
{
    return QLatin1String(Column_names[int(column)]);
}

QString Mhz_text(qint64 hz)
{
    constexpr qint64 Hz_per_mhz = 1'000'000;
    const qint64 size = qAbs(hz);
    return QStringLiteral("%1%2.%3")
        .arg(hz < 0 ? QStringLiteral("-") : QString())
        .arg(size / Hz_per_mhz)
        .arg(size % Hz_per_mhz, 6, 10, QLatin1Char('0'));
}

QStringList Csv_fields(const Csv_channel &channel)
{
    QStringList fields(Csv_column_count);
    const auto put = [&fields](Csv_column column, const QString &value) {
        fields[int(column)] = value;
    };
    put(Csv_column::Location, QString::number(channel.location));
    put(Csv_column::Name, channel.name);
    put(Csv_column::Frequency, Mhz_text(channel.rx_hz));
    qint64 offset = 0;
    if (!channel.tx_hz) {
        put(Csv_column::Duplex, Csv_word::Off);
    } else if (const qint64 shift = *channel.tx_hz - channel.rx_hz; qAbs(shift) >= Split_from_hz) {
        put(Csv_column::Duplex, Csv_word::Split);
        offset = *channel.tx_hz;
    } else if (shift != 0) {
        put(Csv_column::Duplex, shift > 0 ? QStringLiteral("+") : QStringLiteral("-"));
        offset = qAbs(shift);
    }
    put(Csv_column::Offset, Mhz_text(offset));
    put_tones(fields, channel.tx_tone, channel.rx_tone);
    put(Csv_column::Mode, channel.wide ? Csv_word::Wide : Csv_word::Narrow);
    put(Csv_column::T_step, tuning_step(channel));
    put(Csv_column::Power, channel.high_power ? Csv_word::High_power : Csv_word::Low_power);
    return fields;
}

Csv_row::Header Csv_row::Header_of(const QStringList &names)
{
    Header header;
    header.fill(-1);
    for (int column = 0; column < Csv_column_count; ++column)
        for (int index = 0; index < names.size() && header[column] < 0; ++index)
            if (names[index].trimmed().compare(QLatin1String(Column_names[column]),
                                               Qt::CaseInsensitive) == 0)
                header[column] = index;
    return header;
}

Csv_row::Csv_row(const Header &header, const Csv_record &record, QChar decimal_mark)
    : at_line(record.line), mark(decimal_mark)
{
    for (int column = 0; column < Csv_column_count; ++column)
        if (const int at = header[column]; at >= 0)
            values[column] = record.fields.value(at).trimmed();
}

QString Csv_row::number(Csv_column column) const
{
    QString text = field(column);
    return mark == u'.' ? text : text.replace(mark, u'.');
}

} // namespace r7k
