#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "channels/channel_table.h"
#include "channels/table_commands.h"
#include "core/globals.h"
#include "core/image_history.h"
#include "core/typed_key.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>

namespace r7k {

namespace {

const Bilingual Typing_step{QStringLiteral("输入"), QStringLiteral("Typing")};

} // namespace

// The channel table's editing in place: the text editor and the drop-down
// that float over a cell, what opens them, what a key does in them, and what
// leaving a cell stores.

void Channel_table::Begin_cell_edit(int row, int column)
{
    hide_editors();
    Edit_row = row;
    Edit_col = column;
    Old_text = MSF_chann->item(row - 1, column)->text();
    text_at_open = Old_text;
    if (column == Rx_column || column == Tx_column) {
        open_text_editor();
        return;
    }
    if (!Cell_editable(row, column))
        return;
    if (Is_list_column(column))
        open_drop_down();
    else if (column == Name_column)
        open_text_editor();
}

void Channel_table::open_text_editor()
{
    QTableWidgetItem *item = MSF_chann->item(Edit_row - 1, Edit_col);
    Text_Edit->setGeometry(MSF_chann->visualItemRect(item));
    Text_Edit->setText(item->text());
    Text_Edit->selectAll();
    Text_Edit->show();
    Text_Edit->setFocus();
    editing = true;
}

void Channel_table::open_drop_down()
{
    QTableWidgetItem *item = MSF_chann->item(Edit_row - 1, Edit_col);
    const QRect cell = MSF_chann->visualItemRect(item);
    Combo_edit->setGeometry(cell.x(), cell.y(), cell.width(), Combo_edit->sizeHint().height());
    Combo_edit->clear();
    Combo_edit->addItems(Choice_items(Edit_col));
    Combo_edit->setCurrentIndex(Combo_edit->findText(item->text().trimmed()));
    Combo_edit->setEditText(item->text());
    Combo_edit->show();
    Combo_edit->setFocus();
    editing = true;
}

void Channel_table::Commit_cell_edit(bool by_enter)
{
    if (!editing)
        return;
    editing = false;
    const int channel = Edit_row;
    Cur_chann = qint16(channel);
    take_keyboard_from_editors();
    Text_Edit->hide();
    const QString text = Text_Edit->text();
    std::optional<Bilingual> message;
    {
        const Image_step step(host.history(), Typing_step);
        if (Edit_col == Rx_column)
            message = Enter_rx_freq(channel, text, by_enter);
        else if (Edit_col == Tx_column)
            message = Enter_tx_freq(channel, text);
        else if (Edit_col == Name_column && text != text_at_open)
            message = Store_channel_name(channel, text);
        // An input method may commit more characters than the keys let through.
        if (Edit_col == Name_column && text != text_at_open && !message)
            message = Name_cut_notice(text);
    }
    // A list choice is already in the image; the row shows the image in any
    // case, so the grid never holds a text of its own.
    Show_channel_row(channel);
    hide_editors();
    report(message);
}

void Channel_table::store_choice(int index)
{
    if (!editing || !Is_list_column(Edit_col))
        return;
    Old_text = Combo_edit->currentText();
    const Image_step step(host.history(), Typing_step);
    Store_choice(Edit_row, Edit_col, index);
}

void Channel_table::enter_pressed()
{
    if (!editing)
        return;
    const Grid_cell from{Edit_row, Edit_col};
    Commit_cell_edit(true);
    move_to(Enter_target(from));
}

void Channel_table::move_to(Grid_cell cell)
{
    MSF_chann->setCurrentCell(cell.row - 1, cell.column);
    Begin_cell_edit(cell.row, cell.column);
}

void Channel_table::current_cell_changed(int row, int column)
{
    Q_UNUSED(column);
    // Only a cell whose editor was opened is stored when it is left: moving
    // through the grid with the keyboard changes nothing.
    Commit_cell_edit();
    if (row >= 0) {
        Cur_chann = qint16(row + 1);
        show_caption();
    }
}

void Channel_table::drop_edit()
{
    editing = false;
    Old_text.clear();
    hide_editors();
}

// A hidden editor that had the keyboard would hand it on along the focus
// chain, which inside the grid is one more move of the current cell, and
// keep it meanwhile: the grid takes it first, so that what is typed next goes
// to the highlighted cell.
void Channel_table::take_keyboard_from_editors()
{
    if (MSF_chann->viewport()->isAncestorOf(QApplication::focusWidget()))
        MSF_chann->setFocus();
}

void Channel_table::hide_editors()
{
    take_keyboard_from_editors();
    Text_Edit->hide();
    Text_Edit->clear();
    Combo_edit->hide();
    Combo_edit->clear();
    Combo_edit->setEditText(QString());
}

// A character typed while the grid has the keyboard opens the editor of the
// highlighted cell and goes into it; a cell without an editor takes nothing
// (the grid does not search its cells either).
void Channel_table::type_into_current_cell(QKeyEvent *key)
{
    if (MSF_chann->currentRow() < 0)
        return;
    Begin_cell_edit(MSF_chann->currentRow() + 1, MSF_chann->currentColumn());
    if (editing)
        QCoreApplication::sendEvent(QApplication::focusWidget(), key);
}

// Keys that work as in a spreadsheet besides typing: F2 opens the editor of
// the current cell, Escape closes an open one without storing its text,
// Delete and Backspace empty the selected cells, and Shift with an arrow
// extends the selection from any cell, one with an open editor too (Left and
// Right keep selecting the text of a text editor).
bool Channel_table::spreadsheet_key(QObject *watched, QKeyEvent *key)
{
    const bool in_grid = watched == MSF_chann && QApplication::focusWidget() == MSF_chann;
    const bool in_editor = watched != MSF_chann && editing;
    switch (key->key()) {
    case Qt::Key_F2:
        if (!in_grid || MSF_chann->currentRow() < 0)
            return false;
        Begin_cell_edit(MSF_chann->currentRow() + 1, MSF_chann->currentColumn());
        return true;
    case Qt::Key_Escape:
        if (!in_editor)
            return false;
        drop_edit();
        Show_channel_row(Edit_row);
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (!in_grid)
            return false;
        commands->clear_selected();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (watched == Text_Edit)
            return false;
        [[fallthrough]];
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!in_editor || !(key->modifiers() & Qt::ShiftModifier))
            return false;
        Commit_cell_edit();
        QCoreApplication::sendEvent(MSF_chann, key);
        return true;
    default:
        return false;
    }
}

bool Channel_table::eventFilter(QObject *watched, QEvent *event)
{
    const bool in_drop_down = watched == Combo_edit || watched == Combo_edit->lineEdit();
    if (event->type() == QEvent::FocusIn && in_drop_down) {
        Old_text = Combo_edit->currentText();
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (spreadsheet_key(watched, key))
            return true;
        const QChar typed = Typed_character(key->key(), key->modifiers(), key->text());
        if (watched == MSF_chann) {
            if (!typed.isPrint() || QApplication::focusWidget() != MSF_chann)
                return false;
            type_into_current_cell(key);
            return true;
        }
        if (watched == Text_Edit) {
            const QString before = Text_before_typing(
                Text_Edit->text(), Text_Edit->selectionStart(), Text_Edit->selectionLength());
            const int length = int(before.trimmed().size());
            if (!Text_key_allowed(Edit_col, length, typed))
                return true;
        }
        if (typed == Enter_key && (watched == Text_Edit || in_drop_down)) {
            enter_pressed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace r7k
