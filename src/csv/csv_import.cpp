#include "csv/csv_import.h"

#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/conversions.h"
#include "csv/chirp_row.h"
#include "csv/image_channel.h"

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

// A heading that names Location but is split by something else than the
// separators a list may use; `found` is what follows the name.
Bilingual heading_not_split(QChar found)
{
    const QString by = found.isNull() || found.isLetterOrNumber()
                           ? QString()
                           : (found == u' ' ? QStringLiteral("' '") : u'\'' + found + u'\'');
    if (by.isEmpty())
        return {QStringLiteral("CSV 文件的第一行有 Location，但无法分成各列：列与列之间应以逗号、"
                               "分号或制表符分隔。"),
                QStringLiteral("The first line of the CSV file holds Location, but it cannot be "
                               "split into columns: they must be separated by a comma, a "
                               "semicolon or a tab.")};
    return {QStringLiteral("CSV 文件的第一行有 Location，但各列以 %1 分隔；列与列之间应以逗号、"
                           "分号或制表符分隔。")
                .arg(by),
            QStringLiteral("The first line of the CSV file holds Location, but its fields are "
                           "separated by %1; they must be separated by a comma, a semicolon or "
                           "a tab.")
                .arg(by)};
}

Bilingual skipped(int line, const Bilingual &why)
{
    return {QStringLiteral("第 %1 行未导入：%2。").arg(line).arg(why.chinese),
            QStringLiteral("Line %1 skipped: %2.").arg(line).arg(why.english)};
}

