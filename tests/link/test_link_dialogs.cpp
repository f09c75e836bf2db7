// The read, write and power dialogs in the started program, driven like a
// user drives them, on fake lines in virtual time (and once on a port that
// does not exist).
#include "core/globals.h"
#include "core/image.h"
#include "dialog_driver.h"
#include "link/adjust_txp_dialog.h"
#include "link/comm_read_dialog.h"
#include "link/comm_write_dialog.h"
#include "link/port_map.h"
#include "link_rig.h"
#include "message_recorder.h"
#include "started_program.h"

#include <QPointer>
#include <QProgressBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;
using namespace Dialog_driver;

namespace {

// A window of the document area with an edit the user has not finished: a
// frequency for channel 1.
class Editing_view final : public QWidget, public Image_view {
public:
    using QWidget::QWidget;
    void activated() override {}
    void commit_pending_edit() override
    {
        const int bcd[4] = {0x00, 0x25, 0x81, 0x43};
        for (int c = 0; c < 4; ++c)
            chann(1, c) = qint16(bcd[c]);
        ++commits;
    }
    int commits = 0;
};

// The radio, the clock and the record of the wire; a test makes it before the
// program, so that it outlives the dialogs.
struct Bench {
    Fake_clock clock;
    sim::Radio radio;
    Wire_log log;

    Link_parts parts()
    {
        return {std::make_unique<Fake_line>(clock, radio, log),
                std::make_unique<Fake_timer_set>(clock)};
    }
};

template <class Dialog> void use_fake_link(Main_window &program, Window_id id, Bench &bench)
{
    program.host().set_factory(
        id, [&bench](QWidget *parent) { return new Dialog(parent, bench.parts()); });
}

template <class Dialog> QPointer<Dialog> opened(Main_window &program)
{
    return program.findChild<Dialog *>();
}

void check_placement(const QWidget *dialog, const Main_window &program, double width_ratio,
                     double height_ratio, double left_ratio, double top_ratio)
{
    const QRect main = program.frameGeometry();
    const int width = int(main.width() / width_ratio);
    const int height = int(main.height() / height_ratio);
    QCOMPARE(dialog->geometry(),
             QRect(main.x() + int((main.width() - width) / left_ratio),
                   main.y() + int((main.height() - height) / top_ratio), width, height));
}

} // namespace

