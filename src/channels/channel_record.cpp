#include "channels/channel_record.h"

#include "channels/channel_name.h"
#include "core/bilingual.h"
#include "core/conversions.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "core/tone_code.h"

namespace r7k {

namespace {

// Column headings, each after a centring mark.
const Bilingual Header_format{
    QStringLiteral("^信道号|^接收频率(MHZ)|^发射频率(MHZ)|^QT/DQT解码|^QT/DQT编码|^ 功率 |^ 声控 "
                   "|^信道带宽|^  信    道    名    称  "),
    QStringLiteral("^Channel|^RX Frequency|^TX Frequency|^CTCSS/DCS Dec|^CTCSS/DCS Enc|^TX-Power|"
                   "^VOX-Level|^ Wide/Narrow |^    Name    ")};

// The decode and encode columns write "OFF", the VOX column "Off".
const Bilingual Tone_off{QStringLiteral("关"), QStringLiteral("OFF")};
const Bilingual Vox_off{QStringLiteral("关"), QStringLiteral("Off")};
const Bilingual Power_low{QStringLiteral("低"), QStringLiteral("Low")};
const Bilingual Power_high{QStringLiteral("高"), QStringLiteral("High")};
const Bilingual Band_narrow{QStringLiteral("窄带"), QStringLiteral("Narrow")};
const Bilingual Band_wide{QStringLiteral("宽带"), QStringLiteral("Wide")};

constexpr int Erased = 255;
constexpr int High_power_bit = 2;
constexpr int Wide_bits = 4 | 1;
constexpr int Vox_levels = 8;

QString frequency_text(const Data_image &image, int channel, int first)
{
    return Bcd_to_freq_text(image(channel, first), image(channel, first + 1),
                            image(channel, first + 2), image(channel, first + 3));
}

QString in_language(const Bilingual &text, bool chinese)
{
    return chinese ? text.chinese : text.english;
}

QString heading(const QString &format, int column)
{
    return format.section(QLatin1Char('|'), column, column).mid(1);
}

QString without_widening(const QString &heading)
{
    const QString simple = heading.simplified();
    QString title;
    for (qsizetype i = 0; i < simple.size(); ++i) {
        const bool between_ideographs = simple[i] == QLatin1Char(' ') &&
                                        simple[i - 1].unicode() > 0xFF &&
                                        simple[i + 1].unicode() > 0xFF;
        if (!between_ideographs)
            title += simple[i];
    }
    return title;
}

// How many entries the drop-down list of a grid column has.
int choice_count(int column)
{
    switch (column) {
    case Decode_column:
    case Encode_column:
        return Tone_last + 1;
    case Vox_column:
        return Vox_levels + 1;
    case Power_column:
    case Band_column:
        return 2;
    default:
        return 0;
    }
}

void set_bits(qint16 &byte, int bits, bool on)
{
    byte = qint16(on ? (byte | bits) : (byte & ~bits));
}

void store_tone(Data_image &image, int channel, int tone_column, int polarity_bit, int index)
{
    const Stored_tone tone = Tone_to_store(index);
    image(channel, tone_column) = qint16(tone.code);
    if (tone.inverted)
        set_bits(image(channel, Record::Polarity), polarity_bit, *tone.inverted);
}

// The tone entry a stored code shows, 0 for off.
int shown_entry(int code, bool inverted)
{
    return code == 0 || code == Erased ? 0 : Shown_tone(code, inverted);
}

} // namespace

QStringList Channel_column_titles()
{
    QStringList titles;
    for (int column = 0; column < Grid_column_count; ++column)
        titles.append(Column_heading(column).text());
    return titles;
}

Bilingual Column_heading(int column)
{
    return {heading(Header_format.chinese, column), heading(Header_format.english, column)};
}

Bilingual Column_title(int column)
{
    const Bilingual heading = Column_heading(column);
    return {without_widening(heading.chinese), without_widening(heading.english)};
}

bool Channel_is_empty(int channel, const Data_image &image)
{
    return image(channel, Record::Rx_freq) == Erased;
}

bool Channel_has_tx(int channel, const Data_image &image)
{
    return image(channel, Record::Tx_freq) != Erased;
}

void Set_channel_defaults(int channel, Data_image &image)
{
    image(channel, Record::Decode_tone) = 0;
    image(channel, Record::Encode_tone) = 0;
    image(channel, Record::Vox) = 0;
    image(channel, Record::Power_band) = High_power_bit | Wide_bits;
    image(channel, Record::Polarity) = 0;
    for (int column = Record::Polarity + 1; column < Record::Bytes; ++column)
        image(channel, column) = Erased;
}

void Clear_channel(int channel, Data_image &image)
{
    image.fill(channel, channel, 0, Record::Bytes - 1, Erased);
}

void Clear_tx_freq(int channel, Data_image &image)
{
    image.fill(channel, channel, Record::Tx_freq, Record::Tx_freq + 3, Erased);
}

void Clear_all_channels(Data_image &image)
{
    for (int channel = 1; channel <= Channel_count; ++channel) {
        Clear_channel(channel, image);
        Clear_channel_name(channel, image);
    }
}

QString Tone_cell_text(int code, bool inverted)
{
    const int entry = shown_entry(code, inverted);
    return entry == 0 ? Tone_off.text() : Tone_entry(entry);
}

Row_texts Channel_row_texts(int channel, const Data_image &image)
{
    Row_texts texts;
    texts[Number_column] = QString::number(channel);
    if (Channel_is_empty(channel, image))
        return texts;
    const int polarity = image(channel, Record::Polarity);
    texts[Rx_column] = frequency_text(image, channel, Record::Rx_freq);
    texts[Decode_column] = Tone_cell_text(image(channel, Record::Decode_tone), polarity & 1);
    if (Channel_has_tx(channel, image)) {
        texts[Tx_column] = frequency_text(image, channel, Record::Tx_freq);
        texts[Encode_column] = Tone_cell_text(image(channel, Record::Encode_tone), polarity & 2);
    }
    const int power_band = image(channel, Record::Power_band);
    texts[Power_column] = (power_band & High_power_bit ? Power_high : Power_low).text();
    const int vox = image(channel, Record::Vox) & 15;
    texts[Vox_column] = vox ? QString::number(vox) : Vox_off.text();
    texts[Band_column] = (power_band & 4 ? Band_wide : Band_narrow).text();
    texts[Name_column] = Channel_name(channel, image);
    return texts;
}

void Tidy_empty_channel(int channel, Data_image &image)
{
    if (Channel_is_empty(channel, image))
        Clear_channel(channel, image);
}

bool Is_list_column(int column)
{
    return column >= Decode_column && column <= Band_column;
}

QStringList Choice_items(int column)
{
    return Choice_items(column, Language);
}

QStringList Choice_items(int column, bool chinese)
{
    switch (column) {
    case Decode_column:
    case Encode_column: {
        QStringList items{in_language(Tone_off, chinese)};
        for (int code = 1; code <= Tone_last; ++code)
            items.append(Tone_entry(code).trimmed());
        return items;
    }
    case Power_column:
        return {in_language(Power_low, chinese), in_language(Power_high, chinese)};
    case Vox_column: {
        QStringList items{in_language(Vox_off, chinese)};
        for (int level = 1; level <= Vox_levels; ++level)
            items.append(QString::number(level));
        return items;
    }
    case Band_column:
        return {in_language(Band_narrow, chinese), in_language(Band_wide, chinese)};
    default:
        return {};
    }
}

int Stored_choice(int channel, int column, const Data_image &image)
{
    const int power_band = image(channel, Record::Power_band);
    const int polarity = image(channel, Record::Polarity);
    switch (column) {
    case Decode_column:
        return shown_entry(image(channel, Record::Decode_tone), polarity & 1);
    case Encode_column:
        return shown_entry(image(channel, Record::Encode_tone), polarity & 2);
    case Power_column:
        return power_band & High_power_bit ? 1 : 0;
    case Vox_column:
        return qMin(image(channel, Record::Vox) & 15, Vox_levels);
    case Band_column:
        return power_band & 4 ? 1 : 0;
    default:
        return 0;
    }
}

void Store_choice(int channel, int column, int index, Data_image &image)
{
    if (index < 0 || index >= choice_count(column))
        return;
    switch (column) {
    case Decode_column:
        store_tone(image, channel, Record::Decode_tone, 1, index);
        break;
    case Encode_column:
        store_tone(image, channel, Record::Encode_tone, 2, index);
        break;
    case Power_column:
        set_bits(image(channel, Record::Power_band), High_power_bit, index > 0);
        break;
    case Vox_column:
        image(channel, Record::Vox) = qint16(index);
        break;
    case Band_column:
        set_bits(image(channel, Record::Power_band), Wide_bits, index > 0);
        break;
    default:
        break;
    }
}

} // namespace r7k
