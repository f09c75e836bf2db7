#pragma once

#include <QObject>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPoint;
class QTableWidget;

namespace r7k {

class Channel_table;

// What the channel grid offers beyond editing one cell: whole channels
// selected by their number cells (Shift and Ctrl for more), copy and paste
// through the clipboard as a spreadsheet does, and the number cells' menu
// that inserts, deletes and moves channels. Every change goes through the
// channel rules and is one step of the image's history.
class Table_commands : public QObject {
    Q_OBJECT
public:
    Table_commands(Channel_table &of_table, QTableWidget &its_grid, QLineEdit &its_text_editor,
                   QComboBox &its_drop_down);

    // The selected cells, or the selected channels with a heading line.
    void copy();
    // The clipboard's values into the table from the selection's first cell.
    void paste();

    // Whether a click on the cell left it the only one selected: a click that
    // selects more (Shift, Ctrl) opens no editor.
    bool selects_only(int row, int column) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Row_command { Insert, Delete, Up, Down };

    void select_whole_rows();
    void show_menu(const QPoint &position);
    void run(Row_command command, int channel);
    void select_rows(int first, int last, int current_column);
    bool editor_key(QObject *watched, QKeyEvent *key);

    Channel_table &table;
    QTableWidget &grid;
    QLineEdit &text_editor;
    QComboBox &drop_down;
};

} // namespace r7k
