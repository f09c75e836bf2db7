// r7k as a user runs it: as a process, against r7k-sim processes on
// pseudo-terminals, with real files.
#include "channels/channel_name.h"
#include "core/image.h"
#include "core/tables.h"
#include "files/channel_csv.h"
#include "files/channel_file.h"
#include "link/write_engine.h"
#include "sim/radio.h"
#include "sim/sim_process.h"
#include "test_radios.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <memory>
#include <pty.h>
#include <unistd.h>

using namespace r7k;
using namespace r7k::sim;

namespace {

constexpr int Run_ms = 90'000; // a write and a read-back over a pty take some seconds

struct Ran {
    int status = -1;
    QString out, err;
};

Ran run_r7k(const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(R7K_PATH), arguments);
    Ran ran;
    if (!process.waitForFinished(Run_ms)) {
        process.kill();
        ran.err = "did not finish";
        return ran;
    }
    ran.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    ran.out = QString::fromUtf8(process.readAllStandardOutput());
    ran.err = QString::fromUtf8(process.readAllStandardError());
    return ran;
}

QString shown(const Ran &ran)
{
    return QStringLiteral("status %1\n--- stdout\n%2--- stderr\n%3")
        .arg(ran.status)
        .arg(ran.out, ran.err);
}

// Simulated radios of this test, each on a link of its own, each the radio of
// the test row.
struct Radios {
    QTemporaryDir dir;
    std::vector<std::unique_ptr<Sim_process>> sims;

    // Starts one that saves its memory to memory_file(name) after every write.
    QString start(const QString &name, const QStringList &faults = {})
    {
        const QString link =
            QStringLiteral("/tmp/r7k-cli-%1-%2").arg(QCoreApplication::applicationPid()).arg(name);
        sims.push_back(std::make_unique<Sim_process>());
        QString error;
        if (!sims.back()->start(QStringLiteral(R7K_SIM_PATH), link,
                                Test_radios::arguments() + faults +
                                    QStringList{"--save-to", memory_file(name)},
                                error))
            qWarning("%s", qPrintable(error));
        return link;
    }
    QString memory_file(const QString &name) const { return dir.filePath(name + "-memory.chann"); }
};

QByteArray bytes_of(const Data_image &image, int row)
{
    QByteArray bytes;
    for (int c = 0; c < 16; ++c)
        bytes += char(image(row, c));
    return bytes;
}

QByteArray bytes_of(const Radio &radio, int block)
{
    QByteArray bytes;
    for (int c = 0; c < 16; ++c)
        bytes += char(radio.byte(block, c));
    return bytes;
}

Data_image loaded(const QString &path)
{
    Data_image image;
    const Channel_file::Outcome outcome = Channel_file::Load(path, image);
    if (!outcome.ok)
        qWarning("%s: %s", qPrintable(path), qPrintable(outcome.message.english));
    return image;
}

// The factory channels with names, also on channels 100 and 120, whose name
// rows lie beyond the first 254 blocks.
Data_image named_channels()
{
    Reset_image();
    Load_default_image();
    const std::pair<int, const char *> names[] = {
        {1, "BASE"}, {3, "车队 A"}, {100, "PARK"}, {120, "GATE"}};
    for (const auto &[channel, name] : names)
        Store_channel_name(channel, QString::fromUtf8(name));
    return chann;
}

QString saved(const QString &path, const Data_image &image)
{
    const Channel_file::Outcome outcome = Channel_file::Save(path, image);
    if (!outcome.ok)
        qWarning("%s: %s", qPrintable(path), qPrintable(outcome.message.english));
    return path;
}

} // namespace

class Test_cli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data() { Test_radios::add_rows(); }
    void initTestCase() { Init_tone_table(); }
    void init() { Test_radios::use_row(); }

    void read_into_a_file_holds_the_radio_memory();
    void read_shows_a_bar_on_a_terminal();
    void write_then_read_back_gives_the_file();
    void verify_names_the_block_the_radio_stored_wrong();
    void fleet_write_survives_a_radio_that_hangs_up();
    void show_and_diff_in_words();
    void csv_export_and_import();
    void refusals_data();
    void refusals();
    void help_and_version();
};