class Test_link_dialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Port_map::Set_mapping(1, QStringLiteral("/dev/null-r7k-no-such-port")); }

    void the_read_dialog_opens_from_the_menu_with_its_texts_and_place()
    {
        auto program = Start_program();
        trigger(*program, "Prog_read");
        QPointer<Form_Comm_Read> dialog = opened<Form_Comm_Read>(*program);
        QVERIFY(dialog);
        QVERIFY(Open_flags_of(Open_flag::Comm_read));
        QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("从对讲机读取数据"));
        QCOMPARE(text_of(dialog, "Command_Read"), QStringLiteral("读取"));
        QCOMPARE(text_of(dialog, "Command_Cancel"), QStringLiteral("取消"));
        QCOMPARE(text_of(dialog, "Command_Help"), QStringLiteral("帮助"));
        QCOMPARE(control<QProgressBar>(dialog, "ProgressBar1")->maximum(), 100);
        QVERIFY(control<QLabel>(dialog, "Label_tr_count"));
        check_placement(dialog, *program, 1.6, 3, 2, 1.45);

        program->switch_language(false);
        dialog = opened<Form_Comm_Read>(*program);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Read Data From Radio"));
        QCOMPARE(text_of(dialog, "Command_Read"), QStringLiteral("Read"));

        click(dialog, "Command_Cancel");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!dialog);
        QVERIFY(!Open_flags_of(Open_flag::Comm_read));
    }

    void a_missing_port_shows_the_port_error_with_the_reason()
    {
        auto program = Start_program();
        Message_recorder recorder;
        trigger(*program, "Prog_read");
        auto *dialog = opened<Form_Comm_Read>(*program).data();
        click(dialog, "Command_Read");

        QCOMPARE(recorder.texts(), QStringList{"通讯端口打开错误，请正确设置通讯端口 ！"});
        QCOMPARE(recorder.messages[0].title, QStringLiteral("操作提示"));
        QVERIFY2(
            recorder.messages[0].details.contains(QLatin1String("/dev/null-r7k-no-such-port: ")),
            qPrintable(recorder.messages[0].details));
        QVERIFY(recorder.messages[0].details.contains(QLatin1String("does not exist")));
        QVERIFY(text_of(dialog, "Label_tr_count").isEmpty());
        QVERIFY(Port_error);
    }

    void a_read_fills_the_image_and_the_dialog_closes_itself()
    {
        Bench bench;
        auto program = Start_program();
        use_fake_link<Form_Comm_Read>(*program, Window_id::Comm_read, bench);
        Message_recorder recorder;
        trigger(*program, "Prog_read");
        QPointer<Form_Comm_Read> dialog = opened<Form_Comm_Read>(*program);
        click(dialog, "Command_Read");
        QCOMPARE(text_of(dialog, "Label_tr_count"), QStringLiteral("正在与对讲机联络 ！"));

        bench.clock.advance(3000);
        QVERIFY(text_of(dialog, "Label_tr_count").startsWith(QStringLiteral("正在读取 ")));
        click(dialog, "Command_Cancel");
        QCOMPARE(recorder.texts(), QStringList{"正在进行读写操作,请勿关窗口 ！,"});
        QVERIFY(dialog->isVisible());

        QVERIFY(bench.clock.advance_until([&] { return !dialog->isVisible(); }, 60'000));
        QCOMPARE(recorder.texts().last(), QStringLiteral("从对讲机中读取数据完毕 ！"));
        QCOMPARE(recorder.messages.last().title, QStringLiteral("操作提示"));
        for (int c = 0; c < 16; ++c)
            QCOMPARE(chann(5, c), bench.radio.byte(5, c));
        QVERIFY(!bench.log.open);
    }

    void a_write_stores_the_unfinished_edit_first_and_closes_without_a_message()
    {
        Bench bench;
        auto program = Start_program();
        program->host().set_factory(Window_id::Option,
                                    [](QWidget *parent) { return new Editing_view(parent); });
        auto *view = static_cast<Editing_view *>(program->host().open(Window_id::Option));
        use_fake_link<Form_Comm_Write>(*program, Window_id::Comm_write, bench);
        Message_recorder recorder;
        Load_default_image();
        trigger(*program, "Prog_write");
        QPointer<Form_Comm_Write> dialog = opened<Form_Comm_Write>(*program);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("写数据到对讲机"));
        QCOMPARE(text_of(dialog, "Command_Write"), QStringLiteral("写入"));
        check_placement(dialog, *program, 1.6, 3, 2, 1.45);
        click(dialog, "Command_Write");
        QCOMPARE(view->commits, 1);

        QVERIFY(bench.clock.advance_until([&] { return bench.radio.ended(); }, 60'000));
        QCOMPARE(text_of(dialog, "Label_tr_count"), QStringLiteral("数据写入完毕 ！"));
        QVERIFY(dialog->isVisible());
        bench.clock.advance(500);
        QVERIFY(!dialog || !dialog->isVisible());
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(bench.radio.byte(1, 3), 0x43);
        QCOMPARE(bench.radio.byte(1, 2), 0x81);
    }

    void closing_the_program_mid_transfer_stops_the_link()
    {
        Bench bench;
        auto program = Start_program();
        use_fake_link<Form_Comm_Write>(*program, Window_id::Comm_write, bench);
        Load_default_image();
        trigger(*program, "Prog_write");
        click(opened<Form_Comm_Write>(*program), "Command_Write");
        bench.clock.advance(2000);
        QVERIFY(bench.log.open);
        program.reset();
        QVERIFY(!bench.log.open);
        const qsizetype sent = bench.log.sent.size();
        bench.clock.advance(30'000);
        QCOMPARE(bench.log.sent.size(), sent);
    }

    void the_power_dialog_shows_the_radio_levels_and_sends_each_change()
    {
        Bench bench;
        auto program = Start_program();
        bench.radio.set_byte(Power_row, 0, 40);
        bench.radio.set_byte(Power_row, 1, 120);
        bench.radio.set_byte(Power_row, 2, 220);
        use_fake_link<Form_Adjust_Txp>(*program, Window_id::Adjust_txp, bench);
        trigger(*program, "Adj_Txp");
        QPointer<Form_Adjust_Txp> dialog = opened<Form_Adjust_Txp>(*program);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("发射功率调整"));
        QCOMPARE(text_of(dialog, "Label_Low"), QStringLiteral("低功率"));
        QCOMPARE(text_of(dialog, "Label_Mid"), QStringLiteral("中功率"));
        QCOMPARE(text_of(dialog, "Label_High"), QStringLiteral("高功率"));
        QCOMPARE(text_of(dialog, "Command_Close"), QStringLiteral("关闭"));
        check_placement(dialog, *program, 1.8, 2, 2, 3);

        bench.clock.advance(200);
        auto *high = control<QScrollBar>(dialog, "HScroll_H");
        QCOMPARE(high->maximum(), 255);
        QCOMPARE(control<QScrollBar>(dialog, "HScroll_L")->value(), 40);
        QCOMPARE(control<QScrollBar>(dialog, "HScroll_M")->value(), 120);
        QCOMPARE(high->value(), 220);
        QCOMPARE(text_of(dialog, "Label_H"), QStringLiteral("220"));

        high->setValue(200);
        QCOMPARE(text_of(dialog, "Label_H"), QStringLiteral("200"));
        bench.clock.advance(100);
        QCOMPARE(quint8(bench.radio.power_frames().last()[2]), 200);
        QCOMPARE(quint8(bench.radio.power_frames().last()[3]), 2);

        bench.clock.advance(5000); // the watchdog leaves a live link alone
        QVERIFY(dialog->isVisible());
        const QByteArray before = bench.log.sent;
        click(dialog, "Command_Close");
        QCOMPARE(bench.log.sent, before + "b");
        QVERIFY(!dialog || !dialog->isVisible());
        QVERIFY(!bench.log.open);
    }

    void the_power_dialog_disappears_when_the_radio_stays_silent()
    {
        Bench bench;
        auto program = Start_program();
        bench.radio.set_faults({.no_answer = true});
        use_fake_link<Form_Adjust_Txp>(*program, Window_id::Adjust_txp, bench);
        Message_recorder recorder;
        trigger(*program, "Adj_Txp");
        QPointer<Form_Adjust_Txp> dialog = opened<Form_Adjust_Txp>(*program);
        QVERIFY(bench.clock.advance_until([&] { return !dialog || !dialog->isVisible(); }, 5000));
        QCOMPARE(bench.clock.now(), 1500);
        QVERIFY(recorder.messages.isEmpty());
    }
};

QTEST_MAIN(Test_link_dialogs)
#include "test_link_dialogs.moc"
