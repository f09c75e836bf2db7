// What the command-line tool makes of its arguments and of an image, in
// process; the tool itself is tested as a process in test_cli.
#include "cli/exit_status.h"
#include "cli/image_words.h"
#include "cli/radio_port.h"
#include "core/image.h"
#include "core/tables.h"
#include "link/port_map.h"
#include "logic_start.h"

#include <QTest>

using namespace r7k;
using namespace r7k::cli;

class Test_cli_words : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Start_logic(); }
    void cleanup() { Port_map::Reset(); }

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

QTEST_GUILESS_MAIN(Test_cli_words)
#include "test_cli_words.moc"