Bilingual out_of_band(bool rx, qint64 hz, const Band &band)
{
    return {QStringLiteral("%1频率 %2 MHz 不在所选机型的频段之内（%3）")
                .arg(rx ? QStringLiteral("接收") : QStringLiteral("发射"), Mhz_text(hz),
                     band.text().chinese),
            QStringLiteral("the %1 frequency %2 MHz is outside the band of the selected model, "
                           "%3")
                .arg(rx ? QStringLiteral("receive") : QStringLiteral("transmit"), Mhz_text(hz),
                     band.text().english)};
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

// A name as the notes show it: control characters made visible.
QString shown_name(const QString &name)
{
    QString shown = name;
    for (QChar &ch : shown)
        if (ch.category() == QChar::Other_Control)
            ch = QChar::ReplacementCharacter;
    return shown;
}

Bilingual name_refused(int line, int channel, const QString &name)
{
    if (Has_control_character(name))
        return {QStringLiteral("第 %1 行：名称“%2”中有控制字符，信道 %3 未设名称。")
                    .arg(line)
                    .arg(shown_name(name))
                    .arg(channel),
                QStringLiteral("Line %1: the name \"%2\" holds a control character; channel %3 "
                               "has no name.")
                    .arg(line)
                    .arg(shown_name(name))
                    .arg(channel)};
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

// What is assumed for a column that lists of older versions do not have.
struct Assumption {
    Csv_column column;
    bool tones_only; // worth saying only when the list has a Tone column
    const char *chinese;
    const char *english;
};
const Assumption Assumptions[] = {
    {Csv_column::Power, false, "没有 Power 列：所有信道设为大功率",
     "no Power column: every channel set to High"},
    {Csv_column::Cross_mode, true, "没有 CrossMode 列：Cross 按 Tone->Tone 读取",
     "no CrossMode column: Cross read as Tone->Tone"},
    {Csv_column::Rx_dtcs_code, true, "没有 RxDtcsCode 列：接收数字亚音取自 DtcsCode",
     "no RxDtcsCode column: the receive DCS code taken from DtcsCode"},
};

// What the list does not carry: the VOX level and the attribute bytes after
// the polarity.
constexpr int Unlisted_columns[] = {Record::Vox, Record::Polarity + 1, Record::Polarity + 2,
                                    Record::Polarity + 3};

class Importer {
public:
    Importer(Data_image &target, const Data_image &before, const Band &model_band, Report &outcome)
        : image(target), base(before), band(model_band), report(outcome)
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

    bool listed(int channel) const { return listed_on[channel] != 0; }

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
        if (!band.holds(listed.rx_hz))
            return out_of_band(true, listed.rx_hz, band);
        if (listed.tx_hz && !band.holds(*listed.tx_hz))
            return out_of_band(false, *listed.tx_hz, band);

        listed_on[channel] = line;
        Clear_channel(channel, image);
        QString rx = Mhz_text(listed.rx_hz);
        QString tx = listed.tx_hz ? Mhz_text(*listed.tx_hz) : rx;
        Store_freq(tx, channel, Record::Tx_freq, image);
        Store_freq(rx, channel, Record::Rx_freq, image);
        Set_channel_defaults(channel, image);
        if (!listed.tx_hz)
            Clear_tx_freq(channel, image);
        Store_choice(channel, Decode_column, *rx_tone, image);
        Store_choice(channel, Encode_column, *tx_tone, image);
        Store_choice(channel, Power_column, listed.high_power ? 1 : 0, image);
        Store_choice(channel, Band_column, listed.wide ? 1 : 0, image);
        if (!Channel_is_empty(channel, base)) {
            for (const int column : Unlisted_columns)
                image(channel, column) = base(channel, column);
            ++report.kept;
        }
        note_snaps(listed, line);
        store_name(listed, line);
        return std::nullopt;
    }

    void note_snaps(const Csv_channel &listed, int line)
    {
        const int channel = listed.location;
        const qint64 rx = Stored_hz(image, channel, Record::Rx_freq);
        if (rx != listed.rx_hz)
            report.notes.append(snapped(line, true, listed.rx_hz, rx));
        const qint64 tx = Stored_hz(image, channel, Record::Tx_freq);
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
    const Data_image &base;
    const Band band;
    Report &report;
    const Tone_list tones;
    std::array<int, Channel_count + 1> listed_on{}; // the line that stored each channel
};

// The records of a list and the heading they are read against.
struct Table {
    QList<Csv_record> records; // the heading first
    Csv_row::Header header{};
    QChar separator;
};

// The list's records, split by the separator that makes a Location column
// of its heading, or why the text is no list.
std::variant<Table, Bilingual> table_of(const QString &text)
{
    for (const QChar separator : Csv_separators) {
        Table table{Read_csv(text, separator), {}, separator};
        if (table.records.isEmpty())
            return No_list;
        table.header = Csv_row::Header_of(table.records.first().fields);
        if (table.header[int(Csv_column::Location)] < 0)
            continue;
        if (table.header[int(Csv_column::Frequency)] < 0)
            return missing_column(Csv_column::Frequency);
        return table;
    }
    const QString heading = Read_csv(text).first().fields.join(u',');
    const QString location = Csv_column_name(Csv_column::Location);
    const qsizetype at = heading.indexOf(location, 0, Qt::CaseInsensitive);
    if (at < 0)
        return missing_column(Csv_column::Location);
    const qsizetype after = at + location.size();
    return heading_not_split(after < heading.size() ? heading[after] : QChar());
}

QChar decimal_mark(QChar separator)
{
    return separator == u',' ? u'.' : u',';
}

QStringList names_of(const QString &text)
{
    QStringList names;
    const auto read = table_of(text);
    if (const Table *table = std::get_if<Table>(&read))
        for (qsizetype i = 1; i < table->records.size(); ++i)
            names.append(Csv_row(table->header, table->records[i]).field(Csv_column::Name));
    return names;
}

// The first names that read differently as UTF-8 and as GBK.
void note_ambiguity(const Csv_decoding &decoding, Report &report)
{
    constexpr int Shown = 3;
    const QStringList utf8 = names_of(decoding.text), gbk = names_of(decoding.gbk_text);
    for (qsizetype i = 0; i < qMin(utf8.size(), gbk.size()) && report.utf8_names.size() < Shown;
         ++i)
        if (utf8[i] != gbk[i]) {
            report.utf8_names.append(utf8[i]);
            report.gbk_names.append(gbk[i]);
        }
}

} // namespace

Report Import(Data_image &image, QByteArrayView bytes, Scope scope, int model,
              Csv_encoding encoding)
{
    const Csv_decoding decoding = Decode_csv(bytes, encoding);
    const auto read = table_of(decoding.text);
    if (const Bilingual *why = std::get_if<Bilingual>(&read))
        return Report::Refused(*why);
    const Table &table = std::get<Table>(read);

    Report report;
    report.encoding = decoding.used;
    if (decoding.ambiguous())
        note_ambiguity(decoding, report);
    const bool has_tones = table.header[int(Csv_column::Tone)] >= 0;
    for (const Assumption &assumption : Assumptions)
        if (table.header[int(assumption.column)] < 0 && (has_tones || !assumption.tones_only))
            report.assumed.append(
                {QString::fromUtf8(assumption.chinese), QLatin1String(assumption.english)});

    Data_image work = image;
    if (scope == Scope::All_channels)
        Clear_all_channels(work);
    Importer importer(work, image, Band::of_model(model), report);
    for (qsizetype i = 1; i < table.records.size(); ++i)
        importer.take(Csv_row(table.header, table.records[i], decimal_mark(table.separator)));
    if (report.channels == 0) {
        report.failure = Nothing_imported;
        return report;
    }
    for (int channel = 1; scope == Scope::All_channels && channel <= Channel_count; ++channel)
        if (!importer.listed(channel) && !Channel_is_empty(channel, image))
            ++report.emptied;
    image = work;
    report.imported = true;
    return report;
}

} // namespace r7k::Channel_csv
