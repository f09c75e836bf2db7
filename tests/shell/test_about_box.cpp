#include "core/globals.h"
#include "dialog_driver.h"
#include "message_recorder.h"
#include "shell/frm_about.h"
#include "shell/system_info.h"
#include "started_program.h"

#include <QFile>
#include <QTemporaryDir>

using namespace r7k;
using namespace Dialog_driver;

namespace {

// Puts a program called `name` into `folder` that leaves a file "<name>.ran"
// beside itself when it runs.
void make_viewer(const QString &folder, const QString &name)
{
    QFile script(folder + QLatin1Char('/') + name);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n: > \"$0.ran\"\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
}

} // namespace

class Test_about_box : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        program = Start_program();
        saved_path = qgetenv("PATH");
        messages.messages.clear();
    }
    void cleanup()
    {
        program.reset();
        qputenv("PATH", saved_path);
    }

    void shows_the_about_texts_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("title_line");
        QTest::addColumn<QString>("ok");
        QTest::newRow("Chinese") << true << "NorvikTALVEN电子有限公司  R7K 系列对讲机编程软件"
                                 << "确定";
        QTest::newRow("English") << false
                                 << "Norvik TALVEN Electronic Co.,Ltd. R7K series program software"
                                 << "Confirm";
    }
    void shows_the_about_texts()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, title_line);
        QFETCH(QString, ok);
        trigger(*program, chinese ? "Language_chn" : "Language_eng");
        open_box();
        QCOMPARE(text_of(box(), "lblTitle"), title_line);
        QCOMPARE(text_of(box(), "cmdOK"), ok);
        QVERIFY(text_of(box(), "lblVersion").startsWith(QStringLiteral("Ver1.4\n")));
        const char *const shown[] = {"lblTitle",      "lblVersion", "lblDescription",
                                     "lblDisclaimer", "cmdOK",      "cmdSysInfo"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(text_of(box(), shown[i]), About_text[i]);
        QVERIFY(!control<QLabel>(box(), "picIcon")->pixmap().isNull());
        QVERIFY(Open_flags_of(Open_flag::About));

        click(box(), "cmdOK");
        QTRY_VERIFY(!box());
        QVERIFY(!Open_flags_of(Open_flag::About));
    }

    void finds_the_first_viewer_in_order_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("one") << QStringList{"kinfocenter"} << "kinfocenter";
        QTest::newRow("hardinfo first")
            << QStringList{"kinfocenter", "hardinfo2", "hardinfo"} << "hardinfo";
        QTest::newRow("hardinfo2 before monitors")
            << QStringList{"ksysguard", "gnome-system-monitor", "hardinfo2"} << "hardinfo2";
        QTest::newRow("gnome before kde")
            << QStringList{"ksysguard", "gnome-system-monitor"} << "gnome-system-monitor";
        QTest::newRow("unknown programs") << QStringList{"top", "htop"} << QString();
    }
    void finds_the_first_viewer_in_order()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, chosen);
        QTemporaryDir folder;
        for (const QString &name : installed)
            make_viewer(folder.path(), name);
        const std::optional<Program_launch> tool = System_info_tool({folder.path()});
        QCOMPARE(tool.has_value(), !chosen.isEmpty());
        if (tool) {
            QCOMPARE(tool->program, folder.filePath(chosen));
            QVERIFY(tool->arguments.isEmpty());
        }
    }

    void system_information_starts_the_viewer()
    {
        QTemporaryDir folder;
        make_viewer(folder.path(), QStringLiteral("gnome-system-monitor"));
        make_viewer(folder.path(), QStringLiteral("kinfocenter"));
        qputenv("PATH", QFile::encodeName(folder.path()));
        open_box();
        click(box(), "cmdSysInfo");
        QTRY_VERIFY(QFile::exists(folder.filePath("gnome-system-monitor.ran")));
        QVERIFY(!QFile::exists(folder.filePath("kinfocenter.ran")));
        QVERIFY(messages.messages.isEmpty());
    }

    void system_information_without_a_viewer_says_so_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::newRow("Chinese") << true;
        QTest::newRow("English") << false;
    }
    void system_information_without_a_viewer_says_so()
    {
        QFETCH(bool, chinese);
        QTemporaryDir empty;
        qputenv("PATH", QFile::encodeName(empty.path()));
        trigger(*program, chinese ? "Language_chn" : "Language_eng");
        open_box();
        click(box(), "cmdSysInfo");
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("此时系统信息不可用")});
        QVERIFY(!messages.messages[0].exclamation);
        QVERIFY(box());
    }

private:
    QWidget *box() const { return program->host().window(Window_id::About); }

    void open_box()
    {
        trigger(*program, "Menu_About");
        if (!qobject_cast<frmAbout *>(box()))
            qFatal("the About box did not open");
    }

    Message_recorder messages;
    std::unique_ptr<Main_window> program;
    QByteArray saved_path;
};

QTEST_MAIN(Test_about_box)
#include "test_about_box.moc"
