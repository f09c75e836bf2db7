// The channel table driven through its real widgets: clicks on grid cells,
// keys into the floating editors, choices from the drop-down's popup. The
// rules behind each edit are covered on the image alone.
#include "channels/channel_name.h"
#include "core/globals.h"
#include "core/image.h"
#include "files/channel_file.h"
#include "message_recorder.h"
#include "started_program.h"
#include "table_driver.h"

#include <QClipboard>
#include <QHeaderView>
#include <QMetaEnum>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace r7k;
using namespace Qt::StringLiterals;

class Channel_table_test : public Table_driver {
    Q_OBJECT

    template <typename T = QWidget> T *child(const char *name) const
    {
        return program->findChild<T *>(QLatin1String(name));
    }
    QString caption() const { return child("frm_chann")->windowTitle(); }
    QString cell_text(int row, int column) const { return grid()->item(row - 1, column)->text(); }

    // Types into the widget that has the keyboard, each character a key
    // press carrying its text, as an input method sends Chinese characters.
    static void type(const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                                Qt::Key(c.toUpper().unicode()), c, {});
    }

    // Types into the cell's emptied editor.
    void enter_text(int row, int column, const QString &text)
    {
        click(row, column);
        editor()->clear();
        type(text);
    }

    static void press_enter() { key(Qt::Key_Return); }

    // The editor that floats over the grid, if one does.
    QWidget *open_editor() const
    {
        if (editor()->isVisible())
            return editor();
        return combo()->isVisible() ? combo() : nullptr;
    }

