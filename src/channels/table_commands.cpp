#include "channels/table_commands.h"

#include "channels/channel_clipboard.h"
#include "channels/channel_record.h"
#include "channels/channel_rows.h"
#include "channels/channel_table.h"
#include "channels/clipboard_rows.h"
#include "channels/tab_text.h"
#include "core/image.h"
#include "core/image_history.h"
#include "ui/messages.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <algorithm>

namespace r7k {

namespace {

const Bilingual Insert_caption{QStringLiteral("插入空信道"),
                               QStringLiteral("Insert empty channel")};
const Bilingual Delete_caption{QStringLiteral("删除信道"), QStringLiteral("Delete channel")};
const Bilingual Up_caption{QStringLiteral("上移"), QStringLiteral("Move up")};
const Bilingual Down_caption{QStringLiteral("下移"), QStringLiteral("Move down")};
const Bilingual Last_channel_in_use{
    QStringLiteral("信道 128 已在使用，插入空信道后它将被删除。是否继续？"),
    QStringLiteral("Channel 128 is in use and will be lost when an empty channel is inserted. "
                   "Continue?")};
const Bilingual Last_channels_in_use{
    QStringLiteral("信道 %1 至 128 中有信道在使用，插入 %2 个空信道后它们将被删除。是否继续？"),
    QStringLiteral("Some of channels %1 to 128 are in use and will be lost when %2 empty "
                   "channels are inserted. Continue?")};

// What Undo and Redo call the commands.
const Bilingual Paste_step{QStringLiteral("粘贴"), QStringLiteral("Paste")};
const Bilingual Clear_cells_step{QStringLiteral("清空单元格"), QStringLiteral("Clear Cells")};
const Bilingual Insert_step{QStringLiteral("插入信道"), QStringLiteral("Insert Channel")};
const Bilingual Delete_step{QStringLiteral("删除信道"), QStringLiteral("Delete Channel")};
const Bilingual Move_step{QStringLiteral("移动信道"), QStringLiteral("Move Channel")};

constexpr int Last_column = Name_column;

bool whole_rows(const QList<QTableWidgetSelectionRange> &ranges)
{
    for (const QTableWidgetSelectionRange &range : ranges)
        if (range.leftColumn() != Number_column || range.rightColumn() != Last_column)
            return false;
    return !ranges.isEmpty();
}

} // namespace

Table_commands::Table_commands(Channel_table &of_table, Image_history &of_history,
                               QTableWidget &its_grid, QLineEdit &its_text_editor,
                               QComboBox &its_drop_down)
    : QObject(&of_table), table(of_table), history(of_history), grid(its_grid),
      text_editor(its_text_editor), drop_down(its_drop_down)
{
    // Installed after the table's own filter, so it sees the keys first.
    for (QObject *editor :
         {static_cast<QObject *>(&text_editor), static_cast<QObject *>(&drop_down),
          static_cast<QObject *>(drop_down.lineEdit())})
        editor->installEventFilter(this);
    grid.setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid, &QTableWidget::cellClicked, this, [this](int, int column) {
        if (column == Number_column)
            select_whole_rows();
    });
    connect(&grid, &QWidget::customContextMenuRequested, this, &Table_commands::show_menu);
}

