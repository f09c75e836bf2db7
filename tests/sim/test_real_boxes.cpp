// The program's real message boxes, each running its own event loop while
// the link goes on under it, over a link in virtual time: a transfer may end
// while a box is up, and no window may go away under a box of its own. The
// clock moves while a box is up, from an event of the box's own loop, where
// the link's timers fire.
#include "core/globals.h"
#include "dialog_driver.h"
#include "fake_line.h"
#include "image_rows.h"
#include "link/comm_read_dialog.h"
#include "link/comm_write_dialog.h"
#include "link/read_engine.h"
#include "link/write_engine.h"
#include "real_boxes.h"
#include "started_program.h"

#include <QPointer>
#include <QProgressBar>
#include <QTimer>

using namespace r7k;
using namespace Dialog_driver;

namespace {

const QString Closing_busy = QStringLiteral("正在进行读写操作,请勿关窗口 ！,");
const QString Busy = QStringLiteral("正在与对讲机进行读写操作 ！");
const QString Read_done = QStringLiteral("从对讲机中读取数据完毕 ！");
const QString Quit_asked =
    QStringLiteral("正在与对讲机进行读写操作，现在退出将中断读写。确定退出吗？");

// The program with its read and write dialogs on a fake line to a simulated
// radio, in virtual time.
struct Bench {
    Fake_clock clock;
    sim::Radio radio;
    Wire_log log;
    std::unique_ptr<Main_window> program = Start_program();

    Bench()
    {
        Load_default_image();
        program->host().set_factory(Window_id::Comm_read, [this](QWidget *parent) {
            return new Form_Comm_Read(parent, program->host(), parts());
        });
        program->host().set_factory(Window_id::Comm_write, [this](QWidget *parent) {
            return new Form_Comm_Write(parent, program->host(), parts());
        });
    }
    Link_parts parts()
    {
        return {std::make_unique<Fake_line>(clock, radio, log),
                std::make_unique<Fake_timer_set>(clock)};
    }
    // Opens a dialog by its menu command, presses its action button and lets
    // the transfer run a tenth of the way.
    template <class Dialog> QPointer<Dialog> started(const char *command, const char *button)
    {
        trigger(*program, command);
        QPointer dialog = program->findChild<Dialog *>();
        click(dialog, button);
        clock.advance_until(
            [&] { return control<QProgressBar>(dialog, "ProgressBar1")->value() >= 10; }, 10'000);
        return dialog;
    }
};

// A rule for the box with `text`: while it is up, `under` runs once from an
// event of its loop; the box is answered with `answer` after that. Every
// other box is answered with OK.
struct While_up {
    QString text;
    std::function<void()> under;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    bool started = false, done = false;

    QMessageBox::StandardButton operator()(const QMessageBox &box, qint64)
    {
        if (box.text() != text)
            return QMessageBox::Ok;
        if (!std::exchange(started, true))
            QTimer::singleShot(0, [this] {
                under();
                done = true;
            });
        return done ? answer : QMessageBox::NoButton;
    }
};

} // namespace

class Test_real_boxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void a_read_ends_under_a_box_of_its_dialog_data();
    void a_read_ends_under_a_box_of_its_dialog();
    void a_write_goes_on_under_the_quit_question_and_the_cancel_warning();
};

void Test_real_boxes::a_read_ends_under_a_box_of_its_dialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("warning");
    QTest::newRow("Cancel") << "Command_Cancel" << Closing_busy;
    QTest::newRow("Read again") << "Command_Read" << Busy;
}

// The warning stays up while the read completes, its own completion box
// comes and goes and its close check comes due, and the dialog with it;
// then the dialog closes, and the refused click did nothing.
void Test_real_boxes::a_read_ends_under_a_box_of_its_dialog()
{
    QFETCH(QString, button);
    QFETCH(QString, warning);
    Bench bench;
    QPointer dialog = bench.started<Form_Comm_Read>("Prog_read", "Command_Read");
    Real_boxes boxes(While_up{warning, [&] {
                                  bench.clock.advance_until(
                                      [&] { return !dialog || dialog->engine().link_done; },
                                      60'000);
                                  bench.clock.advance(Read_engine::Close_check_ms);
                                  QVERIFY(dialog && dialog->isVisible());
                              }});
    click(dialog, qPrintable(button));
    QCOMPARE(boxes.texts, (QStringList{warning, Read_done}));
    QCOMPARE(boxes.overdue, QStringList());
    QVERIFY(dialog && !dialog->engine().link_busy);
    QTRY_VERIFY(!dialog);
    QVERIFY(!bench.program->host().open_flag(Window_id::Comm_read));
    QCOMPARE(bench.log.opens, 1);
    for (int block : Transfer_blocks(271))
        QCOMPARE(cells<QByteArray>(block, 0, 15), cells<QByteArray>(block, 0, 15, bench.radio));
}

// Quitting while a write runs asks first; answered No, the write goes on,
// and on to its end and the End byte under the Cancel warning.
void Test_real_boxes::a_write_goes_on_under_the_quit_question_and_the_cancel_warning()
{
    Bench bench;
    QPointer dialog = bench.started<Form_Comm_Write>("Prog_write", "Command_Write");
    {
        // The write goes on while the question is up.
        const int progress = control<QProgressBar>(dialog, "ProgressBar1")->value();
        While_up question{Quit_asked, [&] { bench.clock.advance(1000); }, QMessageBox::No};
        QStringList buttons;
        Real_boxes boxes([&](const QMessageBox &box, qint64 up) {
            for (QAbstractButton *button : box.buttons())
                if (!buttons.contains(button->text()))
                    buttons.append(button->text());
            return question(box, up);
        });
        QVERIFY(!bench.program->close());
        QCOMPARE(boxes.texts, QStringList{Quit_asked});
        QCOMPARE(buttons, (QStringList{QStringLiteral("是"), QStringLiteral("否")}));
        QVERIFY(bench.program->isVisible() && dialog && dialog->engine().link_busy);
        QVERIFY(control<QProgressBar>(dialog, "ProgressBar1")->value() > progress);
    }
    Real_boxes boxes(While_up{Closing_busy, [&] {
                                  bench.clock.advance_until([&] { return bench.radio.ended(); },
                                                            60'000);
                                  bench.clock.advance(Write_engine::Close_delay_ms);
                                  QVERIFY(dialog && dialog->isVisible());
                              }});
    click(dialog, "Command_Cancel");
    QCOMPARE(boxes.texts, QStringList{Closing_busy});
    QCOMPARE(boxes.overdue, QStringList());
    QVERIFY(dialog);
    QTRY_VERIFY(!dialog);
    for (int block : Transfer_blocks(271))
        QCOMPARE(cells<QByteArray>(block, 0, 15, bench.radio), cells<QByteArray>(block, 0, 15));
    QVERIFY(bench.program->close());
    QCOMPARE(boxes.texts.size(), 1);
}

QTEST_MAIN(Test_real_boxes)
#include "test_real_boxes.moc"
