#include "files/channel_csv.h"

#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/conversions.h"
#include "core/gbk.h"
#include "core/globals.h"
#include "core/tables.h"
#include "files/csv_channel.h"

#include <QStringDecoder>
#include <optional>

namespace r7k::Channel_csv {

namespace {

const Bilingual No_list{QStringLiteral("CSV 文件中没有信道表。"),
                        QStringLiteral("The CSV file holds no channel list.")};
const Bilingual Nothing_imported{
    QStringLiteral("CSV 文件中没有可以导入的信道，信道未作改动。"),
    QStringLiteral("The CSV file holds no channel that can be imported; the channels are "
                   "unchanged.")};

Bilingual missing_column(Csv_column column)
{
    const QString name = Csv_column_name(column);
    return {QStringLiteral("CSV 文件的第一行没有 %1 列，这不是信道表。").arg(name),
            QStringLiteral("The first line of the CSV file names no %1 column; this is not a "
                           "channel list.")
                .arg(name)};
}

Bilingual skipped(int line, const Bilingual &why)
{
    return {QStringLiteral("第 %1 行未导入：%2。").arg(line).arg(why.chinese),
            QStringLiteral("Line %1 skipped: %2.").arg(line).arg(why.english)};
}

Bilingual out_of_band(bool rx, qint64 hz)
{
    const QString low = Number_text(Freq_low), high = Number_text(Freq_high);
    return {QStringLiteral("%1频率 %2 MHz 不在所选机型的频段 %3 至 %4 MHz 之内")
                .arg(rx ? QStringLiteral("接收") : QStringLiteral("发射"), Mhz_text(hz), low, high),
            QStringLiteral("the %1 frequency %2 MHz is outside the band of the selected model, "
                           "%3 to %4 MHz")
                .arg(rx ? QStringLiteral("receive") : QStringLiteral("transmit"), Mhz_text(hz), low,
                     high)};
}

Bilingual not_in_table(const Csv_tone &tone)
{
    if (tone.kind == Csv_tone::Ctcss)
        return {QStringLiteral("亚音频 %1 Hz 不在亚音表中").arg(tone.code),
                QStringLiteral("the CTCSS tone %1 Hz is not in the tone table").arg(tone.code)};
    return {QStringLiteral("数字亚音 %1 不在亚音表中").arg(tone.code),
            QStringLiteral("the DCS code %1 is not in the tone table").arg(tone.code)};
}

Bilingual listed_before(int channel, int line)
{
    return {QStringLiteral("信道 %1 已由第 %2 行给出").arg(channel).arg(line),
            QStringLiteral("channel %1 was already given on line %2").arg(channel).arg(line)};
}

Bilingual snapped(int line, bool rx, qint64 from, qint64 to)
{
    return {QStringLiteral("第 %1 行：%2频率 %3 MHz 已按信道步进存为 %4 MHz。")
                .arg(line)
                .arg(rx ? QStringLiteral("接收") : QStringLiteral("发射"), Mhz_text(from),
                     Mhz_text(to)),
            QStringLiteral("Line %1: the %2 frequency %3 MHz was snapped to the channel grid "
                           "and stored as %4 MHz.")
                .arg(line)
                .arg(rx ? QStringLiteral("receive") : QStringLiteral("transmit"), Mhz_text(from),
                     Mhz_text(to))};
}

Bilingual name_refused(int line, int channel, const QString &name)
{
    return {QStringLiteral("第 %1 行：名称“%2”中有对讲机无法保存的字符，信道 %3 未设名称。")
                .arg(line)
                .arg(name)
                .arg(channel),
            QStringLiteral("Line %1: the name \"%2\" holds a character that the radio cannot "
                           "store; channel %3 has no name.")
                .arg(line)
                .arg(name)
                .arg(channel)};
}

Bilingual name_cut(int line, const QString &name, const QString &kept)
{
    return {QStringLiteral("第 %1 行：名称“%2”超过 %3 个字符，存为“%4”。")
                .arg(line)
                .arg(name)
                .arg(Name_length)
                .arg(kept),
            QStringLiteral("Line %1: the name \"%2\" is longer than %3 characters and was "
                           "stored as \"%4\".")
                .arg(line)
                .arg(name)
                .arg(Name_length)
                .arg(kept)};
}

// The tone list of the channel table: the index of an entry is the choice
// that stores it.
class Tone_list {
public:
    // The list index of a tone, or nothing when the tone table lacks it.
    std::optional<int> index_of(const Csv_tone &tone) const
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

