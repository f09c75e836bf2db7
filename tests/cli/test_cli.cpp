// r7k as a user runs it: as a process, against r7k-sim processes on
// pseudo-terminals, with real files.
#include "channels/channel_name.h"
#include "core/image.h"
#include "core/tables.h"
#include "csv/csv_export.h"
#include "files/channel_file.h"
#include "link/write_engine.h"
#include "logic_start.h"
#include "sim/radio.h"
#include "sim/sim_process.h"
#include "test_radios.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
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
    void initTestCase()
    {
        Start_logic();
        QVERIFY(qputenv("XDG_DATA_HOME", data.path().toLocal8Bit()));
    }
    void init()
    {
        Test_radios::use_row();
        QDir(backup_folder()).removeRecursively();
    }

    void read_shows_a_bar_on_a_terminal();
    void write_then_read_back_gives_the_file();
    void verify_names_the_block_the_radio_stored_wrong();
    void fleet_write_survives_a_radio_that_hangs_up();
    void a_signal_stops_every_radio_data();
    void a_signal_stops_every_radio();
    void a_radio_lost_before_its_read_back_is_not_verified();
    void verify_says_where_and_why_a_radio_failed();
    void show_and_diff_in_words();
    void csv_export_and_import();
    void refusals_data();
    void refusals();
    void help_and_version();

private:
    QString backup_folder() const { return data.filePath("r7k-cps/backups"); }
    QStringList backups() const { return QDir(backup_folder()).entryList(QDir::Files); }
    QTemporaryDir data;
};

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
    Ran ran = run_r7k({"write", "--port", link, "--no-backup", file});
    QVERIFY2(ran.status == 0 && ran.err.isEmpty(), qPrintable(shown(ran)));
    QVERIFY(ran.out.endsWith(link + ": written\n"));
    QVERIFY(ran.out.contains(link + ": writing 90%\n"));
    QVERIFY(backups().isEmpty());

    // A name without a folder is the file of that name here, when there is one.
    const QString here = "radio-here";
    QVERIFY(QFile::link(link, radios.dir.filePath(here)));
    ran = run_r7k({"read", "--port", here}, radios.dir.path());
    QVERIFY2(ran.status == 0 && ran.err.isEmpty(), qPrintable(shown(ran)));
    // Named by the date and time, in the current folder.
    const QStringList files = QDir(radios.dir.path()).entryList({"r7k-*.chann"});
    QCOMPARE(files.size(), 1);
    QVERIFY(QRegularExpression("^r7k-\\d{8}-\\d{6}\\.chann$").match(files[0]).hasMatch());
    QVERIFY(ran.out.endsWith(here + ": read into " + files[0] + "\n"));
    // Not on a terminal: a line for each tenth.
    for (int tenth = 0; tenth < 10; ++tenth)
        QVERIFY2(ran.out.contains(QStringLiteral("%1: reading %2%\n").arg(here).arg(tenth * 10)),
                 qPrintable(ran.out));

    const Data_image read = loaded(radios.dir.filePath(files[0]));
    for (int block : Write_engine::Blocks())
        QCOMPARE(bytes_of(read, block), bytes_of(image, block));
    Data_image start_up;
    Reset_image(start_up);
    for (int row : {0, 272, 273, 280}) // not on the radio: as the program starts
        QCOMPARE(bytes_of(read, row), bytes_of(start_up, row));
    // The same image in the backups of r7k-cps, named for a read.
    QCOMPARE(backups().size(), 1);
    QVERIFY(QRegularExpression("^r7k-\\d{8}-\\d{6}-\\d{3}-read\\.chann$")
                .match(backups()[0])
                .hasMatch());
    QCOMPARE(loaded(backup_folder() + '/' + backups()[0]), read);
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

    // Several radios at once: the good one passes, the summary names the others.
    ran = run_r7k({"write", "--port", good, "--port", bad, file, "--verify"});
    QCOMPARE(ran.status, 5);
    QCOMPARE(ran.err, "r7k: 1 of 2 radios did not come through: " + bad + " (other data)\n");
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
    QCOMPARE(ran.err, "r7k: 1 of 3 radios did not come through: " + lost + " (failed)\n");
    // One backup of what the three radios were sent.
    QCOMPARE(backups().size(), 1);
    QVERIFY(backups()[0].endsWith("-before-write.chann"));
    const Data_image sent = loaded(backup_folder() + '/' + backups()[0]);
    for (int block : Write_engine::Blocks())
        QCOMPARE(bytes_of(sent, block), bytes_of(image, block));
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

