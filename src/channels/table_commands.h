#pragma once

#include <QList>
#include <QObject>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPoint;
class QTableWidget;

namespace r7k {

class Channel_table;
class Image_history;

// What the channel grid offers beyond editing one cell: whole channels
// selected by their number cells (Shift and Ctrl for more), copy and paste
// through the clipboard as a spreadsheet does, and the number cells' menu
// that inserts, deletes and moves channels. Every change goes through the
// channel rules and is one step of the image's history.
class Table_commands : public QObject {
    Q_OBJECT
public:
    Table_commands(Channel_table &of_table, Image_history &of_history, QTableWidget &its_grid,
                   QLineEdit &its_text_editor, QComboBox &its_drop_down);

    // The selected cells, or the selected channels with a heading line.
    void copy();
    // The clipboard's values into the table from the current cell, or from
    // the first cell of the selected block that holds it.
    void paste();
    // Empties the selected cells as one step.
    void clear_selected();

    // Whether a click on the cell left it the only one selected: a click that
    // selects more (Shift, Ctrl) opens no editor.
    bool selects_only(int row, int column) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Row_command { Insert, Delete, Up, Down };

    void select_whole_rows();
    QList<int> selected_channels() const;
    void show_menu(const QPoint &position);
    void run(Row_command command, QList<int> channels);
    bool may_insert(const QList<int> &channels) const;
    void select_channels(const QList<int> &channels, int current_column);
    bool editor_key(QObject *watched, QKeyEvent *key);

    Channel_table &table;
    Image_history &history;
    QTableWidget &grid;
    QLineEdit &text_editor;
    QComboBox &drop_down;
};

} // namespace r7k
