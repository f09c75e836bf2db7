// r7k ports and r7k detect as a user runs them: as a process,
// against r7k-sim processes and a silent pseudo-terminal.
#include "cli_rig.h"
#include "core/tables.h"
#include "link/commands.h"

#include <QDir>
#include <QFile>

using namespace r7k;

class Test_cli_ports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Init_tone_table(); }

    // Two radios with memories of their own and a port that answers
    // nothing: detect names the radios' ports, sends the silent one only
    // Connect, and no radio is written to.
    void detect_finds_the_radios()
    {
        Radios radios;
        Data_image other;
        Reset_image(other);
        Load_default_image(other);
        const QStringList links{
            radios.start("detect-0"),
            radios.start("detect-1",
                         {"--memory", Saved(radios.dir.filePath("other.chann"), other)})};
        Pty silent;
        const QStringList mappings{"--port", "COM1=" + links[0], "--port", "COM2=" + silent.path,
                                   "--port", "COM4=" + links[1]};
        Ran ran = Run_r7k(QStringList{"detect"} + mappings);
        QCOMPARE(ran.status, 0);
        QCOMPARE(ran.out.split('\n').mid(0, 3),
                 QStringList({"COM1: R7K radio (" + links[0] + ")",
                              "COM2: no answer (" + silent.path + ")",
                              "COM4: R7K radio (" + links[1] + ")"}));
        QCOMPARE(silent.received(), Command::Connect());
        QVERIFY(QDir(radios.dir.path()).entryList({"*-memory.chann"}).isEmpty());

        ran = Run_r7k({"detect", "--port", "COM2=" + silent.path}, {}, "zh_CN.UTF-8");
        QCOMPARE(ran.status, 4);
        QCOMPARE(ran.out.split('\n').value(0), "COM2: 没有应答 (" + silent.path + ")");
        QCOMPARE(ran.err, QStringLiteral("r7k: 没有对讲机应答。\n"));

        ran = Run_r7k(QStringList{"ports"} + mappings);
        QCOMPARE(ran.status, 0);
        QStringList lines = ran.out.split('\n');
        QCOMPARE(lines.value(0).simplified(), "Port Device Maker Product USB May open");
        QCOMPARE(lines.value(1).simplified(), "COM1 " + links[0] + " - - - yes");
        QCOMPARE(lines.value(2).simplified(), "COM2 " + silent.path + " - - - yes");
        lines = Run_r7k({"ports", "--port", "COM1=/nowhere/ttyUSB9"}, {}, "zh_CN.UTF-8")
                    .out.split('\n');
        QCOMPARE(lines.value(0).simplified(), "端口 设备 厂商 产品 USB 可以打开");
        QCOMPARE(lines.value(1).simplified(), "COM1 /nowhere/ttyUSB9 - - - 不存在");
        QCOMPARE(Run_r7k({"ports", "--port", "COM9=/dev/ttyS0"}).status, 2);
    }
    // Every verb's messages come in Chinese when the environment asks for it,
    // the port's own reasons included, and in English otherwise.
    void messages_follow_the_environment_language_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("no verb") << QStringList() << "缺少动作"
                                 << "A verb is missing";
        QTest::newRow("no port") << QStringList{"write", "a.chann"} << "write：缺少 --port。"
                                 << "write: --port is missing.";
        QTest::newRow("missing file") << QStringList{"show", "missing.chann"} << "无法打开"
                                      << "cannot be opened";
        QTest::newRow("a CSV list to write")
            << QStringList{"write", "--port", "/dev/null", "list.csv"} << "这是 CSV 信道列表"
            << "this is a CSV channel list";
        QTest::newRow("no such port")
            << QStringList{"read", "--port", "/dev/r7k-no-such-tty", "--no-backup", "-o", "x.chann"}
            << "无法打开端口：设备 /dev/r7k-no-such-tty 不存在"
            << "cannot open the port: /dev/r7k-no-such-tty does not exist";
        QTest::newRow("bad model")
            << QStringList{"export-csv", "a.chann", "-o", "b.csv", "--model", "9"}
            << "--model 取 0..6"
            << "--model takes 0..6";
    }
    void messages_follow_the_environment_language()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QTemporaryDir dir;
        QFile list(dir.filePath("list.csv"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("Location,Name,Frequency\n");
        list.close();
        const Ran in_chinese = Run_r7k(arguments, dir.path(), "zh_CN.UTF-8");
        QVERIFY2(in_chinese.err.contains(chinese) && !in_chinese.err.contains(english),
                 qPrintable(in_chinese.shown()));
        const Ran in_english = Run_r7k(arguments, dir.path(), "C.UTF-8");
        QVERIFY2(in_english.err.contains(english), qPrintable(in_english.shown()));
        QCOMPARE(in_english.status, in_chinese.status);
    }
};

QTEST_GUILESS_MAIN(Test_cli_ports)
#include "test_cli_ports.moc"
