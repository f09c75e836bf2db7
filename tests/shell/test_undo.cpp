// Undo and redo of every kind of change to the image, through the Edit menu's
// keys pressed into whatever has the focus after the change: the image comes
// back exactly, and the window in front shows it.
#include "channels/channel_frequency.h"
#include "core/image.h"
#include "dialog_driver.h"
#include "link/comm_read_dialog.h"
#include "link_rig.h"
#include "message_recorder.h"
#include "started_program.h"
#include "table_driver.h"

#include <QClipboard>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

using namespace r7k;
using namespace Dialog_driver;
using namespace Qt::StringLiterals;

namespace {

enum class Change {
    Cell,
    List_choice,
    Paste,
    Row_move,
    Clear,
    Default,
    Frequency_mode,
    Read,
};

} // namespace

class Test_undo : public Table_driver {
    Q_OBJECT

    QTemporaryDir folder;

    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : program.get(), key, modifiers);
    }

    void make_change(Change change, Wire_bench &bench)
    {
        switch (change) {
        case Change::Cell:
            click(3, Rx_column);
            QTest::keyClicks(QApplication::focusWidget(), u"446"_s);
            keys(Qt::Key_Return, {});
            break;
        case Change::List_choice:
            click(1, Power_column);
            choose(0);
            break;
        case Change::Paste:
            QGuiApplication::clipboard()->setText(u"446\t447\r\n448\t449\r\n"_s);
            click(4, Rx_column);
            keys(Qt::Key_V, Qt::ControlModifier);
            break;
        case Change::Row_move: {
            QMenu *menu = number_menu(1);
            QVERIFY(menu);
            // Insert, Delete, (Move up is off for channel 1), Move down
            for (int entry = 0; entry < 3; ++entry)
                QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
            break;
        }
        case Change::Clear:
        case Change::Default:
            Dialog_driver::click(program->findChild<QWidget *>(u"frm_chann"_s),
                                 change == Change::Clear ? "Command_clear" : "Command_default");
            break;
        case Change::Frequency_mode: {
            auto *rx = program->findChild<QLineEdit *>(u"Text_RX_Freq"_s);
            rx->setFocus(Qt::MouseFocusReason);
            keys(Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(rx, u"440.5"_s);
            keys(Qt::Key_Tab, {});
            break;
        }
        case Change::Read: {
            Window_host &host = program->host();
            host.set_factory(Window_id::Comm_read, [&bench, &host](QWidget *parent) {
                return new Form_Comm_Read(parent, host, bench.parts());
            });
            trigger(*program, "Prog_read");
            QPointer<Form_Comm_Read> dialog = program->findChild<Form_Comm_Read *>();
            Dialog_driver::click(dialog, "Command_Read");
            QVERIFY(bench.clock.advance_until([&] { return !dialog->isVisible(); }, 60'000));
            break;
        }
        }
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir::setCurrent(folder.path()));
        program = Start_program();
    }
    void cleanup() { program.reset(); }

    void each_kind_of_change_undoes_and_redoes_exactly_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("step"); // as Undo and Redo name it
        QTest::newRow("cell") << Change::Cell << u"输入"_s;
        QTest::newRow("list choice") << Change::List_choice << u"输入"_s;
        QTest::newRow("paste") << Change::Paste << u"粘贴"_s;
        QTest::newRow("row move") << Change::Row_move << u"移动信道"_s;
        QTest::newRow("Clear") << Change::Clear << u"清除"_s;
        QTest::newRow("Default") << Change::Default << u"默认"_s;
        QTest::newRow("frequency mode") << Change::Frequency_mode << u"可选功能"_s;
        QTest::newRow("read from radio") << Change::Read << u"读取"_s;
    }
    void each_kind_of_change_undoes_and_redoes_exactly()
    {
        QFETCH(Change, change);
        QFETCH(QString, step);
        Message_recorder recorder;
        Wire_bench bench;
        QVERIFY(!Enter_rx_freq(1, u"450"_s, true));
        QVERIFY(!Enter_rx_freq(2, u"451"_s, true));
        if (change == Change::Frequency_mode)
            trigger(*program, "Optional_edit");
        program->host().activate_current();
        const QString first_row = grid()->item(0, Rx_column)->text();

        const Data_image before = chann;
        make_change(change, bench);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const Data_image after = chann;
        QVERIFY(after != before);
        const auto *undo = program->findChild<QAction *>(u"Edit_undo"_s);
        const auto *redo = program->findChild<QAction *>(u"Edit_redo"_s);
        QCOMPARE(undo->text() + undo->toolTip(), u"撤销"_s + step + u"撤销"_s + step);

        keys(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(chann == before);
        QCOMPARE(redo->text(), u"重做"_s + step);
        if (change != Change::Frequency_mode)
            QCOMPARE(grid()->item(0, Rx_column)->text(), first_row);
        keys(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(chann == after);
        trigger(*program, "Edit_undo");
        QVERIFY(chann == before);
        keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(chann == after);
    }

    // The history runs across windows: an undo made in the channel table
    // shows in the optional features window when it comes to the front.
    void a_window_shows_the_undone_state_when_activated()
    {
        trigger(*program, "Optional_edit");
        auto *squelch = program->findChild<QComboBox *>(u"Combo_Sql"_s);
        squelch->setFocus(Qt::MouseFocusReason);
        keys(Qt::Key_Down, {});
        const QList<QWidget *> windows{program->findChild<QWidget *>(u"frm_chann_frame"_s),
                                       program->findChild<QWidget *>(u"frm_option_frame"_s)};
        program->document_area()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(windows[0]));
        trigger(*program, "Edit_undo");
        QCOMPARE(squelch->currentText(), u"6"_s);
        program->document_area()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(windows[1]));
        QCOMPARE(squelch->currentText(), u"5"_s);
        QVERIFY(!program->findChild<QAction *>(u"Edit_undo"_s)->isEnabled());
        QVERIFY(program->findChild<QAction *>(u"Edit_redo"_s)->isEnabled());
        program->switch_language(false);
        QCOMPARE(program->findChild<QAction *>(u"Edit_undo"_s)->text(), u"Undo"_s);
        QCOMPARE(program->findChild<QAction *>(u"Edit_redo"_s)->text(),
                 u"Redo Optional Features"_s);
    }
};

QTEST_MAIN(Test_undo)
#include "test_undo.moc"
