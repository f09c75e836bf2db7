#include "channels/channel_clipboard.h"
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "channels/tab_text.h"
#include "core/image.h"
#include "core/tables.h"

#include <QHash>
#include <array>

namespace r7k {

namespace {

const Bilingual Not_pasted{QStringLiteral("以下数值未粘贴："),
                           QStringLiteral("These values were not pasted:")};
const Bilingual Not_pasted_line{QStringLiteral("信道 %1，%2：%3（%4）"),
                                QStringLiteral("Channel %1, %2: %3 (%4)")};
const Bilingual More_not_pasted{QStringLiteral("……另有 %1 个"), QStringLiteral("... and %1 more")};
const Bilingual Outside_table{QStringLiteral("%1 个数值超出信道表"),
                              QStringLiteral("%1 values lie outside the table")};
const Bilingual Not_in_list{QStringLiteral("列表中没有此项"),
                            QStringLiteral("not an entry of the list")};
const Bilingual No_tx{QStringLiteral("信道没有发射频率"),
                      QStringLiteral("the channel has no TX frequency")};

// A long list would make a box taller than the screen.
constexpr int Listed_at_most = 20;

// Headings and list entries match whatever the blanks and the letter case.
QString key_of(const QString &text)
{
    QString key = text.toCaseFolded();
    key.removeIf([](QChar c) { return c.isSpace(); });
    return key;
}

int column_named(const QString &heading)
{
    const QString key = key_of(heading);
    for (int column = 0; column < Grid_column_count; ++column) {
        const Bilingual names = Column_heading(column);
        if (key == key_of(names.chinese) || key == key_of(names.english))
            return column;
    }
    return -1;
}

// A heading line names at least two of the table's columns; a line of values
// might hold one heading as a name.
std::optional<QList<int>> heading_columns(const QStringList &line)
{
    QList<int> columns;
    int named = 0;
    for (const QString &value : line) {
        columns.append(column_named(value));
        named += columns.last() >= 0;
    }
    return named >= 2 ? std::optional(columns) : std::nullopt;
}

// The entries of the drop-down lists in both languages, by their keys.
class Choices {
public:
    Choices()
    {
        for (int column = Decode_column; column <= Band_column; ++column)
            for (bool chinese : {true, false}) {
                const QStringList items = Choice_items(column, chinese);
                for (int index = 0; index < items.size(); ++index)
                    entries[column].insert(key_of(items[index]), index);
            }
    }

