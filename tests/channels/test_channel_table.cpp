// The channel table driven through its real widgets: clicks on grid cells,
// keys into the floating editors, choices from the drop-down's popup.
#include "channels/channel_table.h"
#include "core/conversions.h"
#include "core/globals.h"
#include "core/image.h"
#include "files/channel_file.h"
#include "message_recorder.h"
#include "started_program.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;

namespace {

QList<int> cells(int row, int first, int last)
{
    QList<int> values;
    for (int c = first; c <= last; ++c)
        values.append(chann(row, c));
    return values;
}

QString stored_freq(int channel, int column)
{
    return Bcd_to_freq_text(chann(channel, column), chann(channel, column + 1),
                            chann(channel, column + 2), chann(channel, column + 3));
}

// Sends each character as a key press carrying its text, as a keyboard or
// an input method does; works for Chinese characters too.
void type(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        const int key = character.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace

class Channel_table_test : public QObject {
    Q_OBJECT

    std::unique_ptr<Main_window> program;
    QWidget *window = nullptr;
    QTableWidget *grid = nullptr;
    QLineEdit *text_edit = nullptr;
    QComboBox *combo = nullptr;

    void find_table()
    {
        window = program->findChild<QWidget *>(QStringLiteral("frm_chann"));
        QVERIFY(window);
        grid = window->findChild<QTableWidget *>(QStringLiteral("MSF_chann"));
        text_edit = window->findChild<QLineEdit *>(QStringLiteral("Text_Edit"));
        combo = window->findChild<QComboBox *>(QStringLiteral("Combo_edit"));
        QVERIFY(grid && text_edit && combo);
    }

    void english()
    {
        program->switch_language(false);
        find_table();
    }

    QString cell_text(int row, int column) const { return grid->item(row - 1, column)->text(); }

    void click_cell(int row, int column)
    {
        QTableWidgetItem *item = grid->item(row - 1, column);
        grid->scrollToItem(item);
        const QPoint centre = grid->visualItemRect(item).center();
        QVERIFY(grid->viewport()->rect().contains(centre));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    }

    // Clicks the cell and replaces the text editor's contents.
    void enter_text(int row, int column, const QString &text)
    {
        click_cell(row, column);
        QVERIFY(text_edit->isVisible());
        text_edit->clear();
        type(text_edit, text);
    }

    void press_enter(QWidget *widget) { QTest::keyClick(widget, Qt::Key_Return); }

    // Picks list entry `index` from the drop-down's popup with the mouse.
    void choose(int index)
    {
        QVERIFY(combo->isVisible());
        combo->showPopup();
        QAbstractItemView *list = combo->view();
        const QModelIndex entry = list->model()->index(index, 0);
        list->scrollTo(entry);
        const QPoint centre = list->visualRect(entry).center();
        QVERIFY(list->viewport()->rect().contains(centre));
        QTest::mouseMove(list->viewport(), centre);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTRY_VERIFY(!list->isVisible());
    }

    Grid_cell current() const { return {grid->currentRow() + 1, grid->currentColumn()}; }

private Q_SLOTS:
    void init()
    {
        program = Start_program();
        find_table();
    }
    void cleanup() { program.reset(); }

    void opens_in_chinese_with_its_headers()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("信道参数编辑 [ 信道 - 1 ]"));
        QCOMPARE(grid->rowCount(), 128);
        QCOMPARE(grid->horizontalHeaderItem(8)->text(), QStringLiteral("  信    道    名    称  "));
        QCOMPARE(grid->horizontalHeaderItem(5)->text(), QStringLiteral(" 功率 "));
        QVERIFY(grid->columnWidth(8) > grid->columnWidth(5));
        QCOMPARE(cell_text(128, 0), QStringLiteral("128"));
        QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("Command_clear"))->text(),
                 QStringLiteral("清除"));
        QVERIFY(Open_flags_of(Open_flag::Chann));
        QVERIFY(!text_edit->isVisible() && !combo->isVisible());
    }

    void english_texts_after_the_switch()
    {
        english();
        QCOMPARE(grid->horizontalHeaderItem(7)->text(), QStringLiteral(" Wide/Narrow "));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("RX Frequency"));
        QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("Command_default"))->text(),
                 QStringLiteral("Default"));
        click_cell(3, 0);
        QCOMPARE(window->windowTitle(), QStringLiteral("Channel Information [ Channel - 3 ]"));
        QCOMPARE(Cur_chann, 3);
    }

    void frequency_entry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        const QStringList over{QStringLiteral("接收频率超出范围 ！")};
        QTest::newRow("high limit") << "470"
                                    << "136.00000" << over;
        QTest::newRow("below high limit") << "469.99375"
                                          << "469.99375" << QStringList();
        QTest::newRow("low limit") << "136"
                                   << "136.00000" << QStringList();
        QTest::newRow("whole") << "446"
                               << "446.00000" << QStringList();
        QTest::newRow("snapped to 6.25") << "446.007"
                                         << "446.00625" << QStringList();
        QTest::newRow("snapped to 5") << "438.0062"
                                      << "438.00500" << QStringList();
        QTest::newRow("letters") << "abc"
                                 << "136.00000" << over;
        QTest::newRow("empty") << ""
                               << "" << QStringList();
    }
    void frequency_entry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QStringList, messages);
        Message_recorder recorder;
        enter_text(4, 1, typed);
        click_cell(6, 0);
        QCOMPARE(recorder.texts(), messages);
        QCOMPARE(cell_text(4, 1), shown);
        QCOMPARE(cell_text(4, 2), shown);
        if (!shown.isEmpty())
            QCOMPARE(stored_freq(4, 4), shown);
        QCOMPARE(Cur_chann, 6);
    }

    void a_new_channel_gets_the_defaults()
    {
        english();
        enter_text(1, 1, QStringLiteral("446.00625"));
        press_enter(text_edit);
        QCOMPARE(stored_freq(1, 0), QStringLiteral("446.00625"));
        QCOMPARE(cells(1, 8, 15), (QList<int>{0, 0, 0, 7, 0, 255, 255, 255}));
        QCOMPARE((QStringList{cell_text(1, 3), cell_text(1, 4), cell_text(1, 5), cell_text(1, 6),
                              cell_text(1, 7)}),
                 (QStringList{"OFF", "OFF", "High", "Off", "Wide"}));
    }

    void tx_before_rx_is_refused()
    {
        english();
        Message_recorder recorder;
        enter_text(2, 2, QStringLiteral("446"));
        click_cell(2, 0);
        QCOMPARE(recorder.texts(),
                 QStringList{QStringLiteral("Please input the receive frequency in advance.")});
        QCOMPARE(recorder.messages.first().title, QStringLiteral("Operate prompt"));
        QCOMPARE(cells(2, 0, 15), QList<int>(16, 255));
        QCOMPARE(cell_text(2, 2), QString());
    }

    void erasing_rx_deletes_the_channel_and_keeps_the_name()
    {
        enter_text(5, 1, QStringLiteral("440"));
        enter_text(5, 8, QStringLiteral("KEEP"));
        enter_text(5, 1, QString());
        click_cell(6, 0);
        QCOMPARE(cells(5, 0, 15), QList<int>(16, 255));
        QCOMPARE(cell_text(5, 8), QString());
        enter_text(5, 1, QStringLiteral("441"));
        click_cell(6, 0);
        QCOMPARE(cell_text(5, 8), QStringLiteral("KEEP"));
    }

    void erasing_tx_keeps_the_stored_tx()
    {
        enter_text(5, 1, QStringLiteral("440"));
        enter_text(5, 2, QStringLiteral("450.5"));
        click_cell(6, 0);
        QCOMPARE(stored_freq(5, 0), QStringLiteral("450.50000"));
        enter_text(5, 2, QString());
        click_cell(6, 0);
        QCOMPARE(stored_freq(5, 0), QStringLiteral("450.50000"));
        QCOMPARE(cell_text(5, 2), QStringLiteral("450.50000"));
    }

    void drop_down_choices()
    {
        english();
        enter_text(1, 1, QStringLiteral("446"));
        click_cell(1, 3);
        QCOMPARE(combo->count(), 259);
        choose(160);
        QCOMPARE(chann(1, 8), 56);
        QCOMPARE(chann(1, 12), 1);
        click_cell(1, 7);
        choose(0);
        QCOMPARE(chann(1, 11), 2);
        click_cell(1, 6);
        choose(3);
        QCOMPARE(chann(1, 10), 3);
        click_cell(1, 0);
        QCOMPARE(cell_text(1, 3).trimmed(), QStringLiteral("D036I"));
        QCOMPARE(cell_text(1, 7), QStringLiteral("Narrow"));
        QCOMPARE(cell_text(1, 6), QStringLiteral("3"));
        window->findChild<QPushButton *>(QStringLiteral("Command_close"))->click();
        program->host().open(Window_id::Chann);
        find_table();
        QCOMPARE(cell_text(1, 3), QStringLiteral("D036I"));
    }

    void typing_into_the_list_is_undone()
    {
        enter_text(1, 1, QStringLiteral("446"));
        click_cell(1, 5);
        const QString shown = combo->currentText();
        QCOMPARE(shown, QStringLiteral("高"));
        QTest::keyClicks(combo, QStringLiteral("x1"));
        QCOMPARE(combo->currentText(), shown);
        QCOMPARE(chann(1, 11), 7);
    }

    void enter_walks_the_row_then_the_next_row()
    {
        english();
        enter_text(3, 1, QStringLiteral("446"));
        press_enter(text_edit);
        QCOMPARE(current(), (Grid_cell{3, 2}));
        QVERIFY(text_edit->isVisible());
        QCOMPARE(text_edit->text(), QStringLiteral("446.00000"));
        press_enter(text_edit);
        for (int column = 3; column <= 7; ++column) {
            QCOMPARE(current(), (Grid_cell{3, column}));
            QVERIFY(combo->isVisible() && !text_edit->isVisible());
            press_enter(combo);
        }
        QCOMPARE(current(), (Grid_cell{3, 8}));
        QVERIFY(text_edit->isVisible());
        type(text_edit, QStringLiteral("Ab中文12"));
        press_enter(text_edit);
        QCOMPARE(current(), (Grid_cell{4, 1}));
        QCOMPARE(cell_text(3, 8), QStringLiteral("Ab中文12"));
        QCOMPARE(cell_text(3, 5), QStringLiteral("High"));

        press_enter(text_edit); // an empty RX stays empty; TX comes next
        QCOMPARE(current(), (Grid_cell{4, 2}));
        press_enter(text_edit); // both blank: on to the next row
        QCOMPARE(current(), (Grid_cell{5, 1}));
    }

    void enter_skips_the_encode_tone_without_tx()
    {
        enter_text(9, 1, QStringLiteral("446"));
        click_cell(9, 0);
        chann(9, 0) = 255;
        program->host().activate_current();
        click_cell(9, 4);
        QVERIFY(!combo->isVisible() && !text_edit->isVisible());
        click_cell(9, 3);
        press_enter(combo);
        QCOMPARE(current(), (Grid_cell{9, 5}));
    }

    void enter_in_the_last_name_stays_on_the_last_row()
    {
        enter_text(128, 1, QStringLiteral("446"));
        enter_text(128, 8, QStringLiteral("LAST"));
        press_enter(text_edit);
        QCOMPARE(current(), (Grid_cell{128, 1}));
        QCOMPARE(cell_text(128, 8), QStringLiteral("LAST"));
    }

    void key_limits()
    {
        enter_text(1, 1, QStringLiteral("446.0062512"));
        QCOMPARE(text_edit->text(), QStringLiteral("446.006251")); // ten: nothing more
        press_enter(text_edit);
        QCOMPARE(current(), (Grid_cell{1, 1}));
        QTest::keyClick(text_edit, Qt::Key_Backspace);
        press_enter(text_edit);
        QCOMPARE(current(), (Grid_cell{1, 2}));

        enter_text(1, 8, QStringLiteral("一二三四五六七八九"));
        QCOMPARE(text_edit->text(), QStringLiteral("一二三四五六七八"));
        press_enter(text_edit);
        QCOMPARE(cell_text(1, 8), QStringLiteral("一二三四五六七八"));
    }

    void a_name_gbk_cannot_hold_is_refused()
    {
        english();
        Message_recorder recorder;
        enter_text(1, 1, QStringLiteral("446"));
        enter_text(1, 8, QStringLiteral("OLD"));
        click_cell(2, 0);
        enter_text(1, 8, QStringLiteral("한국"));
        click_cell(2, 0);
        QCOMPARE(recorder.texts(),
                 QStringList{QStringLiteral(
                     "The channel name holds a character that the radio cannot store.")});
        QCOMPARE(cell_text(1, 8), QStringLiteral("OLD"));
    }

    void a_name_round_trips_through_a_saved_file()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("names.chann"));
        enter_text(1, 1, QStringLiteral("446"));
        enter_text(1, 8, QStringLiteral("Ab中文12"));
        enter_text(97, 1, QStringLiteral("440"));
        enter_text(97, 8, QStringLiteral("频道97"));
        click_cell(98, 0);
        QCOMPARE(cells(Name_row(1), 0, 9),
                 (QList<int>{0, 65, 0, 98, 0xD6, 0xD0, 0xCE, 0xC4, 0, 49}));
        QCOMPARE(cells(Power_row, 0, 15), QList<int>(16, 0));
        QVERIFY(Channel_file::Save(path).ok);

        Reset_image();
        program->host().activate_current();
        QCOMPARE(cell_text(1, 8), QString());
        QVERIFY(Channel_file::Load(path).ok);
        program->host().activate_current();
        QCOMPARE(cell_text(1, 8), QStringLiteral("Ab中文12"));
        QCOMPARE(cell_text(97, 8), QStringLiteral("频道97"));
        QCOMPARE(cell_text(97, 1), QStringLiteral("440.00000"));
    }

    void moving_with_the_keyboard_changes_nothing()
    {
        window->findChild<QPushButton *>(QStringLiteral("Command_default"))->click();
        enter_text(1, 8, QStringLiteral("NAME"));
        click_cell(1, 0);
        const Data_image before = chann;
        grid->setFocus();
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Right,
                            Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
                            Qt::Key_Right, Qt::Key_Down, Qt::Key_Left})
            QTest::keyClick(grid, key);
        QCOMPARE(current(), (Grid_cell{3, 7}));
        QVERIFY(chann == before);
        QCOMPARE(cell_text(1, 8), QStringLiteral("NAME"));
        QCOMPARE(window->windowTitle(), QStringLiteral("信道参数编辑 [ 信道 - 3 ]"));
    }

    void scrolling_hides_the_editor_and_leaving_still_stores()
    {
        enter_text(1, 1, QStringLiteral("440"));
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        QVERIFY(!text_edit->isVisible());
        click_cell(128, 0);
        QCOMPARE(stored_freq(1, 4), QStringLiteral("440.00000"));
    }

    void pending_edit_is_stored_on_request()
    {
        enter_text(7, 1, QStringLiteral("445"));
        program->host().commit_pending_edits();
        QCOMPARE(stored_freq(7, 4), QStringLiteral("445.00000"));
        QVERIFY(!text_edit->isVisible());
        click_cell(8, 0); // leaving later stores nothing more
        QCOMPARE(stored_freq(7, 4), QStringLiteral("445.00000"));
    }

    void activation_shows_changes_made_meanwhile()
    {
        Load_default_image();
        QCOMPARE(cell_text(2, 1), QString());
        program->host().activate_current();
        QCOMPARE(cell_text(2, 1), QStringLiteral("456.85000"));
        QCOMPARE(cell_text(6, 3), QStringLiteral("D036I"));
    }

    void an_editor_left_open_over_a_load_stores_nothing_old()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("other.chann"));
        enter_text(1, 1, QStringLiteral("450"));
        click_cell(2, 0);
        QVERIFY(Channel_file::Save(path).ok);
        enter_text(1, 1, QStringLiteral("446"));
        click_cell(2, 0);

        click_cell(1, 1); // open, unchanged, while a file is loaded
        QVERIFY(Channel_file::Load(path).ok);
        program->host().activate_current();
        QVERIFY(!text_edit->isVisible());
        click_cell(3, 0);
        QCOMPARE(stored_freq(1, 4), QStringLiteral("450.00000"));

        click_cell(1, 8); // a name editor over an unchanged cell stays open
        program->host().activate_current();
        QVERIFY(text_edit->isVisible());
    }

    void close_stores_the_open_edit()
    {
        enter_text(3, 1, QStringLiteral("439"));
        window->findChild<QPushButton *>(QStringLiteral("Command_close"))->click();
        QCOMPARE(stored_freq(3, 4), QStringLiteral("439.00000"));
    }

    void clear_brings_no_name_back()
    {
        chann.fill(Power_row, Power_row, 0, 3, 99);
        enter_text(20, 1, QStringLiteral("446"));
        enter_text(20, 8, QStringLiteral("OLD"));
        click_cell(20, 0);
        window->findChild<QPushButton *>(QStringLiteral("Command_clear"))->click();
        for (int channel = 1; channel <= 128; ++channel)
            QCOMPARE(cells(channel, 0, 15), QList<int>(16, 255));
        QCOMPARE(cells(Power_row, 0, 3), (QList<int>{99, 99, 99, 99}));
        enter_text(20, 1, QStringLiteral("447"));
        click_cell(21, 0);
        QCOMPARE(cell_text(20, 1), QStringLiteral("447.00000"));
        QCOMPARE(cell_text(20, 8), QString());
    }

    void close_button_closes_the_table()
    {
        QPointer<QWidget> table = window;
        window->findChild<QPushButton *>(QStringLiteral("Command_close"))->click();
        QTRY_VERIFY(!table);
        QVERIFY(!Open_flags_of(Open_flag::Chann));
    }
};

QTEST_MAIN(Channel_table_test)
#include "test_channel_table.moc"