private Q_SLOTS:
    void init() { program = Start_program(); }
    void cleanup() { program.reset(); }

    void texts_in_both_languages_a_refused_entry_and_a_list_choice()
    {
        QCOMPARE(caption(), u"信道参数编辑 [ 信道 - 1 ]"_s);
        QCOMPARE(grid()->horizontalHeaderItem(8)->text(), u"  信    道    名    称  "_s);
        QCOMPARE(child<QPushButton>("Command_clear")->text(), u"清除"_s);
        Message_recorder recorder; // a refused entry is told
        enter_text(2, 2, u"446"_s);
        click(2, 0);
        QCOMPARE(recorder.texts(), QStringList{u"请先输入接收频率 ！"_s});
        QCOMPARE(recorder.messages.first().title, u"操作提示"_s);
        QCOMPARE(shown(2), u"|||||||"_s);
        program->switch_language(false);
        QCOMPARE(grid()->horizontalHeaderItem(7)->text(), u" Wide/Narrow "_s);
        QCOMPARE(child<QPushButton>("Command_default")->text(), u"Default"_s);
        click(3, 0);
        QCOMPARE(caption(), u"Channel Information [ Channel - 3 ]"_s);
        enter_text(1, 1, u"446"_s);
        click(1, 3);
        choose(160);
        click(1, 0);
        QCOMPARE(shown(1).section(u'|', 2, 4), u"D036I|OFF|High"_s);
        click(1, 3); // reopens on its entry: Down takes the next one, a typed letter nothing
        keys({Qt::Key_Down, Qt::Key_X});
        QCOMPARE(combo()->currentText(), u"D043I"_s);

        // A column's heading fits in it also in bold, as it turns when a cell
        // of the column is selected.
        for (bool chinese : {true, false}) {
            program->switch_language(chinese);
            QHeaderView *header = grid()->horizontalHeader();
            QFont bold = header->font();
            bold.setBold(true);
            const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
            for (int column = 0; column < Grid_column_count; ++column) {
                const QString heading = grid()->horizontalHeaderItem(column)->text();
                QVERIFY2(header->sectionSize(column) >=
                             QFontMetrics(bold).horizontalAdvance(heading) + margins,
                         qPrintable(heading));
            }
        }
    }

    void enter_walks_the_row_and_keys_that_type_nothing_work_at_the_limit()
    {
        enter_text(3, 1, u"446"_s);
        for (int column = Rx_column; column < Name_column; ++column) {
            QCOMPARE(current(), (Grid_cell{3, column}));
            QCOMPARE(combo()->isVisible(), column > Tx_column);
            press_enter();
        }
        QVERIFY(editor()->isVisible());
        enter_text(3, Name_column, u"Ab中文12"_s);
        press_enter();
        QCOMPARE(current(), (Grid_cell{4, Rx_column}));
        QCOMPARE(shown(3).section(u'|', 1, 1) + shown(3).section(u'|', 7), u"446.00000Ab中文12"_s);
        chann(3, 0) = 255; // without TX the encode tone has nothing to edit
        program->host().activate_current();
        click(3, 4);
        QVERIFY(!combo()->isVisible() && !editor()->isVisible());

        // The length limit holds for typed characters only: in a full name or
        // frequency the keys that type nothing work as in any text box.
        enter_text(2, Rx_column, u"446"_s);
        enter_text(2, Name_column, u"ABCDEFGH"_s);
        click(2, Number_column);
        click(2, Name_column); // opens with the whole name selected
        keys({Qt::Key_End, Qt::Key_Backspace, Qt::Key_Return});
        QCOMPARE(Channel_name(2), u"ABCDEFG"_s);
        click(2, Name_column);
        type(u"ABCDEFGH"_s); // over the selection, which it replaces
        keys({Qt::Key_Home, Qt::Key_Delete, Qt::Key_Right, Qt::Key_Right});
        type(u"XY"_s); // the eighth character, then one too many
        QCOMPARE(editor()->text(), u"BCXDEFGH"_s);
        keys({Qt::Key_Left, Qt::Key_Backspace});
        QCOMPARE(editor()->text(), u"BXDEFGH"_s);
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"BXDEFGH"_s);
        press_enter();
        QCOMPARE(Channel_name(2), u"BXDEFGH"_s);
        QCOMPARE(current(), (Grid_cell{3, Rx_column}));

        enter_text(2, Tx_column, u"446.0062512"_s);
        QCOMPARE(editor()->text(), u"446.006251"_s);
        press_enter(); // refused beyond nine characters
        QCOMPARE(current(), (Grid_cell{2, Tx_column}));
        keys({Qt::Key_Home, Qt::Key_Right, Qt::Key_Delete, Qt::Key_End, Qt::Key_Backspace});
        QCOMPARE(editor()->text(), u"46.00625"_s);
        key(Qt::Key_Home);
        type(u"4"_s);
        press_enter();
        QCOMPARE(cell_text(2, Tx_column), u"446.00625"_s);
        enter_text(2, Tx_column, u"257.84"_s);
        press_enter();
        QCOMPARE(cell_text(2, Tx_column), u"257.84000"_s);
    }

    // One key moves exactly one cell, out of an open editor or across the
    // grid, and the keyboard stays with the grid: what is typed next opens
    // the editor of the highlighted cell and goes into it. The caption names
    // the channel the keys moved to; Clear then empties every channel.
    void keys_move_one_cell_and_typing_follows_the_highlight()
    {
        Message_recorder recorder;
        enter_text(1, Rx_column, u"440"_s);
        const struct {
            Qt::Key key;
            Grid_cell lands;
            QString typed;
        } walk[] = {
            {Qt::Key_Down, {2, Rx_column}, u"441"_s},    {Qt::Key_Tab, {2, Tx_column}, u"442"_s},
            {Qt::Key_Backtab, {2, Rx_column}, u"443"_s}, {Qt::Key_Tab, {2, Tx_column}, {}},
            {Qt::Key_Tab, {2, Decode_column}, u"1"_s},   {Qt::Key_Tab, {2, Encode_column}, u"2"_s},
            {Qt::Key_Backtab, {2, Decode_column}, {}},   {Qt::Key_Tab, {2, Encode_column}, {}},
            {Qt::Key_Tab, {2, Power_column}, u"3"_s},    {Qt::Key_Tab, {2, Vox_column}, {}},
            {Qt::Key_Tab, {2, Band_column}, u"4"_s},     {Qt::Key_Tab, {2, Name_column}, u"N4"_s},
            {Qt::Key_Up, {1, Name_column}, u"N3"_s},     {Qt::Key_Down, {2, Name_column}, {}},
            {Qt::Key_Down, {3, Name_column}, u"5"_s},
        };
        for (const auto &step : walk) {
            const QByteArray where = QMetaEnum::fromType<Qt::Key>().valueToKey(step.key);
            key(step.key);
            QVERIFY2(current() == step.lands, where);
            QTableWidgetItem *highlighted = grid()->item(step.lands.row - 1, step.lands.column);
            QCOMPARE(grid()->selectedItems(), QList{highlighted});
            QCOMPARE(QApplication::focusWidget(), grid());
            QVERIFY2(!open_editor(), where);
            type(step.typed);
            const bool editable =
                step.lands.column <= Tx_column || !Channel_is_empty(step.lands.row);
            if (step.typed.isEmpty() || !editable) {
                // An empty channel has no name to type into, and typing
                // does not search the grid either.
                QVERIFY2(!open_editor() && current() == step.lands, where);
                continue;
            }
            QWidget *opened = open_editor();
            QVERIFY2(opened && (opened == QApplication::focusWidget() ||
                                opened->isAncestorOf(QApplication::focusWidget())),
                     where);
            QCOMPARE(opened->pos(), grid()->visualItemRect(highlighted).topLeft());
            QCOMPARE(opened->width(), grid()->visualItemRect(highlighted).width());
            if (opened == editor())
                QCOMPARE(editor()->text(), step.typed);
        }
        QVERIFY(!open_editor());
        const QString untouched = u"|关|关|高|关|宽带|"_s; // the lists took no typing
        QCOMPARE(shown(1), u"440.00000|440.00000"_s + untouched + u"N3"_s);
        QCOMPARE(shown(2), u"443.00000|442.00000"_s + untouched + u"N4"_s);
        QCOMPARE(shown(3), u"|||||||"_s);
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(caption(), u"信道参数编辑 [ 信道 - 3 ]"_s);
        child<QPushButton>("Command_clear")->click();
        QCOMPARE(shown(2), u"|||||||"_s);
    }

    // A read or a file load replaces what an open frequency editor was opened
    // over, so the editor is dropped; names come back from the file.
    void a_load_drops_an_editor_it_replaced_and_open_edits_are_stored()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"names.chann"_s);
        enter_text(1, 1, u"446"_s);
        enter_text(1, 8, u"Ab中文12"_s);
        enter_text(97, 1, u"440"_s);
        enter_text(97, 8, u"频道97"_s);
        click(98, 0);
        QVERIFY(Channel_file::Save(path, chann).ok);
        Reset_image();
        enter_text(1, 1, u"450"_s);
        click(2, 0);
        click(1, 1);
        QVERIFY(Channel_file::Load(path, chann).ok);
        program->host().activate_current();
        QVERIFY(!editor()->isVisible());
        click(3, 0);
        QCOMPARE(shown(1).section(u'|', 0, 0) + shown(1).section(u'|', 7) + cell_text(97, 8),
                 u"446.00000Ab中文12频道97"_s);
        click(1, 8); // a name editor over an unchanged cell stays open
        program->host().activate_current();
        QVERIFY(editor()->isVisible());

        enter_text(20, Rx_column, u"446"_s);
        enter_text(20, Name_column, u"KEEP"_s);
        QTest::mouseClick(child<QPushButton>("Command_default"), Qt::LeftButton);
        QCOMPARE(Channel_name(20), u"KEEP"_s);
        QCOMPARE(cell_text(20, Name_column), u"KEEP"_s);
        enter_text(1, 1, u"440"_s);
        grid()->verticalScrollBar()->setValue(grid()->verticalScrollBar()->maximum());
        QVERIFY(!editor()->isVisible());
        click(128, 0);
        enter_text(7, 1, u"445"_s);
        program->host().commit_pending_edits();
        QCOMPARE(cell_text(1, 1) + cell_text(7, 1), u"440.00000445.00000"_s);
        enter_text(3, 1, u"439"_s);
        QPointer<QWidget> table = child("frm_chann");
        child<QPushButton>("Command_close")->click();
        QCOMPARE(Channel_row_texts(3)[Rx_column], u"439.00000"_s);
        QTRY_VERIFY(!table);
        QVERIFY(!program->host().open_flag(Window_id::Chann));
    }
};

QTEST_MAIN(Channel_table_test)
#include "test_channel_table.moc"
