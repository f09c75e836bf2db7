// Copy, paste and the row commands of the channel table, driven through its
// real widgets: clicks on number cells and cells, the Edit menu's keys into
// the focused widget, and the number cells' menu. What a paste stores value
// by value is covered on the image alone.
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/globals.h"
#include "core/image.h"
#include "message_recorder.h"
#include "real_boxes.h"
#include "started_program.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>

using namespace r7k;
using namespace Qt::StringLiterals;

namespace {

// What the grid shows of a channel, and its name.
QString shown(const QTableWidget *grid, int channel)
{
    QStringList texts;
    for (int column = Rx_column; column < Grid_column_count; ++column)
        texts.append(grid->item(channel - 1, column)->text().trimmed());
    return texts.join(u'|');
}

// Channel n programmed at 440 + n MHz with tones and a name of its own.
void program_channel(int channel, const QString &name)
{
    QVERIFY(!Enter_rx_freq(channel, QString::number(440 + channel * 0.1, 'f', 1), true));
    Store_choice(channel, Decode_column, channel % 50 + 1);
    Store_choice(channel, Encode_column, 160);
    Store_choice(channel, Vox_column, channel % 9);
    QVERIFY(!Store_channel_name(channel, name));
}

} // namespace

class Test_table_commands : public QObject {
    Q_OBJECT

    std::unique_ptr<Main_window> program;

