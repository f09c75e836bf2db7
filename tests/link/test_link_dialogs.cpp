// The read, write and power dialogs in the started program, driven like a
// user drives them, on fake lines in virtual time (and once on a port that
// does not exist). Whole transfers through the dialogs run end to end
// against r7k-sim; here only the wiring.
#include "dialog_driver.h"
#include "files/channel_file.h"
#include "link/adjust_txp_dialog.h"
#include "link/comm_read_dialog.h"
#include "link/comm_verify_dialog.h"
#include "link/comm_write_dialog.h"
#include "link/port_map.h"
#include "link_rig.h"
#include "message_recorder.h"
#include "started_program.h"

#include <QPointer>
#include <QProgressBar>
#include <QScrollBar>
#include <QWindow>

using namespace r7k;
using namespace Dialog_driver;

namespace {

// A window of the document area with an edit the user has not finished: a
// frequency digit of channel 1.
class Editing_view final : public QWidget, public Image_view {
public:
    using QWidget::QWidget;
    void activated() override {}
    void commit_pending_edit() override
    {
        chann(1, 3) = 0x43;
        ++commits;
    }
    int commits = 0;
};

} // namespace

class Test_link_dialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Port_map::Set_mapping(1, QStringLiteral("/dev/null-r7k-no-such-port"));
        bench.emplace();
        program = Start_program();
        recorder.messages.clear();
        recorder.answer = false;
    }
    void cleanup()
    {
        program.reset(); // before the fake link it runs on goes away
        bench.reset();
        Port_map::Reset();
    }

    void the_read_dialog_on_a_missing_port()
    {
        trigger(*program, "Prog_read");
        QPointer<Form_Comm_Read> dialog = program->findChild<Form_Comm_Read *>();
        QVERIFY(dialog && program->host().open_flag(Window_id::Comm_read));
        QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("从对讲机读取数据"));
        QCOMPARE(text_of(dialog, "Command_Read") + text_of(dialog, "Command_Cancel") +
                     text_of(dialog, "Command_Help"),
                 QStringLiteral("读取取消帮助"));

        click(dialog, "Command_Read");
        QCOMPARE(recorder.texts(), QStringList{"通讯端口打开错误，请正确设置通讯端口 ！"});
        QCOMPARE(recorder.messages[0].title, QStringLiteral("操作提示"));
        // The details name the cause in the language on screen.
        const QString details = recorder.messages[0].details;
#ifdef Q_OS_WIN
        const QString missing = QStringLiteral("/dev/null-r7k-no-such-port 不存在。");
#else
        const QString missing = QStringLiteral("设备 /dev/null-r7k-no-such-port 不存在。");
