#include "core/conversions.h"
#include "core/globals.h"
#include "core/image.h"
#include "csv/csv_export.h"
#include "dialog_driver.h"
#include "files/channel_file.h"
#include "message_recorder.h"
#include "shell/application_icon.h"
#include "started_program.h"

#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolBar>

using namespace r7k;
using namespace Dialog_driver;

namespace {

// The menus and commands by name, and their Chinese captions in the same order.
const QStringList Menu_names{
    "File",       "File_New",    "File_Open",    "File_save",     "File_saveas", "File_exit",
    "proc_type",  "Edit",        "Channel_edit", "Optional_edit", "Program",     "Prog_read",
    "Prog_write", "Prog_verify", "Adjust",       "Adj_Txp",       "proc_setup",  "Language_Setup",
    "Menu_About", "Menu_exit",   "Language_chn", "Language_eng",  "Print_sheet", "Export_pdf",
    "Edit_undo",  "Edit_redo",   "Edit_copy",    "Edit_paste"};
const QStringList Chinese_menus =
    QString(
        "文件|新建|打开|保存|另存为|退出|机型|编辑|信道信息|可选功能|编程|从对讲机读取数据|"
        "向对讲机写入数据|校验对讲机数据|调整|发射功率调整|端口设置|语言|关于|退出|中文|English|"
        "打印信道表...|导出 PDF...|撤销|重做|复制|粘贴")
        .split('|');

QStringList menu_captions(const Main_window &program)
{
    QStringList texts;
    for (const QString &name : Menu_names) {
        auto *menu = program.findChild<QMenu *>(name);
        auto *action = program.findChild<QAction *>(name);
        texts.append(menu ? menu->title() : action ? action->text() : "<missing " + name + '>');
    }
    return texts;
}

// Every caption a window shows: title, labels, buttons, frames, list entries, headings.
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
        for (int i = 0; header->model() && i < header->count(); ++i)
            texts.append(header->model()->headerData(i, header->orientation()).toString());
    texts.removeAll(QString());
    return texts;
}

bool has_chinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() >= 0x3000; });
}

} // namespace

