#include "core/globals.h"
#include "core/image.h"
#include "image_cells.h"
#include "message_recorder.h"
#include "settings/option_window.h"
#include "started_program.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

using namespace r7k;

namespace {

const QString Rx_message = QStringLiteral("Over the range of RX frequency .");
const QString Offset_message = QStringLiteral("Over the range of Offset frequency .");

template <class Control> Control *find(QWidget *window, const char *name)
{
    auto *control = window->findChild<Control *>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

// The caption of a control: its own text, or the text of the label beside it.
QString caption_of(QWidget *window, const char *name)
{
    QWidget *control = find<QWidget>(window, name);
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return button->text();
    if (auto *group = qobject_cast<QGroupBox *>(control))
        return group->title();
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->buddy() == control)
            return label->text();
    return QStringLiteral("<no caption>");
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

    void opening_shows_the_defaults_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::newRow("Chinese") << true;
        QTest::newRow("English") << false;
    }
    void opening_shows_the_defaults()
    {
        QFETCH(bool, chinese);
        program->switch_language(chinese);
        const Data_image before = chann;
        QWidget *window = open();
        QVERIFY(chann == before);
        QVERIFY(Open_flags_of(Open_flag::Option));

        const auto pick = [chinese](const char *zh, const char *en) {
            return QString::fromUtf8(chinese ? zh : en);
        };
        const std::pair<const char *, QString> lists[] = {
            {"Combo_Sql", "5"},
            {"Combo_TOT", "1"},
            {"Combo_Scan_Way", pick("时间", "TO")},
            {"Combo_Mode", pick("频率", "Frequncy")},
            {"Combo_vox", pick("关", "Off")},
            {"Combo_Step", "5K"},
            {"Combo_Sft_d", pick("关", "Off")},
            {"Combo_TXP", pick("高功率", "High")},
            {"Combo_wn_TX", pick("宽带", "Wide")},
            {"Combo_WN_RX", pick("宽带", "Wide")},
            {"Combo_Decode", "OFF"},
            {"Combo_Encode", "OFF"},
        };
        for (const auto &[name, text] : lists)
            QCOMPARE(find<QComboBox>(window, name)->currentText(), text);
        QVERIFY(find<QCheckBox>(window, "Check_Save")->isChecked());
        QVERIFY(!find<QCheckBox>(window, "Check_Scan")->isChecked());
        QVERIFY(!find<QCheckBox>(window, "Check_DNI")->isChecked());
        QVERIFY(!find<QCheckBox>(window, "Check_ENI")->isChecked());
        QCOMPARE(find<QLineEdit>(window, "Text_RX_Freq")->text(), QStringLiteral("400.01250"));
        QCOMPARE(find<QLineEdit>(window, "Text_TX_Freq")->text(), QStringLiteral("400.01250"));
        QCOMPARE(find<QLineEdit>(window, "Text_Offset_Freq")->text(), QStringLiteral("68.012500"));
        QVERIFY(find<QLineEdit>(window, "Text_TX_Freq")->isReadOnly());
        QCOMPARE(find<QComboBox>(window, "Combo_Decode")->count(), 259);
        QCOMPARE(find<QComboBox>(window, "Combo_Sft_d")->itemText(2), pick("减频", "Minus"));
        QVERIFY(recorder->messages.isEmpty());
    }

