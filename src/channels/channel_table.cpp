#include "channels/channel_table.h"

#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/typed_key.h"
#include "ui/messages.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace r7k {

namespace {

const Bilingual Clear_caption{QStringLiteral("清除"), QStringLiteral("Clear")};
const Bilingual Close_caption{QStringLiteral("关闭"), QStringLiteral("Close")};
const Bilingual Default_caption{QStringLiteral("默认"), QStringLiteral("Default")};
const Bilingual Caption_start{QStringLiteral("信道参数编辑 [ 信道 - "),
                              QStringLiteral("Channel Information [ Channel - ")};
const QString Caption_end = QStringLiteral(" ]");

bool is_drop_down_column(int column)
{
    return column >= Decode_column && column <= Band_column;
}

QPushButton *button(const char *name, const Bilingual &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption.text(), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

Channel_table::Channel_table(QWidget *parent, Window_host &window_host)
    : QWidget(parent), host(window_host),
      MSF_chann(new QTableWidget(Channel_count, Grid_column_count, this)),
      Text_Edit(new QLineEdit(MSF_chann->viewport())),
      Combo_edit(new QComboBox(MSF_chann->viewport()))
{
    setObjectName(QStringLiteral("frm_chann"));
    MSF_chann->setObjectName(QStringLiteral("MSF_chann"));
    Text_Edit->setObjectName(QStringLiteral("Text_Edit"));
    Combo_edit->setObjectName(QStringLiteral("Combo_edit"));

    // The list is editable only so that it looks and behaves like a text box
    // under the cell; anything typed into it is undone at once.
    Combo_edit->setEditable(true);
    Combo_edit->setInsertPolicy(QComboBox::NoInsert);
    Combo_edit->setCompleter(nullptr);
    Combo_edit->setMaxVisibleItems(16);
    for (QWidget *watched :
         {static_cast<QWidget *>(MSF_chann), static_cast<QWidget *>(Text_Edit),
          static_cast<QWidget *>(Combo_edit), static_cast<QWidget *>(Combo_edit->lineEdit())})
        watched->installEventFilter(this);
    hide_editors();

    QPushButton *clear = button("Command_clear", Clear_caption, this);
    QPushButton *defaults = button("Command_default", Default_caption, this);
    QPushButton *close = button("Command_close", Close_caption, this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {clear, defaults, close})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MSF_chann);
    layout->addLayout(buttons);

    build_grid();

    connect(clear, &QPushButton::clicked, this, &Channel_table::clear_all);
    connect(defaults, &QPushButton::clicked, this, &Channel_table::load_defaults);
    connect(close, &QPushButton::clicked, this, &Channel_table::close_table);
    connect(MSF_chann, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { current_cell_changed(row, column); });
    connect(MSF_chann, &QTableWidget::cellClicked, this, [this](int row, int column) {
        Begin_cell_edit(row + 1, column);
        Cur_chann = qint16(row + 1);
        show_caption();
    });
    connect(Combo_edit, &QComboBox::activated, this, &Channel_table::store_choice);
    connect(Combo_edit->lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (Combo_edit->isVisible()) {
            Combo_edit->setEditText(Old_text);
            Combo_edit->setFocus();
        }
    });
    // A floating editor would stay where its cell was. Its text stays, to be
    // stored when the cell is left.
    for (QScrollBar *bar : {MSF_chann->verticalScrollBar(), MSF_chann->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            take_keyboard_from_editors();
            Text_Edit->hide();
            Combo_edit->hide();
        });

    Cur_chann = 1;
    show_all_rows();
    show_caption();
}

// Sized from the main window's document area once that is laid out: at
// start-up the table opens before the main window is shown.
void Channel_table::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (placed || !sub)
        return;
    placed = true;
    sub->resize(host.document_area()->size() * 0.9);
}