    Csv_tone tone_at(int index) const
    {
        if (index == 0)
            return {};
        const QString &entry = items[index];
        if (index <= Tone_ctcss_last)
            return {Csv_tone::Ctcss, entry, false};
        return {Csv_tone::Dcs, entry.mid(1, 3), index > Tone_dcsn_last};
    }

private:
    // "D023N", "D023I": a DCS entry of the tone table.
    static QString dcs_entry(const QString &code, bool inverted)
    {
        return QLatin1Char('D') + code + QLatin1Char(inverted ? 'I' : 'N');
    }

    QStringList items = Choice_items(Decode_column);
};

// A stored frequency in Hz; the channel grid is in 10 Hz units.
qint64 stored_hz(const Data_image &image, int channel, int first)
{
    const QString text = Bcd_to_freq_text(image(channel, first), image(channel, first + 1),
                                          image(channel, first + 2), image(channel, first + 3));
    return qRound64(Value_of(text) * 100'000) * 10;
}

bool in_band(qint64 hz)
{
    return hz >= 0 && In_band(Mhz_text(hz));
}

Csv_channel channel_of(const Data_image &image, int channel, const Tone_list &tones)
{
    Csv_channel listed;
    listed.location = channel;
    listed.name = Channel_name(channel, image);
    listed.rx_hz = stored_hz(image, channel, Record::Rx_freq);
    if (Channel_has_tx(channel, image))
        listed.tx_hz = stored_hz(image, channel, Record::Tx_freq);
    listed.rx_tone = tones.tone_at(Stored_choice(channel, Decode_column, image));
    listed.tx_tone = tones.tone_at(Stored_choice(channel, Encode_column, image));
    listed.wide = Stored_choice(channel, Band_column, image) > 0;
    listed.high_power = Stored_choice(channel, Power_column, image) > 0;
    return listed;
}

// What the list does not carry: the VOX level and the attribute bytes after
// the polarity.
constexpr int Unlisted_columns[] = {Record::Vox, Record::Polarity + 1, Record::Polarity + 2,
                                    Record::Polarity + 3};

class Importer {
public:
    Importer(Data_image &target, Scope replaced, Report &outcome)
        : image(target), scope(replaced), report(outcome)
    {}

    void take(const Csv_row &row)
    {
        const auto parsed = Csv_channel_of(row);
        const Bilingual *why = std::get_if<Bilingual>(&parsed);
        const std::optional<Bilingual> refused =
            why ? *why : store(std::get<Csv_channel>(parsed), row.line());
        if (refused) {
            report.notes.append(skipped(row.line(), *refused));
            ++report.skipped;
        } else {
            ++report.channels;
        }
    }

private:
    std::optional<Bilingual> store(const Csv_channel &listed, int line)
    {
        const int channel = listed.location;
        if (listed_on[channel] != 0)
            return listed_before(channel, listed_on[channel]);
        const std::optional<int> rx_tone = tones.index_of(listed.rx_tone);
        const std::optional<int> tx_tone = tones.index_of(listed.tx_tone);
        if (!tx_tone)
            return not_in_table(listed.tx_tone);
        if (!rx_tone)
            return not_in_table(listed.rx_tone);
        if (!in_band(listed.rx_hz))
            return out_of_band(true, listed.rx_hz);
        if (listed.tx_hz && !in_band(*listed.tx_hz))
            return out_of_band(false, *listed.tx_hz);

        listed_on[channel] = line;
        const bool keep_unlisted =
            scope == Scope::Listed_channels && !Channel_is_empty(channel, image);
        std::array<qint16, std::size(Unlisted_columns)> unlisted{};
        for (std::size_t i = 0; i < unlisted.size(); ++i)
            unlisted[i] = image(channel, Unlisted_columns[i]);
        Clear_channel(channel, image);
        Enter_rx_freq(channel, Mhz_text(listed.rx_hz), true, image);
        if (listed.tx_hz)
            Enter_tx_freq(channel, Mhz_text(*listed.tx_hz), image);
        else
            Clear_tx_freq(channel, image);
        Store_choice(channel, Decode_column, *rx_tone, image);
        Store_choice(channel, Encode_column, *tx_tone, image);
        Store_choice(channel, Power_column, listed.high_power ? 1 : 0, image);
        Store_choice(channel, Band_column, listed.wide ? 1 : 0, image);
        for (std::size_t i = 0; keep_unlisted && i < unlisted.size(); ++i)
            image(channel, Unlisted_columns[i]) = unlisted[i];
        note_snaps(listed, line);
        store_name(listed, line);
        return std::nullopt;
    }

    void note_snaps(const Csv_channel &listed, int line)
    {
        const int channel = listed.location;
        const qint64 rx = stored_hz(image, channel, Record::Rx_freq);
        if (rx != listed.rx_hz)
            report.notes.append(snapped(line, true, listed.rx_hz, rx));
        const qint64 tx = stored_hz(image, channel, Record::Tx_freq);
        if (listed.tx_hz && tx != *listed.tx_hz)
            report.notes.append(snapped(line, false, *listed.tx_hz, tx));
    }

    void store_name(const Csv_channel &listed, int line)
    {
        const int channel = listed.location;
        if (Store_channel_name(channel, listed.name, image)) {
            Clear_channel_name(channel, image);
            report.notes.append(name_refused(line, channel, listed.name));
            return;
        }
        const QString kept = Channel_name(channel, image);
        if (kept != listed.name)
            report.notes.append(name_cut(line, listed.name, kept));
    }

    Data_image &image;
    const Scope scope;
    Report &report;
    const Tone_list tones;
    std::array<int, Channel_count + 1> listed_on{}; // the line that stored each channel
};

// UTF-8 unless the bytes cannot be UTF-8 but are GBK.
QString text_of(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return Gbk::Decode(bytes).value_or(text);
}

} // namespace

QByteArray Export(const Data_image &image)
{
    const Tone_list tones;
    QString text = Csv_line(Csv_header());
    for (int channel = 1; channel <= Channel_count; ++channel)
        if (!Channel_is_empty(channel, image))
            text += Csv_line(Csv_fields(channel_of(image, channel, tones)));
    return text.toUtf8();
}

Report Import(Data_image &image, QByteArrayView bytes, Scope scope)
{
    const QList<Csv_record> records = Read_csv(text_of(bytes));
    if (records.isEmpty())
        return Report::Refused(No_list);
    const Csv_row::Header header = Csv_row::Header_of(records.first().fields);
    for (Csv_column needed : {Csv_column::Location, Csv_column::Frequency})
        if (header[int(needed)] < 0)
            return Report::Refused(missing_column(needed));

    Report report;
    Data_image work = image;
    if (scope == Scope::All_channels)
        Clear_all_channels(work);
    Importer importer(work, scope, report);
    for (qsizetype i = 1; i < records.size(); ++i)
        importer.take(Csv_row(header, records[i]));
    if (report.channels == 0) {
        report.failure = Nothing_imported;
        return report;
    }
    image = work;
    report.imported = true;
    return report;
}

} // namespace r7k::Channel_csv