    QTableWidget *grid() const { return program->findChild<QTableWidget *>(u"MSF_chann"_s); }
    QLineEdit *editor() const { return program->findChild<QLineEdit *>(u"Text_Edit"_s); }
    QComboBox *combo() const { return program->findChild<QComboBox *>(u"Combo_edit"_s); }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }

    QPoint centre(int row, int column) const
    {
        QTableWidgetItem *item = grid()->item(row - 1, column);
        grid()->scrollToItem(item);
        return grid()->visualItemRect(item).center();
    }

    void click(int row, int column, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, keys, centre(row, column));
    }

    // A key with Ctrl (and more) into whatever has the focus.
    void ctrl(Qt::Key key, Qt::KeyboardModifiers more = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier | more);
    }

    // Right-clicks a channel's number cell and picks an entry of its menu.
    void row_menu(int channel, const char *entry)
    {
        const QPoint point = centre(channel, Number_column);
        QTest::mouseClick(grid()->viewport(), Qt::RightButton, {}, point);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point,
                                grid()->viewport()->mapToGlobal(point));
        QApplication::sendEvent(grid()->viewport(), &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *action = menu->findChild<QAction *>(QLatin1String(entry));
        QVERIFY(action && action->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    // The channels as the grid shows them, with their names, 1..128.
    QStringList all_shown() const
    {
        QStringList rows;
        for (int channel = 1; channel <= Channel_count; ++channel)
            rows.append(shown(grid(), channel) + u'#' + Channel_name(channel));
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        program = Start_program();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { program.reset(); }

    void copied_rows_pasted_into_empty_rows_give_back_the_same_image_rows()
    {
        program_channel(1, u"一号"_s);
        program_channel(2, u"Two"_s);
        program_channel(3, u"三3"_s);
        program->host().activate_current();

        click(1, Number_column);
        click(3, Number_column, Qt::ShiftModifier);
        QVERIFY(!editor()->isVisible() && !combo()->isVisible());
        QCOMPARE(grid()->selectedItems().size(), 3 * Grid_column_count);
        ctrl(Qt::Key_C);
        QCOMPARE(clipboard().count(u'\n'), 4);
        QVERIFY(clipboard().startsWith(u"信道号\t接收频率(MHZ)\t"_s));

        click(100, Number_column);
        ctrl(Qt::Key_V);
        for (int i = 0; i < 3; ++i)
            for (int column = 0; column < 16; ++column) {
                QCOMPARE(chann(100 + i, column), chann(1 + i, column));
                QCOMPARE(chann(Name_row(100 + i), column), chann(Name_row(1 + i), column));
            }
        QCOMPARE(shown(grid(), 102), shown(grid(), 3));
        QCOMPARE(grid()->selectedItems().size(), 3 * Grid_column_count);
    }

    // Single cells copy and paste as in a spreadsheet: a text cell through
    // its editor, a list cell as the cell itself.
    void single_cells_copy_and_paste()
    {
        program_channel(1, u"A"_s);
        program_channel(5, u"B"_s);
        program->host().activate_current();
        click(1, Rx_column);
        ctrl(Qt::Key_C);
        QCOMPARE(clipboard(), u"440.10000"_s);
        click(9, Rx_column);
        ctrl(Qt::Key_V);
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(shown(grid(), 9).section(u'|', 0, 1), u"440.10000|440.10000"_s);

        click(1, Decode_column);
        QVERIFY(combo()->hasFocus());
        ctrl(Qt::Key_C);
        QCOMPARE(clipboard(), u"69.3\n"_s);
        click(5, Decode_column);
        ctrl(Qt::Key_V);
        QCOMPARE(shown(grid(), 5).section(u'|', 2, 2), u"69.3"_s);

        // Two values pasted into a text editor fill two cells.
        QGuiApplication::clipboard()->setText(u"447\t447.5\n"_s);
        click(6, Rx_column);
        ctrl(Qt::Key_V);
        QCOMPARE(shown(grid(), 6).section(u'|', 0, 1), u"447.00000|447.50000"_s);
    }

    // The report of a paste and the question before channel 128 falls off
    // run as real boxes; the table under them goes on as before.
    void real_boxes_report_and_ask()
    {
        QGuiApplication::clipboard()->setText(u"RX Frequency\tName\r\n999\tX\r\n"_s);
        click(5, Number_column);
        {
            const Real_boxes boxes(Ok_after(0));
            ctrl(Qt::Key_V);
            QCOMPARE(
                boxes.texts,
                QStringList{u"以下数值未粘贴：\n信道 5，接收频率(MHZ)：999（接收频率超出范围 ！）\n"
                            u"信道 5，信道名称：X（请先输入接收频率 ！）"_s});
        }
        program_channel(128, u"末"_s);
        program->host().activate_current();
        const QStringList before = all_shown();
        {
            const Real_boxes boxes([](const QMessageBox &, qint64) { return QMessageBox::No; });
            row_menu(1, "Row_insert");
            QCOMPARE(boxes.texts.size(), 1);
            QVERIFY(boxes.texts.first().startsWith(u"信道 128 已在使用"_s));
            QVERIFY(boxes.overdue.isEmpty());
        }
        QCOMPARE(all_shown(), before);
        QVERIFY(grid()->isVisible());
    }

    // Each command is checked against the same move made on a list of the
    // channels as shown, names included; channel 97 keeps its name in a row
    // of its own.
    void row_commands_keep_names_with_their_channels()
    {
        Message_recorder recorder;
        for (int channel : {1, 2, 3, 96, 97, 127})
            program_channel(channel, u"名"_s + QString::number(channel));
        QVERIFY(!Store_channel_name(50, u"空"_s)); // a name without a channel moves too
        program->host().activate_current();
        QStringList model = all_shown();

        row_menu(96, "Row_down");
        model.swapItemsAt(95, 96);
        QCOMPARE(all_shown(), model);
        QCOMPARE(chann(Spare_name_row, 0) * 256 + chann(Spare_name_row, 1), 0xC3FB); // 名
        row_menu(97, "Row_up");
        model.swapItemsAt(95, 96);
        QCOMPARE(all_shown(), model);
        row_menu(2, "Row_insert");
        model.insert(1, u"|||||||#"_s);
        model.removeLast();
        QCOMPARE(all_shown(), model);
        row_menu(1, "Row_delete");
        model.removeFirst();
        model.append(u"|||||||#"_s);
        QCOMPARE(all_shown(), model);
        QCOMPARE(grid()->currentRow(), 0);
        QVERIFY(recorder.messages.isEmpty());

        // Channel 128 in use: inserting asks first.
        row_menu(127, "Row_down");
        model.swapItemsAt(126, 127);
        recorder.answer = false;
        row_menu(1, "Row_insert");
        QCOMPARE(all_shown(), model);
        recorder.answer = true;
        row_menu(1, "Row_insert");
        model.prepend(u"|||||||#"_s);
        model.removeLast();
        QCOMPARE(all_shown(), model);
        QCOMPARE(recorder.messages.size(), 2);
        QVERIFY(recorder.messages[0].question && recorder.messages[1].question);
        QCOMPARE(recorder.messages[0].text,
                 u"信道 128 已在使用，插入空信道后它将被删除。是否继续？"_s);
    }
};

QTEST_MAIN(Test_table_commands)
#include "test_table_commands.moc"