void Test_cli::a_signal_stops_every_radio_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("signal_number");
    QTest::newRow("read, SIGTERM") << "read" << 1 << SIGTERM;
    QTest::newRow("write, Ctrl-C") << "write" << 1 << SIGINT;
    QTest::newRow("fleet write, SIGHUP") << "write" << 2 << SIGHUP;
}

void Test_cli::a_signal_stops_every_radio()
{
    QFETCH(QString, verb);
    QFETCH(int, count);
    QFETCH(int, signal_number);
    Radios radios;
    const bool write = verb == "write";
    const Data_image image = named_channels();
    const QString output = radios.dir.filePath("out.chann");
    QStringList arguments{verb, write ? saved(radios.dir.filePath("in.chann"), image) : "-o",
                          output};
    if (write)
        arguments.removeLast();
    QStringList links;
    for (int k = 0; k < count; ++k)
        arguments << "--port" << links.emplace_back(radios.start(QString::number(k)));

    QProcess r7k;
    r7k.start(QStringLiteral(R7K_PATH), arguments);
    QString out;
    // The signal comes once every radio is a fifth through.
    QVERIFY(QTest::qWaitFor(
        [&] {
            r7k.waitForReadyRead(50);
            out += QString::fromUtf8(r7k.readAllStandardOutput());
            return std::all_of(links.cbegin(), links.cend(), [&](const QString &link) {
                return out.contains(link + (write ? ": writing 20%" : ": reading 20%"));
            });
        },
        Run_ms));
    QCOMPARE(::kill(pid_t(r7k.processId()), signal_number), 0);
    QVERIFY(r7k.waitForFinished(Run_ms));
    out += QString::fromUtf8(r7k.readAllStandardOutput());
    const QString err = QString::fromUtf8(r7k.readAllStandardError());
    QCOMPARE(r7k.exitStatus(), QProcess::NormalExit);
    QCOMPARE(r7k.exitCode(), 130);

    const QString how = write ? "interrupted while writing; the radio now holds a partly written "
                                "memory and must be written again"
                              : "interrupted while reading; nothing was saved";
    if (count == 1) {
        QCOMPARE(err, "r7k: " + links[0] + ": " + how + "\n");
    } else {
        QCOMPARE(err, "r7k: 2 of 2 radios did not come through: " + links.join(" (interrupted), ") +
                          " (interrupted)\n");
        for (const QString &link : links)
            QVERIFY2(out.contains(link + ": " + how + "\n"), qPrintable(out));
    }
    QVERIFY(!QFile::exists(output));
    if (!write)
        return;
    // Each radio was told the session is over, and holds the first blocks only.
    for (int k = 0; k < count; ++k) {
        QByteArray said;
        QTRY_VERIFY((said += radios.sims[k]->process().readAllStandardOutput())
                        .contains("r7k-sim: End received\n"));
        Radio radio;
        QVERIFY(radio.load(radios.memory_file(QString::number(k))).ok);
        QCOMPARE(bytes_of(radio, 1), bytes_of(image, 1));
        QVERIFY(bytes_of(radio, Name_row(120)) != bytes_of(image, Name_row(120)));
    }
}

void Test_cli::a_radio_lost_before_its_read_back_is_not_verified()
{
    Radios radios;
    const QString lost = radios.start("lost", {"--hang-up-at", "272"});
    const QString file = saved(radios.dir.filePath("lost.chann"), named_channels());
    const Ran ran = run_r7k({"write", "--port", lost, "--verify", file});
    QCOMPARE(ran.status, 6);
    QVERIFY2(ran.err.startsWith("r7k: " + lost +
                                ": written but not verified: verifying stopped "
                                "at 99 %: cannot open the port: " +
                                lost + " does not exist."),
             qPrintable(shown(ran)));
}

