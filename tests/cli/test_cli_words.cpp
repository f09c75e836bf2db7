// What the command-line tool makes of its arguments and of an image, in
// process; the tool itself is tested as a process in test_cli.
#include "channels/channel_name.h"
#include "cli/exit_status.h"
#include "cli/image_file.h"
#include "cli/image_words.h"
#include "cli/radio_port.h"
#include "cli/verbs.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "disk_conditions.h"
#include "link/port_map.h"
#include "logic_start.h"
#include "pattern_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;
using namespace r7k::cli;

class Test_cli_words : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Start_logic(); }
    void cleanup() { Port_map::Reset(); }

    void radio_ports_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("devices"); // empty when refused
        QTest::addColumn<int>("status");
        QTest::newRow("paths") << QStringList{"/dev/ttyUSB0", "/tmp/radio"}
                               << QStringList{"/dev/ttyUSB0", "/tmp/radio"} << 0;
        QTest::newRow("mapped COM port")
            << QStringList{"COM2", "com3"} << QStringList{"/dev/r7k-two", "/dev/r7k-three"} << 0;
        QTest::newRow("a port and its device")
            << QStringList{"com2", "/dev/r7k-two"} << QStringList{} << int(Exit_usage);
        QTest::newRow("COM0") << QStringList{"COM0"} << QStringList{} << int(Exit_usage);
        QTest::newRow("COM12") << QStringList{"COM12"} << QStringList{} << int(Exit_usage);
        QTest::newRow("empty") << QStringList{""} << QStringList{} << int(Exit_usage);
        // As the serial port would take it, unless such a file is here.
        QTest::newRow("no folder")
            << QStringList{"r7k-no-such-tty"} << QStringList{"/dev/r7k-no-such-tty"} << 0;
    }
    void radio_ports()
    {
        QFETCH(QStringList, values);
        QFETCH(QStringList, devices);
        QFETCH(int, status);
        Port_map::Set_mapping(2, "/dev/r7k-two");
        Port_map::Set_mapping(3, "/dev/r7k-three");
        int refused = 0;
        QString error;
        const QList<Radio_port> ports = Radio_ports(values, refused, error);
        QStringList found;
        for (const Radio_port &port : ports)
            found.append(port.device);
        QCOMPARE(found, devices);
        QCOMPARE(error.isEmpty(), devices.size() > 0);
        if (!devices.isEmpty())
            QCOMPARE(ports.last().name, values.last());
        else
            QCOMPARE(refused, status);
    }

    // An import whose file does not fit, in a folder that takes no new file:
    // the file it was to replace stays whole.
    void a_full_volume_keeps_the_old_file()
    {
        QTemporaryDir dir;
        const QString small = dir.filePath("small");
        QVERIFY(QDir().mkpath(small));
        Small_volume volume(small, 12);
        if (!volume.ready)
            QSKIP(qPrintable("no small volume can be mounted here: " + volume.why_not));
        write_file(dir.filePath("list.csv"), "Location,Frequency\r\n1,446.00625\r\n");
        QCOMPARE(Run_import_csv({dir.filePath("list.csv"), "-o", dir.filePath("fits.chann")}),
                 int(Exit_ok));
        const QByteArray old = "old contents\r\n";
        write_file(small + "/old.chann", old);
        QVERIFY(QFile::setPermissions(small, QFile::ReadOwner | QFile::ExeOwner));
        int status = -1;
        {
            Permission_bits_apply as_any_user;
            status = Run_import_csv({dir.filePath("list.csv"), "-o", small + "/old.chann"});
        }
        QCOMPARE(status, int(Exit_file));
        QCOMPARE(read_file(small + "/old.chann"), old);
    }

    void settings_in_words()
    {
        Data_image image;
        Reset_image(image);
        image(Power_row, 0) = 40;
        image(Settings_row, 3) = 7; // channel mode, scan and battery save on
        image(Vfo_row, 9) = 60;     // encode D053 inverted
        image(Vfo_row, 12) = 2;
        QStringList lines;
        for (const Image_field &field : Setting_fields(image))
            lines.append(QStringLiteral("%1 %2: %3 = %4")
                             .arg(field.block)
                             .arg(field.section, field.name, field.value));
        QCOMPARE(lines, (QStringList{
                            "140 Optional features: Squelch level = 5",
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
                            "240 Power levels: High = 0",
                        }));
    }

    // The table's own texts, trimmed; empty channels are left out, whatever
    // stray bytes they hold, and a channel without a TX frequency shows no TX
    // columns.
    void channels_in_words()
    {
        Data_image image;
        Reset_image(image);
        Load_default_image(image);
        image(2, 0) = 255;
        image(97, 4) = 255; // stray bytes behind an erased RX frequency
        image(97, 9) = 12;
        const QList<QStringList> rows = Channel_table_rows(image);
        QCOMPARE(rows.size(), 1 + 16);
        QCOMPARE(rows[0],
                 (QStringList{"Channel", "RX Frequency", "TX Frequency", "CTCSS/DCS Dec",
                              "CTCSS/DCS Enc", "TX-Power", "VOX-Level", "Wide/Narrow", "Name"}));
        QCOMPARE(rows[2],
                 (QStringList{"2", "456.85000", "", "88.5", "", "High", "Off", "Wide", ""}));
        QCOMPARE(rows[6][3] + rows[6][4], QStringLiteral("D036ID036I"));
        QCOMPARE(image(97, 9), qint16(12)); // left as it is

        const QList<Image_field> fields = Channel_fields(image);
        QCOMPARE(fields.size(), 16 * 8);
        QCOMPARE(fields[7].block, Name_row(1));
        QCOMPARE(fields[7].section + ": " + fields[7].name, QStringLiteral("Channel 1: Name"));
    }

    // Show and diff describe their files side by side with the program's
    // image, which holds a third set of channels and keeps it.
    void files_are_described_without_the_programs_image()
    {
        QTemporaryDir dir;
        Data_image a, b;
        Reset_image(a);
        Reset_image(b);
        Load_default_image(b);
        const QString path_a = dir.filePath("a.chann"), path_b = dir.filePath("b.chann");
        QVERIFY(Save_image(path_a, a) == std::nullopt && Save_image(path_b, b) == std::nullopt);
        Reset_image();
        QVERIFY(!Store_channel_name(5, QStringLiteral("THIRD")));
        const Data_image third = chann;
        QCOMPARE(Run_diff({path_a, path_b}), int(Exit_differ));
        QCOMPARE(Run_diff({path_b, path_b}), int(Exit_ok));
        QCOMPARE(Run_show({path_a}), int(Exit_ok));
        QVERIFY(chann == third);
        QCOMPARE(Channel_table_rows(b).size(), 1 + 16);
        QCOMPARE(Channel_fields(a).size(), 0);
    }
};

QTEST_GUILESS_MAIN(Test_cli_words)
#include "test_cli_words.moc"
