#include "core/globals.h"
#include "core/image.h"
#include "image_cells.h"
#include "message_recorder.h"
#include "settings/option_window.h"
#include "started_program.h"

#include <QTest>
#include <QtWidgets>

using namespace r7k;

namespace {

const QString Rx_message = QStringLiteral("Over the range of RX frequency .");
const QString Offset_message = QStringLiteral("Over the range of Offset frequency .");
const QList<int> Rx_438{0x00, 0x25, 0x81, 0x43};
const QList<int> Rx_default{80, 18, 0, 64};

// The caption of a control: its own text, or the text of the label beside it.
QString caption_of(QWidget *control)
{
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return button->text();
    if (auto *group = qobject_cast<QGroupBox *>(control))
        return group->title();
    for (QLabel *label : control->window()->findChildren<QLabel *>())
        if (label->buddy() == control)
            return label->text();
    return QStringLiteral("<no caption>");
}

// What a control shows: a list's entry, a field's text, a box's check.
QString shown_by(QWidget *control)
{
    if (auto *list = qobject_cast<QComboBox *>(control))
        return list->currentText();
    if (auto *field = qobject_cast<QLineEdit *>(control))
        return field->text();
    if (auto *box = qobject_cast<QCheckBox *>(control))
        return box->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
    return {};
}

// Replaces the text of a field by typing, as a user selecting it all would.
void type_into(QLineEdit *field, const QString &text)
{
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

void leave(QWidget *field)
{
    QTest::keyClick(field, Qt::Key_Tab);
}

void press_down(QComboBox *list)
{
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
}

} // namespace

class Test_option_window : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        recorder = std::make_unique<Message_recorder>();
        program = Start_program();
        program->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.get()));
        Freq_low = 400;
        Freq_high = 470;
    }
    void cleanup()
    {
        program.reset();
        recorder.reset();
    }

    // Opened in Chinese, then rebuilt in English by the language switch.
    void captions_and_defaults_in_both_languages()
    {
        const struct {
            const char *control, *chinese, *english, *chinese_shown, *english_shown;
        } controls[] = {
            {"Frame2", "", "", "", ""},
            {"Combo_TOT", "超时定时器[分钟]", "Time Out Timer[Min]", "1", "1"},
            {"Combo_Sql", "静噪等级", "Squelch Level", "5", "5"},
            {"Combo_Scan_Way", "扫描方式", "Scan Way", "时间", "TO"},
            {"Combo_Mode", " 工作模式", "Work Mode", "频率", "Frequncy"},
            {"Combo_vox", "声控电平", "VOX", "关", "Off"},
            {"Check_Save", "电池省电", "Save", "on", "on"},
            {"Check_Scan", "扫描", "Scan", "off", "off"},
            {"Frame_vfo", "频率模式", "Frequncy Mode", "", ""},
            {"Text_RX_Freq", "接收频率(MHZ)", "RX Frequncy(MHZ)", "400.01250", "400.01250"},
            {"Text_TX_Freq", "发射频率(MHZ)", "TX Frequncy(MHZ)", "400.01250", "400.01250"},
            {"Combo_Decode", "解码", "Decode", "OFF", "OFF"},
            {"Check_DNI", "INV", "INV", "off", "off"},
            {"Combo_Encode", "编码", "Encode", "OFF", "OFF"},
            {"Check_ENI", "INV", "INV", "off", "off"},
            {"Combo_Step", "步进频率(KHZ)", "Step(KHZ)", "5K", "5K"},
            {"Combo_Sft_d", "频差方向", "Duplex", "关", "Off"},
            {"Text_Offset_Freq", "频差频率(MHZ)", "Offset Frequncy(MHZ) ", "68.012500",
             "68.012500"},
            {"Combo_wn_TX", "发射宽带", "TX-W/N", "宽带", "Wide"},
            {"Combo_WN_RX", "带宽", "W/N", "宽带", "Wide"},
            {"Combo_TXP", "发射功率", "TX Power", "高功率", "High"},
            {"Command_Close", "关闭", "Close", "", ""},
            {"Command_Help", "帮助", "Help", "", ""},
        };
        const Data_image before = chann;
        open();
        for (const bool chinese : {true, false}) {
            program->switch_language(chinese);
            QCOMPARE(form()->windowTitle(), chinese ? "可选参数" : "Optional Features");
            for (const auto &c : controls) {
                QCOMPARE(caption_of(get(c.control)), chinese ? c.chinese : c.english);
                QCOMPARE(shown_by(get(c.control)), chinese ? c.chinese_shown : c.english_shown);
            }
            QCOMPARE(get<QComboBox>("Combo_Sft_d")->itemText(2), chinese ? "减频" : "Minus");
        }
        QCOMPARE(get<QComboBox>("Combo_Decode")->count(), 259);
        QVERIFY(get<QLineEdit>("Text_TX_Freq")->isReadOnly());
        QVERIFY(Open_flags_of(Open_flag::Option));
        QVERIFY(chann == before);
        QVERIFY(recorder->messages.isEmpty());
    }

    void picks_store_their_own_bits()
    {
        chann(Settings_row, 1) = 9;  // time-out beyond the list
        chann(Settings_row, 3) = 15; // work mode 3, battery save, scan
        chann(Vfo_row, 11) = 0x03;   // wide receive, high power, narrow transmit
        open();
        QCOMPARE(get<QComboBox>("Combo_TOT")->currentText(), "7");
        QCOMPARE(cells(Settings_row, 1, 3), (QList<int>{7, 0, 11}));
        QCOMPARE(get<QComboBox>("Combo_wn_TX")->currentIndex(), 0);
        get<QComboBox>("Combo_WN_RX")->setCurrentIndex(0);
        QCOMPARE(chann(Vfo_row, 11), 0x02);
        press_down(get<QComboBox>("Combo_wn_TX"));
        QCOMPARE(chann(Vfo_row, 11), 0x06);
        QTest::mouseClick(get("Check_Save"), Qt::LeftButton);
        QTest::mouseClick(get("Check_Scan"), Qt::LeftButton);
        QCOMPARE(chann(Settings_row, 3), 8);

        auto *dni = get<QCheckBox>("Check_DNI");
        get<QComboBox>("Combo_Decode")->setCurrentIndex(155); // D023I
        QVERIFY(dni->isChecked());
        get<QComboBox>("Combo_Decode")->setCurrentIndex(1);
        QVERIFY(!dni->isChecked());
        get<QComboBox>("Combo_Encode")->setCurrentIndex(155);
        QVERIFY(get<QCheckBox>("Check_ENI")->isChecked());
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{1, 51, 0, 6, 3}));
        // The user cannot change the indicators themselves.
        QTest::mouseClick(dni, Qt::LeftButton);
        QVERIFY(!dni->isChecked());
        QCOMPARE(dni->focusPolicy(), Qt::NoFocus);
    }

    void typing_into_lists()
    {
        program->switch_language(false);
        open();
        const Data_image before = chann;
        auto *squelch = get<QComboBox>("Combo_Sql");
        squelch->setFocus();
        QTest::keyClicks(squelch, "9a");
        QCOMPARE(squelch->currentText(), "5");
        QVERIFY(chann == before);
        // The duplex list lets typed letters pick their entry.
        auto *duplex = get<QComboBox>("Combo_Sft_d");
        duplex->setFocus();
        QTest::keyClicks(duplex, "M");
        QCOMPARE(duplex->currentText(), "Minus");
        QCOMPARE(chann(Settings_row, 6), 2);
        QCOMPARE(get<QLineEdit>("Text_TX_Freq")->text(), "332.00000");
    }

    // An erased radio opens without a message or a byte beyond 0..255; the
    // duplex direction waits for an RX frequency, which the TX then follows.
    void frequency_mode_from_an_erased_radio()
    {
        chann.fill(Vfo_row, Vfo_row, 0, 15, 255);
        chann.fill(Settings_row, Settings_row, 0, 15, 255);
        open();
        for (const char *field : {"Text_RX_Freq", "Text_TX_Freq", "Text_Offset_Freq"})
            QCOMPARE(get<QLineEdit>(field)->text(), QString());
        QCOMPARE(cells(Vfo_row, 0, 12), (QList<int>(8, 255) + QList<int>{154, 154, 8, 255, 255}));
        for (int c = 0; c <= 15; ++c)
            QVERIFY(chann(Settings_row, c) >= 0 && chann(Settings_row, c) <= 255);
        const Data_image before = chann;
        auto *duplex = get<QComboBox>("Combo_Sft_d");
        QCOMPARE(duplex->currentText(), "减频");
        duplex->setCurrentIndex(1);
        QVERIFY(chann == before);
        QCOMPARE(duplex->currentIndex(), 2);

        auto *rx = get<QLineEdit>("Text_RX_Freq");
        type_into(rx, "438.125");
        QVERIFY(chann == before);
        leave(rx);
        QVERIFY(QApplication::focusWidget() != rx);
        duplex->setCurrentIndex(1);
        auto *offset = get<QLineEdit>("Text_Offset_Freq");
        type_into(offset, "5");
        leave(offset);
        QCOMPARE(cells(Vfo_row, 0, 7), QList<int>({0x00, 0x25, 0x31, 0x44}) + Rx_438);
        QCOMPARE(cells(Settings_row, 6, 10), (QList<int>{1, 0, 0, 0, 5}));
        QCOMPARE(rx->text() + get<QLineEdit>("Text_TX_Freq")->text() + offset->text(),
                 "438.12500443.125005.000000");
        press_down(duplex);
        QCOMPARE(get<QLineEdit>("Text_TX_Freq")->text(), "433.12500");
        QCOMPARE(cells(Vfo_row, 0, 3), (QList<int>{0x00, 0x25, 0x31, 0x43}));
        QVERIFY(recorder->messages.isEmpty());
    }

    void rx_out_of_band_keeps_the_focus_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("switching"); // leaves by activating another window
        QTest::newRow("470") << false << "470" << false;
        QTest::newRow("399.99999 in Chinese") << true << "399.99999" << false;
        QTest::newRow("empty") << false << "" << false;
        QTest::newRow("999, another window activated") << false << "999" << true;
    }
    void rx_out_of_band_keeps_the_focus()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, typed);
        QFETCH(bool, switching);
        program->switch_language(chinese);
        open();
        auto *rx = get<QLineEdit>("Text_RX_Freq");
        const Data_image before = chann;
        type_into(rx, typed);
        if (typed.isEmpty())
            QTest::keyClick(rx, Qt::Key_Backspace);
        QMdiArea *area = program->document_area();
        QVERIFY(area->subWindowList().size() > 1);
        for (QMdiSubWindow *frame : area->subWindowList())
            if (switching && frame->widget() != form())
                area->setActiveSubWindow(frame);
        if (!switching)
            leave(rx);
        QCOMPARE(recorder->texts(), QStringList(chinese ? "接收频率超出范围 ！" : Rx_message));
        QCOMPARE(recorder->messages[0].title, chinese ? "操作提示" : "Operate prompt");
        QCOMPARE(rx->text(), QString());
        QCOMPARE(QApplication::focusWidget(), rx);
        QCOMPARE(area->activeSubWindow()->widget(), form());
        QVERIFY(chann == before);
        type_into(rx, "400");
        leave(rx);
        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(rx->text(), "400.00000");
    }

    void rx_key_filter_in_the_field()
    {
        program->switch_language(false);
        open();
        auto *rx = get<QLineEdit>("Text_RX_Freq");
        type_into(rx, ".a-4381250001");
        QCOMPARE(rx->text(), "438125000");
        QVERIFY(recorder->messages.isEmpty());
        QTest::keyClick(rx, Qt::Key_Period);
        QCOMPARE(recorder->texts(), QStringList(Rx_message));
        QCOMPARE(rx->text(), QString());
        QCOMPARE(QApplication::focusWidget(), rx);
        // Pasting would bring text past the filter.
        QApplication::clipboard()->setText("x1234567890");
        QTest::keyClick(rx, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rx->text(), QString());
    }

    void offset_limits_typing_and_leaving()
    {
        program->switch_language(false);
        open();
        auto *offset = get<QLineEdit>("Text_Offset_Freq");
        type_into(offset, "69.99");
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0x00, 0x00, 0x99, 0x69}));
        leave(offset);
        QCOMPARE(recorder->texts(), QStringList(Offset_message));
        QCOMPARE(offset->text(), QString());
        QCOMPARE(QApplication::focusWidget(), offset);
        QCOMPARE(cells(Settings_row, 7, 10), QList<int>(4, 255));
        // Leaving it empty means no shift at all.
        leave(offset);
        QCOMPARE(cells(Settings_row, 7, 10), QList<int>(4, 0));
        QCOMPARE(offset->text(), "0.000000");
        type_into(offset, "7");
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0, 0, 0, 7}));
        QTest::keyClicks(offset, "0");
        QCOMPARE(recorder->texts(), QStringList({Offset_message, Offset_message}));
        QCOMPARE(offset->text(), QString());
        QCOMPARE(cells(Settings_row, 7, 10), QList<int>(4, 255));
        QTest::keyClicks(offset, ".5..5");
        QCOMPARE(offset->text(), "5.5");
    }

    // Before the image is used elsewhere the RX being typed is checked and
    // stored; rebuilding or ending drops a half-typed RX without a word or a store.
    void unfinished_entry()
    {
        open();
        type_into(get<QLineEdit>("Text_RX_Freq"), "438.125");
        program->host().commit_pending_edits();
        QCOMPARE(cells(Vfo_row, 0, 7), Rx_438 + Rx_438);
        QCOMPARE(QApplication::focusWidget(), get("Text_RX_Freq"));
        type_into(get<QLineEdit>("Text_RX_Freq"), "999");
        program->switch_language(false);
        QCOMPARE(get<QLineEdit>("Text_RX_Freq")->text(), "438.12500");
        type_into(get<QLineEdit>("Text_RX_Freq"), "999");
        program.reset();
        QVERIFY(recorder->messages.isEmpty());
        QCOMPARE(cells(Vfo_row, 4, 7), Rx_438);
    }

    // Close closes even while a rejected RX would hold the focus.
    void close_checks_the_unfinished_entry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("rx");
        QTest::newRow("valid") << "438.125" << Rx_438;
        QTest::newRow("rejected") << "470" << Rx_default;
    }
    void close_checks_the_unfinished_entry()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, rx);
        program->switch_language(false);
        QPointer<QWidget> window = open();
        type_into(get<QLineEdit>("Text_RX_Freq"), typed);
        QTest::mouseClick(get<QPushButton>("Command_Close"), Qt::LeftButton);
        QTRY_VERIFY(window.isNull());
        QVERIFY(!Open_flags_of(Open_flag::Option));
        QCOMPARE(cells(Vfo_row, 4, 7), rx);
        QCOMPARE(recorder->texts(), rx == Rx_default ? QStringList(Rx_message) : QStringList());
    }

    void placed_and_shown_again_on_activation()
    {
        auto *frame = qobject_cast<QMdiSubWindow *>(open()->parentWidget());
        QVERIFY(frame != nullptr);
        QCOMPARE(frame->geometry().size(),
                 QSize(int(program->width() / 1.04), int(program->height() / 1.25)));
        QCOMPARE(frame->y(), 0);
        chann(Settings_row, 0) = 3;
        chann(Vfo_row, 9) = 60;
        chann(Vfo_row, 12) = 2;
        program->host().activate_current();
        QCOMPARE(shown_by(get("Combo_Sql")) + shown_by(get("Combo_Encode")), "3D053I");
        QVERIFY(get<QCheckBox>("Check_ENI")->isChecked());
    }

private:
    QWidget *open()
    {
        program->findChild<QAction *>("Optional_edit")->trigger();
        return form();
    }
    QWidget *form() const
    {
        auto *window = program->findChild<Option_window *>("frm_option");
        if (!window)
            qFatal("the optional features window is not open");
        return window;
    }
    template <class Control = QWidget> Control *get(const char *name) const
    {
        auto *control = form()->findChild<Control *>(name);
        if (!control)
            qFatal("no control %s", name);
        return control;
    }

    std::unique_ptr<Message_recorder> recorder;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_option_window)
#include "test_option_window.moc"
