// r7k as a user runs it, as a process, on the channel files and lists it
// is given: its words for a file, its CSV commands, what it refuses, its
// help and the ports it finds radios on; in process, what it makes of its
// port arguments and of a file's settings. Transfers are in
// test_cli_transfers.
#include "cli/exit_status.h"
#include "cli/image_words.h"
#include "cli/radio_port.h"
#include "cli/verbs.h"
#include "cli_rig.h"
#include "core/tables.h"
#include "csv/csv_export.h"
#include "image_rows.h"
#include "link/commands.h"
#include "link/port_map.h"
#include "logic_start.h"
#include "pattern_files.h"

#include <QDir>
#include <QTest>

using namespace r7k;
using namespace r7k::cli;

class Test_cli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Start_logic(); }
    void cleanup() { Port_map::Reset(); }

    void show_and_diff_in_words()
    {
        QTemporaryDir dir;
        const Data_image a = Named_channels();
        chann = a;
        chann(2, 11) &= ~4;         // channel 2 narrow
        chann(4, 11) &= ~1;         // a bit that the table does not show
        chann(Settings_row, 0) = 3; // squelch 3
        Store_channel_name(3, "车队 B");
        chann(Name_row(3), 0) = 0; // ESC for 车: a file may hold any code
        chann(Name_row(3), 1) = 0x1b;
        chann.fill(9, 9, 0, 15, 255); // channel 9 erased
        const Data_image b = chann;
        const QString path_a = Saved(dir.filePath("a.chann"), a);
        const QString path_b = Saved(dir.filePath("b.chann"), b);

        Ran ran = Run_r7k({"diff", path_a, path_b});
        QVERIFY2(ran.status == 1 && ran.err.isEmpty(), qPrintable(ran.shown()));
        QCOMPARE(
            ran.out,
            QStringLiteral("Channel 2: Wide/Narrow: Wide -> Narrow\n"
                           "Channel 3: Name: \"车队 A\" -> \"\\x1b队 B\"\n"
                           "Channel 9: RX Frequency 460.82500, TX Frequency 460.82500, CTCSS/DCS "
                           "Dec OFF, CTCSS/DCS Enc OFF, TX-Power High, VOX-Level Off, Wide/Narrow "
                           "Wide, Name \"\" -> empty\n"
                           "Optional features: Squelch level: 5 -> 3\n"
                           "Block 4 (channel 4): byte 11: 7 -> 6\n"));
        ran = Run_r7k({"diff", path_a, path_a});
        QVERIFY2(ran.status == 0 && ran.out.isEmpty() && ran.err.isEmpty(),
                 qPrintable(ran.shown()));

        ran = Run_r7k({"show", path_b});
        QCOMPARE(ran.status, 0);
        const QStringList lines = ran.out.split('\n');
        QCOMPARE(lines[0], "Channel  RX Frequency  TX Frequency  CTCSS/DCS Dec  CTCSS/DCS Enc  "
                           "TX-Power  VOX-Level  Wide/Narrow  Name");
        QCOMPARE(lines[1], "1        450.25000     450.25000     OFF            OFF            "
                           "High      Off        Wide         BASE");
        QVERIFY(ran.out.contains("Wide         \\x1b队 B\n") && !ran.out.contains('\x1b'));
        QCOMPARE(lines.indexOf("Optional features:"), 17);
        QVERIFY(lines.contains("  Squelch level         3"));
        QVERIFY(lines.contains("Frequency mode:") && lines.contains("Power levels:"));

        // For a spreadsheet: the same table in tab-separated columns.
        ran = Run_r7k({"show", "--tsv", path_b});
        QCOMPARE(ran.status, 0);
        const QStringList rows = ran.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows[1], "1\t450.25000\t450.25000\tOFF\tOFF\tHigh\tOff\tWide\tBASE");
        for (const QString &row : rows)
            QVERIFY2(row.count('\t') == 8 || row.count('\t') == 2, qPrintable(row));

        // In process the verbs read their files into images of their own: the
        // program's image keeps what it holds.
        QCOMPARE(Run_diff({path_a, path_b}), int(Exit_differ));
        QCOMPARE(Run_show({path_a}), int(Exit_ok));
        QVERIFY(chann == b);
    }

    void csv_export_and_import()
    {
        QTemporaryDir dir;
        // A list holds programmed channels only: the names of empty channels stay behind.
        Data_image named = Named_channels();
        Clear_channel_name(100, named);
        Clear_channel_name(120, named);
        const QString file = Saved(dir.filePath("named.chann"), named);
        Ran ran = Run_r7k({"export-csv", file, "-o", dir.filePath("named.csv")});
        QCOMPARE(ran.out,
                 dir.filePath("named.csv") + ": 16 channels were exported to the CSV file.\n");
        QCOMPARE(ran.status, 0);
        QCOMPARE(read_file(dir.filePath("named.csv")), Channel_csv::Export(named));

        // Into a fresh image, the list gives back the file.
        Run_r7k({"import-csv", dir.filePath("named.csv"), "-o", dir.filePath("copy.chann")});
        QVERIFY(Loaded(dir.filePath("copy.chann")) == named);

        // With a base, only the listed channels change; every note names its line.
        const QString rough = dir.filePath("rough.csv");
        write_file(rough,
                   "Location,Name,Frequency,Mode\r\n2,NEW,470.5,NFM\r\n3,UHF,446.00625,NFM\r\n");
        ran = Run_r7k({"import-csv", rough, "-o", dir.filePath("merged.chann"), "--base", file});
        QVERIFY2(ran.out.startsWith(rough + ": Line 2 skipped: ") &&
                     ran.out.contains("\n" + rough + ": 1 channel was imported") &&
                     ran.out.endsWith(" Written to " + dir.filePath("merged.chann") + ".\n"),
                 qPrintable(ran.shown()));
        Data_image merged = Loaded(dir.filePath("merged.chann"));
        for (int row = 0; row < Channel_file::Rows; ++row)
            if (row != 3 && row != Name_row(3))
                QCOMPARE(cells<QByteArray>(row, 0, 15, merged),
                         cells<QByteArray>(row, 0, 15, named));
        QCOMPARE(Channel_name(3, merged), QStringLiteral("UHF"));

        // The band is the model's.
        QVERIFY(
            Run_r7k({"import-csv", rough, "-o", dir.filePath("uhf.chann"), "--model", "kl7m full"})
                .out.contains("2 channels were imported"));

        // A list for spreadsheets begins with a byte-order mark. Names that read
        // as UTF-8 and as GBK are taken as UTF-8 unless told, and the choice is
        // named.
        Run_r7k({"export-csv", file, "-o", dir.filePath("bom.csv"), "--bom"});
        QCOMPARE(read_file(dir.filePath("bom.csv")), "\xEF\xBB\xBF" + Channel_csv::Export(named));
        write_file(rough, "Location,Name,Frequency\r\n1,Caf\xC3\xA9,446\r\n");
        ran = Run_r7k({"import-csv", rough, "-o", dir.filePath("cafe.chann")});
        QVERIFY2(ran.out.startsWith(rough + ": the names read as UTF-8 (Café) could also be GBK "
                                            "(Caf茅); --encoding gbk reads them so.\n"),
                 qPrintable(ran.shown()));
        Run_r7k({"import-csv", rough, "-o", dir.filePath("cafe.chann"), "--encoding", "GBK"});
        QCOMPARE(Channel_name(1, Loaded(dir.filePath("cafe.chann"))), QStringLiteral("Caf茅"));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        // What r7k says on stderr after "r7k: ", DIR standing for the test's
        // folder; a bad command line is followed by where its help is.
        QTest::addColumn<QString>("message");

        QTest::newRow("no verb") << QStringList{} << 2 << "A verb is missing.";
        QTest::newRow("unknown verb") << QStringList{"fly"} << 2 << "Unknown verb 'fly'.";
        QTest::newRow("unknown option")
            << QStringList{"read", "--fast"} << 2 << "read: Unknown option 'fast'.";
        QTest::newRow("no port") << QStringList{"read"} << 2 << "read: --port is missing.";
        QTest::newRow("two ports to read")
            << QStringList{"read", "--port", "/dev/a", "--port", "/dev/b"} << 2
            << "read: A read takes one --port.";
        QTest::newRow("COM9") << QStringList{"write", "--port", "COM9", "DIR/good.chann"} << 2
                              << "write: --port takes a device or COM1..COM8, not 'COM9'.";
        QTest::newRow("COM0") << QStringList{"read", "--port", "COM0"} << 2
                              << "read: --port takes a device or COM1..COM8, not 'COM0'.";
        QTest::newRow("empty port") << QStringList{"read", "--port", ""} << 2
                                    << "read: --port needs a device or COM1..COM8.";
        QTest::newRow("port twice")
            << QStringList{"write", "--port", "/dev/a", "--port", "/dev/a", "DIR/good.chann"} << 2
            << "write: /dev/a is named twice; each radio needs its own port.";
        QTest::newRow("no file to write") << QStringList{"write", "--port", "/dev/a"} << 2
                                          << "write: The FILE to write is missing.";
        QTest::newRow("two files to show") << QStringList{"show", "a.chann", "b.chann"} << 2
                                           << "show: Unexpected argument 'b.chann'.";
        QTest::newRow("no file name")
            << QStringList{"show", ""} << 2 << "show: A file name is empty.";
        QTest::newRow("missing file")
            << QStringList{"diff", "DIR/good.chann", "DIR/none.chann"} << 3
            << "DIR/none.chann: The channel parameter file cannot be opened. (No such file or "
               "directory)";
        QTest::newRow("nothing to write")
            << QStringList{"write", "--port", "/dev/a", "DIR/empty.chann"} << 3
            << "DIR/empty.chann: no channel has a frequency; there is nothing a radio could use.";
        QTest::newRow("a CSV list to write")
            << QStringList{"write", "--port", "/dev/a", "DIR/good.csv"} << 3
            << "DIR/good.csv: this is a CSV channel list, not a channel file; make one of it with "
               "'r7k import-csv'.";
        QTest::newRow("no output for the export") << QStringList{"export-csv", "DIR/good.chann"}
                                                  << 2 << "export-csv: -o OUT.csv is missing.";
        QTest::newRow("export over its input")
            << QStringList{"export-csv", "DIR/good.chann", "-o", "DIR/good.chann"} << 2
            << "export-csv: DIR/good.chann: this is the input file; the output must go to another "
               "file.";
        QTest::newRow("import over its input")
            << QStringList{"import-csv", "DIR/good.csv", "-o", "DIR/good.csv"} << 2
            << "import-csv: DIR/good.csv: this is the input file; the output must go to another "
               "file.";
        QTest::newRow("two outputs") << QStringList{"import-csv",  "DIR/good.csv", "-o",
                                                    "DIR/a.chann", "--output",     "DIR/b.chann"}
                                     << 2 << "import-csv: -o is given more than once.";
        QTest::newRow("unknown model")
            << QStringList{"import-csv", "DIR/good.csv", "-o", "DIR/x.chann", "--model", "7"} << 2
            << "import-csv: --model takes 0..6 or a model's name, not '7'.";
        QTest::newRow("unknown model to export")
            << QStringList{"export-csv", "DIR/good.chann", "-o", "DIR/x.csv", "--model", "9"} << 2
            << "export-csv: --model takes 0..6 or a model's name, not '9'.";
        QTest::newRow("unknown encoding")
            << QStringList{"import-csv", "DIR/good.csv", "-o", "DIR/x.chann", "--encoding", "latin"}
            << 2 << "import-csv: --encoding takes utf-8, gbk, windows-1252 or auto, not 'latin'.";
        QTest::newRow("missing list")
            << QStringList{"import-csv", "DIR/none.csv", "-o", "DIR/x.chann"} << 3
            << "DIR/none.csv: The CSV file cannot be read. (No such file or directory)";
        QTest::newRow("import into no folder")
            << QStringList{"import-csv", "DIR/good.csv", "-o", "DIR/none/x.chann"} << 3
            << "DIR/none/x.chann: The channel parameter file cannot be saved. (No such file or "
               "directory)";
        QTest::newRow("read into no folder")
            << QStringList{"read", "--port", "/dev/a", "-o", "DIR/none/x.chann"} << 3
            << "DIR/none/x.chann: the folder does not exist.";
        QTest::newRow("read into a folder")
            << QStringList{"read", "--port", "/dev/a", "-o", "DIR"} << 3
            << "DIR: it is not a regular file but a device, a pipe or a folder.";
        QTest::newRow("a relative name is a device")
            << QStringList{"read", "--port", "r7k-no-such-port", "-o", "DIR/x.chann"} << 4
            << "r7k-no-such-port: cannot open the port: /dev/r7k-no-such-port does not exist. Is "
               "the programming cable plugged in? A USB cable gets its name (such as /dev/ttyUSB0) "
               "when it is plugged in.";
        QTest::newRow("no such port")
            << QStringList{"write", "--port", "/dev/r7k-no-such-port", "DIR/good.chann"} << 4
            << "/dev/r7k-no-such-port: cannot open the port: /dev/r7k-no-such-port does not exist. "
               "Is the programming cable plugged in? A USB cable gets its name (such as "
               "/dev/ttyUSB0) when it is plugged in.";
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        Reset_image();
        Saved(dir.filePath("empty.chann"), chann);
        Saved(dir.filePath("good.chann"), Named_channels());
        write_file(dir.filePath("good.csv"), "Location,Name,Frequency\r\n1,A,446.00625\r\n");

        for (QString &argument : arguments)
            argument.replace("DIR", dir.path());
        message.replace("DIR", dir.path());
        if (status == 2)
            message += QStringLiteral(" See 'r7k %1--help'.")
                           .arg(message.startsWith(arguments.value(0) + ": ") ? arguments[0] + ' '
                                                                              : QString());
        const Ran ran = Run_r7k(arguments, {}, "C.UTF-8");
        QCOMPARE(ran.status, status);
        QCOMPARE(ran.err, "r7k: " + message + "\n");
        // No progress for a port that never opened.
        QVERIFY2(!ran.out.contains('%') && !ran.out.contains("written") &&
                     !ran.out.contains("read into"),
                 qPrintable(ran.out));
    }

    // The messages of the command line, of files and of ports come in Chinese
    // when the environment asks for it, the port's own reasons included.
    void messages_follow_the_environment_language()
    {
        QTemporaryDir dir;
        const std::pair<QStringList, const char *> said[] = {
            {{"write", "a.chann"}, "r7k: write：缺少 --port。"},
            {{"show", "missing.chann"}, "missing.chann: 无法打开信道参数文件。"},
            {{"read", "--port", "r7k-no-such-tty"},
             "无法打开端口：设备 /dev/r7k-no-such-tty 不存在"},
        };
        for (const auto &[arguments, chinese] : said) {
            const Ran ran = Run_r7k(arguments, dir.path(), "zh_CN.UTF-8");
            QVERIFY2(ran.status > 1 && ran.err.contains(QString::fromUtf8(chinese)),
                     qPrintable(ran.shown()));
        }
    }

    void help_and_version()
    {
        Ran ran = Run_r7k({"--version"});
        QVERIFY2(ran.status == 0 && ran.out == "r7k 1.4\n", qPrintable(ran.shown()));
        ran = Run_r7k({"--help"});
        QVERIFY(ran.status == 0 && ran.out.startsWith("Usage: r7k VERB"));
        QVERIFY(ran.out.contains("  5  a radio holds other data than was written to it"));
        for (const QString verb :
             {"read", "write", "verify", "show", "diff", "export-csv", "import-csv"}) {
            ran = Run_r7k({verb, "--help"});
            QVERIFY2(ran.status == 0 && ran.err.isEmpty() &&
                         ran.out.startsWith("Usage: r7k " + verb) &&
                         ran.out.contains("Exit status:"),
                     qPrintable(ran.shown()));
        }
    }

    // Two radios and a port that answers nothing: detect names the radios'
    // ports, sends the silent one only Connect, and no radio is written to.
    void detect_finds_the_radios()
    {
        Radios radios;
        const QStringList links{radios.start("detect-0"), radios.start("detect-1")};
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

    // COMn, in either letter case, stands for the device it is mapped to; a
    // port and its device are the same radio.
    void com_ports_stand_for_their_devices()
    {
        Port_map::Set_mapping(2, "/dev/r7k-two");
        int status = Exit_ok;
        QString error;
        const QList<Radio_port> ports = Radio_ports({"com2", "/dev/r7k-three"}, status, error);
        QCOMPARE(ports.size(), 2);
        QCOMPARE(ports[0].name + ' ' + ports[0].device, "com2 /dev/r7k-two");
        QVERIFY(Radio_ports({"COM2", "/dev/r7k-two"}, status, error).isEmpty());
        QCOMPARE(status, int(Exit_usage));
    }

    void settings_in_words()
    {
        Reset_image();
        chann(Power_row, 0) = 40;
        chann(Settings_row, 3) = 7; // channel mode, scan and battery save on
        chann(Vfo_row, 9) = 60;     // encode D053 inverted
        chann(Vfo_row, 12) = 2;
        QStringList lines;
        for (const Image_field &field : Setting_fields(chann))
            lines.append(QStringLiteral("%1 %2: %3 = %4")
                             .arg(field.block)
                             .arg(field.section, field.name, field.value));
        QCOMPARE(lines, (QStringList{"140 Optional features: Squelch level = 5",
                                     "140 Optional features: Time-out timer (min) = 1",
                                     "140 Optional features: Scan resume = TO",
                                     "140 Optional features: Scan = On",
                                     "140 Optional features: Battery save = On",
                                     "140 Optional features: Work mode = Channel",
                                     "140 Optional features: Step (kHz) = 5K",
                                     "140 Optional features: Duplex = Off",
                                     "140 Optional features: Offset (MHz) = 68.012500",
                                     "131 Frequency mode: RX frequency (MHz) = 400.01250",
                                     "131 Frequency mode: TX frequency (MHz) = 400.01250",
                                     "131 Frequency mode: Decode = OFF",
                                     "131 Frequency mode: Encode = D053I",
                                     "131 Frequency mode: VOX = Off",
                                     "131 Frequency mode: TX power = High",
                                     "131 Frequency mode: Bandwidth = Wide",
                                     "131 Frequency mode: TX bandwidth = Wide",
                                     "240 Power levels: Low = 40",
                                     "240 Power levels: Mid = 0",
                                     "240 Power levels: High = 0"}));
    }
};

QTEST_GUILESS_MAIN(Test_cli)
#include "test_cli.moc"