void Test_cli::read_into_a_file_holds_the_radio_memory()
{
    Radios radios;
    const QString link = radios.start("read");
    const Ran ran = run_r7k({"read", "--port", link}, radios.dir.path());
    QVERIFY2(ran.status == 0 && ran.err.isEmpty(), qPrintable(shown(ran)));

    // Named by the date and time, in the current folder.
    const QStringList files = QDir(radios.dir.path()).entryList({"r7k-*.chann"});
    QCOMPARE(files.size(), 1);
    QVERIFY(QRegularExpression("^r7k-\\d{8}-\\d{6}\\.chann$").match(files[0]).hasMatch());
    QVERIFY(ran.out.endsWith(link + ": read into " + files[0] + "\n"));
    // Not on a terminal: a line for each tenth.
    for (int tenth = 0; tenth < 10; ++tenth)
        QVERIFY2(ran.out.contains(QStringLiteral("%1: reading %2%\n").arg(link).arg(tenth * 10)),
                 qPrintable(ran.out));

    const Radio radio = Test_radios::radio(); // as r7k-sim holds it
    const Data_image file = loaded(radios.dir.filePath(files[0]));
    for (int block : Write_engine::Blocks())
        QCOMPARE(bytes_of(file, block), bytes_of(radio, block));
    Data_image start_up;
    Reset_image(start_up);
    for (int row : {0, 272, 273, 280}) // not on the radio: as the program starts
        QCOMPARE(bytes_of(file, row), bytes_of(start_up, row));
}

void Test_cli::read_shows_a_bar_on_a_terminal()
{
    Radios radios;
    const QString link = radios.start("bar");
    int master = -1, slave = -1;
    char name[256] = {};
    QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    QProcess process;
    process.setStandardOutputFile(QString::fromLocal8Bit(name));
    process.start(QStringLiteral(R7K_PATH),
                  {"read", "--port", link, "-o", radios.dir.filePath("t.chann")});
    QByteArray screen;
    const auto drain = [&] {
        char buffer[4096];
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            screen.append(buffer, int(n));
    };
    while (process.state() != QProcess::NotRunning) {
        drain(); // a full terminal would hold the tool up
        process.waitForFinished(20);
    }
    drain();
    ::close(master);
    ::close(slave);
    QCOMPARE(process.exitCode(), 0);
    // One line, redrawn in place: up a line, clear it, the bar.
    const QRegularExpression redrawn("\x1b\\[1A\r\x1b\\[2K" + QRegularExpression::escape(link) +
                                     "  \\[#{14}\\.{16}\\]  47% reading\r\n");
    QVERIFY2(redrawn.match(QString::fromUtf8(screen)).hasMatch(), screen.right(300).constData());
    QVERIFY(screen.contains("\r\x1b[2K" + link.toUtf8() + "  read"));
}

void Test_cli::write_then_read_back_gives_the_file()
{
    Radios radios;
    const QString link = radios.start("round-trip");
    const Data_image image = named_channels();
    const QString file = saved(radios.dir.filePath("fleet.chann"), image);
    Ran ran = run_r7k({"write", "--port", link, file});
    QVERIFY2(ran.status == 0 && ran.err.isEmpty(), qPrintable(shown(ran)));
    QVERIFY(ran.out.endsWith(link + ": written\n"));
    QVERIFY(ran.out.contains(link + ": writing 90%\n"));

    const QString back = radios.dir.filePath("back.chann");
    ran = run_r7k({"read", "--port", link, "--output", back});
    QVERIFY2(ran.status == 0, qPrintable(shown(ran)));
    const Data_image read = loaded(back);
    for (int block : Write_engine::Blocks())
        QCOMPARE(bytes_of(read, block), bytes_of(image, block));
    // The file itself is left as it was.
    QCOMPARE(loaded(file), image);
}

void Test_cli::verify_names_the_block_the_radio_stored_wrong()
{
    Radios radios;
    const QString good = radios.start("good");
    const QString bad = radios.start("bad", {"--corrupt-at", "148"});
    const QString file = saved(radios.dir.filePath("verify.chann"), named_channels());

    Ran ran = run_r7k({"write", "--verify", "--port", bad, file});
    QCOMPARE(ran.status, 5);
    QCOMPARE(ran.err, "r7k: " + bad +
                          ": the radio holds other data than written in block 148 (the name of "
                          "channel 5)\n");
    QVERIFY2(ran.out.endsWith(bad + ": written, but the radio holds other data in 1 block(s)\n"
                                    "  block 148 (the name of channel 5)\n"),
             qPrintable(shown(ran)));
    QVERIFY(ran.out.contains(bad + ": verifying 50%\n"));

    // Two radios at once: the good one passes, the summary names the other.
    ran = run_r7k({"write", "--port", good, "--port", bad, file, "--verify"});
    QCOMPARE(ran.status, 5);
    QCOMPARE(ran.err, "r7k: 1 of 2 radios hold other data than written: " + bad + "\n");
    QVERIFY2(ran.out.endsWith("Summary:\n" + good + ": written and verified\n" + bad +
                              ": written, but the radio holds other data in 1 block(s)\n"
                              "  block 148 (the name of channel 5)\n"),
             qPrintable(shown(ran)));
}

