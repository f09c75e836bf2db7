#include "csv/image_channel.h"

#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/conversions.h"
#include "core/tables.h"

namespace r7k {

namespace {

// "D023N", "D023I": a DCS entry of the tone table.
QString dcs_entry(const QString &code, bool inverted)
{
    return QLatin1Char('D') + code + QLatin1Char(inverted ? 'I' : 'N');
}

constexpr qint64 Hz_per_mhz = 1'000'000;

} // namespace

Tone_list::Tone_list() : items(Choice_items(Decode_column)) {}

std::optional<int> Tone_list::index_of(const Csv_tone &tone) const
{
    switch (tone.kind) {
    case Csv_tone::None:
        return 0;
    case Csv_tone::Ctcss: {
        const int index = int(items.indexOf(tone.code));
        return index >= 1 && index <= Tone_ctcss_last ? std::optional(index) : std::nullopt;
    }
    case Csv_tone::Dcs: {
        const int index = int(items.indexOf(dcs_entry(tone.code, tone.reversed)));
        return index > Tone_ctcss_last ? std::optional(index) : std::nullopt;
    }
    }
    return std::nullopt;
}

Csv_tone Tone_list::tone_at(int index) const
{
    if (index == 0)
        return {};
    const QString &entry = items[index];
    if (index <= Tone_ctcss_last)
        return {Csv_tone::Ctcss, entry, false};
    return {Csv_tone::Dcs, entry.mid(1, 3), index > Tone_dcsn_last};
}

// The grid of stored frequencies is in 10 Hz units.
qint64 Stored_hz(const Data_image &image, int channel, int first)
{
    const QString text = Bcd_to_freq_text(image(channel, first), image(channel, first + 1),
                                          image(channel, first + 2), image(channel, first + 3));
    return qRound64(Value_of(text) * 100'000) * 10;
}

Csv_channel Listed_channel(const Data_image &image, int channel, const Tone_list &tones)
{
    Csv_channel listed;
    listed.location = channel;
    listed.name = Channel_name(channel, image);
    listed.rx_hz = Stored_hz(image, channel, Record::Rx_freq);
    if (Channel_has_tx(channel, image))
        listed.tx_hz = Stored_hz(image, channel, Record::Tx_freq);
    listed.rx_tone = tones.tone_at(Stored_choice(channel, Decode_column, image));
    listed.tx_tone = tones.tone_at(Stored_choice(channel, Encode_column, image));
    listed.wide = Stored_choice(channel, Band_column, image) > 0;
    listed.high_power = Stored_choice(channel, Power_column, image) > 0;
    return listed;
}

Band Band::of_model(int model)
{
    return {Band_limit[model] * Hz_per_mhz, Band_limit[model + Model_count] * Hz_per_mhz};
}

Bilingual Band::text() const
{
    const QString from = QString::number(low / Hz_per_mhz), to = QString::number(high / Hz_per_mhz);
    return {QStringLiteral("%1 MHz 至 %2 MHz，不含 %2 MHz").arg(from, to),
            QStringLiteral("from %1 MHz up to, but not including, %2 MHz").arg(from, to)};
}

} // namespace r7k