    void captions_in_both_languages()
    {
        const struct {
            const char *control;
            const char *chinese;
            const char *english;
        } captions[] = {
            {"Combo_TOT", "超时定时器[分钟]", "Time Out Timer[Min]"},
            {"Combo_Sql", "静噪等级", "Squelch Level"},
            {"Combo_Scan_Way", "扫描方式", "Scan Way"},
            {"Combo_Mode", " 工作模式", "Work Mode"},
            {"Combo_vox", "声控电平", "VOX"},
            {"Check_Save", "电池省电", "Save"},
            {"Check_Scan", "扫描", "Scan"},
            {"Frame_vfo", "频率模式", "Frequncy Mode"},
            {"Text_RX_Freq", "接收频率(MHZ)", "RX Frequncy(MHZ)"},
            {"Text_TX_Freq", "发射频率(MHZ)", "TX Frequncy(MHZ)"},
            {"Combo_Decode", "解码", "Decode"},
            {"Check_DNI", "INV", "INV"},
            {"Combo_Encode", "编码", "Encode"},
            {"Check_ENI", "INV", "INV"},
            {"Combo_Step", "步进频率(KHZ)", "Step(KHZ)"},
            {"Combo_Sft_d", "频差方向", "Duplex"},
            {"Text_Offset_Freq", "频差频率(MHZ)", "Offset Frequncy(MHZ) "},
            {"Combo_wn_TX", "发射宽带", "TX-W/N"},
            {"Combo_WN_RX", "带宽", "W/N"},
            {"Combo_TXP", "发射功率", "TX Power"},
            {"Command_Close", "关闭", "Close"},
            {"Command_Help", "帮助", "Help"},
        };
        QWidget *window = open();
        QCOMPARE(window->windowTitle(), QStringLiteral("可选参数"));
        QCOMPARE(find<QGroupBox>(window, "Frame2")->title(), QString());
        for (const auto &c : captions)
            QCOMPARE(caption_of(window, c.control), QString::fromUtf8(c.chinese));

        // The language switch rebuilds the open window in the new language.
        program->switch_language(false);
        QWidget *english = program->findChild<Option_window *>();
        QVERIFY(english != nullptr);
        QCOMPARE(english->windowTitle(), QStringLiteral("Optional Features"));
        for (const auto &c : captions)
            QCOMPARE(caption_of(english, c.control), QString::fromUtf8(c.english));
    }

    void codes_beyond_lists_and_shared_bits()
    {
        chann(Settings_row, 1) = 9;  // time-out
        chann(Settings_row, 3) = 15; // work mode 3, battery save, scan
        chann(Vfo_row, 11) = 0x03;   // wide receive, high power, narrow transmit
        QWidget *window = open();
        QCOMPARE(find<QComboBox>(window, "Combo_TOT")->currentText(), QStringLiteral("7"));
        QCOMPARE(chann(Settings_row, 1), qint16(7));
        QCOMPARE(find<QComboBox>(window, "Combo_Mode")->currentText(),
                 QStringLiteral("仅信道模式"));
        QCOMPARE(chann(Settings_row, 3), qint16(11));
        QVERIFY(find<QCheckBox>(window, "Check_Scan")->isChecked());
        QCOMPARE(find<QComboBox>(window, "Combo_WN_RX")->currentIndex(), 1);
        QCOMPARE(find<QComboBox>(window, "Combo_wn_TX")->currentIndex(), 0);
        QCOMPARE(chann(Vfo_row, 11), qint16(0x03));

        // Picking a bandwidth sets both bits; the TX bandwidth then its own.
        find<QComboBox>(window, "Combo_WN_RX")->setCurrentIndex(0);
        QCOMPARE(chann(Vfo_row, 11), qint16(0x02));
        QComboBox *tx_width = find<QComboBox>(window, "Combo_wn_TX");
        tx_width->setFocus();
        QTest::keyClick(tx_width, Qt::Key_Down);
        QCOMPARE(chann(Vfo_row, 11), qint16(0x06));

        QTest::mouseClick(find<QCheckBox>(window, "Check_Save"), Qt::LeftButton);
        QCOMPARE(chann(Settings_row, 3), qint16(9));
    }

