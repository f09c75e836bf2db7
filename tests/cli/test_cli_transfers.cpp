// r7k's reads, writes and verifications as a user runs them: as processes,
// against r7k-sim processes on pseudo-terminals, in real time. The runs start
// together in initTestCase(), each against radios of its own and with a data
// folder of its own for its backups; each test function waits for its own
// run and checks it, so the whole takes about as long as the slowest run.
#include "cli_rig.h"
#include "image_rows.h"
#include "logic_start.h"
#include "test_radios.h"

#include <QDir>
#include <QRegularExpression>
#include <csignal>
#include <map>

using namespace r7k;

class Test_cli_transfers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Start_logic();
        image = Named_channels();
        image.fill(50, 50, 0, 15, 0x42); // a block unlike every radio's memory
        file = Saved(radios.dir.filePath("fleet.chann"), image);
        const QStringList plain = Test_radios::All()[0].second;
        const std::pair<const char *, QStringList> radio_options[] = {
            {"plain", plain},
            {"other", Test_radios::All()[1].second},
            {"bad", plain + QStringList{"--corrupt-at", "148"}},
            {"lost", plain + QStringList{"--hang-up-at", "100"}},
            {"one", plain},
            {"bad-one", plain + QStringList{"--corrupt-at", "148"}},
            {"lost-one", plain + QStringList{"--hang-up-at", "272"}},
            {"another-model", plain + QStringList{"--wrong-identity"}}};
        for (const auto &[name, options] : radio_options)
            links[name] = radios.start(name, options);

        // Radios of both kinds at once, one storing a block wrong, one hanging up.
        start("fleet", {"write", "--verify", "--port", links["plain"], "--port", links["other"],
                        "--port", links["bad"], "--port", links["lost"], file});
        start("written", {"write", "--no-backup", "--port", links["one"], file});
        start("other data", {"write", "--verify", "--no-backup", "--port", links["bad-one"], file});
        start("not verified",
              {"write", "--verify", "--no-backup", "--port", links["lost-one"], file});
    }

    void a_signal_stops_every_radio_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("signal_number");
        QTest::newRow("read, SIGTERM") << "read" << 1 << SIGTERM;
        QTest::newRow("write, Ctrl-C") << "write" << 1 << SIGINT;
        QTest::newRow("fleet write, SIGHUP") << "write" << 2 << SIGHUP;
    }

    void a_signal_stops_every_radio()
    {
        QFETCH(QString, verb);
        QFETCH(int, count);
        QFETCH(int, signal_number);
        Radios own;
        const bool write = verb == "write";
        const QString output = own.dir.filePath("out.chann");
        QStringList arguments{verb};
        arguments << (write ? QStringList{Saved(own.dir.filePath("in.chann"), image)}
                            : QStringList{"-o", output});
        QStringList ports;
        for (int k = 0; k < count; ++k)
            arguments << "--port" << ports.emplace_back(own.start(verb + QString::number(k)));

        QProcess r7k;
        r7k.start(QStringLiteral(R7K_PATH), arguments);
        // The signal comes once every radio is a fifth through.
        QString out;
        QVERIFY(QTest::qWaitFor(
            [&] {
                out += QString::fromUtf8(r7k.readAllStandardOutput());
                return std::all_of(ports.cbegin(), ports.cend(), [&](const QString &port) {
                    return out.contains(port + (write ? ": writing 20%" : ": reading 20%"));
                });
            },
            60'000));
        QCOMPARE(::kill(pid_t(r7k.processId()), signal_number), 0);
        Ran ran = Finished(r7k);
        ran.out.prepend(out);
        QCOMPARE(ran.status, 130);

        const QString how = write ? "interrupted while writing; the radio now holds a partly "
                                    "written memory and must be written again"
                                  : "interrupted while reading; nothing was saved";
        if (count == 1) {
            QCOMPARE(ran.err, "r7k: " + ports[0] + ": " + how + "\n");
        } else {
            QCOMPARE(ran.err, "r7k: 2 of 2 radios did not come through: " +
                                  ports.join(" (interrupted), ") + " (interrupted)\n");
            for (const QString &port : ports)
                QVERIFY2(ran.out.contains(port + ": " + how + "\n"), qPrintable(ran.shown()));
        }
        QVERIFY(!QFile::exists(output));
        // Each radio written was told the session is over.
        for (int k = 0; write && k < count; ++k) {
            QByteArray said;
            QTRY_VERIFY((said += own.sims[k]->process().readAllStandardOutput())
                            .contains("r7k-sim: End received\n"));
        }
    }

    void a_fleet_write_verifies_each_radio()
    {
        const Ran ran = Finished(*runs["fleet"]);
        const QString plain = links["plain"], other = links["other"], bad = links["bad"],
                      lost = links["lost"];
        QCOMPARE(ran.status, 4);
        QCOMPARE(ran.err, "r7k: 2 of 4 radios did not come through: " + bad + " (other data), " +
                              lost + " (failed)\n");
        // Not on a terminal: a line for each tenth.
        for (int tenth = 0; tenth < 10; ++tenth)
            QVERIFY2(
                ran.out.contains(QStringLiteral("%1: writing %2%\n").arg(plain).arg(tenth * 10)),
                qPrintable(ran.out));
        const QStringList summary = ran.out.mid(ran.out.indexOf("Summary:\n")).split('\n');
        QCOMPARE(summary.mid(0, 5),
                 (QStringList{"Summary:", plain + ": written and verified",
                              other + ": written and verified",
                              bad + ": written, but the radio holds other data in 1 block(s)",
                              "  block 148 (the name of channel 5)"}));
        QVERIFY2(summary.value(5).startsWith(lost + ": failed: writing stopped at "),
                 qPrintable(ran.shown()));
        QCOMPARE(summary.size(), 7);

        // One backup of what the radios were sent.
        QCOMPARE(backups("fleet").size(), 1);
        QVERIFY(backups("fleet")[0].fileName().endsWith("-before-write.chann"));
        const Data_image sent = Loaded(backups("fleet")[0].filePath());
        QVERIFY(Same_blocks(Transfer_blocks(271), sent, image));
    }

    // The two radios of the fleet that came through, read back at the same time:
    // one with its bar on a terminal, one by a name in the current folder into
    // a file named by the date and time, with a backup.
    void reads_give_back_what_was_written()
    {
        Finished(*runs["fleet"]); // the fleet has written the radios
        const QString plain = links["plain"];
        Pty terminal;
        QProcess on_terminal;
        on_terminal.setStandardOutputFile(terminal.path);
        on_terminal.start(QStringLiteral(R7K_PATH),
                          {"read", "--port", plain, "-o", radios.dir.filePath("terminal.chann")});
        // A name without a folder is the file of that name here, when there is one.
        QVERIFY(QFile::link(links["other"], radios.dir.filePath("radio-here")));
        start("here", {"read", "--port", "radio-here"});

        QCOMPARE(Finished(on_terminal).status, 0);
        // One line, redrawn in place: up a line, clear it, the bar.
        const QByteArray &screen = terminal.received();
        const QRegularExpression redrawn("\x1b\\[1A\r\x1b\\[2K" +
                                         QRegularExpression::escape(plain) +
                                         "  \\[#{14}\\.{16}\\]  47% reading\r\n");
        QVERIFY2(redrawn.match(QString::fromUtf8(screen)).hasMatch(),
                 screen.right(300).constData());
        QVERIFY(screen.contains("\r\x1b[2K" + plain.toUtf8() + "  read"));

        const Ran ran = Finished(*runs["here"]);
        QVERIFY2(ran.status == 0 && ran.err.isEmpty(), qPrintable(ran.shown()));
        const QStringList files = QDir(radios.dir.path()).entryList({"r7k-*.chann"});
        QCOMPARE(files.size(), 1);
        QVERIFY(QRegularExpression("^r7k-\\d{8}-\\d{6}\\.chann$").match(files[0]).hasMatch());
        QVERIFY(ran.out.endsWith("radio-here: read into " + files[0] + "\n"));

        Data_image start_up;
        Reset_image(start_up);
        for (const QString &name :
             {radios.dir.filePath(files[0]), radios.dir.filePath("terminal.chann")}) {
            const Data_image read = Loaded(name);
            QVERIFY2(Same_blocks(Transfer_blocks(271), read, image), qPrintable(name));
            // Not on the radio: as the program starts.
            QVERIFY2(Same_blocks({0, 272, 273, 280}, read, start_up), qPrintable(name));
        }
        // The same image in the backups of r7k-cps, named for a read.
        QCOMPARE(backups("here").size(), 1);
        QVERIFY(backups("here")[0].fileName().endsWith("-read.chann"));
        QCOMPARE(Loaded(backups("here")[0].filePath()), Loaded(radios.dir.filePath(files[0])));
        QCOMPARE(Loaded(file), image); // the file written is left as it was
    }

    void one_radio_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err"); // how stderr begins, RADIO standing for the radio's port
        QTest::newRow("written") << "one" << 0 << QString();
        QTest::newRow("other data") << "bad-one" << 5
                                    << "r7k: RADIO: the radio holds other data than written in "
                                       "block 148 (the name of channel 5)\n";
        QTest::newRow("not verified") << "lost-one" << 6
                                      << "r7k: RADIO: written but not verified: verifying stopped "
                                         "at 99 %: cannot open the port: RADIO does not exist.";
    }

    void one_radio()
    {
        QFETCH(QString, radio);
        QFETCH(int, status);
        QFETCH(QString, err);
        const Ran ran = Finished(*runs[QTest::currentDataTag()]);
        QCOMPARE(ran.status, status);
        QVERIFY2(ran.err.startsWith(err.replace("RADIO", links[radio])), qPrintable(ran.shown()));
        QVERIFY(backups(QTest::currentDataTag()).isEmpty()); // each with --no-backup
        if (status == 0)
            QVERIFY2(ran.err.isEmpty() && ran.out.endsWith(links[radio] + ": written\n"),
                     qPrintable(ran.shown()));
    }

    // r7k verify reads radios back: one the fleet wrote, and one of another
    // model, which is named as such.
    void verify_says_why_a_radio_failed()
    {
        Finished(*runs["fleet"]);
        start("verify",
              {"verify", "--port", links["another-model"], "--port", links["plain"], file});
        const Ran ran = Finished(*runs["verify"]);
        QCOMPARE(ran.status, 4);
        QVERIFY2(ran.out.endsWith("Summary:\n" + links["another-model"] +
                                  ": failed: the radio identifies as another model (ZRQ-5...), not "
                                  "as an R7K (ZRQ-47)\n" +
                                  links["plain"] + ": verified: the radio holds the file\n"),
                 qPrintable(ran.shown()));
    }

private:
    // Starts r7k with `arguments` as the run `name`.
    void start(const QString &name, const QStringList &arguments)
    {
        auto &process = runs[name] = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", radios.dir.filePath(name + "-data"));
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(radios.dir.path());
        process->start(QStringLiteral(R7K_PATH), arguments);
    }
    QFileInfoList backups(const QString &run) const
    {
        return QDir(radios.dir.filePath(run + "-data/r7k-cps/backups")).entryInfoList(QDir::Files);
    }

    Radios radios;
    std::map<QString, QString> links; // of the radios, by name
    std::map<QString, std::unique_ptr<QProcess>> runs;
    Data_image image; // what the writes send
    QString file;     // the image as a channel file
};

QTEST_GUILESS_MAIN(Test_cli_transfers)
#include "test_cli_transfers.moc"
