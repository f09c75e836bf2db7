#include "settings/option_rules.h"

#include "core/bilingual.h"
#include "core/conversions.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "core/tone_code.h"

#include <QList>
#include <optional>

namespace r7k {

namespace {

// Fixed list entries, Chinese and English side by side.
QList<Bilingual> numbers(int first, int last)
{
    QList<Bilingual> entries;
    for (int n = first; n <= last; ++n)
        entries.append({QString::number(n), QString::number(n)});
    return entries;
}

const Bilingual Off{QStringLiteral("关"), QStringLiteral("Off")};

const QList<Bilingual> &fixed_entries(Option_list list)
{
    static const QList<Bilingual> sql = numbers(0, 9);
    static const QList<Bilingual> tot = QList<Bilingual>{Off} + numbers(1, 7);
    static const QList<Bilingual> scan_way = {
        {QStringLiteral("时间"), QStringLiteral("TO")},
        {QStringLiteral("载波"), QStringLiteral("CO")},
        {QStringLiteral("搜索"), QStringLiteral("SE")},
    };
    static const QList<Bilingual> mode = {
        {QStringLiteral("频率"), QStringLiteral("Frequncy")},
        {QStringLiteral("信道"), QStringLiteral("Channel")},
        {QStringLiteral("仅信道模式"), QStringLiteral("Only Channel")},
    };
    static const QList<Bilingual> step = {
        {QStringLiteral("5K"), QStringLiteral("5K")},
        {QStringLiteral("6.25K"), QStringLiteral("6.25K")},
        {QStringLiteral("10K"), QStringLiteral("10K")},
        {QStringLiteral("12.5K"), QStringLiteral("12.5K")},
        {QStringLiteral("25K"), QStringLiteral("25K")},
    };
    static const QList<Bilingual> duplex = {
        Off,
        {QStringLiteral("加频"), QStringLiteral("Plus")},
        {QStringLiteral("减频"), QStringLiteral("Minus")},
    };
    static const QList<Bilingual> vox = QList<Bilingual>{Off} + numbers(1, 8);
    static const QList<Bilingual> power = {
        {QStringLiteral("低功率"), QStringLiteral("Low")},
        {QStringLiteral("高功率"), QStringLiteral("High")},
    };
    static const QList<Bilingual> bandwidth = {
        {QStringLiteral("窄带"), QStringLiteral("Narrow")},
        {QStringLiteral("宽带"), QStringLiteral("Wide")},
    };
    switch (list) {
    case Option_list::Sql:
        return sql;
    case Option_list::TOT:
        return tot;
    case Option_list::Scan_way:
        return scan_way;
    case Option_list::Mode:
        return mode;
    case Option_list::Step:
        return step;
    case Option_list::Sft_d:
        return duplex;
    case Option_list::Vox:
        return vox;
    case Option_list::TXP:
        return power;
    case Option_list::WN_TX:
    case Option_list::WN_RX:
        return bandwidth;
    case Option_list::Decode:
    case Option_list::Encode:
        break; // made from Tone_text, which start-up fills
    }
    static const QList<Bilingual> none;
    return none;
}

bool is_tone_list(Option_list list)
{
    return list == Option_list::Decode || list == Option_list::Encode;
}

int last_index(Option_list list)
{
    return is_tone_list(list) ? Tone_last : int(fixed_entries(list).size()) - 1;
}

bool bit(const Data_image &image, int row, int column, int mask)
{
    return (image(row, column) & mask) != 0;
}

// Writes value into the bits of mask, keeping every other bit.
void set_bits(int row, int column, int mask, int value)
{
    chann(row, column) = qint16((chann(row, column) & ~mask & 0xFF) | (value & mask));
}

// The lists whose code is a whole byte of its own.
struct Cell {
    int row;
    int column;
};

std::optional<Cell> byte_cell(Option_list list)
{
    switch (list) {
    case Option_list::Sql:
        return Cell{Settings_row, 0};
    case Option_list::TOT:
        return Cell{Settings_row, 1};
    case Option_list::Scan_way:
        return Cell{Settings_row, 2};
    case Option_list::Step:
        return Cell{Settings_row, 5};
    case Option_list::Sft_d:
        return Cell{Settings_row, 6};
    case Option_list::Vox:
        return Cell{Vfo_row, 10};
    default:
        return std::nullopt;
    }
}

constexpr int Mode_column = 3;
constexpr int Flags_column = 11;     // bandwidth, TX power, TX bandwidth
constexpr int Inversion_column = 12; // polarity bits of the two tone codes

// A tone code lives in its own column; its polarity bit in the inversion column.
struct Tone_cells {
    int column;
    int polarity_bit;
};

Tone_cells tone_cells(Option_list list)
{
    return list == Option_list::Decode ? Tone_cells{8, 1} : Tone_cells{9, 2};
}

int shown_tone(const Data_image &image, Option_list list)
{
    const Tone_cells cells = tone_cells(list);
    return Shown_tone(image(Vfo_row, cells.column),
                      bit(image, Vfo_row, Inversion_column, cells.polarity_bit));
}

void store_tone(Option_list list, int index)
{
    const Tone_cells cells = tone_cells(list);
    const Stored_tone tone = Tone_to_store(index);
    chann(Vfo_row, cells.column) = qint16(tone.code);
    if (tone.inverted)
        set_bits(Vfo_row, Inversion_column, cells.polarity_bit,
                 *tone.inverted ? cells.polarity_bit : 0);
}

constexpr int Save_bit = 2;
constexpr int Scan_bit = 1;
constexpr int Mode_bits = 0x0C;
constexpr int Power_bit = 2;
constexpr int Wide_bit = 1;
constexpr int Tx_wide_bit = 4;

int switch_bit(Option_switch setting)
{
    return setting == Option_switch::Save ? Save_bit : Scan_bit;
}

// Four image cells, least significant first, as packed BCD: each byte 0..255
// with two decimal digits.
bool is_bcd(const Data_image &image, int row, int column)
{
    for (int c = column; c < column + 4; ++c) {
        const int byte = image(row, c);
        if (byte < 0 || byte > 255 || (byte >> 4) > 9 || (byte & 15) > 9)
            return false;
    }
    return true;
}

// Converts a text with the given routine and places its bytes into four
// cells, least significant first. Values from limit up would not fit in
// eight digits (and negative ones not at all), so they are refused.
bool store_bcd(const QString &text, Bcd_bytes (*to_bcd)(const QString &), double limit, int row,
               int column)
{
    const double value = Value_of(text);
    if (value < 0 || value >= limit)
        return false;
    const Bcd_bytes bytes = to_bcd(text);
    for (int i = 0; i < 4; ++i)
        chann(row, column + i) = qint16(bytes[3 - i]);
    return true;
}

constexpr double Frequency_limit = 1000; // MHz: DDD.DDDDD
constexpr double Offset_limit = 100;     // MHz: DD.DDDDDD
constexpr int Tx_column = 0;
constexpr int Rx_column = 4;
constexpr int Offset_column = 7;

QString shown_frequency(const Data_image &image, int column)
{
    if (!is_bcd(image, Vfo_row, column))
        return {};
    return Bcd_to_freq_text(image(Vfo_row, column), image(Vfo_row, column + 1),
                            image(Vfo_row, column + 2), image(Vfo_row, column + 3));
}

} // namespace

QStringList List_entries(Option_list list)
{
    QStringList entries;
    if (is_tone_list(list)) {
        for (int i = 0; i <= Tone_last; ++i)
            entries.append(Tone_entry(i).trimmed());
        return entries;
    }
    for (const Bilingual &entry : fixed_entries(list))
        entries.append(entry.text());
    return entries;
}

int Shown_index(Option_list list, const Data_image &image)
{
    if (const auto cell = byte_cell(list))
        return qBound(0, int(image(cell->row, cell->column)), last_index(list));
    switch (list) {
    case Option_list::Mode:
        return qMin((image(Settings_row, Mode_column) >> 2) & 3, last_index(list));
    case Option_list::TXP:
        return bit(image, Vfo_row, Flags_column, Power_bit);
    case Option_list::WN_TX:
        return bit(image, Vfo_row, Flags_column, Tx_wide_bit);
    case Option_list::WN_RX:
        return bit(image, Vfo_row, Flags_column, Wide_bit);
    default:
        return shown_tone(image, list);
    }
}

void Store_index(Option_list list, int index)
{
    if (index < 0 || index > last_index(list))
        return;
    if (const auto cell = byte_cell(list)) {
        chann(cell->row, cell->column) = qint16(index);
        return;
    }
    switch (list) {
    case Option_list::Mode:
        set_bits(Settings_row, Mode_column, Mode_bits, 4 * index);
        break;
    case Option_list::TXP:
        set_bits(Vfo_row, Flags_column, Power_bit, index ? Power_bit : 0);
        break;
    case Option_list::WN_TX:
        set_bits(Vfo_row, Flags_column, Tx_wide_bit, index ? Tx_wide_bit : 0);
        break;
    case Option_list::WN_RX:
        // Choosing a bandwidth sets the TX bandwidth to the same value.
        set_bits(Vfo_row, Flags_column, Wide_bit | Tx_wide_bit, index ? Wide_bit | Tx_wide_bit : 0);
        break;
    default:
        store_tone(list, index);
        break;
    }
}

void Lower_stored_code(Option_list list)
{
    switch (list) {
    case Option_list::Sft_d:
    case Option_list::TXP:
    case Option_list::WN_TX:
    case Option_list::WN_RX:
        return;
    default:
        // Storing the shown index changes nothing unless the code was lowered.
        Store_index(list, Shown_index(list));
    }
}

bool Shown_checked(Option_switch setting, const Data_image &image)
{
    return bit(image, Settings_row, Mode_column, switch_bit(setting));
}

void Store_checked(Option_switch setting, bool checked)
{
    set_bits(Settings_row, Mode_column, switch_bit(setting), checked ? switch_bit(setting) : 0);
}

QString Shown_rx_text(const Data_image &image)
{
    return shown_frequency(image, Rx_column);
}

QString Shown_tx_text(const Data_image &image)
{
    return shown_frequency(image, Tx_column);
}

QString Shown_offset_text(const Data_image &image)
{
    if (!is_bcd(image, Settings_row, Offset_column))
        return {};
    return Bcd_to_offset_text(
        image(Settings_row, Offset_column), image(Settings_row, Offset_column + 1),
        image(Settings_row, Offset_column + 2), image(Settings_row, Offset_column + 3));
}

bool Store_rx_text(const QString &text)
{
    return store_bcd(text, Freq_bcd, Frequency_limit, Vfo_row, Rx_column);
}

bool Store_tx_text(const QString &text)
{
    return store_bcd(text, Freq_bcd, Frequency_limit, Vfo_row, Tx_column);
}

bool Store_offset_text(const QString &text)
{
    if (text.isEmpty()) {
        chann.fill(Settings_row, Settings_row, Offset_column, Offset_column + 3, 255);
        return true;
    }
    return store_bcd(text, Offset_bcd, Offset_limit, Settings_row, Offset_column);
}

} // namespace r7k