// A click on a number cell selects its channel; Shift and Ctrl have already
// made the number cells of the other channels wanted selected, or not.
void Table_commands::select_whole_rows()
{
    QItemSelection rows;
    const QModelIndexList selected = grid.selectionModel()->selectedIndexes();
    for (const QModelIndex &index : selected)
        if (index.column() == Number_column)
            rows.select(index, index.siblingAtColumn(Last_column));
    grid.selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void Table_commands::copy()
{
    QList<QTableWidgetSelectionRange> ranges = grid.selectedRanges();
    QString text;
    if (whole_rows(ranges)) {
        QList<int> channels;
        for (const QTableWidgetSelectionRange &range : ranges)
            for (int row = range.topRow(); row <= range.bottomRow(); ++row)
                channels.append(row + 1);
        std::sort(channels.begin(), channels.end());
        text = Channels_text(channels, chann);
    } else {
        // Cells apart from each other are copied with the block around them.
        QRect block(grid.currentColumn(), grid.currentRow(), 1, 1);
        if (!ranges.isEmpty())
            block = {};
        for (const QTableWidgetSelectionRange &range : ranges)
            block |=
                QRect(range.leftColumn(), range.topRow(), range.columnCount(), range.rowCount());
        if (block.top() < 0 || block.left() < 0)
            return;
        text =
            Cells_text({block.top() + 1, block.left()}, {block.bottom() + 1, block.right()}, chann);
    }
    QGuiApplication::clipboard()->setText(text);
}

void Table_commands::paste()
{
    const Tab_rows rows = Clipboard_rows(QGuiApplication::clipboard()->mimeData());
    if (rows.isEmpty())
        return;
    table.commit_pending_edit();
    // As in a spreadsheet: the block that holds the current cell pastes from
    // its first cell, any other place from the current cell.
    Grid_cell at{qMax(grid.currentRow(), 0) + 1, qMax(grid.currentColumn(), 0)};
    bool whole_channels = false;
    for (const QTableWidgetSelectionRange &range : grid.selectedRanges())
        if (range.topRow() < at.row && at.row <= range.bottomRow() + 1 &&
            range.leftColumn() <= at.column && at.column <= range.rightColumn()) {
            at = {range.topRow() + 1, range.leftColumn()};
            whole_channels = whole_rows({range});
        }

    Paste_outcome outcome;
    {
        const Image_step step(history, Paste_step);
        outcome = Paste_channel_rows(rows, at, whole_channels, chann);
    }
    table.show_all_rows();
    grid.setCurrentCell(outcome.first.row - 1, outcome.first.column);
    grid.setRangeSelected(
        {outcome.first.row - 1, outcome.first.column, outcome.last.row - 1, outcome.last.column},
        true);
    if (outcome.message)
        Messages::show(*outcome.message);
}

void Table_commands::clear_selected()
{
    QList<Grid_cell> cells;
    const QModelIndexList selected = grid.selectionModel()->selectedIndexes();
    for (const QModelIndex &index : selected)
        cells.append({index.row() + 1, index.column()});
    if (cells.isEmpty())
        return;
    {
        const Image_step step(history, Clear_cells_step);
        Clear_cells(cells, chann);
    }
    table.show_all_rows();
}

bool Table_commands::selects_only(int row, int column) const
{
    const QModelIndexList selected = grid.selectionModel()->selectedIndexes();
    return selected.size() == 1 && selected.first() == grid.model()->index(row, column);
}

bool Table_commands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        return editor_key(watched, static_cast<QKeyEvent *>(event));
    return false;
}

// The program's Undo, Redo, Copy and Paste (the Edit menu's keys) reach the
// table from the drop-down, which has no text of its own to work on, and Undo
// and Redo from a text editor whose text the user has not changed yet. A
// text editor pastes a single value as typed text, and more into the table.
bool Table_commands::editor_key(QObject *watched, QKeyEvent *key)
{
    const bool in_text = watched == &text_editor;
    const bool history_key = key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo);
    if (key->type() == QEvent::ShortcutOverride) {
        const bool clipboard_key =
            key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste);
        if ((!in_text && (history_key || clipboard_key)) ||
            (in_text && history_key && !text_editor.isModified())) {
            key->ignore();
            return true;
        }
        return false;
    }
    if (!in_text || !key->matches(QKeySequence::Paste))
        return false;
    const Tab_rows values = Pasted_rows(QGuiApplication::clipboard()->text());
    if (values.size() == 1 && values.first().size() == 1)
        text_editor.insert(values.first().first());
    else
        paste();
    return true;
}

