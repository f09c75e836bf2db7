#include "channels/channel_table.h"

#include "channels/channel_record.h"
#include "channels/table_commands.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/image_history.h"
#include "ui/messages.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
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
const Bilingual Clear_step{QStringLiteral("清除"), QStringLiteral("Clear")};
const Bilingual Default_step{QStringLiteral("默认"), QStringLiteral("Default")};

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
    commands = new Table_commands(*this, host.history(), *MSF_chann, *Text_Edit, *Combo_edit);

    connect(clear, &QPushButton::clicked, this, &Channel_table::clear_all);
    connect(defaults, &QPushButton::clicked, this, &Channel_table::load_defaults);
    connect(close, &QPushButton::clicked, this, &Channel_table::close_table);
    connect(MSF_chann, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { current_cell_changed(row, column); });
    connect(MSF_chann, &QTableWidget::cellClicked, this, &Channel_table::cell_clicked);
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
    MSF_chann->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    MSF_chann->verticalHeader()->hide();

    const QStringList headers = Channel_column_titles();
    MSF_chann->setHorizontalHeaderLabels(headers);
    // The heading of a column with a selected cell turns bold: it must fit then too.
    QFont bold = MSF_chann->horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
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
    if (editing && !Is_list_column(Edit_col) &&
        MSF_chann->item(Edit_row - 1, Edit_col)->text() != text_at_open)
        drop_edit();
}

void Channel_table::commit_pending_edit()
{
    Commit_cell_edit();
}

void Channel_table::copy()
{
    commands->copy();
}

void Channel_table::paste()
{
    commands->paste();
}

void Channel_table::Show_channel_row(int channel)
{
    Tidy_empty_channel(channel);
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

void Channel_table::cell_clicked(int row, int column)
{
    if (commands->selects_only(row, column))
        Begin_cell_edit(row + 1, column);
    Cur_chann = qint16(row + 1);
    show_caption();
}

void Channel_table::report(const std::optional<Bilingual> &message)
{
    if (message)
        Messages::show(*message);
}

void Channel_table::clear_all()
{
    drop_edit();
    {
        const Image_step step(host.history(), Clear_step);
        Clear_all_channels();
    }
    show_all_rows();
}

void Channel_table::load_defaults()
{
    // The defaults fill channels 1..16 only: an edit elsewhere must survive.
    Commit_cell_edit();
    {
        const Image_step step(host.history(), Default_step);
        Load_default_image();
    }
    show_all_rows();
}

void Channel_table::close_table()
{
    Commit_cell_edit();
    host.close(Window_id::Open_chann);
    host.close(Window_id::Save_chann);
    Close_window(this);
}

} // namespace r7k