class Test_main_window : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        program = Start_program();
        messages.messages.clear();
    }
    void cleanup() { program.reset(); }

    // A channel file dropped onto the main window opens as File > Open opens
    // it, a CSV list imports after the import's question; other files do not
    // land.
    void dropped_files_open_or_import()
    {
        QTemporaryDir dir;
        const auto drop = [&](const QString &name) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(dir.filePath(name))});
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(program.get(), &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent dropped(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(program.get(), &dropped);
            return dropped.isAccepted();
        };
        Data_image file;
        Reset_image(file);
        Load_default_image(file);
        QVERIFY(Channel_file::Save(dir.filePath("good.chann"), file).ok);
        QVERIFY(Channel_csv::Export_file(file, dir.filePath("list.csv"), 0).ok);
        QFile bad(dir.filePath("测试.chann"));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("x 1 2\r\n") > 0);
        bad.close();
        Reset_image();

        QVERIFY(!drop("notes.txt"));
        QVERIFY(drop("测试.chann"));
        QVERIFY(drop("list.csv")); // the question is answered No
        QVERIFY(chann != file);
        QVERIFY(drop("good.chann"));
        QVERIFY(chann == file);
        QCOMPARE(messages.texts(),
                 QStringList(
                     {"测试.chann 第 1 行的“x”不是数值。",
                      "导入将用 CSV 文件中的信道替换全部 128 个信道：文件中的信道保留原有的声控及 "
                      "CSV 文件不含的设置，文件中没有的信道将被清空。是否继续？",
                      "信道参数从文件调入成功 ！"}));
    }

    void start_up_shows_the_chinese_frame()
    {
        QCOMPARE(program->objectName(), QStringLiteral("MDImain"));
        check_main_captions(true, true);
        QCOMPARE(std::tuple(Port_no, Model_no, Freq_low, Freq_high, Language),
                 std::tuple(qint16(1), qint16(0), 136.0, 470.0, true));
        QCOMPARE(std::tuple(chann(Settings_row, 0), chann(0, 0)),
                 std::tuple(qint16(5), qint16(255)));
        QStringList keys;
        for (const char *name : {"File_New", "File_Open", "File_save", "Prog_read", "Prog_write"})
            keys.append(program->findChild<QAction *>(name)->shortcut().toString());
        QCOMPARE(keys, QString("Ctrl+N Ctrl+O Ctrl+S Ctrl+R Ctrl+W").split(' '));
        keys.clear();
        for (QAction *button : program->findChild<QToolBar *>()->actions())
            keys.append(button->data().toString());
        QCOMPARE(keys, (QStringList{"open", "save", "edit_chann", "read", "write", "Exit"}));

        chann(1, 0) = 0x11; // "New" leaves the image and the windows as they are
        const qsizetype widgets = program->findChildren<QWidget *>().size();
        trigger(*program, "File_New");
        QCOMPARE(chann(1, 0), qint16(0x11));
        QCOMPARE(program->findChildren<QWidget *>().size(), widgets);

        // Every window shows the application icon.
        const QIcon icon = Application_icon();
        QList<int> sizes;
        for (const QSize &size : icon.availableSizes())
            sizes.append(size.width());
        std::sort(sizes.begin(), sizes.end());
        QCOMPARE(sizes, (QList<int>{16, 22, 24, 32, 48, 64, 128, 256}));
        trigger(*program, "proc_setup");
        for (const QWidget *shown :
             {static_cast<QWidget *>(program.get()), window(Window_id::Chann)->parentWidget(),
              window(Window_id::Setup)})
            QVERIFY2(shown->windowIcon().cacheKey() == icon.cacheKey(),
                     qPrintable(shown->objectName()));
    }

    void every_exit_closes_the_program()
    {
        for (const char *command : {"File_exit", "Menu_exit", "Exit"}) {
            program.reset();
            program = Start_program();
            trigger(*program, "Channel_edit");
            trigger(*program, command);
            QVERIFY2(!program->isVisible(), command);
            for (int id = 0; id < Open_flag_count; ++id)
                QVERIFY(!program->host().open_flag(Window_id(id)));
        }
    }

    // The main window's captions change in place; every open window is rebuilt
    // in its order, even when the language does not change, in its initial
    // state on the current image. The power adjustment, live on the radio, is
    // left alone.
    void language_switch_rebuilds_open_windows_in_order()
    {
        Port_no = 3;
        Freq_low = 244;
        Freq_high = 247;
        program->show_port();
        program->show_band();
        QList<Window_id> opened;
        for (Window_id id : {Window_id::About, Window_id::Option, Window_id::Chann,
                             Window_id::Setup, Window_id::Type, Window_id::Save_chann,
                             Window_id::Open_chann, Window_id::Comm_read, Window_id::Comm_write})
            if (program->host().has_factory(id) && program->host().open(id))
                opened.append(id);
        program->host().set_factory(Window_id::Adjust_txp, [](QWidget *) { return new QDialog; });
        const QPointer<QWidget> power = program->host().open(Window_id::Adjust_txp);
        QString frequency = QStringLiteral("438.125");
        Store_freq(frequency, 1, 4); // the receive frequency of channel 1
        QTest::mouseClick(control<QRadioButton>(window(Window_id::Setup), "Option5"),
                          Qt::LeftButton);
        control<QLineEdit>(window(Window_id::Save_chann), "Text1")->setText("typed.chann");
        std::map<Window_id, QStringList> chinese;
        for (Window_id id : opened)
            chinese[id] = captions_of(window(id));
        for (const bool to_chinese : {false, true, true}) {
            std::map<Window_id, QPointer<QWidget>> before;
            for (Window_id id : opened)
                before[id] = window(id);
            QSignalSpy reopened(&program->host(), &Window_host::opened);
            trigger(*program, to_chinese ? "Language_chn" : "Language_eng");
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            check_main_captions(to_chinese, false);
            QCOMPARE(window(Window_id::Adjust_txp), power.data());
            QCOMPARE(reopened.size(), opened.size());
            for (int i = 0; i < opened.size(); ++i) {
                const Window_id id = opened[i];
                const QString name = window(id)->objectName();
                QCOMPARE(reopened[i][0].value<Window_id>(), id);
                QVERIFY2(before[id].isNull() && window(id)->isVisible(), qPrintable(name));
                const QStringList captions = captions_of(window(id));
                if (to_chinese)
                    QCOMPARE(captions, chinese[id]);
                else
                    for (const QString &caption : captions)
                        QVERIFY2(!has_chinese(caption), qPrintable(name + ": " + caption));
            }
        }
        QVERIFY(grid_texts(window(Window_id::Chann)).join(QChar(0)).contains(frequency));
        QVERIFY(control<QRadioButton>(window(Window_id::Setup), "Option3")->isChecked());
        QCOMPARE(control<QLineEdit>(window(Window_id::Save_chann), "Text1")->text(), "*.chann");
        QVERIFY(messages.messages.isEmpty());
    }

    // A window reopened from the menu or the language switch lies
    // whole inside the document area, caption and buttons in sight, even
    // beside the optional features window on a small screen.
    void reopened_windows_lie_inside_the_document_area_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("by");
        for (const QSize &size : {QSize(1024, 768), QSize(683, 512)})
            for (const bool chinese : {true, false})
                for (const char *by : {"menu", "language"})
                    QTest::addRow("%dx%d %s %s", size.width(), size.height(),
                                  chinese ? "Chinese" : "English", by)
                        << size << chinese << QString(by);
    }

    void reopened_windows_lie_inside_the_document_area()
    {
        QFETCH(QSize, size);
        QFETCH(bool, chinese);
        QFETCH(QString, by);
        program->resize(size);
        const char *language = chinese ? "Language_chn" : "Language_eng";
        trigger(*program, language);
        trigger(*program, "Optional_edit");
        QPointer<QWidget> table = window(Window_id::Chann);
        trigger(*program, by == "menu" ? "Channel_edit" : language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!table && window(Window_id::Chann) && window(Window_id::Option));

        const QMdiArea *area = program->document_area();
        QCOMPARE(area->subWindowList().size(), 2);
        for (const QMdiSubWindow *frame : area->subWindowList())
            QVERIFY2(area->viewport()->rect().contains(frame->geometry()),
                     qPrintable(frame->objectName()));
    }

    // A window closed while a message is up, by the host or by itself, is
    // closed for everyone at once but outlives the message, and a second
    // message that comes up before it goes: the code that showed a message
    // may belong to the window.
    void a_window_outlives_the_message_it_was_closed_under()
    {
        struct Closing_presenter final : Message_presenter {
            QList<std::function<void()>> boxes; // what happens under each box in turn
            void present(const Message &) override { boxes.takeFirst()(); }
        } presenter;
        Message_presenter *recorder = Messages::set_presenter(&presenter);
        const auto second_box = [] { Messages::show({"y", "y"}); };
        for (const bool by_itself : {false, true}) {
            QPointer<QWidget> table = program->host().open(Window_id::Chann);
            presenter.boxes = {
                [&] {
                    if (by_itself)
                        Close_window(table);
                    else
                        program->host().close(Window_id::Chann);
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                    QVERIFY(table && !table->isVisible());
                    QVERIFY(!program->host().open_flag(Window_id::Chann) &&
                            !window(Window_id::Chann));
                    QMetaObject::invokeMethod(qApp, second_box, Qt::QueuedConnection);
                },
                [&] {
                    QCoreApplication::processEvents();
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                    QVERIFY(table);
                }};
            Messages::show({"x", "x"});
            QVERIFY(table);
            QTRY_VERIFY(presenter.boxes.isEmpty() && table.isNull());
        }
        Messages::set_presenter(recorder);
    }

