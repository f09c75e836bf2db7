#include "settings/frequency_mode_entry.h"

#include "core/conversions.h"
#include "core/globals.h"
#include "settings/option_rules.h"

namespace r7k {

namespace {

constexpr int Rx_longest = 9;          // "438.12500"
constexpr int Rx_typed_digits = 8;     // a digit is let in up to nine characters
constexpr int Offset_longest = 9;      // "69.987500", as the field shows it
constexpr int Offset_typed_digits = 8; // a digit is let in up to nine characters
constexpr double Offset_typed_limit = 70;
constexpr double Offset_highest = 69.9875;

bool is_digit(QChar key)
{
    return key >= QLatin1Char('0') && key <= QLatin1Char('9');
}

const QChar Point = QLatin1Char('.');

} // namespace

const Bilingual &Rx_range_message()
{
    static const Bilingual text{QStringLiteral("接收频率超出范围 ！"),
                                QStringLiteral("Over the range of RX frequency .")};
    return text;
}

const Bilingual &Offset_range_message()
{
    static const Bilingual text{QStringLiteral("频差频率超出范围 ！"),
                                QStringLiteral("Over the range of Offset frequency .")};
    return text;
}

bool Rx_key_accepted(const QString &text, QChar key)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() && key == Point)
        return false;
    if (key == Backspace_key || key == Point)
        return true;
    return is_digit(key) && trimmed.size() <= Rx_typed_digits;
}

bool Offset_key_accepted(const QString &text, QChar key)
{
    const QString trimmed = text.trimmed();
    if (key == Backspace_key || key == Enter_key)
        return true;
    if (key == Point)
        return !trimmed.isEmpty() && !trimmed.contains(Point);
    return is_digit(key) && trimmed.size() <= Offset_typed_digits;
}

Entry Rx_text_changed(const QString &text)
{
    return text.size() <= Rx_longest ? Entry::Accepted : Entry::Rejected;
}

Entry Leave_rx(const QString &rx, int duplex, const QString &offset)
{
    const double value = Value_of(rx);
    if (rx.size() > Rx_longest || value < Freq_low || value >= Freq_high) {
        return Entry::Rejected;
    }
    Store_rx_text(rx);
    Follow_duplex(duplex, rx, offset);
    return Entry::Accepted;
}

Entry Offset_text_changed(const QString &offset)
{
    if (Value_of(offset) >= Offset_typed_limit) {
        Store_offset_text(QString());
        return Entry::Rejected;
    }
    Store_offset_text(offset);
    return Entry::Accepted;
}

Entry Leave_offset(const QString &offset, const std::optional<QString> &shown, int duplex,
                   const QString &rx)
{
    if (shown && offset == *shown)
        return Entry::Accepted;
    if (offset.size() > Offset_longest || Value_of(offset) > Offset_highest) {
        Store_offset_text(QString());
        return Entry::Rejected;
    }
    // Leaving the field empty means an offset of 0, shown as "0.000000".
    Store_offset_text(offset.isEmpty() ? QStringLiteral("0") : offset);
    Follow_duplex(duplex, rx, offset);
    return Entry::Accepted;
}

std::optional<QString> Following_tx_text(int duplex, const QString &rx, const QString &offset)
{
    if (rx.isEmpty())
        return std::nullopt;
    switch (duplex) {
    case 0:
        return rx;
    case 1:
        return Number_text(Value_of(rx) + Value_of(offset));
    case 2:
        return Number_text(Value_of(rx) - Value_of(offset));
    default:
        return std::nullopt;
    }
}

void Follow_duplex(int duplex, const QString &rx, const QString &offset)
{
    if (const auto tx = Following_tx_text(duplex, rx, offset))
        Store_tx_text(*tx);
}

bool Pick_duplex(int duplex, const QString &rx, const QString &offset)
{
    if (rx.isEmpty())
        return false;
    Store_index(Option_list::Sft_d, duplex);
    Follow_duplex(duplex, rx, offset);
    return true;
}

} // namespace r7k
