// r7k ports, r7k detect and r7k show --tsv as a user runs them: as a process,
// against r7k-sim processes and a silent pseudo-terminal.
#include "core/image.h"
#include "core/tables.h"
#include "files/channel_file.h"
#include "link/commands.h"
#include "sim/sim_process.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

using namespace r7k;

namespace {

struct Ran {
    int status = -1;
    QStringList out; // the lines of stdout
    QString err;
};

// r7k with `arguments`, in the language of `lang`.
Ran r7k_run(const QStringList &arguments, const QString &lang = "C.UTF-8")
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("LC_ALL");
    environment.remove("LC_MESSAGES");
    environment.insert("LANG", lang);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(R7K_PATH), arguments);
    Ran ran;
    if (!process.waitForFinished(60'000)) {
        process.kill();
        return ran;
    }
    ran.status = process.exitCode();
    ran.out = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ran.err = QString::fromUtf8(process.readAllStandardError());
    return ran;
}

// A pseudo-terminal that answers nothing; what reaches it can be read.
struct Silent_pty {
    int master = -1, slave = -1;
    QString path;
    Silent_pty()
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0)
            path = QString::fromLocal8Bit(name);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~Silent_pty()
    {
        ::close(master);
        ::close(slave);
    }
    QByteArray received() const
    {
        QByteArray bytes;
        char buffer[256];
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, int(n));
        return bytes;
    }
};

} // namespace

class Test_cli_ports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Init_tone_table(); }

    // Two radios with memories of their own and a port that answers
    // nothing: detect names the radios' ports, sends the silent one only
    // Connect, and no radio is written to.
    void detect_finds_the_radios()
    {
        QTemporaryDir dir;
        Data_image other;
        Reset_image(other);
        Load_default_image(other);
        const QString memory = dir.filePath("other.chann");
        QVERIFY(Channel_file::Save(memory, other).ok);
        sim::Sim_process radios[2];
        QStringList links;
        for (int i = 0; i < 2; ++i) {
            links.append(QStringLiteral("/tmp/r7k-detect-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(i));
            QStringList options{"--save-to", dir.filePath(QString::number(i) + ".chann")};
            if (i == 1)
                options << "--memory" << memory;
            QString error;
            QVERIFY2(radios[i].start(QStringLiteral(R7K_SIM_PATH), links[i], options, error),
                     qPrintable(error));
        }
        const Silent_pty silent;
        const QStringList mappings{"--port", "COM1=" + links[0], "--port", "COM2=" + silent.path,
                                   "--port", "COM4=" + links[1]};
        Ran ran = r7k_run(QStringList{"detect"} + mappings);
        QCOMPARE(ran.status, 0);
        QCOMPARE(ran.out.mid(0, 3), QStringList({"COM1: R7K radio (" + links[0] + ")",
                                                 "COM2: no answer (" + silent.path + ")",
                                                 "COM4: R7K radio (" + links[1] + ")"}));
        QCOMPARE(silent.received(), Command::Connect());
        QVERIFY(QDir(dir.path()).entryList({"?.chann"}).isEmpty());

        ran = r7k_run({"detect", "--port", "COM2=" + silent.path}, "zh_CN.UTF-8");
        QCOMPARE(ran.status, 4);
        QCOMPARE(ran.out.value(0), "COM2: 没有应答 (" + silent.path + ")");
        QCOMPARE(ran.err, QStringLiteral("r7k: 没有对讲机应答。\n"));

        ran = r7k_run(QStringList{"ports"} + mappings);
        QCOMPARE(ran.status, 0);
        QCOMPARE(ran.out.value(0).simplified(), "Port Device Maker Product USB May open");
        QCOMPARE(ran.out.value(1).simplified(), "COM1 " + links[0] + " - - - yes");
        QCOMPARE(ran.out.value(2).simplified(), "COM2 " + silent.path + " - - - yes");
        ran = r7k_run({"ports", "--port", "COM1=/nowhere/ttyUSB9"}, "zh_CN.UTF-8");
        QCOMPARE(ran.out.value(0).simplified(), "端口 设备 厂商 产品 USB 可以打开");
        QCOMPARE(ran.out.value(1).simplified(), "COM1 /nowhere/ttyUSB9 - - - 不存在");
        QCOMPARE(r7k_run({"ports", "--port", "COM9=/dev/ttyS0"}).status, 2);
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
        for (QString &argument : arguments)
            if (argument.endsWith(".csv") || argument.endsWith(".chann"))
                argument = dir.filePath(argument);
        const Ran in_chinese = r7k_run(arguments, "zh_CN.UTF-8");
        QVERIFY2(in_chinese.err.contains(chinese), qPrintable(in_chinese.err));
        QVERIFY2(!in_chinese.err.contains(english), qPrintable(in_chinese.err));
        const Ran in_english = r7k_run(arguments);
        QVERIFY2(in_english.err.contains(english), qPrintable(in_english.err));
        QCOMPARE(in_english.status, in_chinese.status);
    }

    void show_tsv_gives_tab_separated_columns()
    {
        QTemporaryDir dir;
        Data_image image;
        Reset_image(image);
        Load_default_image(image);
        const QString path = dir.filePath("radio.chann");
        QVERIFY(Channel_file::Save(path, image).ok);
        const Ran ran = r7k_run({"show", "--tsv", path});
        QCOMPARE(ran.status, 0);
        QCOMPARE(ran.out.value(0).split('\t'),
                 QStringList({"Channel", "RX Frequency", "TX Frequency", "CTCSS/DCS Dec",
                              "CTCSS/DCS Enc", "TX-Power", "VOX-Level", "Wide/Narrow", "Name"}));
        QCOMPARE(ran.out.value(1).split('\t').value(0), "1");
        for (const QString &line : ran.out)
            QVERIFY2(line.count('\t') == 8 || line.count('\t') == 2, qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(Test_cli_ports)
#include "test_cli_ports.moc"
