// The program's real message boxes, each running its own event loop while
// the link goes on under it, against r7k-sim over a pseudo-terminal in real
// time: a transfer may end, time out or be cut off by a language switch
// while a box is up, and no window may go away under a box of its own.
#include "core/image.h"
#include "image_rows.h"
#include "program_rig.h"
#include "real_boxes.h"
#include "sim/radio.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

using namespace r7k;

namespace {

const QString Closing_busy = QStringLiteral("正在进行读写操作,请勿关窗口 ！,");
const QString Busy = QStringLiteral("正在与对讲机进行读写操作 ！");
const QString Read_done = QStringLiteral("从对讲机中读取数据完毕 ！");
const QString Quit_asked =
    QStringLiteral("正在与对讲机进行读写操作，现在退出将中断读写。确定退出吗？");

// How long a box stays up after what it waits for has happened: long enough
// for the dialog's close timer (200 ms for a read, 500 ms for a write) to
// fire under it.
constexpr qint64 Linger_ms = 700;

int progress_of(QWidget *dialog)
{
    return child<QProgressBar>(dialog, "ProgressBar1")->value();
}

// Clicks a button of the dialog as the user does.
void click(QWidget *dialog, const char *button)
{
    QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
}

// A rule for a box that stays up until `event` has happened, and Linger_ms
// longer; every other box is answered with OK after 100 ms.
struct Up_until {
    QString text;
    std::function<bool()> event;
    qint64 happened_at = -1; // how long the box had been up then

    QMessageBox::StandardButton operator()(const QMessageBox &box, qint64 up_ms)
    {
        if (box.text() != text)
            return up_ms >= 100 ? QMessageBox::Ok : QMessageBox::NoButton;
        if (happened_at < 0 && event())
            happened_at = up_ms;
        return happened_at >= 0 && up_ms - happened_at >= Linger_ms ? QMessageBox::Ok
                                                                    : QMessageBox::NoButton;
    }
};

} // namespace

class Test_real_boxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data() { Test_radios::add_rows(); }
    void init() { Test_radios::use_row(); }
    void a_read_ends_under_a_box_of_its_dialog_data();
    void a_read_ends_under_a_box_of_its_dialog();
    void a_write_goes_on_under_the_quit_question_and_the_cancel_warning();
    void a_time_out_under_the_busy_warning_starts_nothing();
    void a_language_switch_under_the_cancel_warning();
};

void Test_real_boxes::a_read_ends_under_a_box_of_its_dialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("warning");
    QTest::newRow("Cancel") << "Command_Cancel" << Closing_busy;
    QTest::newRow("Read again") << "Command_Read" << Busy;
}

// The warning stays up while the read completes and its own completion box
// comes and goes; then the dialog closes, and the refused click did nothing.
void Test_real_boxes::a_read_ends_under_a_box_of_its_dialog()
{
    QFETCH(QString, button);
    QFETCH(QString, warning);
    Rig rig("read-" + button);
    QPointer dialog = run_dialog(*rig.main, "Prog_read", Window_id::Comm_read, "Command_Read");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(progress_of(dialog) >= 10, Transfer_ms);

    Real_boxes boxes(Up_until{warning, [&] { return !dialog || dialog->engine().link_done; }});
    click(dialog, qPrintable(button));
    QCOMPARE(boxes.texts, (QStringList{warning, Read_done}));
    QCOMPARE(boxes.overdue, QStringList());
    QVERIFY(!dialog || !dialog->engine().link_busy);
    QTRY_VERIFY(!dialog);
    QVERIFY(!rig.main->host().open_flag(Window_id::Comm_read));
    const sim::Radio radio = Test_radios::radio(); // as r7k-sim starts
    for (int block : Transfer_blocks(271))
        QCOMPARE(cells<QByteArray>(block, 0, 15), cells<QByteArray>(block, 0, 15, radio));
}