// The channels whose rows are selected whole, in order.
QList<int> Table_commands::selected_channels() const
{
    QList<int> channels;
    for (const QTableWidgetSelectionRange &range : grid.selectedRanges())
        if (whole_rows({range}))
            for (int row = range.topRow(); row <= range.bottomRow(); ++row)
                channels.append(row + 1);
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

// The menu acts on the selected channels when the one clicked is among them,
// else on the one clicked.
void Table_commands::show_menu(const QPoint &position)
{
    const QModelIndex index = grid.indexAt(position);
    if (!index.isValid() || index.column() != Number_column)
        return;
    QList<int> channels = selected_channels();
    if (!channels.contains(index.row() + 1)) {
        channels = {index.row() + 1};
        select_channels(channels, Number_column);
    }
    auto *menu = new QMenu(&grid);
    menu->setObjectName(QStringLiteral("Row_menu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const struct {
        const char *name;
        const Bilingual &caption;
        Row_command command;
        bool enabled;
    } items[] = {
        {"Row_insert", Insert_caption, Row_command::Insert, true},
        {"Row_delete", Delete_caption, Row_command::Delete, true},
        {"Row_up", Up_caption, Row_command::Up, channels.first() > 1},
        {"Row_down", Down_caption, Row_command::Down, channels.last() < Channel_count},
    };
    for (const auto &item : items) {
        QAction *action = menu->addAction(item.caption.text());
        action->setObjectName(QLatin1String(item.name));
        action->setEnabled(item.enabled);
        connect(action, &QAction::triggered, this,
                [this, command = item.command, channels] { run(command, channels); });
    }
    menu->popup(grid.viewport()->mapToGlobal(position));
}

// Inserting pushes the last channels off the table: a channel in use among
// them is lost only when the user agrees.
bool Table_commands::may_insert(const QList<int> &channels) const
{
    int first_lost = 0;
    for (int channel = Channel_count; channel >= 1; --channel) {
        const auto shift = std::count_if(channels.begin(), channels.end(),
                                         [channel](int inserted) { return inserted <= channel; });
        if (channel + shift <= Channel_count)
            break;
        if (Channel_in_use(channel, chann))
            first_lost = channel;
    }
    if (first_lost == 0)
        return true;
    if (channels.size() == 1)
        return Messages::ask(Last_channel_in_use);
    const QString count = QString::number(channels.size());
    const QString from = QString::number(Channel_count - channels.size() + 1);
    return Messages::ask({Last_channels_in_use.chinese.arg(from, count),
                          Last_channels_in_use.english.arg(from, count)});
}

void Table_commands::run(Row_command command, QList<int> channels)
{
    table.commit_pending_edit();
    if (command == Row_command::Insert && !may_insert(channels))
        return;
    QList<int> selected = channels;
    {
        const Image_step step(history, command == Row_command::Insert   ? Insert_step
                                       : command == Row_command::Delete ? Delete_step
                                                                        : Move_step);
        // Each channel is handled where the ones before it have left it.
        const bool ascending = command == Row_command::Up;
        for (qsizetype i = 0; i < channels.size(); ++i) {
            const qsizetype at = ascending ? i : channels.size() - 1 - i;
            const int channel = channels[at];
            switch (command) {
            case Row_command::Insert:
                Insert_empty_channel(channel, chann);
                selected[at] = qMin(channel + int(at), Channel_count);
                break;
            case Row_command::Delete:
                Delete_channel(channel, chann);
                selected = {qMin(channels.first(), Channel_count)};
                break;
            case Row_command::Up:
                Swap_channels(channel - 1, channel, chann);
                selected[at] = channel - 1;
                break;
            case Row_command::Down:
                Swap_channels(channel, channel + 1, chann);
                selected[at] = channel + 1;
                break;
            }
        }
    }
    table.show_all_rows();
    select_channels(selected, grid.currentColumn());
}

void Table_commands::select_channels(const QList<int> &channels, int current_column)
{
    grid.setCurrentCell(channels.first() - 1, qMax(current_column, 0));
    grid.clearSelection();
    for (int channel : channels)
        grid.setRangeSelected({channel - 1, Number_column, channel - 1, Last_column}, true);
}

} // namespace r7k