private:
    QWidget *window(Window_id id) const { return program->host().window(id); }

    // The menus, checked marks, status panels and title: Chinese in full, English by
    // representative texts; the band panel and port panel keep what they showed.
    // Each toolbar button's tooltip is the menu caption of its command; the
    // toolkit's own texts (here a button's) follow the language too.
    void check_main_captions(bool chinese, bool start_up)
    {
        QCOMPARE(program->findChild<QAction *>("Language_chn")->isChecked(), chinese);
        QCOMPARE(program->findChild<QAction *>("Language_eng")->isChecked(), !chinese);
        QStringList tips;
        for (const QAction *button : program->findChild<QToolBar *>()->actions())
            tips.append(button->toolTip());
        QCOMPARE(tips.join('|'),
                 chinese ? "打开|保存|信道信息|从对讲机读取数据|向对讲机写入数据|退出"
                         : "Open|Save|Channel Information |Read from radio|Write to radio|Exit");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), chinese ? "确定" : "OK");
        QStringList panels;
        for (int panel = 1; panel <= 8; ++panel)
            panels.append(program->panel_text(panel));
        QCOMPARE(panels[2], QStringLiteral("COM%1").arg(Port_no));
        QCOMPARE(panels[6], start_up ? " 136-- 470 MHZ" : " 244-- 247 MHZ");
        if (!chinese) {
            const QStringList menus = menu_captions(*program);
            QCOMPARE((QStringList{menus[0], menus[8], menus[13], menus[15], menus[16], menus[22],
                                  menus[23], menus[24], menus[27]}),
                     (QStringList{"File", "Channel Information ", "Verify radio data",
                                  "Power Adjust", "Communication", "Print Channel Sheet...",
                                  "Export PDF...", "Undo", "Paste"}));
            QCOMPARE(
                (QStringList{panels[0], panels[3], panels[5], panels[7]}),
                (QStringList{"State", "  Version", "Band", "Norvik TALVEN Electronic Co.,Ltd. "}));
            QCOMPARE(program->windowTitle(),
                     "Norvik TALVEN Electronic Co.,Ltd. R7K series program software ");
            return;
        }
        QStringList menus = Chinese_menus;
        if (start_up)
            menus[6] = "机 型";
        QCOMPARE(menu_captions(*program), menus);
        QCOMPARE((QStringList{panels[0], panels[1], panels[3], panels[4], panels[5], panels[7]}),
                 (QStringList{"状态", "", "软件版本", "Ver1.4", start_up ? "频 段" : "频段",
                              "NorvikTALVEN电子有限公司"}));
        QCOMPARE(program->windowTitle(), "NorvikTALVEN电子有限公司  R7K 系列对讲机编程软件 ");
    }

    Message_recorder messages;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_main_window)
#include "test_main_window.moc"