    // The list index of a value, or -1. A spreadsheet shows a tone of 67.0 Hz
    // as 67: a CTCSS tone matches by its number too.
    int index(int column, const QString &value) const
    {
        const int found = entries[column].value(key_of(value), -1);
        if (found >= 0 || (column != Decode_column && column != Encode_column))
            return found;
        bool number = false;
        const double hertz = value.toDouble(&number);
        for (int code = 1; number && code <= Tone_ctcss_last; ++code)
            if (Tone_entry(code).trimmed().toDouble() == hertz)
                return code;
        return -1;
    }

private:
    std::array<QHash<QString, int>, Grid_column_count> entries;
};

struct Refusal {
    int channel;
    int column;
    QString value;
    Bilingual reason;
};

// Stores one value into its cell; the reason when typing would refuse it.
std::optional<Bilingual> paste_value(Data_image &image, int channel, int column,
                                     const QString &text, const Choices &choices)
{
    const QString value = text.trimmed();
    switch (column) {
    case Rx_column:
    case Tx_column:
        if (auto refusal = Freq_entry_refusal(channel, column, value, image))
            return refusal;
        return column == Rx_column ? Enter_rx_freq(channel, value, false, image)
                                   : Enter_tx_freq(channel, value, image);
    case Number_column:
        return std::nullopt;
    default:
        break;
    }
    // An empty value leaves a list as it is and empties a name.
    if (value.isEmpty() && column != Name_column)
        return std::nullopt;
    if (!Cell_editable(channel, column, image)) {
        if (value.isEmpty())
            return std::nullopt;
        return Channel_is_empty(channel, image) ? Rx_first() : No_tx;
    }
    if (column == Name_column)
        return Store_channel_name(channel, value, image);
    const int index = choices.index(column, value);
    if (index < 0)
        return Not_in_list;
    Store_choice(channel, column, index, image);
    return std::nullopt;
}

// The frequencies go first: whether the other cells can be edited depends on
// them.
constexpr int Paste_order[] = {Rx_column,  Tx_column,   Decode_column, Encode_column, Power_column,
                               Vox_column, Band_column, Name_column,   Number_column};

Bilingual report(const QList<Refusal> &refusals, int outside)
{
    Bilingual text = Not_pasted;
    for (const Refusal &refusal : refusals.mid(0, Listed_at_most)) {
        const Bilingual column = Column_title(refusal.column);
        const QString channel = QString::number(refusal.channel);
        // One pass over the pattern: a value may hold a "%1" of its own.
        text.chinese +=
            QLatin1Char('\n') + Not_pasted_line.chinese.arg(channel, column.chinese, refusal.value,
                                                            refusal.reason.chinese);
        text.english +=
            QLatin1Char('\n') + Not_pasted_line.english.arg(channel, column.english, refusal.value,
                                                            refusal.reason.english);
    }
    const QList<std::pair<Bilingual, int>> counts{
        {More_not_pasted, int(refusals.size()) - Listed_at_most}, {Outside_table, outside}};
    for (const auto &[pattern, count] : counts) {
        if (count <= 0)
            continue;
        text.chinese += QLatin1Char('\n') + pattern.chinese.arg(count);
        text.english += QLatin1Char('\n') + pattern.english.arg(count);
    }
    return text;
}

QString trimmed_cell(const Row_texts &texts, int column)
{
    return texts[column].trimmed();
}

} // namespace

QString Channels_text(const QList<int> &channels, const Data_image &image)
{
    Tab_rows rows;
    QStringList headings;
    for (int column = 0; column < Grid_column_count; ++column)
        headings.append(Column_title(column).text());
    rows.append(headings);
    for (int channel : channels) {
        const Row_texts texts = Channel_row_texts(channel, image);
        QStringList values;
        for (int column = 0; column < Grid_column_count; ++column)
            values.append(trimmed_cell(texts, column));
        rows.append(values);
    }
    return Tab_text(rows);
}

QString Cells_text(Grid_cell first, Grid_cell last, const Data_image &image)
{
    Tab_rows rows;
    for (int channel = first.row; channel <= last.row; ++channel) {
        const Row_texts texts = Channel_row_texts(channel, image);
        QStringList values;
        for (int column = first.column; column <= last.column; ++column)
            values.append(trimmed_cell(texts, column));
        rows.append(values);
    }
    return Tab_text(rows);
}

Paste_outcome Paste_channels_text(const QString &text, Grid_cell at, Data_image &image)
{
    Tab_rows lines = Parse_tab_text(text);
    QList<int> columns;
    if (const auto named = lines.isEmpty() ? std::nullopt : heading_columns(lines.first())) {
        columns = *named;
        lines.removeFirst();
        at.column = Number_column;
    }
    const Choices choices;
    QList<Refusal> refusals;
    int outside = 0;
    Paste_outcome outcome{at, at, std::nullopt};
    for (int line = 0; line < lines.size(); ++line) {
        const int channel = at.row + line;
        // The column of each value of the line, or -1 for none.
        std::array<int, Grid_column_count> value_of;
        value_of.fill(-1);
        for (int i = 0; i < lines[line].size(); ++i) {
            const int column = columns.isEmpty() ? at.column + i : columns.value(i, -1);
            const bool inside = channel <= Channel_count && column >= 0 &&
                                column < Grid_column_count && value_of[column] < 0;
            if (inside)
                value_of[column] = i;
            else if (columns.isEmpty() || column >= 0)
                outside += !lines[line][i].trimmed().isEmpty();
        }
        for (int column : Paste_order) {
            if (value_of[column] < 0)
                continue;
            const QString &value = lines[line][value_of[column]];
            if (auto reason = paste_value(image, channel, column, value, choices))
                refusals.append({channel, column, value.trimmed(), *reason});
            outcome.last.row = qMax(outcome.last.row, channel);
            outcome.last.column = qMax(outcome.last.column, column);
        }
    }
    if (!refusals.isEmpty() || outside > 0)
        outcome.message = report(refusals, outside);
    return outcome;
}

} // namespace r7k
