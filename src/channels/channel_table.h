#pragma once

#include "channels/cell_editing.h"
#include "core/bilingual.h"
#include "ui/window_host.h"

#include <QWidget>
#include <optional>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QTableWidget;

namespace r7k {

class Table_commands;

// frm_chann: the 128 channels as one grid, edited in place. A text editor
// floats over the frequency and name cells, a drop-down over the tone, power,
// VOX and bandwidth cells; every accepted change goes straight into the image
// and the row is rebuilt from there.
class Channel_table : public QWidget, public Image_view {
    Q_OBJECT
public:
    // Closing the table closes the file dialogs of `window_host` too; the table
    // takes its size from the host's document area.
    Channel_table(QWidget *parent, Window_host &window_host);

    // Rebuilds all 128 rows, so a read or a file load shows at once.
    void activated() override;
    void commit_pending_edit() override;
    void copy() override;
    void paste() override;

    // Rebuilds grid row n from channel n of the image.
    void Show_channel_row(int channel);
    void show_all_rows();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void build_grid();
    void show_caption();
    void cell_clicked(int row, int column);

    void Begin_cell_edit(int row, int column);
    void open_text_editor();
    void open_drop_down();
    // Stores the edit of the open editor, if any, and closes it. Enter stores
    // an RX frequency with TX following it into a channel that has none.
    void Commit_cell_edit(bool by_enter = false);
    void store_choice(int index);
    void enter_pressed();
    void move_to(Grid_cell cell);
    void current_cell_changed(int row, int column);
    void type_into_current_cell(QKeyEvent *key);
    bool spreadsheet_key(QObject *watched, QKeyEvent *key);
    void drop_edit();
    void take_keyboard_from_editors();
    void hide_editors();
    void report(const std::optional<Bilingual> &message);

    void clear_all();
    void load_defaults();
    void close_table();

    Window_host &host;
    qint16 Cur_chann = 1; // channel clicked or edited last, 1..128, named in the caption
    QTableWidget *MSF_chann;
    QLineEdit *Text_Edit;
    QComboBox *Combo_edit;
    Table_commands *commands;

    // The cell whose editor is open; `editing` is false while none is.
    int Edit_row = 1;
    int Edit_col = 0;
    bool editing = false;
    QString Old_text;
    QString text_at_open; // the cell's text when its editor opened
    bool placed = false;
};

} // namespace r7k
