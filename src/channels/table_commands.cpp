#include "channels/table_commands.h"

#include "channels/channel_clipboard.h"
#include "channels/channel_record.h"
#include "channels/channel_rows.h"
#include "channels/channel_table.h"
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

constexpr int Last_column = Name_column;

bool whole_rows(const QList<QTableWidgetSelectionRange> &ranges)
{
    for (const QTableWidgetSelectionRange &range : ranges)
        if (range.leftColumn() != Number_column || range.rightColumn() != Last_column)
            return false;
    return !ranges.isEmpty();
}

} // namespace

Table_commands::Table_commands(Channel_table &of_table, QTableWidget &its_grid,
                               QLineEdit &its_text_editor, QComboBox &its_drop_down)
    : QObject(&of_table), table(of_table), grid(its_grid), text_editor(its_text_editor),
      drop_down(its_drop_down)
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
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    table.commit_pending_edit();
    const QList<QTableWidgetSelectionRange> ranges = grid.selectedRanges();
    Grid_cell at{qMax(grid.currentRow(), 0) + 1, qMax(grid.currentColumn(), 0)};
    for (const QTableWidgetSelectionRange &range : ranges)
        at = {qMin(at.row, range.topRow() + 1), qMin(at.column, range.leftColumn())};
    if (whole_rows(ranges))
        at.column = Number_column;

    Paste_outcome outcome;
    {
        const Image_step step;
        outcome = Paste_channels_text(text, at, chann);
    }
    table.show_all_rows();
    grid.setCurrentCell(outcome.first.row - 1, outcome.first.column);
    grid.setRangeSelected(
        {outcome.first.row - 1, outcome.first.column, outcome.last.row - 1, outcome.last.column},
        true);
    if (outcome.message)
        Messages::show(*outcome.message);
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
    const Tab_rows values = Parse_tab_text(QGuiApplication::clipboard()->text());
    if (values.size() == 1 && values.first().size() == 1)
        text_editor.insert(values.first().first());
    else
        paste();
    return true;
}

void Table_commands::show_menu(const QPoint &position)
{
    const QModelIndex index = grid.indexAt(position);
    if (!index.isValid() || index.column() != Number_column)
        return;
    const int channel = index.row() + 1;
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
        {"Row_up", Up_caption, Row_command::Up, channel > 1},
        {"Row_down", Down_caption, Row_command::Down, channel < Channel_count},
    };
    for (const auto &item : items) {
        QAction *action = menu->addAction(item.caption.text());
        action->setObjectName(QLatin1String(item.name));
        action->setEnabled(item.enabled);
        connect(action, &QAction::triggered, this,
                [this, command = item.command, channel] { run(command, channel); });
    }
    grid.setCurrentCell(index.row(), Number_column);
    select_rows(channel, channel, Number_column);
    menu->popup(grid.viewport()->mapToGlobal(position));
}

void Table_commands::run(Row_command command, int channel)
{
    table.commit_pending_edit();
    if (command == Row_command::Insert && Channel_in_use(Channel_count, chann) &&
        !Messages::ask(Last_channel_in_use))
        return;
    int moved_to = channel;
    {
        const Image_step step;
        switch (command) {
        case Row_command::Insert:
            Insert_empty_channel(channel, chann);
            break;
        case Row_command::Delete:
            Delete_channel(channel, chann);
            break;
        case Row_command::Up:
            moved_to = channel - 1;
            Swap_channels(moved_to, channel, chann);
            break;
        case Row_command::Down:
            moved_to = channel + 1;
            Swap_channels(channel, moved_to, chann);
            break;
        }
    }
    table.show_all_rows();
    select_rows(moved_to, moved_to, grid.currentColumn());
}

void Table_commands::select_rows(int first, int last, int current_column)
{
    grid.setCurrentCell(first - 1, qMax(current_column, 0));
    grid.clearSelection();
    grid.setRangeSelected({first - 1, Number_column, last - 1, Last_column}, true);
}

} // namespace r7k