void Test_cli::fleet_write_survives_a_radio_that_hangs_up()
{
    Radios radios;
    const QString first = radios.start("first");
    const QString lost = radios.start("lost", {"--hang-up-at", "100"});
    const QString third = radios.start("third");
    Data_image image = named_channels();
    image.fill(50, 50, 0, 15, 0x42); // a block before the radio hangs up, unlike its memory
    const QString file = saved(radios.dir.filePath("fleet.chann"), image);

    const Ran ran = run_r7k({"write", "--port", first, "--port", lost, "--port", third, file});
    QCOMPARE(ran.status, 4);
    QCOMPARE(ran.err, "r7k: 1 of 3 radios failed: " + lost + "\n");
    const QString summary = ran.out.mid(ran.out.indexOf("Summary:\n"));
    const QStringList lines = summary.split('\n');
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[1], first + ": written");
    QVERIFY2(QRegularExpression("^" + QRegularExpression::escape(lost) +
                                ": failed: writing stopped at \\d+ %: cannot open the port: " +
                                QRegularExpression::escape(lost) + " does not exist\\. ")
                 .match(lines[2])
                 .hasMatch(),
             qPrintable(lines[2]));
    QCOMPARE(lines[3], third + ": written");

    // The two others hold the whole file; the lost one only what came first.
    for (const QString name : {"first", "third"}) {
        Radio radio;
        QTRY_VERIFY(radio.load(radios.memory_file(name)).ok);
        for (int block : Write_engine::Blocks())
            QCOMPARE(bytes_of(radio, block), bytes_of(image, block));
    }
    Radio radio;
    QVERIFY(radio.load(radios.memory_file("lost")).ok);
    QCOMPARE(bytes_of(radio, 50), bytes_of(image, 50));
    QVERIFY(bytes_of(radio, Name_row(120)) != bytes_of(image, Name_row(120)));
}

void Test_cli::show_and_diff_in_words()
{
    QTemporaryDir dir;
    const Data_image a = named_channels();
    chann = a;
    chann(2, 11) &= ~4;         // channel 2 narrow
    chann(4, 11) &= ~1;         // a bit that the table does not show
    chann(6, 12) &= ~1;         // channel 6 decodes D036 with normal polarity
    chann(Settings_row, 0) = 3; // squelch 3
    Store_channel_name(3, "车队 B");
    chann.fill(9, 9, 0, 15, 255); // channel 9 erased
    const Data_image b = chann;
    const QString path_a = saved(dir.filePath("a.chann"), a);
    const QString path_b = saved(dir.filePath("b.chann"), b);

    Ran ran = run_r7k({"diff", path_a, path_b});
    QCOMPARE(ran.err, QString());
    QCOMPARE(ran.status, 1);
    QCOMPARE(ran.out,
             QStringLiteral("Channel 2: Wide/Narrow: Wide -> Narrow\n"
                            "Channel 3: Name: \"车队 A\" -> \"车队 B\"\n"
                            "Channel 6: CTCSS/DCS Dec: D036I -> D036N\n"
                            "Channel 9: RX Frequency 460.82500, TX Frequency 460.82500, CTCSS/DCS "
                            "Dec OFF, CTCSS/DCS Enc OFF, TX-Power High, VOX-Level Off, Wide/Narrow "
                            "Wide, Name \"\" -> empty\n"
                            "Optional features: Squelch level: 5 -> 3\n"
                            "Block 4 (channel 4): byte 11: 7 -> 6\n"));
    ran = run_r7k({"diff", path_a, path_a});
    QVERIFY2(ran.status == 0 && ran.out.isEmpty() && ran.err.isEmpty(), qPrintable(shown(ran)));

    ran = run_r7k({"show", path_b});
    QCOMPARE(ran.status, 0);
    const QStringList lines = ran.out.split('\n');
    QCOMPARE(lines[0], "Channel  RX Frequency  TX Frequency  CTCSS/DCS Dec  CTCSS/DCS Enc  "
                       "TX-Power  VOX-Level  Wide/Narrow  Name");
    QCOMPARE(lines[1], "1        450.25000     450.25000     OFF            OFF            "
                       "High      Off        Wide         BASE");
    QVERIFY(lines.contains("2        456.85000     456.85000     88.5           88.5           "
                           "High      Off        Narrow"));
    QVERIFY(!ran.out.contains("\n9 ")); // empty channels are left out
    QCOMPARE(lines.indexOf("Optional features:"), 17);
    QVERIFY(lines.contains("  Squelch level         3"));
    QVERIFY(lines.contains("  Offset (MHz)          68.012500"));
    QVERIFY(lines.contains("Frequency mode:") && lines.contains("Power levels:"));
}

