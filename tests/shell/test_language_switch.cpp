#include "core/conversions.h"
#include "core/globals.h"
#include "core/image.h"
#include "dialog_driver.h"
#include "fake_clock.h"
#include "fake_line.h"
#include "link/adjust_txp_dialog.h"
#include "message_recorder.h"
#include "sim/radio.h"
#include "started_program.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>

using namespace r7k;
using namespace Dialog_driver;

namespace {

// The windows the switch rebuilds, in the order it rebuilds them.
const Window_id Rebuilt[] = {
    Window_id::About,      Window_id::Option,    Window_id::Chann,
    Window_id::Setup,      Window_id::Type,      Window_id::Save_chann,
    Window_id::Open_chann, Window_id::Comm_read, Window_id::Comm_write,
};

struct Caption {
    const char *control;
    const char *chinese;
    const char *english;
};

const Caption Main_captions[] = {
    {"File", "文件", "File"},
    {"File_New", "新建", "New"},
    {"File_Open", "打开", "Open"},
    {"File_save", "保存", "Save"},
    {"File_saveas", "另存为", "Save As"},
    {"File_exit", "退出", "Exit"},
    {"proc_type", "机型", "Model"},
    {"Edit", "编辑", "Edit"},
    {"Channel_edit", "信道信息", "Channel Information "},
    {"Optional_edit", "可选功能", "Optional Features"},
    {"Program", "编程", "Program"},
    {"Prog_read", "从对讲机读取数据", "Read from radio"},
    {"Prog_write", "向对讲机写入数据", "Write to radio"},
    {"Adjust", "调整", "Adjust"},
    {"Adj_Txp", "发射功率调整", "Power Adjust"},
    {"proc_setup", "端口设置", "Communication"},
    {"Language_Setup", "语言", "Language"},
    {"Menu_About", "关于", "About"},
    {"Menu_exit", "退出", "Exit"},
    {"Language_chn", "中文", "中文"},
    {"Language_eng", "English", "English"},
};

QString caption_of(const Main_window &program, const char *name)
{
    if (auto *menu = program.findChild<QMenu *>(QLatin1String(name)))
        return menu->title();
    auto *action = program.findChild<QAction *>(QLatin1String(name));
    return action ? action->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

bool has_chinese(const QString &text)
{
    for (const QChar ch : text)
        if (ch.unicode() >= 0x3000)
            return true;
    return false;
}

// Every caption a window shows: its title, labels, buttons, frames, list
// entries and column headings.
QStringList captions_of(const QWidget *window)
{
    QStringList texts{window->windowTitle()};
    for (const QLabel *label : window->findChildren<QLabel *>())
        texts.append(label->text());
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        texts.append(button->text());
    for (const QGroupBox *frame : window->findChildren<QGroupBox *>())
        texts.append(frame->title());
    for (const QComboBox *list : window->findChildren<QComboBox *>())
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->itemText(i));
    for (const QHeaderView *header : window->findChildren<QHeaderView *>())
        if (header->model())
            for (int i = 0; i < header->count(); ++i)
                texts.append(header->model()->headerData(i, header->orientation()).toString());
    texts.removeAll(QString());
    return texts;
}

// Whether any cell of the window's grids shows `text`.
bool grid_shows(const QWidget *window, const QString &text)
{
    for (const QAbstractItemView *view : window->findChildren<QAbstractItemView *>()) {
        const QAbstractItemModel *model = view->model();
        for (int row = 0; model && row < model->rowCount(); ++row)
            for (int column = 0; column < model->columnCount(); ++column)
                if (model->index(row, column).data().toString().contains(text))
                    return true;
    }
    return false;
}

} // namespace