    void tone_picks_and_inverted_indicators()
    {
        QWidget *window = open();
        QComboBox *decode = find<QComboBox>(window, "Combo_Decode");
        QCheckBox *dni = find<QCheckBox>(window, "Check_DNI");
        decode->setFocus();
        QTest::keyClick(decode, Qt::Key_End);
        QCOMPARE(decode->currentText(), QStringLiteral("D754I"));
        QVERIFY(dni->isChecked());
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{154, 0, 0, 7, 1}));
        decode->setCurrentIndex(155);
        QVERIFY(dni->isChecked());
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{51, 0, 0, 7, 1}));
        decode->setCurrentIndex(1);
        QVERIFY(!dni->isChecked());
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{1, 0, 0, 7, 1}));

        QComboBox *encode = find<QComboBox>(window, "Combo_Encode");
        QCheckBox *eni = find<QCheckBox>(window, "Check_ENI");
        encode->setCurrentIndex(155);
        QVERIFY(eni->isChecked());
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{1, 51, 0, 7, 3}));
        encode->setCurrentIndex(2);
        QVERIFY(!eni->isChecked());
        QCOMPARE(cells(Vfo_row, 8, 12), (QList<int>{1, 2, 0, 7, 3}));

        // The user cannot change the indicators themselves.
        QTest::mouseClick(dni, Qt::LeftButton);
        QVERIFY(!dni->isChecked());
        QCOMPARE(dni->focusPolicy(), Qt::NoFocus);
    }

    void typing_into_lists()
    {
        program->switch_language(false);
        QWidget *window = open();
        const Data_image before = chann;
        QComboBox *squelch = find<QComboBox>(window, "Combo_Sql");
        squelch->setFocus();
        QTest::keyClicks(squelch, QStringLiteral("9a"));
        QCOMPARE(squelch->currentText(), QStringLiteral("5"));
        QVERIFY(chann == before);

        // The duplex list lets typed letters pick their entry.
        QComboBox *duplex = find<QComboBox>(window, "Combo_Sft_d");
        duplex->setFocus();
        QTest::keyClicks(duplex, QStringLiteral("M"));
        QCOMPARE(duplex->currentText(), QStringLiteral("Minus"));
        QCOMPARE(chann(Settings_row, 6), qint16(2));
        QCOMPARE(find<QLineEdit>(window, "Text_TX_Freq")->text(), QStringLiteral("332.00000"));
    }

    void duplex_needs_an_rx_frequency()
    {
        chann.fill(Vfo_row, Vfo_row, 4, 7, 255);
        QWidget *window = open();
        QLineEdit *rx = find<QLineEdit>(window, "Text_RX_Freq");
        QLineEdit *tx = find<QLineEdit>(window, "Text_TX_Freq");
        QCOMPARE(rx->text(), QString());
        QVERIFY(recorder->messages.isEmpty());

        const Data_image before = chann;
        QComboBox *duplex = find<QComboBox>(window, "Combo_Sft_d");
        duplex->setFocus();
        QTest::keyClick(duplex, Qt::Key_Down);
        QVERIFY(chann == before);
        QCOMPARE(tx->text(), QStringLiteral("400.01250"));
        QCOMPARE(duplex->currentIndex(), 0);

        type_into(rx, QStringLiteral("438.125"));
        leave(rx);
        QCOMPARE(cells(Vfo_row, 0, 7),
                 (QList<int>{0x00, 0x25, 0x81, 0x43, 0x00, 0x25, 0x81, 0x43}));
        duplex->setFocus();
        QTest::keyClick(duplex, Qt::Key_Down);
        QCOMPARE(chann(Settings_row, 6), qint16(1));
        QCOMPARE(tx->text(), QStringLiteral("506.13750"));
    }

    void rx_with_duplex_and_offset()
    {
        QWidget *window = open();
        QLineEdit *rx = find<QLineEdit>(window, "Text_RX_Freq");
        QLineEdit *tx = find<QLineEdit>(window, "Text_TX_Freq");
        QLineEdit *offset = find<QLineEdit>(window, "Text_Offset_Freq");
        QComboBox *duplex = find<QComboBox>(window, "Combo_Sft_d");
        duplex->setCurrentIndex(1);
        type_into(offset, QStringLiteral("5"));
        leave(offset);
        type_into(rx, QStringLiteral("438.125"));
        QCOMPARE(cells(Vfo_row, 4, 7), (QList<int>{80, 18, 0, 64}));
        leave(rx);
        QCOMPARE(cells(Vfo_row, 4, 7), (QList<int>{0x00, 0x25, 0x81, 0x43}));
        QCOMPARE(cells(Vfo_row, 0, 3), (QList<int>{0x00, 0x25, 0x31, 0x44}));
        QCOMPARE(cells(Settings_row, 6, 10), (QList<int>{1, 0, 0, 0, 5}));
        QCOMPARE(rx->text(), QStringLiteral("438.12500"));
        QCOMPARE(tx->text(), QStringLiteral("443.12500"));
        QCOMPARE(offset->text(), QStringLiteral("5.000000"));
        QVERIFY(QApplication::focusWidget() != rx);

        duplex->setFocus();
        QTest::keyClick(duplex, Qt::Key_Down);
        QCOMPARE(tx->text(), QStringLiteral("433.12500"));
        QCOMPARE(cells(Vfo_row, 0, 3), (QList<int>{0x00, 0x25, 0x31, 0x43}));
        duplex->setCurrentIndex(0);
        QCOMPARE(tx->text(), QStringLiteral("438.12500"));
        QVERIFY(recorder->messages.isEmpty());
    }

    void rx_out_of_band_keeps_the_focus_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("typed");
        QTest::newRow("470") << false << "470";
        QTest::newRow("399.99999 in Chinese") << true << "399.99999";
        QTest::newRow("empty") << false << "";
    }
    void rx_out_of_band_keeps_the_focus()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, typed);
        program->switch_language(chinese);
        QWidget *window = open();
        QLineEdit *rx = find<QLineEdit>(window, "Text_RX_Freq");
        const Data_image before = chann;
        type_into(rx, typed);
        if (typed.isEmpty())
            QTest::keyClick(rx, Qt::Key_Backspace);
        leave(rx);
        QCOMPARE(recorder->texts(),
                 QStringList(chinese ? QStringLiteral("接收频率超出范围 ！") : Rx_message));
        QCOMPARE(recorder->messages[0].title,
                 chinese ? QStringLiteral("操作提示") : QStringLiteral("Operate prompt"));
        QCOMPARE(rx->text(), QString());
        QCOMPARE(QApplication::focusWidget(), rx);
        QVERIFY(chann == before);

        type_into(rx, QStringLiteral("400"));
        leave(rx);
        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(rx->text(), QStringLiteral("400.00000"));
    }

    // A rejected RX keeps the focus even against a switch to another window.
    void rejected_rx_holds_the_window()
    {
        QWidget *window = open();
        QLineEdit *rx = find<QLineEdit>(window, "Text_RX_Freq");
        type_into(rx, QStringLiteral("999"));
        QMdiArea *area = program->document_area();
        QVERIFY(area->subWindowList().size() > 1);
        for (QMdiSubWindow *frame : area->subWindowList())
            if (frame->widget() != window)
                area->setActiveSubWindow(frame);
        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(QApplication::focusWidget(), rx);
        QCOMPARE(area->activeSubWindow()->widget(), window);
        QCOMPARE(cells(Vfo_row, 4, 7), (QList<int>{80, 18, 0, 64}));
    }

    void rx_key_filter_in_the_field()
    {
        program->switch_language(false);
        QWidget *window = open();
        QLineEdit *rx = find<QLineEdit>(window, "Text_RX_Freq");
        type_into(rx, QStringLiteral(".a-4381250001"));
        QCOMPARE(rx->text(), QStringLiteral("438125000"));
        QVERIFY(recorder->messages.isEmpty());
        QTest::keyClick(rx, Qt::Key_Period);
        QCOMPARE(recorder->texts(), QStringList(Rx_message));
        QCOMPARE(rx->text(), QString());
        QCOMPARE(QApplication::focusWidget(), rx);

        // Pasting would bring text past the filter.
        QApplication::clipboard()->setText(QStringLiteral("x1234567890"));
        QTest::keyClick(rx, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rx->text(), QString());
    }

    void offset_limits_typing_and_leaving()
    {
        program->switch_language(false);
        QWidget *window = open();
        QLineEdit *offset = find<QLineEdit>(window, "Text_Offset_Freq");
        type_into(offset, QStringLiteral("69.99"));
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0x00, 0x00, 0x99, 0x69}));
        leave(offset);
        QCOMPARE(recorder->texts(), QStringList(Offset_message));
        QCOMPARE(offset->text(), QString());
        QCOMPARE(QApplication::focusWidget(), offset);
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{255, 255, 255, 255}));

        // Leaving it empty means no shift at all.
        leave(offset);
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0, 0, 0, 0}));
        QCOMPARE(offset->text(), QStringLiteral("0.000000"));

        type_into(offset, QStringLiteral("7"));
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{0, 0, 0, 7}));
        QTest::keyClicks(offset, QStringLiteral("0"));
        QCOMPARE(recorder->texts(), QStringList({Offset_message, Offset_message}));
        QCOMPARE(offset->text(), QString());
        QCOMPARE(cells(Settings_row, 7, 10), (QList<int>{255, 255, 255, 255}));
        QTest::keyClicks(offset, QStringLiteral(".5..5"));
        QCOMPARE(offset->text(), QStringLiteral("5.5"));
    }

    void erased_record_opens_quietly()
    {
        chann.fill(Vfo_row, Vfo_row, 0, 15, 255);
        chann.fill(Settings_row, Settings_row, 0, 15, 255);
        QWidget *window = open();
        QVERIFY(recorder->messages.isEmpty());
        QCOMPARE(find<QLineEdit>(window, "Text_RX_Freq")->text(), QString());
        QCOMPARE(find<QLineEdit>(window, "Text_TX_Freq")->text(), QString());
        QCOMPARE(find<QLineEdit>(window, "Text_Offset_Freq")->text(), QString());
        QCOMPARE(cells(Vfo_row, 0, 12),
                 (QList<int>{255, 255, 255, 255, 255, 255, 255, 255, 154, 154, 8, 255, 255}));
        for (int c = 0; c <= 15; ++c)
            QVERIFY(chann(Settings_row, c) >= 0 && chann(Settings_row, c) <= 255);
    }

    void unfinished_entry_is_committed()
    {
        QWidget *window = open();
        QLineEdit *rx = find<QLineEdit>(window, "Text_RX_Freq");
        type_into(rx, QStringLiteral("438.125"));
        program->host().commit_pending_edits();
        QCOMPARE(cells(Vfo_row, 0, 7),
                 (QList<int>{0x00, 0x25, 0x81, 0x43, 0x00, 0x25, 0x81, 0x43}));
        QCOMPARE(QApplication::focusWidget(), rx);

        // Nothing pending: committing shows and stores nothing.
        const Data_image before = chann;
        program->host().commit_pending_edits();
        QVERIFY(chann == before);
        QVERIFY(recorder->messages.isEmpty());
    }

    void close_checks_the_unfinished_entry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("rx");
        QTest::newRow("valid") << "438.125" << QList<int>{0x00, 0x25, 0x81, 0x43};
        QTest::newRow("rejected") << "470" << QList<int>{80, 18, 0, 64};
    }
    void close_checks_the_unfinished_entry()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, rx);
        program->switch_language(false);
        QPointer<QWidget> window = open();
        type_into(find<QLineEdit>(window, "Text_RX_Freq"), typed);
        QTest::mouseClick(find<QPushButton>(window, "Command_Close"), Qt::LeftButton);
        QTRY_VERIFY(window.isNull());
        QVERIFY(!Open_flags_of(Open_flag::Option));
        QCOMPARE(cells(Vfo_row, 4, 7), rx);
        QCOMPARE(recorder->texts(), rx[0] == 80 ? QStringList(Rx_message) : QStringList());
    }

    // Rebuilding or ending drops a half-typed RX without a word or a store.
    void reopening_with_an_unfinished_entry()
    {
        type_into(find<QLineEdit>(open(), "Text_RX_Freq"), QStringLiteral("999"));
        program->switch_language(false);
        QWidget *window = program->findChild<Option_window *>();
        QLineEdit *rx = find<QLineEdit>(window, "Text_RX_Freq");
        QCOMPARE(rx->text(), QStringLiteral("400.01250"));
        type_into(rx, QStringLiteral("999"));
        program.reset();
        QVERIFY(recorder->messages.isEmpty());
        QCOMPARE(cells(Vfo_row, 4, 7), (QList<int>{80, 18, 0, 64}));
    }

    void help_does_nothing()
    {
        QWidget *window = open();
        const Data_image before = chann;
        QTest::mouseClick(find<QPushButton>(window, "Command_Help"), Qt::LeftButton);
        QVERIFY(chann == before);
        QVERIFY(recorder->messages.isEmpty());
        QCOMPARE(program->findChild<Option_window *>(), window);
    }

    void activation_shows_the_image_again()
    {
        QWidget *window = open();
        chann(Settings_row, 0) = 3;
        chann(Vfo_row, 9) = 60;
        chann(Vfo_row, 12) = 2;
        program->host().activate_current();
        QCOMPARE(find<QComboBox>(window, "Combo_Sql")->currentText(), QStringLiteral("3"));
        QCOMPARE(find<QComboBox>(window, "Combo_Encode")->currentText(), QStringLiteral("D053I"));
        QVERIFY(find<QCheckBox>(window, "Check_ENI")->isChecked());
    }

    void placed_from_the_main_window()
    {
        QWidget *window = open();
        auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
        QVERIFY(frame != nullptr);
        QCOMPARE(frame->width(), int(program->width() / 1.04));
        QCOMPARE(frame->height(), int(program->height() / 1.25));
        QCOMPARE(frame->y(), 0);
    }

private:
    QWidget *open()
    {
        find<QAction>(program.get(), "Optional_edit")->trigger();
        auto *window = program->findChild<Option_window *>(QStringLiteral("frm_option"));
        if (!window)
            qFatal("the optional features window did not open");
        return window;
    }

    std::unique_ptr<Message_recorder> recorder;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_option_window)
#include "test_option_window.moc"
