#include "core/globals.h"
#include "core/image.h"
#include "started_program.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

using namespace r7k;

namespace {

QAction *action(QWidget *window, const char *name)
{
    auto *found = window->findChild<QAction *>(QLatin1String(name));
    if (!found)
        qFatal("no action %s", name);
    return found;
}

QString caption(QWidget *window, const char *name)
{
    if (auto *menu = window->findChild<QMenu *>(QLatin1String(name)))
        return menu->title();
    return action(window, name)->text();
}

} // namespace

class Test_main_window : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { program = Start_program(); }
    void cleanup() { program.reset(); }

    void start_up_shows_chinese_captions()
    {
        QCOMPARE(program->objectName(), QStringLiteral("MDImain"));
        QCOMPARE(program->windowTitle(),
                 QStringLiteral("NorvikTALVEN电子有限公司  R7K 系列对讲机编程软件 "));
        const std::pair<const char *, const char *> captions[] = {
            {"File", "文件"},
            {"File_New", "新建"},
            {"File_Open", "打开"},
            {"File_save", "保存"},
            {"File_saveas", "另存为"},
            {"File_exit", "退出"},
            {"proc_type", "机 型"},
            {"Edit", "编辑"},
            {"Channel_edit", "信道信息"},
            {"Optional_edit", "可选功能"},
            {"Program", "编程"},
            {"Prog_read", "从对讲机读取数据"},
            {"Prog_write", "向对讲机写入数据"},
            {"Adjust", "调整"},
            {"Adj_Txp", "发射功率调整"},
            {"proc_setup", "端口设置"},
            {"Language_Setup", "语言"},
            {"Language_chn", "中文"},
            {"Language_eng", "English"},
            {"Menu_About", "关于"},
            {"Menu_exit", "退出"},
        };
        for (const auto &[name, text] : captions)
            QCOMPARE(caption(program.get(), name), QString::fromUtf8(text));
        QVERIFY(action(program.get(), "Language_chn")->isChecked());
        QVERIFY(!action(program.get(), "Language_eng")->isChecked());
    }

    void start_up_fills_the_status_bar()
    {
        const QStringList panels = {
            QStringLiteral("状态"),           QString(),
            QStringLiteral("COM1"),           QStringLiteral("软件版本"),
            QStringLiteral("Ver1.4"),         QStringLiteral("频 段"),
            QStringLiteral(" 136-- 470 MHZ"), QStringLiteral("NorvikTALVEN电子有限公司"),
        };
        for (int panel = 1; panel <= 8; ++panel)
            QCOMPARE(program->panel_text(panel), panels[panel - 1]);
    }

    void start_up_sets_globals_and_image()
    {
        QCOMPARE(Port_no, qint16(1));
        QCOMPARE(Model_no, qint16(0));
        QCOMPARE(Freq_low, 136.0);
        QCOMPARE(Freq_high, 470.0);
        QVERIFY(Language);
        QCOMPARE(Version, QStringLiteral("Ver1.4"));
        QCOMPARE(chann(Settings_row, 0), qint16(5));
        QCOMPARE(chann(0, 0), qint16(255));
    }

    void shortcuts()
    {
        const std::pair<const char *, QKeySequence> shortcuts[] = {
            {"File_New", QKeySequence(Qt::CTRL | Qt::Key_N)},
            {"File_Open", QKeySequence(Qt::CTRL | Qt::Key_O)},
            {"File_save", QKeySequence(Qt::CTRL | Qt::Key_S)},
            {"Prog_read", QKeySequence(Qt::CTRL | Qt::Key_R)},
            {"Prog_write", QKeySequence(Qt::CTRL | Qt::Key_W)},
        };
        for (const auto &[name, keys] : shortcuts)
            QCOMPARE(action(program.get(), name)->shortcut(), keys);
    }

    void toolbar_has_six_keyed_buttons()
    {
        auto *toolbar = program->findChild<QToolBar *>();
        QVERIFY(toolbar);
        QStringList keys;
        for (QAction *button : toolbar->actions())
            keys.append(button->data().toString());
        QCOMPARE(keys, (QStringList{"open", "save", "edit_chann", "read", "write", "Exit"}));
    }

    void file_new_does_nothing()
    {
        chann(1, 0) = 0x11;
        const QList<QWidget *> before = program->findChildren<QWidget *>();
        action(program.get(), "File_New")->trigger();
        QCOMPARE(chann(1, 0), qint16(0x11));
        QCOMPARE(program->findChildren<QWidget *>().size(), before.size());
    }

    void every_exit_closes_the_program_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("File_exit") << "File_exit";
        QTest::newRow("Menu_exit") << "Menu_exit";
        QTest::newRow("toolbar Exit") << "Exit";
    }
    void every_exit_closes_the_program()
    {
        QFETCH(QString, command);
        QVERIFY(program->isVisible());
        action(program.get(), qPrintable(command))->trigger();
        QVERIFY(!program->isVisible());
        for (bool open : Open_flags)
            QVERIFY(!open);
    }

    void switching_language_rewrites_every_caption()
    {
        program->switch_language(false);
        QCOMPARE(program->windowTitle(),
                 QStringLiteral("Norvik TALVEN Electronic Co.,Ltd. R7K series program software "));
        QCOMPARE(caption(program.get(), "Channel_edit"), QStringLiteral("Channel Information "));
        QCOMPARE(caption(program.get(), "proc_type"), QStringLiteral("Model"));
        QCOMPARE(program->panel_text(1), QStringLiteral("State"));
        QCOMPARE(program->panel_text(4), QStringLiteral("  Version"));
        QCOMPARE(program->panel_text(6), QStringLiteral("Band"));
        QCOMPARE(program->panel_text(8), QStringLiteral("Norvik TALVEN Electronic Co.,Ltd. "));
        QCOMPARE(program->panel_text(7), QStringLiteral(" 136-- 470 MHZ"));
        QVERIFY(action(program.get(), "Language_eng")->isChecked());
        QVERIFY(!action(program.get(), "Language_chn")->isChecked());

        program->switch_language(true);
        QCOMPARE(caption(program.get(), "proc_type"), QStringLiteral("机型"));
        QCOMPARE(program->panel_text(6), QStringLiteral("频段"));
        QVERIFY(action(program.get(), "Language_chn")->isChecked());
    }

private:
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_main_window)
#include "test_main_window.moc"
