#include "channels/channel_frequency.h"

#include "channels/cell_editing.h"
#include "channels/channel_record.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace r7k {

namespace {

const Bilingual Rx_out_of_band{QStringLiteral("接收频率超出范围 ！"),
                               QStringLiteral("Over the range of receive frequency .")};
const Bilingual Tx_out_of_band{QStringLiteral("发射频率超出范围 ！"),
                               QStringLiteral("Over the range of transmit frequency .")};
const Bilingual Too_long{QStringLiteral("数值太长 ！"), QStringLiteral("The value is too long.")};

constexpr int Normal_length = 9;

void store(Data_image &image, QString text, int channel, int column)
{
    Store_freq(text, channel, column, image);
}

// Stores the frequency as RX, and as TX too when the channel is new.
void store_rx(Data_image &image, int channel, const QString &text, bool as_new)
{
    if (as_new) {
        store(image, text, channel, Record::Tx_freq);
        store(image, text, channel, Record::Rx_freq);
        Set_channel_defaults(channel, image);
    } else {
        store(image, text, channel, Record::Rx_freq);
    }
}

} // namespace

bool In_band(const QString &text)
{
    // Exact, as Store_freq snaps: the band limits are whole MHz.
    const qint64 hz = Hz_of(text);
    return qRound64(Freq_low * 1e6) <= hz && hz < qRound64(Freq_high * 1e6);
}

QString Normalised_freq_text(const QString &text)
{
    QString normal = text;
    if (normal.size() == 3)
        normal += QStringLiteral(".0");
    if (normal.size() < Normal_length)
        normal = normal.leftJustified(Normal_length, QLatin1Char('0'));
    return normal;
}

QString Band_floor_text()
{
    const QString limit = Number_text(Freq_low);
    if (limit.size() == 2)
        return (limit + QStringLiteral(".0")).leftJustified(Normal_length - 1, QLatin1Char('0'));
    return Normalised_freq_text(limit);
}

std::optional<Bilingual> Enter_rx_freq(int channel, const QString &text, bool tx_follows,
                                       Data_image &image)
{
    const QString entry = text.trimmed();
    if (entry.isEmpty()) {
        Clear_channel(channel, image);
        return std::nullopt;
    }
    const bool in_band = In_band(entry);
    const bool as_new = Channel_is_empty(channel, image) ||
                        ((tx_follows || !in_band) && !Channel_has_tx(channel, image));
    store_rx(image, channel, in_band ? Normalised_freq_text(entry) : Band_floor_text(), as_new);
    return in_band ? std::nullopt : std::optional<Bilingual>(Rx_out_of_band);
}

std::optional<Bilingual> Enter_tx_freq(int channel, const QString &text, Data_image &image)
{
    const QString entry = text.trimmed();
    if (entry.isEmpty())
        return std::nullopt;
    if (Channel_is_empty(channel, image))
        return Rx_first();
    if (In_band(entry)) {
        store(image, Normalised_freq_text(entry), channel, Record::Tx_freq);
        return std::nullopt;
    }
    store(image, Band_floor_text(), channel, Record::Tx_freq);
    return Tx_out_of_band;
}

const Bilingual &Rx_first()
{
    static const Bilingual text{QStringLiteral("请先输入接收频率 ！"),
                                QStringLiteral("Please input the receive frequency in advance.")};
    return text;
}

std::optional<Bilingual> Freq_entry_refusal(int channel, int column, const QString &text,
                                            const Data_image &image)
{
    const QString entry = text.trimmed();
    if (entry.isEmpty())
        return std::nullopt;
    // The editor takes each key while the text before it is short enough.
    if (!Text_key_allowed(column, int(entry.size()) - 1, entry.back()))
        return Too_long;
    if (column == Tx_column && Channel_is_empty(channel, image))
        return Rx_first();
    if (!In_band(entry))
        return column == Rx_column ? Rx_out_of_band : Tx_out_of_band;
    return std::nullopt;
}

} // namespace r7k