void Channel_table::build_grid()
{
    MSF_chann->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSF_chann->setSelectionMode(QAbstractItemView::SingleSelection);
    MSF_chann->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    MSF_chann->verticalHeader()->hide();

    const QStringList headers = Channel_column_titles();
    MSF_chann->setHorizontalHeaderLabels(headers);
    const QFontMetrics metrics = MSF_chann->horizontalHeader()->fontMetrics();
    const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    for (int column = 0; column < Grid_column_count; ++column)
        MSF_chann->setColumnWidth(column, metrics.horizontalAdvance(headers[column]) + margin);

    // Rows as tall as the editors, so that they cover their cell exactly.
    const int height = qMax(Combo_edit->sizeHint().height(), Text_Edit->sizeHint().height());
    MSF_chann->verticalHeader()->setMinimumSectionSize(height);
    MSF_chann->verticalHeader()->setDefaultSectionSize(height);

    for (int row = 0; row < Channel_count; ++row) {
        for (int column = 0; column < Grid_column_count; ++column) {
            auto *item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(Qt::AlignCenter);
            MSF_chann->setItem(row, column, item);
        }
        MSF_chann->item(row, Number_column)->setText(QString::number(row + 1));
    }
}

void Channel_table::activated()
{
    show_all_rows();
    // A read or a file load replaced the cell under the open text editor: what
    // the editor holds belongs to the old contents and must not overwrite them.
    // (A list choice is stored the moment it is made, so a list has nothing
    // to hold back.)
    if (editing && !is_drop_down_column(Edit_col) &&
        MSF_chann->item(Edit_row - 1, Edit_col)->text() != text_at_open)
        drop_edit();
}

void Channel_table::commit_pending_edit()
{
    Commit_cell_edit();
}

void Channel_table::Show_channel_row(int channel)
{
    const Row_texts texts = Channel_row_texts(channel);
    for (int column = Rx_column; column < Grid_column_count; ++column) {
        QTableWidgetItem *item = MSF_chann->item(channel - 1, column);
        if (item->text() != texts[column])
            item->setText(texts[column]);
    }
}

void Channel_table::show_all_rows()
{
    for (int channel = 1; channel <= Channel_count; ++channel)
        Show_channel_row(channel);
}

void Channel_table::show_caption()
{
    setWindowTitle(Caption_start.text() + QString::number(Cur_chann) + Caption_end);
}

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
    // An empty channel has nothing else to edit, nor has the encode tone of
    // a channel that does not transmit.
    if (Channel_is_empty(row) || (column == Encode_column && !Channel_has_tx(row)))
        return;
    if (is_drop_down_column(column))
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
    if (Edit_col == Rx_column)
        message = Enter_rx_freq(channel, text, by_enter);
    else if (Edit_col == Tx_column)
        message = Enter_tx_freq(channel, text);
    else if (Edit_col == Name_column && text != text_at_open)
        message = Store_channel_name(channel, text);
    // A list choice is already in the image; the row shows the image in any
    // case, so the grid never holds a text of its own.
    Show_channel_row(channel);
    hide_editors();
    report(message);
}

void Channel_table::store_choice(int index)
{
    if (!editing || !is_drop_down_column(Edit_col))
        return;
    Old_text = Combo_edit->currentText();
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

void Channel_table::report(const std::optional<Bilingual> &message)
{
    if (message)
        Messages::show(*message);
}

void Channel_table::clear_all()
{
    drop_edit();
    Clear_all_channels();
    show_all_rows();
}

void Channel_table::load_defaults()
{
    // The defaults fill channels 1..16 only: an edit elsewhere must survive.
    Commit_cell_edit();
    Load_default_image();
    show_all_rows();
}

void Channel_table::close_table()
{
    Commit_cell_edit();
    host.close(Window_id::Open_chann);
    host.close(Window_id::Save_chann);
    Close_window(this);
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

bool Channel_table::eventFilter(QObject *watched, QEvent *event)
{
    const bool in_drop_down = watched == Combo_edit || watched == Combo_edit->lineEdit();
    if (event->type() == QEvent::FocusIn && in_drop_down) {
        Old_text = Combo_edit->currentText();
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
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