class Test_language_switch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        program = Start_program();
        messages.messages.clear();
    }
    void cleanup() { program.reset(); }

    void main_window_captions_follow_the_language()
    {
        trigger(*program, "Language_eng");
        check_main_captions(false);
        trigger(*program, "Language_chn");
        check_main_captions(true);
        trigger(*program, "Language_chn");
        check_main_captions(true);
    }

    void panels_five_and_seven_are_left_alone()
    {
        Port_no = 3;
        Freq_low = 244;
        Freq_high = 247;
        program->show_band();
        trigger(*program, "Language_eng");
        QCOMPARE(program->panel_text(3), QStringLiteral("COM3"));
        QCOMPARE(program->panel_text(5), QStringLiteral("Ver1.4"));
        QCOMPARE(program->panel_text(7), QStringLiteral(" 244-- 247 MHZ"));
    }

    void open_windows_are_rebuilt_in_order()
    {
        const QList<Window_id> opened = open_every_rebuilt_window();
        std::map<Window_id, QStringList> chinese;
        for (Window_id id : opened)
            chinese[id] = captions_of(window(id));

        for (const bool to_chinese : {false, true, true}) {
            std::map<Window_id, QPointer<QWidget>> before;
            for (Window_id id : opened)
                before[id] = window(id);
            QSignalSpy reopened(&program->host(), &Window_host::opened);
            trigger(*program, to_chinese ? "Language_chn" : "Language_eng");

            QList<Window_id> order;
            for (const QList<QVariant> &signal : reopened)
                order.append(signal[0].value<Window_id>());
            QCOMPARE(order, opened);
            for (Window_id id : opened) {
                const QString name = window(id)->objectName();
                QVERIFY2(before[id].isNull(), qPrintable(name));
                QVERIFY2(window(id)->isVisible(), qPrintable(name));
                const QStringList captions = captions_of(window(id));
                if (to_chinese) {
                    QCOMPARE(captions, chinese[id]);
                    continue;
                }
                QVERIFY2(captions != chinese[id], qPrintable(name));
                for (const QString &caption : captions)
                    QVERIFY2(!has_chinese(caption),
                             qPrintable(name + QStringLiteral(": ") + caption));
            }
            for (bool open : Open_flags)
                QVERIFY(open);
        }
        QVERIFY(messages.messages.isEmpty());
    }

    void reopened_windows_show_the_current_image()
    {
        program->host().open(Window_id::Chann);
        QString frequency = QStringLiteral("438.125");
        Store_freq(frequency, 1, 4); // the receive frequency of channel 1
        QVERIFY(!grid_shows(window(Window_id::Chann), frequency));
        trigger(*program, "Language_eng");
        QVERIFY(grid_shows(window(Window_id::Chann), frequency));
    }

    void dialogs_reopen_in_their_initial_state()
    {
        trigger(*program, "proc_setup");
        QTest::mouseClick(control<QRadioButton>(window(Window_id::Setup), "Option5"),
                          Qt::LeftButton);
        trigger(*program, "File_save");
        control<QLineEdit>(window(Window_id::Save_chann), "Text1")->setText("typed.chann");

        trigger(*program, "Language_eng");
        QVERIFY(control<QRadioButton>(window(Window_id::Setup), "Option1")->isChecked());
        QCOMPARE(Port_no, qint16(1));
        QCOMPARE(control<QLineEdit>(window(Window_id::Save_chann), "Text1")->text(),
                 QStringLiteral("*.chann"));
    }

    void power_adjust_is_left_alone()
    {
        Fake_clock clock;
        sim::Radio radio;
        Wire_log log;
        program->host().set_factory(Window_id::Adjust_txp, [&](QWidget *parent) {
            return new Form_Adjust_Txp(parent, {std::make_unique<Fake_line>(clock, radio, log),
                                                std::make_unique<Fake_timer_set>(clock)});
        });
        trigger(*program, "Adj_Txp");
        QPointer<QWidget> power = window(Window_id::Adjust_txp);
        QVERIFY(power);
        const QStringList captions = captions_of(power);

        trigger(*program, "Language_eng");
        QCOMPARE(window(Window_id::Adjust_txp), power.data());
        QCOMPARE(captions_of(power), captions);
        program.reset(); // before the fake link it runs on goes away
    }

private:
    QWidget *window(Window_id id) const { return program->host().window(id); }

    // Opens each of the rebuilt windows that the program has; returns them in order.
    QList<Window_id> open_every_rebuilt_window()
    {
        QList<Window_id> opened;
        for (Window_id id : Rebuilt)
            if (program->host().has_factory(id) && program->host().open(id))
                opened.append(id);
        return opened;
    }

    void check_main_captions(bool chinese)
    {
        for (const Caption &caption : Main_captions)
            QCOMPARE(caption_of(*program, caption.control),
                     QString::fromUtf8(chinese ? caption.chinese : caption.english));
        QCOMPARE(program->findChild<QAction *>("Language_chn")->isChecked(), chinese);
        QCOMPARE(program->findChild<QAction *>("Language_eng")->isChecked(), !chinese);
        const QStringList panels =
            chinese ? QStringList{"状态",   "",     "COM1",           "软件版本",
                                  "Ver1.4", "频段", " 136-- 470 MHZ", "NorvikTALVEN电子有限公司"}
                    : QStringList{
                          "State",  "",     "COM1",           "  Version",
                          "Ver1.4", "Band", " 136-- 470 MHZ", "Norvik TALVEN Electronic Co.,Ltd. "};
        for (int panel = 1; panel <= 8; ++panel)
            QCOMPARE(program->panel_text(panel), panels[panel - 1]);
        QCOMPARE(program->windowTitle(),
                 chinese ? QStringLiteral("NorvikTALVEN电子有限公司  R7K 系列对讲机编程软件 ")
                         : QStringLiteral(
                               "Norvik TALVEN Electronic Co.,Ltd. R7K series program software "));
    }

    Message_recorder messages;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_language_switch)
#include "test_language_switch.moc"
