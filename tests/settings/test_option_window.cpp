#include "core/globals.h"
#include "core/image.h"
#include "image_rows.h"
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
        const QStringList names =
            QString("Frame2 Combo_TOT Combo_Sql Combo_Scan_Way Combo_Mode Combo_vox Check_Save "
                    "Check_Scan Frame_vfo Text_RX_Freq Text_TX_Freq Combo_Decode Check_DNI "
                    "Combo_Encode Check_ENI Combo_Step Combo_Sft_d Text_Offset_Freq Combo_wn_TX "
                    "Combo_WN_RX Combo_TXP Command_Close Command_Help")
                .split(' ');
        const auto each = [&](QString (*text_of)(QWidget *)) {
            QStringList texts;
            for (const QString &name : names)
                texts.append(text_of(get(name)));
            return texts;
        };
        const Data_image before = chann;
        open();
        QCOMPARE(form()->windowTitle(), "可选参数");
        for (const auto &[name, caption, shown] : {std::tuple{"Combo_Mode", " 工作模式", "频率"},
                                                   {"Combo_Scan_Way", "扫描方式", "时间"},
                                                   {"Combo_TXP", "发射功率", "高功率"}}) {
            QCOMPARE(caption_of(get(name)), caption);
            QCOMPARE(shown_by(get(name)), shown);
        }
        program->switch_language(false);
        QCOMPARE(form()->windowTitle(), "Optional Features");
        const QStringList captions =
            QString("|Time Out Timer[Min]|Squelch Level|Scan Way|Work Mode|VOX|Save|Scan|"
                    "Frequncy Mode|RX Frequncy(MHZ)|TX Frequncy(MHZ)|Decode|INV|Encode|INV|"
                    "Step(KHZ)|Duplex|Offset Frequncy(MHZ) |TX-W/N|W/N|TX Power|Close|Help")
                .split('|');
        QCOMPARE(each(caption_of), captions);
        const QStringList defaults =
            QString("|1|5|TO|Frequncy|Off|on|off||400.01250|400.01250|OFF|off|OFF|off|5K|Off|"
                    "68.012500|Wide|Wide|High||")
                .split('|');
        QCOMPARE(each(shown_by), defaults);
        QVERIFY(get<QLineEdit>("Text_TX_Freq")->isReadOnly());
        QVERIFY(program->host().open_flag(Window_id::Option));
        QVERIFY(chann == before);
        QVERIFY(recorder->messages.isEmpty());
    }

    void picks_store_their_own_bits()
    {
        chann(Settings_row, 1) = 9;  // time-out beyond the list
        chann(Settings_row, 3) = 15; // work mode 3, battery save, scan
        chann(Vfo_row, 11) = 0x03;   // wide receive, high power, narrow transmit
        chann(Vfo_row, 9) = 60;      // D053I
        chann(Vfo_row, 12) = 2;
        open();
        QVERIFY(get<QCheckBox>("Check_ENI")->isChecked());
        QCOMPARE(cells(Settings_row, 1, 3), (QList<int>{7, 0, 11}));
        get<QComboBox>("Combo_WN_RX")->setCurrentIndex(0);
        get<QComboBox>("Combo_wn_TX")->setCurrentIndex(1);
        QTest::mouseClick(get("Check_Save"), Qt::LeftButton);
        QTest::mouseClick(get("Check_Scan"), Qt::LeftButton);
        QCOMPARE(chann(Settings_row, 3), 8);
        auto *dni = get<QCheckBox>("Check_DNI");
        get<QComboBox>("Combo_Decode")->setCurrentIndex(155); // D023I
        QVERIFY(dni->isChecked());
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{51, 60, 0, 6, 3}));
        // The user cannot change the indicators themselves.
        QTest::mouseClick(dni, Qt::LeftButton);
        QVERIFY(dni->isChecked());
        QCOMPARE(dni->focusPolicy(), Qt::NoFocus);
    }

    // An erased radio opens without a message or a byte beyond 0..255; the
    // duplex direction waits for an RX frequency, which the TX then follows.
    // Keys typed into a list pick nothing, except in the duplex list.
    void frequency_mode_from_an_erased_radio()
    {
        chann.fill(Vfo_row, Vfo_row, 0, 15, 255);
        chann.fill(Settings_row, Settings_row, 0, 15, 255);
        program->switch_language(false);
        open();
        for (const char *field : {"Text_RX_Freq", "Text_TX_Freq", "Text_Offset_Freq"})
            QCOMPARE(get<QLineEdit>(field)->text(), QString());
        QCOMPARE(cells(Vfo_row, 0, 12), (QList<int>(8, 255) + QList<int>{154, 154, 8, 255, 255}));
        for (int c = 0; c <= 15; ++c)
            QVERIFY(chann(Settings_row, c) >= 0 && chann(Settings_row, c) <= 255);
        QCOMPARE(chann(Settings_row, 6), 255); // duplex shown as "Minus", not stored
        const Data_image before = chann;
        auto *squelch = get<QComboBox>("Combo_Sql");
        squelch->setFocus();
        QTest::keyClicks(squelch, "1a");
        QCOMPARE(squelch->currentText(), "9");
        auto *duplex = get<QComboBox>("Combo_Sft_d");
        QCOMPARE(duplex->currentText(), "Minus");
        duplex->setCurrentIndex(1);
        // Passing through the erased offset stores nothing.
        auto *offset = get<QLineEdit>("Text_Offset_Freq");
        offset->setFocus();
        QTest::keyClick(offset, Qt::Key_Tab);
        QVERIFY(chann == before);
        QCOMPARE(duplex->currentIndex(), 2);

        auto *rx = get<QLineEdit>("Text_RX_Freq");
        type_into(rx, "438.125");
        QVERIFY(chann == before);
        QTest::keyClick(rx, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != rx);
        duplex->setCurrentIndex(1);
        type_into(offset, "5");
        QTest::keyClick(offset, Qt::Key_Tab);
        QCOMPARE(cells(Vfo_row, 0, 7), QList<int>({0x00, 0x25, 0x31, 0x44}) + Rx_438);
        QCOMPARE(cells(Settings_row, 6, 10), (QList<int>{1, 0, 0, 0, 5}));
        QCOMPARE(rx->text() + get<QLineEdit>("Text_TX_Freq")->text() + offset->text(),
                 "438.12500443.125005.000000");
        duplex->setFocus();
        QTest::keyClicks(duplex, "M");
        QCOMPARE(duplex->currentText(), "Minus");
        QCOMPARE(get<QLineEdit>("Text_TX_Freq")->text(), "433.12500");
        QCOMPARE(cells(Vfo_row, 0, 3), (QList<int>{0x00, 0x25, 0x31, 0x43}));
        type_into(rx, "469.99999");
        QTest::keyClick(rx, Qt::Key_Tab);
        QCOMPARE(rx->text() + get<QLineEdit>("Text_TX_Freq")->text(), "469.99999464.99999");
        QVERIFY(recorder->messages.isEmpty());
    }

    void rx_out_of_band_keeps_the_focus_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("switching"); // leaves by activating another window
        QTest::newRow("399.99999 in Chinese") << true << "399.99999" << false;
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
        QMdiArea *area = program->document_area();
        QVERIFY(area->subWindowList().size() > 1);
        for (QMdiSubWindow *frame : area->subWindowList())
            if (switching && frame->widget() != form())
                area->setActiveSubWindow(frame);
        if (!switching)
            QTest::keyClick(rx, Qt::Key_Tab);
        QCOMPARE(recorder->texts(), QStringList(chinese ? "接收频率超出范围 ！" : Rx_message));
        QCOMPARE(recorder->messages[0].title, chinese ? "操作提示" : "Operate prompt");
        QCOMPARE(rx->text(), QString());
        QCOMPARE(QApplication::focusWidget(), rx);
        QCOMPARE(area->activeSubWindow()->widget(), form());
        QVERIFY(chann == before);
        type_into(rx, "400");
        QTest::keyClick(rx, Qt::Key_Tab);
        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(rx->text(), "400.00000");
    }

    void offset_and_rx_typing_and_leaving()
    {
        program->switch_language(false);
        open();
        auto *offset = get<QLineEdit>("Text_Offset_Freq");
        type_into(offset, "69.99");
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0x00, 0x00, 0x99, 0x69}));
        QTest::keyClick(offset, Qt::Key_Tab);
        QCOMPARE(recorder->texts(), QStringList(Offset_message));
        QCOMPARE(offset->text(), QString());
        QCOMPARE(QApplication::focusWidget(), offset);
        QCOMPARE(cells(Settings_row, 7, 10), QList<int>(4, 255));
        // Leaving it empty means no shift at all.
        QTest::keyClick(offset, Qt::Key_Tab);
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

        // The RX field's key filter, entered from the offset field.
        recorder->messages.clear();
        auto *rx = get<QLineEdit>("Text_RX_Freq");
        type_into(rx, ".a-4381250001");
        QCOMPARE(rx->text(), "438125000");
        QVERIFY(recorder->messages.isEmpty());
        QTest::keyClick(rx, Qt::Key_Period);
        QCOMPARE(recorder->texts(), QStringList(Rx_message));
        QCOMPARE(rx->text(), QString());
        QCOMPARE(QApplication::focusWidget(), rx);
        // Pasting would bring text past the filter.
        QApplication::clipboard()->setText("x1");
        QTest::keyClick(rx, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rx->text(), QString());
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

    // Close stores a valid RX being typed, and closes even while a rejected
    // one would hold the focus.
    void close_checks_the_unfinished_entry()
    {
        program->switch_language(false);
        const auto close_after_typing = [this](const QString &typed) {
            QPointer<QWidget> window = open();
            type_into(get<QLineEdit>("Text_RX_Freq"), typed);
            QTest::mouseClick(get<QPushButton>("Command_Close"), Qt::LeftButton);
            QTRY_VERIFY(window.isNull());
            QVERIFY(!program->host().open_flag(Window_id::Option));
        };
        close_after_typing("438.125");
        QCOMPARE(cells(Vfo_row, 4, 7), Rx_438);
        QVERIFY(recorder->messages.isEmpty());
        close_after_typing("470");
        QCOMPARE(cells(Vfo_row, 4, 7), Rx_438);
        QCOMPARE(recorder->texts(), QStringList(Rx_message));
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
    template <class Control = QWidget> Control *get(const QString &name) const
    {
        auto *control = form()->findChild<Control *>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }

    std::unique_ptr<Message_recorder> recorder;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_option_window)
#include "test_option_window.moc"
