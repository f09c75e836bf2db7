#include "core/globals.h"
#include "dialog_driver.h"
#include "link/port_map.h"
#include "message_recorder.h"
#include "shell/form_setup.h"
#include "started_program.h"

#include <QGroupBox>
#include <QRadioButton>

using namespace r7k;
using namespace Dialog_driver;

class Test_port_dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        program = Start_program();
        Port_error = false;
        messages.messages.clear();
    }
    void cleanup() { program.reset(); }

    void opens_on_the_port_in_force_with_eight_choices()
    {
        Port_no = 7;
        open_dialog();
        for (int port = 1; port <= 8; ++port) {
            auto *choice = option(port);
            QCOMPARE(choice->text(), QStringLiteral("COM%1").arg(port));
            QCOMPARE(choice->isChecked(), port == 7);
            QCOMPARE(choice->parentWidget(), control(dialog(), "Frame1"));
        }
        QVERIFY(Open_flags_of(Open_flag::Setup));
    }

    void each_choice_names_its_device()
    {
        Port_map::Set_mapping(2, QStringLiteral("/dev/ttyUSB7"));
        open_dialog();
        QCOMPARE(text_of(dialog(), "Device2"), QStringLiteral("/dev/ttyUSB7"));
        for (int port = 1; port <= 8; ++port) {
            const QString device = Port_map::Device(port);
            const QString shown =
                text_of(dialog(), qPrintable(QStringLiteral("Device%1").arg(port)));
            QCOMPARE(shown, device.isEmpty() ? QStringLiteral("（无此端口）") : device);
        }
    }

    // The read dialog opens the chosen port through the real serial stack; a
    // device that does not exist makes the open fail, and the failure names
    // the device that was tried.
    void ok_makes_the_choice_the_port_of_the_link()
    {
        const QString missing =
            QStringLiteral("/tmp/r7k-port-dialog-%1-none").arg(QCoreApplication::applicationPid());
        Port_map::Set_mapping(4, missing);
        open_dialog();
        QTest::mouseClick(option(4), Qt::LeftButton);
        click(dialog(), "Command_ok");
        QCOMPARE(Port_no, qint16(4));
        QCOMPARE(program->panel_text(3), QStringLiteral("COM4"));
        QTRY_VERIFY(!dialog());
        QVERIFY(!Open_flags_of(Open_flag::Setup));

        trigger(*program, "Prog_read");
        click(program->host().window(Window_id::Comm_read), "Command_Read");
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.messages[0].details.startsWith(missing),
                 qPrintable(messages.messages[0].details));
        QVERIFY(Port_error);

        // After the failed open, OK takes the new port but keeps the dialog.
        open_dialog();
        QVERIFY(option(4)->isChecked());
        QTest::mouseClick(option(6), Qt::LeftButton);
        click(dialog(), "Command_ok");
        QCOMPARE(Port_no, qint16(6));
        QCOMPARE(program->panel_text(3), QStringLiteral("COM6"));
        QTest::qWait(0);
        QVERIFY(dialog() && dialog()->isVisible());
        QVERIFY(Port_error);

        click(dialog(), "Command1");
        QTRY_VERIFY(!dialog());
        QCOMPARE(Port_no, qint16(6));
    }

    void cancel_changes_nothing()
    {
        open_dialog();
        QTest::mouseClick(option(3), Qt::LeftButton);
        click(dialog(), "Command1");
        QTRY_VERIFY(!dialog());
        QCOMPARE(Port_no, qint16(1));
        QCOMPARE(program->panel_text(3), QStringLiteral("COM1"));
    }

    void texts_follow_the_language_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Chinese") << true
                                 << QStringList{"通讯端口设置", "端口设置", "确 定", "取 消"};
        QTest::newRow("English") << false
                                 << QStringList{"Communication Port Setup", "Port Setup", "Confirm",
                                                "Cancel"};
    }
    void texts_follow_the_language()
    {
        QFETCH(bool, chinese);
        QFETCH(QStringList, texts);
        trigger(*program, chinese ? "Language_chn" : "Language_eng");
        open_dialog();
        QCOMPARE(dialog()->windowTitle(), texts[0]);
        QCOMPARE(control<QGroupBox>(dialog(), "Frame1")->title(), texts[1]);
        QCOMPARE(text_of(dialog(), "Command_ok"), texts[2]);
        QCOMPARE(text_of(dialog(), "Command1"), texts[3]);
    }

private:
    QWidget *dialog() const { return program->host().window(Window_id::Setup); }

    void open_dialog()
    {
        trigger(*program, "proc_setup");
        if (!qobject_cast<Form_setup *>(dialog()))
            qFatal("the port dialog did not open");
    }

    QRadioButton *option(int port) const
    {
        return control<QRadioButton>(dialog(), qPrintable(QStringLiteral("Option%1").arg(port)));
    }

    Message_recorder messages;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_port_dialog)
#include "test_port_dialog.moc"