// Quitting while a write runs asks first; answered No, the write goes on,
// and on to its end and the End byte under the Cancel warning.
void Test_real_boxes::a_write_goes_on_under_the_quit_question_and_the_cancel_warning()
{
    Rig rig("write");
    Load_default_image();
    QPointer dialog = run_dialog(*rig.main, "Prog_write", Window_id::Comm_write, "Command_Write");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(progress_of(dialog) >= 10, Transfer_ms);
    {
        QStringList buttons;
        Real_boxes boxes([&](const QMessageBox &box, qint64 up_ms) {
            for (QAbstractButton *button : box.buttons())
                if (!buttons.contains(button->text()))
                    buttons.append(button->text());
            return up_ms >= 100 ? QMessageBox::No : QMessageBox::NoButton;
        });
        QVERIFY(!rig.main->close());
        QCOMPARE(boxes.texts, QStringList{Quit_asked});
        QCOMPARE(buttons, (QStringList{QStringLiteral("是"), QStringLiteral("否")}));
        QVERIFY(rig.main->isVisible() && dialog && dialog->engine().link_busy);
    }

    // The radio saves its memory when the End byte comes.
    Real_boxes boxes(Up_until{Closing_busy, [&] { return QFileInfo::exists(rig.saved); }});
    click(dialog, "Command_Cancel");
    QCOMPARE(boxes.texts, QStringList{Closing_busy});
    QCOMPARE(boxes.overdue, QStringList());
    QTRY_VERIFY(!dialog);
    sim::Radio radio;
    QVERIFY(radio.load(rig.saved).ok);
    for (int block : Transfer_blocks(271))
        QCOMPARE(cells<QByteArray>(block, 0, 15, radio), cells<QByteArray>(block, 0, 15));
    QVERIFY(rig.main->close());
    QCOMPARE(boxes.texts.size(), 1);
}

// The radio stops answering while the busy warning is up: the attempt times
// out under the box, and the refused Read starts nothing when the box goes.
void Test_real_boxes::a_time_out_under_the_busy_warning_starts_nothing()
{
    Rig rig("time-out", {"--stall-at", "128"});
    QPointer dialog = run_dialog(*rig.main, "Prog_read", Window_id::Comm_read, "Command_Read");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(progress_of(dialog) >= 10, Transfer_ms);

    Real_boxes boxes(Up_until{Busy, [&] { return !dialog || !dialog->engine().link_busy; }});
    click(dialog, "Command_Read");
    QCOMPARE(boxes.texts, QStringList{Busy});
    QVERIFY(!dialog->engine().link_busy);
    QCOMPARE(child<QLabel>(dialog, "Label_tr_count")->text(),
             QStringLiteral("正在读取 128 数据块"));
    click(dialog, "Command_Cancel");
    QTRY_VERIFY(!dialog);
}

// The language switch rebuilds the read dialog while its Cancel warning is
// up: the old dialog stops its read at once and goes once the box has.
void Test_real_boxes::a_language_switch_under_the_cancel_warning()
{
    Rig rig("language");
    const Data_image before = chann;
    QPointer dialog = run_dialog(*rig.main, "Prog_read", Window_id::Comm_read, "Command_Read");
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(progress_of(dialog) >= 10, Transfer_ms);

    bool switched = false;
    Real_boxes boxes([&](const QMessageBox &, qint64 up_ms) {
        if (up_ms >= 200 && !std::exchange(switched, true))
            child<QAction>(rig.main.get(), "Language_eng")->trigger();
        return up_ms >= 200 + Linger_ms ? QMessageBox::Ok : QMessageBox::NoButton;
    });
    click(dialog, "Command_Cancel");
    QCOMPARE(boxes.texts, QStringList{Closing_busy});
    QTRY_VERIFY(!dialog);
    QPointer rebuilt =
        qobject_cast<Transfer_dialog *>(rig.main->host().window(Window_id::Comm_read));
    QVERIFY(rebuilt && rebuilt->isVisible() && rig.main->host().open_flag(Window_id::Comm_read));
    QCOMPARE(rebuilt->windowTitle(), QStringLiteral("Read Data From Radio"));
    QVERIFY(!rebuilt->engine().link_busy);
    QVERIFY(chann == before);
    click(rebuilt, "Command_Cancel");
    QTRY_VERIFY(!rebuilt);
}

QTEST_MAIN(Test_real_boxes)
#include "test_real_boxes.moc"