void Test_cli::csv_export_and_import()
{
    QTemporaryDir dir;
    // A list holds programmed channels only: the names of empty channels stay behind.
    Data_image named = named_channels();
    Clear_channel_name(100, named);
    Clear_channel_name(120, named);
    const QString file = saved(dir.filePath("named.chann"), named);
    Ran ran = run_r7k({"export-csv", file, "-o", dir.filePath("named.csv")});
    QCOMPARE(ran.out, dir.filePath("named.csv") + ": 16 channels were exported to the CSV file.\n");
    QCOMPARE(ran.status, 0);
    QFile csv(dir.filePath("named.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll(), Channel_csv::Export(named));

    // Into a fresh image, the list gives back the file.
    ran = run_r7k({"import-csv", dir.filePath("named.csv"), "-o", dir.filePath("copy.chann")});
    QCOMPARE(ran.out, dir.filePath("named.csv") +
                          ": 16 channels were imported from the CSV file. Written to " +
                          dir.filePath("copy.chann") + ".\n");
    QVERIFY(loaded(dir.filePath("copy.chann")) == named);

    // With a base, only the listed channels change; every note names its line.
    const QString rough = dir.filePath("rough.csv");
    QFile list(rough);
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("Location,Name,Frequency,Mode\r\n2,NEW,470.5,NFM\r\n3,UHF,446.007,NFM\r\n");
    list.close();
    ran = run_r7k({"import-csv", rough, "-o", dir.filePath("merged.chann"), "--base", file});
    QCOMPARE(ran.out, rough +
                          ": Line 2 skipped: the receive frequency 470.500000 MHz is outside "
                          "the band of the selected model, 136 to 470 MHz.\n" +
                          rough +
                          ": Line 3: the receive frequency 446.007000 MHz was snapped to "
                          "the channel grid and stored as 446.006250 MHz.\n" +
                          rough +
                          ": Line 3: the transmit frequency 446.007000 MHz was snapped "
                          "to the channel grid and stored as 446.006250 MHz.\n" +
                          rough +
                          ": 1 channels were imported from the CSV file; 1 rows were "
                          "skipped. Written to " +
                          dir.filePath("merged.chann") + ".\n");
    Data_image merged = loaded(dir.filePath("merged.chann"));
    for (int row = 0; row < Channel_file::Rows; ++row)
        if (row != 3 && row != Name_row(3))
            QCOMPARE(bytes_of(merged, row), bytes_of(named, row));
    QCOMPARE(Channel_name(3, merged), QStringLiteral("UHF"));

    // The band is the model's.
    ran = run_r7k({"import-csv", rough, "-o", dir.filePath("uhf.chann"), "--model", "kl7m full"});
    QVERIFY2(ran.status == 0 && ran.out.contains("2 channels were imported"),
             qPrintable(shown(ran)));
}

void Test_cli::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // stderr, DIR standing for the test's folder

    QTest::newRow("no verb") << QStringList{} << 2 << "r7k: A verb is missing. See 'r7k --help'.";
    QTest::newRow("unknown verb") << QStringList{"fly"} << 2
                                  << "r7k: Unknown verb 'fly'. See 'r7k --help'.";
    QTest::newRow("unknown option") << QStringList{"read", "--fast"} << 2
                                    << "r7k: read: Unknown option 'fast'. See 'r7k read --help'.";
    QTest::newRow("no port") << QStringList{"read"} << 2
                             << "r7k: read: --port is missing. See 'r7k read --help'.";
    QTest::newRow("two ports to read")
        << QStringList{"read", "--port", "/dev/a", "--port", "/dev/b"} << 2
        << "r7k: read: A read takes one --port. See 'r7k read --help'.";
    QTest::newRow("COM9") << QStringList{"write", "--port", "COM9", "DIR/good.chann"} << 2
                          << "r7k: write: --port takes a device or COM1..COM8, not 'COM9'. See "
                             "'r7k write --help'.";
    QTest::newRow("port twice")
        << QStringList{"write", "--port", "/dev/a", "--port", "/dev/a", "DIR/good.chann"} << 2
        << "r7k: write: /dev/a is named twice; each radio needs its own port. See 'r7k write "
           "--help'.";
    QTest::newRow("no file to write") << QStringList{"write", "--port", "/dev/a"} << 2
                                      << "r7k: write: The FILE to write is missing. See 'r7k "
                                         "write --help'.";
    QTest::newRow("one file to diff") << QStringList{"diff", "a.chann"} << 2
                                      << "r7k: diff: Two files to compare are needed. See 'r7k "
                                         "diff --help'.";
    QTest::newRow("two files to show") << QStringList{"show", "a.chann", "b.chann"} << 2
                                       << "r7k: show: Unexpected argument 'b.chann'. See 'r7k "
                                          "show --help'.";
    QTest::newRow("missing file") << QStringList{"show", "DIR/none.chann"} << 3
                                  << "r7k: DIR/none.chann: The channel parameter file cannot be "
                                     "opened. (No such file or directory)";
    QTest::newRow("bad value") << QStringList{"diff", "DIR/good.chann", "DIR/bad.chann"} << 3
                               << "r7k: DIR/bad.chann: Line 2 of the channel parameter file "
                                  "holds the value 300, which is outside 0 to 255.";
    QTest::newRow("nothing to write")
        << QStringList{"write", "--port", "/dev/a", "DIR/empty.chann"} << 3
        << "r7k: DIR/empty.chann: no channel has a frequency; there is nothing a radio could use.";
    QTest::newRow("no output for the export")
        << QStringList{"export-csv", "DIR/good.chann"} << 2
        << "r7k: export-csv: -o OUT.csv is missing. See 'r7k export-csv --help'.";
    QTest::newRow("unknown model")
        << QStringList{"import-csv", "DIR/good.csv", "-o", "DIR/x.chann", "--model", "7"} << 2
        << "r7k: import-csv: --model takes 0..6 or a model's name, not '7'. See 'r7k "
           "import-csv --help'.";
    QTest::newRow("missing list")
        << QStringList{"import-csv", "DIR/none.csv", "-o", "DIR/x.chann"} << 3
        << "r7k: DIR/none.csv: The CSV file cannot be read. (No such file or directory)";
    QTest::newRow("list with nothing to import")
        << QStringList{"import-csv", "DIR/good.chann", "-o", "DIR/x.chann"} << 3
        << "r7k: DIR/good.chann: The first line of the CSV file names no Location column; this "
           "is not a channel list.";
    QTest::newRow("no such folder")
        << QStringList{"read", "--port", "/dev/a", "-o", "DIR/none/x.chann"} << 3
        << "r7k: DIR/none/x.chann: the folder does not exist.";
    QTest::newRow("no such port")
        << QStringList{"write", "--port", "/dev/r7k-no-such-port", "DIR/good.chann"} << 4
        << "r7k: /dev/r7k-no-such-port: cannot open the port: /dev/r7k-no-such-port does not "
           "exist. Is the programming cable plugged in? A USB cable gets its name (such as "
           "/dev/ttyUSB0) when it is plugged in.";
}

void Test_cli::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    QTemporaryDir dir;
    Reset_image();
    saved(dir.filePath("empty.chann"), chann);
    Load_default_image();
    saved(dir.filePath("good.chann"), chann);
    chann(1, 2) = 300; // a value no cell of the radio can hold
    saved(dir.filePath("bad.chann"), chann);

    for (QString &argument : arguments)
        argument.replace("DIR", dir.path());
    const Ran ran = run_r7k(arguments);
    QCOMPARE(ran.status, status);
    QCOMPARE(ran.err, message.replace("DIR", dir.path()) + "\n");
    QVERIFY2(!ran.out.contains("written") && !ran.out.contains("read into"), qPrintable(ran.out));
}

void Test_cli::help_and_version()
{
    Ran ran = run_r7k({"--version"});
    QCOMPARE(ran.status, 0);
    QCOMPARE(ran.out, QStringLiteral("r7k 1.4\n"));
    ran = run_r7k({"--help"});
    QVERIFY(ran.status == 0 && ran.out.startsWith("Usage: r7k VERB"));
    QVERIFY(ran.out.contains("  5  a radio holds other data than was written to it"));
    for (const QString verb : {"read", "write", "show", "diff", "export-csv", "import-csv"}) {
        ran = run_r7k({verb, "--help"});
        QVERIFY2(ran.status == 0 && ran.err.isEmpty() && ran.out.startsWith("Usage: r7k " + verb),
                 qPrintable(shown(ran)));
        QVERIFY(ran.out.contains("Exit status:"));
    }
}

QTEST_GUILESS_MAIN(Test_cli)
#include "test_cli.moc"
