// Copy, paste and the row commands of the channel table, driven through its
// real widgets: clicks on number cells and cells, the Edit menu's keys into
// the focused widget, and the number cells' menu. What a paste stores value
// by value is covered on the image alone.
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "core/globals.h"
#include "core/image.h"
#include "image_rows.h"
#include "message_recorder.h"
#include "started_program.h"
#include "table_driver.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>

using namespace r7k;
using namespace Qt::StringLiterals;

namespace {

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

class Test_table_commands : public Table_driver {
    Q_OBJECT

    QString clipboard() const { return QGuiApplication::clipboard()->text(); }

    static void ctrl(Qt::Key key, Qt::KeyboardModifiers more = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier | more);
    }

    // Makes a cell the current one with the keyboard left to the grid: the
    // click opens the cell's editor, Escape closes it again.
    void select_cell(int row, int column)
    {
        click(row, column);
        key(Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), grid());
    }

    // Right-clicks a channel's number cell: the entry of its menu.
    QAction *menu_entry(int channel, const char *entry)
    {
        QMenu *menu = number_menu(channel);
        return menu ? menu->findChild<QAction *>(QLatin1String(entry)) : nullptr;
    }

    // Picks an entry of a channel's menu.
    void row_menu(int channel, const char *entry)
    {
        QAction *action = menu_entry(channel, entry);
        QVERIFY(action && action->isEnabled());
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    // The channels as the grid shows them, with their names, 1..128.
    QStringList all_shown() const
    {
        QStringList rows;
        for (int channel = 1; channel <= Channel_count; ++channel)
            rows.append(shown(channel) + u'#' + Channel_name(channel));
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        program = Start_program();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { program.reset(); }

    void rows_and_single_cells_copy_and_paste()
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
            QCOMPARE(cells(100 + i, 0, 15) + cells(Name_row(100 + i), 0, 15),
                     cells(1 + i, 0, 15) + cells(Name_row(1 + i), 0, 15));
        QCOMPARE(shown(102), shown(3));
        QCOMPARE(grid()->selectedItems().size(), 3 * Grid_column_count);

        // Single cells copy and paste as in a spreadsheet: a text cell through
        // its editor, a list cell as the cell itself.
        program_channel(5, u"B"_s);
        program->host().activate_current();
        click(1, Rx_column);
        ctrl(Qt::Key_C);
        QCOMPARE(clipboard(), u"440.10000"_s);
        click(9, Rx_column);
        ctrl(Qt::Key_V);
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(shown(9).section(u'|', 0, 1), u"440.10000|440.10000"_s);

        click(1, Decode_column);
        QVERIFY(combo()->hasFocus());
        ctrl(Qt::Key_C);
        QCOMPARE(clipboard(), u"69.3\n"_s);
        click(5, Decode_column);
        ctrl(Qt::Key_V);
        QCOMPARE(shown(5).section(u'|', 2, 2), u"69.3"_s);

        // Two values pasted into a text editor fill two cells.
        QGuiApplication::clipboard()->setText(u"447\t447.5\n"_s);
        click(6, Rx_column);
        ctrl(Qt::Key_V);
        QCOMPARE(shown(6).section(u'|', 0, 1), u"447.00000|447.50000"_s);
    }

    // Whatever the cells of a spreadsheet say goes into channel 5, which has
    // a value in every column: empty cells clear, names are checked, the
    // clipboard may hold comma-separated text or only an HTML table.
    // Channel 5, clicked in `column` (the number cell selects the whole
    // channel), as shown afterwards; the clipboard holds plain text, or only
    // an HTML table.
    void a_paste_does_what_the_cells_say_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("report");
        const auto row = [](const char *tag, int column, const QString &text, const QString &shown,
                            const QString &report = {}) {
            QTest::newRow(tag) << column << text << shown << report;
        };
        const QString as_was = u"440.50000|440.50000|88.5|D036I|低|5|窄带|Old"_s;
        row("empty cells", Rx_column, u"441\t\t\t\t\t\t\t\n"_s,
            u"441.00000|440.50000|关|关|高|关|宽带|"_s);
        row("eight values into a whole channel", Number_column,
            u"441\t442\t67\t\t低\t3\t窄带\tNew\n"_s,
            u"441.00000|442.00000|67.0|关|低|3|窄带|New"_s);
        row("no TX", Tx_column, u"no tx"_s, u"440.50000||88.5||低|5|窄带|Old"_s);
        row("the last CTCSS tone as a number", Decode_column, u"254.10"_s,
            u"440.50000|440.50000|254.1|D036I|低|5|窄带|Old"_s);
        row("one value equal to a heading", Name_column, u"Name\n"_s,
            u"440.50000|440.50000|88.5|D036I|低|5|窄带|Name"_s);
        row("control character", Name_column, u"\"A\tB\"\n"_s, as_was,
            u"以下数值未粘贴：\n信道 5，信道名称：A\tB（信道名称中有控制字符（如制表符、换行符）！）"_s);
        row("long name", Name_column, u"ABCDEFGHIJ\n"_s,
            u"440.50000|440.50000|88.5|D036I|低|5|窄带|ABCDEFGH"_s,
            u"以下名称被截短：\n信道 5，信道名称：ABCDEFGHIJ（信道名称最多 8 个字符，只保留了“ABCDEFGH”）"_s);
        row("comma-separated", Rx_column, u"RX Frequency,Name\r\n441,\"C,1\"\r\n"_s,
            u"441.00000|440.50000|88.5|D036I|低|5|窄带|C,1"_s);
        row("HTML table only", Rx_column, u"<table><tr><td>441</td><td> 443 </td></tr></table>"_s,
            u"441.00000|443.00000|88.5|D036I|低|5|窄带|Old"_s);
        row("unreadable", Rx_column, u"Dear all, see below.\nThanks\n"_s, as_was,
            u"剪贴板中的文本不是信道表，未粘贴任何数值 ！"_s);
    }
    void a_paste_does_what_the_cells_say()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, row);
        QFETCH(QString, report);
        Message_recorder recorder;
        program_channel(5, u"Old"_s);
        Store_choice(5, Decode_column, 9);
        Store_choice(5, Power_column, 0);
        Store_choice(5, Band_column, 0);
        program->host().activate_current();
        auto *data = new QMimeData;
        if (text.startsWith(u"<table>"_s))
            data->setHtml(text);
        else
            data->setText(text);
        QGuiApplication::clipboard()->setMimeData(data);
        if (column == Number_column)
            click(5, Number_column);
        else
            select_cell(5, column);
        ctrl(Qt::Key_V);
        QCOMPARE(shown(5), row);
        QCOMPARE(recorder.texts().join(u"\n--\n"_s), report);
        QCOMPARE(Channel_has_tx(5), row.section(u'|', 1, 1) != QString());
    }

    // After moving with the keyboard the paste goes to the current cell, not
    // to the cell selected before.
    void pastes_go_to_the_current_cell_and_keys_edit_as_in_a_spreadsheet()
    {
        Message_recorder recorder;
        QGuiApplication::clipboard()->setText(u"446\t447\n"_s);
        const std::pair<Qt::Key, Qt::KeyboardModifiers> moves[] = {
            {Qt::Key_End, Qt::ControlModifier},
            {Qt::Key_Home, Qt::ControlModifier},
            {Qt::Key_PageDown, {}},
        };
        for (const auto &[key, modifiers] : moves) {
            select_cell(3, Rx_column);
            this->key(key, modifiers);
            const Grid_cell target = current();
            QVERIFY(target.row != 3);
            ctrl(Qt::Key_V);
            QCOMPARE(current(), target);
            QCOMPARE(shown(3), u"|||||||"_s);
        }

        // The report lists 20 refused values and counts the rest.
        QGuiApplication::clipboard()->setText(u"999\n"_s.repeated(21));
        select_cell(5, Rx_column);
        ctrl(Qt::Key_V);
        const QStringList lines = recorder.texts().last().split(u'\n');
        QCOMPARE(lines.size(), 1 + 20 + 1);
        QCOMPARE(lines[20], u"信道 24，接收频率(MHZ)：999（接收频率超出范围 ！）"_s);
        QCOMPARE(lines.last(), u"……另有 1 个"_s);

        // Keys as in a spreadsheet: F2 opens the current cell's editor, Escape
        // closes it unstored, Shift with an arrow extends the selection from a
        // list too, Delete and Backspace empty the selected cells as one step.
        recorder.messages.clear();
        program_channel(2, u"Two"_s);
        program_channel(3, u"Three"_s);
        program->host().activate_current();
        const QStringList before{shown(2), shown(3)};
        select_cell(2, Rx_column);
        key(Qt::Key_F2);
        QVERIFY(editor()->hasFocus());
        QTest::keyClicks(editor(), u"450"_s);
        key(Qt::Key_Escape);
        QVERIFY(!editor()->isVisible());
        click(2, Decode_column);
        QVERIFY(combo()->hasFocus());
        key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid()->selectedItems().size(), 2);
        QCOMPARE(current(), (Grid_cell{3, Decode_column}));
        QCOMPARE((QStringList{shown(2), shown(3)}), before);
        key(Qt::Key_Delete);
        QCOMPARE(shown(2).section(u'|', 2, 2) + shown(3).section(u'|', 2, 2), u"关关"_s);
        select_cell(3, Vox_column);
        key(Qt::Key_Backspace);
        QCOMPARE(shown(3).section(u'|', 5, 5), u"关"_s);
        ctrl(Qt::Key_Z);
        ctrl(Qt::Key_Z);
        QCOMPARE((QStringList{shown(2), shown(3)}), before);

        // An input method commits more characters than a name holds.
        click(2, Name_column);
        QInputMethodEvent commit;
        commit.setCommitString(u"一二三四五六七八九十"_s);
        QApplication::sendEvent(editor(), &commit);
        key(Qt::Key_Return);
        QCOMPARE(Channel_name(2), u"一二三四五六七八"_s);
        QCOMPARE(recorder.texts(),
                 QStringList{u"信道名称最多 8 个字符，只保留了“一二三四五六七八”"_s});
    }

    // Each command is checked against the same move made on a list of the
    // channels as shown, names included: on one channel, on every selected
    // one, never beyond the table. Channel 97 keeps its name in a row of its
    // own; a name without a channel moves too.
    void row_commands_keep_names_with_their_channels()
    {
        Message_recorder recorder;
        for (int channel : {1, 2, 3, 4, 96, 97, 128})
            program_channel(channel, u"名"_s + QString::number(channel));
        QVERIFY(!Store_channel_name(50, u"空"_s));
        program->host().activate_current();
        QStringList model = all_shown();
        for (const auto &[channel, entry] : {std::pair(1, "Row_up"), {128, "Row_down"}}) {
            QVERIFY(!menu_entry(channel, entry)->isEnabled());
            QApplication::activePopupWidget()->close();
        }
        const QString empty = u"|||||||#"_s;
        // Picks the entry of a channel's menu and makes the same move on the model.
        const auto command = [&](int channel, const char *entry, auto move) {
            row_menu(channel, entry);
            move();
            QCOMPARE(all_shown(), model);
        };

        command(96, "Row_down", [&] { model.swapItemsAt(95, 96); });
        QCOMPARE(chann(Spare_name_row, 0) * 256 + chann(Spare_name_row, 1), 0xC3FB); // 名
        command(97, "Row_up", [&] { model.swapItemsAt(95, 96); });
        command(1, "Row_delete", [&] {
            model.removeFirst();
            model.append(empty);
        });
        QCOMPARE(grid()->currentRow(), 0);
        command(1, "Row_insert", [&] {
            model.prepend(empty);
            model.removeLast();
        });
        QVERIFY(recorder.messages.isEmpty());
        command(100, "Row_insert", [] {}); // channel 128 in use: inserting asks first
        recorder.answer = true;
        command(100, "Row_insert", [&] {
            model.insert(99, empty);
            model.removeLast();
        });
        program_channel(127, u"末"_s);
        program->host().activate_current();
        model = all_shown();

        click(2, Number_column);
        click(3, Number_column, Qt::ShiftModifier);
        command(3, "Row_down", [&] { model.move(3, 1); });
        command(4, "Row_up", [&] { model.move(1, 3); }); // the moved pair is still selected
        command(2, "Row_insert", [&] {
            model.insert(2, empty);
            model.insert(1, empty);
            model = model.mid(0, Channel_count);
        });
        const QString last_in_use = u"信道 128 已在使用，插入空信道后它将被删除。是否继续？"_s;
        QCOMPARE(recorder.texts(),
                 (QStringList{last_in_use, last_in_use,
                              u"信道 127 至 128 中有信道在使用，插入 2 个空信道后它们将被删除。"
                              u"是否继续？"_s}));
        for (const Message &question : recorder.messages)
            QVERIFY(question.question);
        QCOMPARE(program->findChild<QAction *>(u"Edit_undo"_s)->text(), u"撤销插入信道"_s);
        click(2, Number_column);
        click(4, Number_column, Qt::ControlModifier);
        command(4, "Row_delete", [&] {
            model.removeAt(3);
            model.removeAt(1);
            model += QStringList(2, empty);
        });
        QCOMPARE(program->findChild<QAction *>(u"Edit_undo"_s)->text(), u"撤销删除信道"_s);
    }
};

QTEST_MAIN(Test_table_commands)
#include "test_table_commands.moc"
