#pragma once

#include "core/bilingual.h"
#include "csv/csv_text.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <variant>

namespace r7k {

// The columns of the generic channel list that radio programming software
// exchanges as CSV, in the order they are written.
enum class Csv_column {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    R_tone_freq,
    C_tone_freq,
    Dtcs_code,
    Dtcs_polarity,
    Rx_dtcs_code,
    Cross_mode,
    Mode,
    T_step,
    Skip,
    Power,
    Comment,
    Urcall,
    Rpt1call,
    Rpt2call,
    Dvcode,
};
inline constexpr int Csv_column_count = 21;

// The header line's names, in column order.
QStringList Csv_header();
QString Csv_column_name(Csv_column column);

// The words of the list's tone, duplex, mode and power columns.
namespace Csv_word {
inline const QString Tone = QStringLiteral("Tone");   // CTCSS on TX only; a CTCSS side of Cross
inline const QString Tsql = QStringLiteral("TSQL");   // the same CTCSS tone both ways
inline const QString Dtcs = QStringLiteral("DTCS");   // the same DCS code both ways; a DCS side
inline const QString Cross = QStringLiteral("Cross"); // anything else, told by CrossMode
inline const QString Arrow = QStringLiteral("->");    // between a cross mode's TX and RX side
inline const QString Reversed = QStringLiteral("-R"); // after a reverse squelch mode
inline const QString Split = QStringLiteral("split"); // Offset holds the TX frequency
inline const QString Off = QStringLiteral("off");     // no TX frequency
inline const QString Wide = QStringLiteral("FM");
inline const QString Narrow = QStringLiteral("NFM");
inline const QString High_power = QStringLiteral("5.0W");
inline const QString Low_power = QStringLiteral("1.0W");
// What other programs write into the tone columns a channel does not use.
inline const QString Unused_ctcss = QStringLiteral("88.5");
inline const QString Unused_dcs = QStringLiteral("023");
inline const QString Unused_cross = Tone + Arrow + Tone;
} // namespace Csv_word

// A power read from a list counts as high from this many watts on.
inline constexpr double High_power_from_watts = 3.0;

// What the list says of a channel's tone in one direction.
struct Csv_tone {
    enum Kind { None, Ctcss, Dcs };
    Kind kind = None;
    QString code;          // "88.5" for a CTCSS tone, "023" for a DCS code
    bool reversed = false; // a DCS code of inverted polarity

    bool operator==(const Csv_tone &) const = default;
};

// One channel as the list carries it. Frequencies are in Hz.
struct Csv_channel {
    int location = 0;
    QString name;
    qint64 rx_hz = 0;
    std::optional<qint64> tx_hz; // none: the channel only receives
    Csv_tone tx_tone;
    Csv_tone rx_tone;
    bool wide = true;
    bool high_power = true;

    bool operator==(const Csv_channel &) const = default;
};

// The fields of a channel's line, in column order.
QStringList Csv_fields(const Csv_channel &channel);

// "446.006250": a frequency in MHz with six decimals.
QString Mhz_text(qint64 hz);

// A record read against the header of its list: columns by name, in any
// order; a column the list does not have reads as empty. The row holds its
// own copy of the values.
class Csv_row {
public:
    using Header = std::array<int, Csv_column_count>; // field index of each column, -1 if none

    // Where each known column lies in a header record; names are matched
    // without regard to case or surrounding blanks, unknown ones ignored.
    static Header Header_of(const QStringList &names);

    // `decimal_mark` is what the list's numbers have between whole and
    // fraction: a point, or a comma where the separator is not one.
    Csv_row(const Header &header, const Csv_record &record, QChar decimal_mark = u'.');

    bool has(Csv_column column) const { return values[int(column)].has_value(); }
    QString field(Csv_column column) const { return values[int(column)].value_or(QString()); }
    // The field as a number is written here, with a decimal point.
    QString number(Csv_column column) const;
    int line() const { return at_line; }

private:
    std::array<std::optional<QString>, Csv_column_count> values; // trimmed; none without a column
    int at_line = 0;
    QChar mark;
};

// The channel a row describes, or why the row cannot be taken. Only the
// form of each field is checked here; whether the radio can store the
// channel is up to its channel record.
std::variant<Csv_channel, Bilingual> Csv_channel_of(const Csv_row &row);

} // namespace r7k