#endif
        QVERIFY2(details.startsWith(missing), qPrintable(details));
        QVERIFY(text_of(dialog, "Label_tr_count").isEmpty() && Port_error);

        program->switch_language(false);
        dialog = qobject_cast<Form_Comm_Read *>(program->host().window(Window_id::Comm_read));
        QCOMPARE(dialog->windowTitle() + text_of(dialog, "Command_Read"),
                 QStringLiteral("Read Data From RadioRead"));
        click(dialog, "Command_Cancel");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!dialog && !program->host().open_flag(Window_id::Comm_read));
    }

    void a_write_stores_the_unfinished_edit_shows_progress_and_stops_with_the_program()
    {
        program->host().set_factory(Window_id::Option,
                                    [](QWidget *parent) { return new Editing_view(parent); });
        auto *view = static_cast<Editing_view *>(program->host().open(Window_id::Option));
        Load_default_image();
        auto dialog = open_on<Form_Comm_Write>(Window_id::Comm_write, "Prog_write");
        QCOMPARE(dialog->windowTitle() + text_of(dialog, "Command_Write"),
                 QStringLiteral("写数据到对讲机写入"));
        click(dialog, "Command_Write");
        QCOMPARE(view->commits, 1);
        QCOMPARE(text_of(dialog, "Label_tr_count"), QStringLiteral("正在与对讲机联络 ！"));
        bench->clock.advance(3000);
        QVERIFY(text_of(dialog, "Label_tr_count").startsWith(QStringLiteral("正在写入 ")));
        QVERIFY(control<QProgressBar>(dialog, "ProgressBar1")->value() > 0);
        QCOMPARE(bench->radio.byte(1, 3), 0x43);
        QVERIFY(dialog->isVisible() && bench->log.open);

        // Quitting, the user insists: the write stops cleanly, with the End
        // byte before the port closes.
        recorder.answer = true;
        QVERIFY(program->close());
        QCOMPARE(recorder.texts().last(),
                 QStringLiteral("正在与对讲机进行读写操作，现在退出将中断读写。确定退出吗？"));
        QVERIFY(!bench->log.open && bench->log.sent.endsWith('E') && bench->radio.ended());
        QVERIFY(bench->radio.written_blocks().size() < 258);
        program.reset();
        const QByteArray sent = bench->log.sent;
        bench->clock.advance(30'000);
        QCOMPARE(bench->log.sent, sent);
    }

    // The verification reads the radio back into an image of its own: the
    // program's image, a cell of it edited since the write included, stays
    // as it is.
    void the_verify_dialog_compares_without_touching_the_image()
    {
        Load_default_image();
        for (int block = 0; block < Channel_file::Rows; ++block)
            for (int c = 0; c < 16; ++c)
                bench->radio.set_byte(block, c, chann(block, c));
        chann(Settings_row, 0) = 9;
        const Data_image before = chann;
        auto dialog = open_on<Form_Comm_Verify>(Window_id::Comm_verify, "Prog_verify");
        QCOMPARE(dialog->windowTitle() + text_of(dialog, "Command_Verify") +
                     text_of(dialog, "Command_Cancel") + text_of(dialog, "Command_Help"),
                 QStringLiteral("校验对讲机数据校验取消帮助"));
        click(dialog, "Command_Verify");
        QCOMPARE(text_of(dialog, "Label_tr_count"), QStringLiteral("正在与对讲机联络 ！"));
        QVERIFY(bench->clock.advance_until([&] { return dialog->engine().link_done; }, 60'000));
        QCOMPARE(text_of(dialog, "Label_tr_count"), QStringLiteral("数据校验完毕 ！"));
        QCOMPARE(control<QProgressBar>(dialog, "ProgressBar1")->value(), 100);
        QCOMPARE(recorder.texts(),
                 QStringList{"对讲机数据与当前数据不一致，以下数据块不同：\n数据块 140：可选功能"});
        QVERIFY(chann == before);
        QVERIFY(bench->clock.advance_until([&] { return !dialog->isVisible(); }, 1000));

        program->switch_language(false);
        dialog = open_on<Form_Comm_Verify>(Window_id::Comm_verify, "Prog_verify");
        QCOMPARE(dialog->windowTitle() + text_of(dialog, "Command_Verify"),
                 QStringLiteral("Verify Radio DataVerify"));
        click(dialog, "Command_Verify");
        QVERIFY(bench->clock.advance_until([&] { return dialog->engine().link_done; }, 60'000));
        QCOMPARE(text_of(dialog, "Label_tr_count"), QStringLiteral("Verifying data completed. "));
    }

    // While a write runs, Escape and the close box are refused as Cancel is
    // (tested under real boxes), a second Write is refused, and quitting the
    // program asks first; the write goes on to its end.
    void closing_during_a_write_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("message");
        const QString refused = QStringLiteral("Read-write operating，don't close the window. ,");
        QTest::newRow("Escape") << "Escape" << refused;
        QTest::newRow("close box") << "close box" << refused;
        QTest::newRow("Write again") << "Command_Write"
                                     << "Read-write operating with transceiver .";
        QTest::newRow("quitting, answered No")
            << "quit"
            << "A read or write with the transceiver is in progress. Exiting now interrupts it. "
               "Exit anyway?";
    }
    void closing_during_a_write()
    {
        QFETCH(QString, way);
        QFETCH(QString, message);
        program->switch_language(false);
        Load_default_image();
        auto dialog = open_on<Form_Comm_Write>(Window_id::Comm_write, "Prog_write");
        click(dialog, "Command_Write");
        bench->clock.advance(2000);
        QVERIFY(dialog->engine().link_busy);

        if (way == "Escape")
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog.data(),
                            Qt::Key_Escape);
        else if (way == "close box")
            dialog->windowHandle()->close();
        else if (way == "quit")
            QVERIFY(!program->close());
        else
            click(dialog, qPrintable(way));
        QCOMPARE(recorder.texts(), QStringList{message});
        QCOMPARE(recorder.messages[0].title, QStringLiteral("Operate prompt"));
        QVERIFY(dialog->isVisible() && program->isVisible());

        QVERIFY(bench->clock.advance_until([&] { return !dialog->isVisible(); }, 30'000));
        QCOMPARE(bench->radio.written_blocks(), Transfer_blocks(271));
        QVERIFY(bench->radio.ended() && bench->log.sent.endsWith('E') && !bench->log.open);
        QCOMPARE(recorder.texts().size(), 1);
    }

    // The failure message says in its details where the radio stopped and
    // what to check, in the language on screen.
    void a_failed_read_says_where_the_radio_stopped()
    {
        bench->radio.set_faults({.stall_at = Power_row});
        auto dialog = open_on<Form_Comm_Read>(Window_id::Comm_read, "Prog_read");
        click(dialog, "Command_Read");
        QVERIFY(bench->clock.advance_until([&] { return !recorder.messages.isEmpty(); }, 60'000));
        QCOMPARE(recorder.texts(), QStringList{"与对讲机联络失败 ！"});
        QCOMPARE(
            recorder.messages[0].details,
            QStringLiteral("对讲机在第 227 个数据块（共 259 个，存储器第 240 块）处停止应答。\n\n"
                           "请检查：\n"
                           "- 对讲机已开机；\n- 编程线已插牢在对讲机和电脑上；\n"
                           "- 编程线接在 COM1 上（在“端口设置”中选择）；\n"
                           "- 对讲机是 R7K 型（机型标识为 ZRQ-47）。"));

        program->switch_language(false);
        dialog = qobject_cast<Form_Comm_Read *>(program->host().window(Window_id::Comm_read));
        click(dialog, "Command_Read");
        QVERIFY(bench->clock.advance_until([&] { return recorder.messages.size() == 2; }, 60'000));
        QCOMPARE(recorder.messages[1].details,
                 QStringLiteral("The radio stopped answering at block 227 of 259 (block 240 of "
                                "its memory).\n\nPlease check that:\n- the radio is switched "
                                "on;\n- the programming cable is seated firmly in the radio and "
                                "in the computer;\n- the cable is "
                                "on COM1 (chosen under Communication);\n- the radio is an R7K "
                                "model (it identifies itself as ZRQ-47)."));
    }

    // After each acknowledged frame the dialog says which level went out; a
    // frame that the radio leaves unanswered is said before the dialog goes.
    void the_power_dialog_says_what_the_radio_acknowledged()
    {
        auto dialog = open_on<Form_Adjust_Txp>(Window_id::Adjust_txp, "Adj_Txp");
        const auto sent_is = [&](const QString &text) {
            return bench->clock.advance_until(
                [&] { return text_of(dialog, "Label_sent").startsWith(text); }, 1000);
        };
        QCOMPARE(dialog->windowTitle() + text_of(dialog, "Label_Low") +
                     text_of(dialog, "Label_Mid") + text_of(dialog, "Label_High") +
                     text_of(dialog, "Command_Close"),
                 QStringLiteral("发射功率调整低功率中功率高功率关闭"));
        QVERIFY(sent_is("已发送："));
        auto *high = dialog->findChild<QScrollBar *>("HScroll_H");
        const int level = high->value();
        QVERIFY(level > 0);
        high->setValue(level - 1);
        QVERIFY(sent_is(QString("已发送：高功率 %1").arg(level - 1)));
        QCOMPARE(text_of(dialog, "Label_H"), QString::number(level - 1));
        bench->radio.set_faults({.no_answer = true});
        high->setValue(level);
        QVERIFY(bench->clock.advance_until([&] { return !dialog || !dialog->isVisible(); }, 5000));
        QCOMPARE(recorder.texts(),
                 QStringList{QString("对讲机没有确认高功率 %1，连接已断开 ！").arg(level)});
    }

private:
    // Opens a dialog by its menu command, on a fake line to the bench's radio.
    template <class Dialog> QPointer<Dialog> open_on(Window_id id, const char *command)
    {
        program->host().set_factory(id, [this](QWidget *parent) -> QWidget * {
            if constexpr (std::is_base_of_v<Transfer_dialog, Dialog>)
                return new Dialog(parent, program->host(), bench->parts());
            else
                return new Dialog(parent, bench->parts());
        });
        trigger(*program, command);
        return program->findChild<Dialog *>();
    }

    std::optional<Wire_bench> bench;
    std::unique_ptr<Main_window> program;
    Message_recorder recorder;
};

QTEST_MAIN(Test_link_dialogs)
#include "test_link_dialogs.moc"
