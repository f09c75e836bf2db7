#include "channels/channel_clipboard.h"

#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "channels/paste_report.h"
#include "core/tables.h"

#include <QHash>
#include <algorithm>
#include <array>

namespace r7k {

namespace {

const Bilingual Not_in_list{QStringLiteral("列表中没有此项"),
                            QStringLiteral("not an entry of the list")};
const Bilingual No_tx{QStringLiteral("信道没有发射频率"),
                      QStringLiteral("the channel has no TX frequency")};
// The TX cell of a channel that only receives, as a spreadsheet user types it.
const Bilingual No_tx_cell{QStringLiteral("无发射"), QStringLiteral("no TX")};

// Headings and list entries match whatever the blanks and the letter case.
QString key_of(const QString &text)
{
    QString key = text.toCaseFolded();
    key.removeIf([](QChar c) { return c.isSpace(); });
    return key;
}

bool is_no_tx(const QString &value)
{
    const QString key = key_of(value);
    return key == key_of(No_tx_cell.chinese) || key == key_of(No_tx_cell.english);
}

bool is_number(const QString &value)
{
    bool number = false;
    value.toDouble(&number);
    return number;
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

// The list entry that a new channel has in grid column 3..7.
int new_channel_choice(int column)
{
    static const Data_image fresh = [] {
        Data_image image;
        Set_channel_defaults(1, image);
        return image;
    }();
    return Stored_choice(1, column, fresh);
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

// Stores values one at a time through the rules of typing them, and keeps
// the report of what it could not store as it was.
class Paster {
public:
    explicit Paster(Data_image &into) : image(into) {}

    void value(int channel, int column, const QString &text);
    Paste_report report;

private:
    void refuse(int channel, int column, const QString &value, const Bilingual &reason,
                bool readable)
    {
        report.refused(channel, column, value, reason, readable);
    }
    void frequency(int channel, int column, const QString &value);
    void name(int channel, const QString &value);
    void choice(int channel, int column, const QString &value);

    Data_image &image;
    const Choices choices;
};

void Paster::value(int channel, int column, const QString &text)
{
    const QString value = text.trimmed();
    switch (column) {
    case Number_column:
        return;
    case Rx_column:
    case Tx_column:
        return frequency(channel, column, value);
    case Name_column:
        return name(channel, value);
    default:
        return choice(channel, column, value);
    }
}

void Paster::frequency(int channel, int column, const QString &value)
{
    if (column == Tx_column && is_no_tx(value)) {
        if (Channel_is_empty(channel, image))
            return refuse(channel, column, value, Rx_first(), true);
        Clear_tx_freq(channel, image);
        return report.stored();
    }
    if (auto refusal = Freq_entry_refusal(channel, column, value, image))
        return refuse(channel, column, value, *refusal, is_number(value));
    if (column == Rx_column)
        Enter_rx_freq(channel, value, false, image);
    else
        Enter_tx_freq(channel, value, image);
    if (!value.isEmpty())
        report.stored();
}

void Paster::name(int channel, const QString &value)
{
    if (value.isEmpty())
        return Clear_channel_name(channel, image);
    if (Channel_is_empty(channel, image))
        return refuse(channel, Name_column, value, Rx_first(), true);
    if (auto refusal = Store_channel_name(channel, value, image))
        return refuse(channel, Name_column, value, *refusal, true);
    report.stored();
    if (auto notice = Name_cut_notice(value))
        report.cut(channel, value, *notice);
}

void Paster::choice(int channel, int column, const QString &value)
{
    if (!Cell_editable(channel, column, image)) {
        if (!value.isEmpty())
            refuse(channel, column, value, Channel_is_empty(channel, image) ? Rx_first() : No_tx,
                   true);
        return;
    }
    const int index = value.isEmpty() ? new_channel_choice(column) : choices.index(column, value);
    if (index < 0)
        return refuse(channel, column, value, Not_in_list, false);
    Store_choice(channel, column, index, image);
    if (!value.isEmpty())
        report.stored();
}

// The frequencies go first: whether the other cells can be edited depends on
// them.
constexpr int Paste_order[] = {Rx_column,  Tx_column,   Decode_column, Encode_column, Power_column,
                               Vox_column, Band_column, Name_column,   Number_column};

int paste_rank(int column)
{
    return int(std::find(std::begin(Paste_order), std::end(Paste_order), column) -
               std::begin(Paste_order));
}

QString clipboard_value(const Row_texts &texts, int column, int channel, const Data_image &image)
{
    if (column == Tx_column && !Channel_is_empty(channel, image) && !Channel_has_tx(channel, image))
        return No_tx_cell.text();
    return texts[column].trimmed();
}

QStringList clipboard_values(int channel, int first, int last, const Data_image &image)
{
    const Row_texts texts = Channel_row_texts(channel, image);
    QStringList values;
    for (int column = first; column <= last; ++column)
        values.append(clipboard_value(texts, column, channel, image));
    return values;
}

} // namespace

QString Channels_text(const QList<int> &channels, const Data_image &image)
{
    Tab_rows rows;
    QStringList headings;
    for (int column = 0; column < Grid_column_count; ++column)
        headings.append(Column_title(column).text());
    rows.append(headings);
    for (int channel : channels)
        rows.append(clipboard_values(channel, Number_column, Name_column, image));
    return Tab_text(rows);
}

QString Cells_text(Grid_cell first, Grid_cell last, const Data_image &image)
{
    Tab_rows rows;
    for (int channel = first.row; channel <= last.row; ++channel)
        rows.append(clipboard_values(channel, first.column, last.column, image));
    return Tab_text(rows);
}

Tab_rows Pasted_rows(const QString &text)
{
    const Tab_rows lines = Parse_tab_text(text);
    if (text.contains(QLatin1Char('\t')) || lines.isEmpty())
        return lines;
    const Tab_rows comma_lines = Parse_tab_text(text, QLatin1Char(','));
    return heading_columns(comma_lines.first()) ? comma_lines : lines;
}

Paste_outcome Paste_channel_rows(Tab_rows lines, Grid_cell at, bool whole_channels,
                                 Data_image &image)
{
    QList<int> columns;
    if (const auto named = lines.isEmpty() ? std::nullopt : heading_columns(lines.first())) {
        columns = *named;
        lines.removeFirst();
        at.column = Number_column;
    } else if (whole_channels) {
        qsizetype widest = 0;
        for (const QStringList &line : lines)
            widest = qMax(widest, line.size());
        at.column = widest == Grid_column_count - 1 ? Rx_column : Number_column;
    }
    Paster paster(image);
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
            else if ((columns.isEmpty() || column >= 0) && !lines[line][i].trimmed().isEmpty())
                paster.report.outside_table();
        }
        for (int column : Paste_order) {
            if (value_of[column] < 0)
                continue;
            paster.value(channel, column, lines[line][value_of[column]]);
            outcome.last.row = qMax(outcome.last.row, channel);
            outcome.last.column = qMax(outcome.last.column, column);
        }
    }
    outcome.message = paster.report.message();
    return outcome;
}

void Clear_cells(const QList<Grid_cell> &cells, Data_image &image)
{
    QList<Grid_cell> ordered = cells;
    std::sort(ordered.begin(), ordered.end(), [](Grid_cell a, Grid_cell b) {
        return std::pair(a.row, paste_rank(a.column)) < std::pair(b.row, paste_rank(b.column));
    });
    Paster paster(image);
    for (const Grid_cell &cell : ordered)
        paster.value(cell.row, cell.column, QString());
}

} // namespace r7k
