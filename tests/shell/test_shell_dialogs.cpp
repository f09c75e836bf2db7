#include "core/globals.h"
#include "core/tables.h"
#include "dialog_driver.h"
#include "link/port_map.h"
#include "message_recorder.h"
#include "shell/model_choice.h"
#include "shell/system_info.h"
#ifndef Q_OS_WIN
#include "sim/sim_process.h"
#endif
#include "started_program.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#ifndef Q_OS_WIN
#include <pty.h>
#include <unistd.h>
#endif

using namespace r7k;
using namespace Dialog_driver;

namespace {

// Puts a program `name` into `folder` that leaves "<name>.ran" beside itself when run.
void make_viewer(const QString &folder, const QString &name)
{
    QFile script(folder + QLatin1Char('/') + name);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n: > \"$0.ran\"\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
}

} // namespace

class Test_shell_dialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        program = Start_program();
        Port_error = false;
        messages.messages.clear();
        saved_path = qgetenv("PATH");
    }
    void cleanup()
    {
        program.reset();
        Port_map::Reset();
        qputenv("PATH", saved_path);
    }

    // Each dialog's Chinese captions by control ("" for the title), then a few
    // English ones after the switch has rebuilt the dialogs.
    void captions_follow_the_language()
    {
        const std::tuple<bool, Window_id, QString> rows[] = {
            {true, Window_id::Type,
             "=机型选择|Command_ok=确 定|Command_cancel=取 消|Label_model=机  型|"
             "Label_band_title=频  段"},
            {true, Window_id::Setup,
             "=通讯端口设置|Frame1=端口设置|Command_ok=确 定|Command1=取 消"},
            {true, Window_id::Open_chann,
             "=打开信道参数文件|Label_drive=驱动器：|Label_name=打开文件名：|Command_enter=确  定|"
             "Command_cancel=取  消"},
            {true, Window_id::Save_chann, "=保存信道参数文件|Label_name=保存文件名："},
            {true, Window_id::About,
             "lblTitle=NorvikTALVEN电子有限公司  R7K 系列对讲机编程软件|cmdOK=确定|"
             "cmdSysInfo=系统信息(&S)..."},
            {false, Window_id::Setup, "=Communication Port Setup|Frame1=Port Setup"},
            {false, Window_id::Open_chann, "=Open Channcle File|Label_name=Open File:"},
            {false, Window_id::About,
             "lblTitle=Norvik TALVEN Electronic Co.,Ltd. R7K series program software|"
             "cmdOK=Confirm|cmdSysInfo=System Information(&S)..."},
        };
        for (const auto &[chinese, id, texts] : rows) {
            if (!chinese && Language)
                trigger(*program, "Language_eng");
            const QWidget *dialog = window(id) ? window(id) : program->host().open(id);
            for (const QString &entry : texts.split('|')) {
                const QByteArray name = entry.section('=', 0, 0).toLatin1();
                auto *frame = dialog->findChild<QGroupBox *>(name);
                QCOMPARE(name + '=' +
                             (name.isEmpty() ? dialog->windowTitle()
                              : frame        ? frame->title()
                                             : text_of(dialog, name.constData())),
                         entry);
            }
        }
    }

    // Cancel and a typed name keep the model; OK takes the chosen one and its band.
    void choosing_a_model_sets_the_band()
    {
        open_models()->setCurrentIndex(1);
        click(window(Window_id::Type), "Command_cancel");
        QTRY_VERIFY(!window(Window_id::Type));
        QCOMPARE(Model_no, qint16(0));
        QCOMPARE(program->panel_text(7), QStringLiteral(" 136-- 470 MHZ"));

        QComboBox *models = open_models();
        const int index = models->findText("KL7M UHF2");
        models->setCurrentIndex(index);
        click(window(Window_id::Type), "Command_ok");
        QCOMPARE(std::tuple(Model_no, Freq_low, Freq_high, program->panel_text(7)),
                 std::tuple(qint16(index), 244.0, 247.0, QString(" 244-- 247 MHZ")));
        QTRY_VERIFY(!window(Window_id::Type));
        QVERIFY(!program->host().open_flag(Window_id::Type));
        QCOMPARE(open_models()->currentIndex(), index);
        QCOMPARE(text_of(window(Window_id::Type), "Label_band"), QStringLiteral("  244 --  247"));

        Select_model(5);
        models = open_models();
        QTest::keyClicks(models->lineEdit(), QStringLiteral("KL7M FULL"));
        QCOMPARE(models->currentIndex(), -1);
        click(window(Window_id::Type), "Command_ok");
        QTRY_VERIFY(!window(Window_id::Type));
        QCOMPARE(std::tuple(Model_no, Freq_low, Freq_high), std::tuple(qint16(5), 450.0, 521.0));
    }

    // Cancel keeps the port; OK makes the choice the port of the link.
    void port_choices_name_their_devices()
    {
        Port_no = 7;
        Port_map::Set_mapping(2, QStringLiteral("/dev/ttyUSB7"));
        trigger(*program, "proc_setup");
        for (int port = 1; port <= 8; ++port) {
            QCOMPARE(option(port)->text(), QStringLiteral("COM%1").arg(port));
            QCOMPARE(option(port)->isChecked(), port == 7);
            const QString device = Port_map::Device(port);
            // A port that is its own device (as on Windows) needs no name beside it.
            const QString shown = device.isEmpty() ? QStringLiteral("（无此端口）")
                                  : device == QStringLiteral("COM%1").arg(port) ? QString()
                                                                                : device;
            QCOMPARE(text_of(window(Window_id::Setup), qPrintable(QString("Device%1").arg(port))),
                     shown);
        }
        QTest::mouseClick(option(3), Qt::LeftButton);
        click(window(Window_id::Setup), "Command1");
        QTRY_VERIFY(!window(Window_id::Setup));
        QCOMPARE(Port_no, qint16(7));

        // The read dialog opens the chosen port through the real serial stack; a
        // device that does not exist fails, and the failure names it.
        const QString missing =
            QStringLiteral("/tmp/r7k-port-dialog-%1-none").arg(QCoreApplication::applicationPid());
        Port_map::Set_mapping(4, missing);
        choose_port(4);
        QCOMPARE(program->panel_text(3), QStringLiteral("COM4"));
        QTRY_VERIFY(!window(Window_id::Setup));
        QVERIFY(!program->host().open_flag(Window_id::Setup));

        trigger(*program, "Prog_read");
        click(window(Window_id::Comm_read), "Command_Read");
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.messages[0].details.contains(missing),
                 qPrintable(messages.messages[0].details));

        // After the failed open, OK takes the new port but keeps the dialog.
        choose_port(6);
        QCOMPARE(std::tuple(Port_no, program->panel_text(3)),
                 std::tuple(qint16(6), QString("COM6")));
        QTest::qWait(0);
        QVERIFY(window(Window_id::Setup) && window(Window_id::Setup)->isVisible());
        click(window(Window_id::Setup), "Command1");
        QTRY_VERIFY(!window(Window_id::Setup));
    }

    // Find radio asks the ports named on the command line over the real
    // serial stack: a simulated radio and a pseudo-terminal that answers
    // nothing. One click on the radio's line chooses its port.
    void find_radio_picks_the_port_that_answered()
    {
#ifdef Q_OS_WIN
        QSKIP("r7k-sim serves its radio on a pseudo-terminal, which Windows has not");
#else
        sim::Sim_process radio;
        const QString link =
            QStringLiteral("/tmp/r7k-find-%1").arg(QCoreApplication::applicationPid());
        QString error;
        QVERIFY2(radio.start(QStringLiteral(R7K_SIM_PATH), link, {}, error), qPrintable(error));
        int master = -1, slave = -1;
        char silent[256] = {};
        QVERIFY(openpty(&master, &slave, silent, nullptr, nullptr) == 0);
        Port_map::Set_mapping(3, QString::fromLocal8Bit(silent));
        Port_map::Set_mapping(5, link);

        trigger(*program, "proc_setup");
        auto *find = control<QPushButton>(window(Window_id::Setup), "Command_find");
        QCOMPARE(find->text(), QStringLiteral("查找对讲机"));
        find->setFocus();
        QTest::keyClick(find, Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(find->isEnabled(), 10'000);
        auto *found = control<QListWidget>(window(Window_id::Setup), "List_found");
        QCOMPARE(grid_texts(window(Window_id::Setup), "List_found").mid(0, 2),
                 QStringList({"COM3: 没有应答 (" + QString(silent) + ")",
                              "COM5: R7K 对讲机 (" + link + ")"}));
        ::close(master);
        ::close(slave);
        QTest::mouseClick(found->viewport(), Qt::LeftButton, {},
                          found->visualItemRect(found->item(1)).center());
        QVERIFY(option(5)->isChecked());
        click(window(Window_id::Setup), "Command_ok");
        QCOMPARE(Port_no, qint16(5));
#endif
    }

    // The about box shows the about texts and closes on OK; System Information
    // starts the first viewer installed, in a fixed order, or says there is none.
    void system_information_starts_the_viewer_or_says_so()
    {
        trigger(*program, "Menu_About");
        const char *const shown[] = {"lblTitle",      "lblVersion", "lblDescription",
                                     "lblDisclaimer", "cmdOK",      "cmdSysInfo"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(text_of(window(Window_id::About), shown[i]), About_text[i]);
        QVERIFY(About_text[1].startsWith(QStringLiteral("Ver1.4\n")));
        QVERIFY(!control<QLabel>(window(Window_id::About), "picIcon")->pixmap().isNull());
        click(window(Window_id::About), "cmdOK");
        QTRY_VERIFY(!window(Window_id::About));
        QVERIFY(!program->host().open_flag(Window_id::About));

#ifdef Q_OS_WIN
        if (System_info_tool({}))
            QSKIP("Windows' own viewer, named in its registry, is installed here");
#endif
        QTemporaryDir folder;
        qputenv("PATH", QFile::encodeName(folder.path()));
        for (const char *language : {"Language_chn", "Language_eng"}) {
            trigger(*program, language);
            trigger(*program, "Menu_About");
            click(window(Window_id::About), "cmdSysInfo");
            QVERIFY(window(Window_id::About));
        }
        QCOMPARE(messages.texts(), QStringList(2, QStringLiteral("此时系统信息不可用")));
        QVERIFY(!messages.messages[0].exclamation && !messages.messages[1].exclamation);
#ifdef Q_OS_WIN
        QSKIP("Windows' own viewer cannot be stood in for");
#endif

        make_viewer(folder.path(), QStringLiteral("gnome-system-monitor"));
        make_viewer(folder.path(), QStringLiteral("kinfocenter"));
        click(window(Window_id::About), "cmdSysInfo");
        QTRY_VERIFY(QFile::exists(folder.filePath("gnome-system-monitor.ran")));
        QVERIFY(!QFile::exists(folder.filePath("kinfocenter.ran")));
        QCOMPARE(messages.messages.size(), 2);

        // Of several viewers installed, the first in a fixed order is chosen.
        const std::pair<QStringList, QString> rows[] = {
            {{"kinfocenter"}, "kinfocenter"},
            {{"kinfocenter", "hardinfo2", "hardinfo"}, "hardinfo"},
            {{"ksysguard", "gnome-system-monitor", "hardinfo2"}, "hardinfo2"},
            {{"ksysguard", "gnome-system-monitor"}, "gnome-system-monitor"},
            {{"top", "htop"}, {}},
        };
        for (const auto &[installed, chosen] : rows) {
            QTemporaryDir viewers;
            for (const QString &name : installed)
                make_viewer(viewers.path(), name);
            const std::optional<Program_launch> tool = System_info_tool({viewers.path()});
            QCOMPARE(tool ? tool->program : QString(),
                     chosen.isEmpty() ? QString() : viewers.filePath(chosen));
            QVERIFY(!tool || tool->arguments.isEmpty());
        }
    }

private:
    QWidget *window(Window_id id) const
    {
        return program->host().window(id);
    }

    QComboBox *open_models()
    {
        trigger(*program, "proc_type");
        return control<QComboBox>(window(Window_id::Type), "Combo_type");
    }

    QRadioButton *option(int port) const
    {
        return control<QRadioButton>(window(Window_id::Setup),
                                     qPrintable(QStringLiteral("Option%1").arg(port)));
    }

    void choose_port(int port)
    {
        trigger(*program, "proc_setup");
        QTest::mouseClick(option(port), Qt::LeftButton);
        click(window(Window_id::Setup), "Command_ok");
        QCOMPARE(Port_no, qint16(port));
    }

    Message_recorder messages;
    std::unique_ptr<Main_window> program;
    QByteArray saved_path;
};

QTEST_MAIN(Test_shell_dialogs)
#include "test_shell_dialogs.moc"
