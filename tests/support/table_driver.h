#pragma once

#include "channels/cell_editing.h"
#include "channels/channel_record.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <memory>

// The base of the tests that drive the channel table as a user does: clicks
// on its cells, keys into whatever has the focus. Rows count from 1, as the
// channels do.
class Table_driver : public QObject {
protected:
    std::unique_ptr<r7k::Main_window> program;

    QTableWidget *grid() const { return program->findChild<QTableWidget *>("MSF_chann"); }
    QLineEdit *editor() const { return program->findChild<QLineEdit *>("Text_Edit"); }
    QComboBox *combo() const { return program->findChild<QComboBox *>("Combo_edit"); }
    r7k::Grid_cell current() const { return {grid()->currentRow() + 1, grid()->currentColumn()}; }

    // A cell's centre, scrolled into view first: clicks are not hit-tested.
    QPoint centre(int row, int column) const
    {
        QTableWidgetItem *item = grid()->item(row - 1, column);
        grid()->scrollToItem(item);
        return grid()->visualItemRect(item).center();
    }
    void click(int row, int column, Qt::KeyboardModifiers keys = {},
               Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(grid()->viewport(), button, keys, centre(row, column));
    }
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void keys(std::initializer_list<Qt::Key> sequence)
    {
        for (Qt::Key each : sequence)
            key(each);
    }

    // Picks list entry `index` from the drop-down's popup with the mouse.
    void choose(int index) const
    {
        combo()->showPopup();
        QAbstractItemView *list = combo()->view();
        list->scrollTo(list->model()->index(index, 0));
        const QPoint centre = list->visualRect(list->model()->index(index, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTRY_VERIFY(!list->isVisible());
    }

    // Right-clicks a channel's number cell: the menu that opens.
    QMenu *number_menu(int channel) const
    {
        const QPoint point = centre(channel, r7k::Number_column);
        QTest::mouseClick(grid()->viewport(), Qt::RightButton, {}, point);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point,
                                grid()->viewport()->mapToGlobal(point));
        QApplication::sendEvent(grid()->viewport(), &event);
        return qobject_cast<QMenu *>(QApplication::activePopupWidget());
    }

    // What the grid shows of a channel, columns 1..8 trimmed and joined by '|'.
    QString shown(int channel) const
    {
        QStringList texts;
        for (int column = r7k::Rx_column; column < r7k::Grid_column_count; ++column)
            texts.append(grid()->item(channel - 1, column)->text().trimmed());
        return texts.join(u'|');
    }
};