// r7k verify reads radios back; one that falls silent midway is named with the
// block, one of another model as such.
void Test_cli::verify_says_where_and_why_a_radio_failed()
{
    Radios radios;
    const QString stalled = radios.start("stalled", {"--stall-at", "40"});
    const QString other = radios.start("other", {"--wrong-identity"});
    const QString good = radios.start("good");
    const Radio radio = Test_radios::radio(); // the memory every simulated radio starts with
    Data_image image;
    Reset_image(image);
    for (int block : Write_engine::Blocks())
        for (int c = 0; c < 16; ++c)
            image(block, c) = qint16(radio.byte(block, c));
    const QString file = saved(radios.dir.filePath("memory.chann"), image);

    const Ran ran = run_r7k({"verify", "--port", stalled, "--port", other, "--port", good, file});
    QCOMPARE(ran.status, 4);
    QCOMPARE(ran.err, "r7k: 2 of 3 radios did not come through: " + stalled + " (failed), " +
                          other + " (failed)\n");
    QVERIFY2(ran.out.endsWith("Summary:\n" + stalled +
                              ": failed: the radio stopped answering at block 40 of 259\n" + other +
                              ": failed: the radio identifies as another model (ZRQ-5...), not "
                              "as an R7K (ZRQ-47)\n" +
                              good + ": verified: the radio holds the file\n"),
             qPrintable(shown(ran)));
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
    chann(Name_row(3), 0) = 0; // ESC for 车: a file may hold any code
    chann(Name_row(3), 1) = 0x1b;
    chann.fill(9, 9, 0, 15, 255); // channel 9 erased
    const Data_image b = chann;
    const QString path_a = saved(dir.filePath("a.chann"), a);
    const QString path_b = saved(dir.filePath("b.chann"), b);

    Ran ran = run_r7k({"diff", path_a, path_b});
    QCOMPARE(ran.err, QString());
    QCOMPARE(ran.status, 1);
    QCOMPARE(ran.out,
             QStringLiteral("Channel 2: Wide/Narrow: Wide -> Narrow\n"
                            "Channel 3: Name: \"车队 A\" -> \"\\x1b队 B\"\n"
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
    QVERIFY(ran.out.contains("Wide         \\x1b队 B\n") && !ran.out.contains('\x1b'));
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
                          ": 16 channels were imported from the CSV file (read as UTF-8). "
                          "Written to " +
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
                          "the band of the selected model, from 136 MHz up to, but not "
                          "including, 470 MHz.\n" +
                          rough +
                          ": Line 3: the receive frequency 446.007000 MHz was snapped to "
                          "the channel grid and stored as 446.006250 MHz.\n" +
                          rough +
                          ": Line 3: the transmit frequency 446.007000 MHz was snapped "
                          "to the channel grid and stored as 446.006250 MHz.\n" +
                          rough +
                          ": 1 channel was imported from the CSV file (read as UTF-8); 1 row "
                          "was skipped. 1 channel kept its VOX and the settings a CSV file "
                          "does not carry. No Power column: every channel set to High. "
                          "Written to " +
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

    // A list for spreadsheets begins with a byte-order mark. Names that read
    // as UTF-8 and as GBK are taken as UTF-8 unless told, and the choice is
    // named.
    ran = run_r7k({"export-csv", file, "-o", dir.filePath("bom.csv"), "--bom"});
    QFile bom(dir.filePath("bom.csv"));
    QVERIFY(ran.status == 0 && bom.open(QIODevice::ReadOnly));
    QCOMPARE(bom.readAll(), "\xEF\xBB\xBF" + Channel_csv::Export(named));
    QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
    list.write("Location,Name,Frequency\r\n1,Caf\xC3\xA9,446\r\n");
    list.close();
    ran = run_r7k({"import-csv", rough, "-o", dir.filePath("cafe.chann")});
    QVERIFY2(ran.out.startsWith(rough + ": the names read as UTF-8 (Café) could also be GBK "
                                        "(Caf茅); --encoding gbk reads them so.\n"),
             qPrintable(shown(ran)));
    QCOMPARE(Channel_name(1, loaded(dir.filePath("cafe.chann"))), QStringLiteral("Café"));
    ran = run_r7k({"import-csv", rough, "-o", dir.filePath("cafe.chann"), "--encoding", "GBK"});
    QVERIFY2(ran.out.contains("(read as GBK)"), qPrintable(shown(ran)));
    QCOMPARE(Channel_name(1, loaded(dir.filePath("cafe.chann"))), QStringLiteral("Caf茅"));
}

void Test_cli::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // stderr, DIR standing for the test's folder

    QTest::newRow("unknown encoding")
        << QStringList{"import-csv", "DIR/good.csv", "-o", "DIR/x.chann", "--encoding", "latin"}
        << 2
        << "r7k: import-csv: --encoding takes utf-8, gbk, windows-1252 or auto, not 'latin'. "
           "See 'r7k import-csv --help'.";
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
                               << "r7k: DIR/bad.chann: Line 2 of bad.chann holds the value "
                                  "300, which is outside 0 to 255.";
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
    QTest::newRow("export over its input")
        << QStringList{"export-csv", "DIR/good.chann", "-o", "DIR/good.chann"} << 2
        << "r7k: export-csv: DIR/good.chann: this is the input file; the output must go to "
           "another file. See 'r7k export-csv --help'.";
    QTest::newRow("import over its input")
        << QStringList{"import-csv", "DIR/good.csv", "-o", "DIR/good.csv"} << 2
        << "r7k: import-csv: DIR/good.csv: this is the input file; the output must go to another "
           "file. See 'r7k import-csv --help'.";
    QTest::newRow("two outputs")
        << QStringList{"import-csv", "DIR/good.csv", "-o", "DIR/a.chann", "--output", "DIR/b.chann"}
        << 2 << "r7k: import-csv: -o is given more than once. See 'r7k import-csv --help'.";
    QTest::newRow("no file name") << QStringList{"show", ""} << 2
                                  << "r7k: show: A file name is empty. See 'r7k show --help'.";
    QTest::newRow("a CSV list to write")
        << QStringList{"write", "--port", "/dev/a", "DIR/good.csv"} << 3
        << "r7k: DIR/good.csv: this is a CSV channel list, not a channel file; make one of it "
           "with 'r7k import-csv'.";
    QTest::newRow("a program to write")
        << QStringList{"write", "--port", "/dev/a", "DIR/binary.chann"} << 3
        << "r7k: DIR/binary.chann: Line 1 of binary.chann holds \"?ELF?????\", "
           "which is not a number.";
    QTest::newRow("read into a folder")
        << QStringList{"read", "--port", "/dev/a", "-o", "DIR"} << 3
        << "r7k: DIR: it is not a regular file but a device, a pipe or a folder.";
    QTest::newRow("a relative name is a device")
        << QStringList{"read", "--port", "r7k-no-such-port", "-o", "DIR/x.chann"} << 4
        << "r7k: r7k-no-such-port: cannot open the port: /dev/r7k-no-such-port does not exist. Is "
           "the programming cable plugged in? A USB cable gets its name (such as /dev/ttyUSB0) "
           "when it is plugged in.";
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
    QFile csv(dir.filePath("good.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("Location,Name,Frequency\r\n1,A,446.00625\r\n");
    csv.close();
    QFile binary(dir.filePath("binary.chann"));
    QVERIFY(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("\x7f"
                            "ELF\x02\x01\x01\0\0 rest",
                            14));
    binary.close();

    for (QString &argument : arguments)
        argument.replace("DIR", dir.path());
    const Ran ran = run_r7k(arguments);
    QCOMPARE(ran.status, status);
    QCOMPARE(ran.err, message.replace("DIR", dir.path()) + "\n");
    // No progress for a port that never opened.
    QVERIFY2(!ran.out.contains('%') && !ran.out.contains("written") &&
                 !ran.out.contains("read into"),
             qPrintable(ran.out));
}

void Test_cli::help_and_version()
{
    Ran ran = run_r7k({"--version"});
    QCOMPARE(ran.status, 0);
    QCOMPARE(ran.out, QStringLiteral("r7k 1.4\n"));
    ran = run_r7k({"--help"});
    QVERIFY(ran.status == 0 && ran.out.startsWith("Usage: r7k VERB"));
    QVERIFY(ran.out.contains("  5  a radio holds other data than was written to it"));
    for (const QString verb :
         {"read", "write", "verify", "show", "diff", "export-csv", "import-csv"}) {
        ran = run_r7k({verb, "--help"});
        QVERIFY2(ran.status == 0 && ran.err.isEmpty() && ran.out.startsWith("Usage: r7k " + verb),
                 qPrintable(shown(ran)));
        QVERIFY(ran.out.contains("Exit status:"));
    }
}

QTEST_GUILESS_MAIN(Test_cli)
#include "test_cli.moc"
