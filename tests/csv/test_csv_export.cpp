// Channel lists as CSV written from images of the test's own: each channel
// kind's line, a round trip through the import, and the files an export
// writes, warns of or refuses.
#include "csv/csv_export.h"
#include "csv_lists.h"
#include "logic_start.h"
#include "pattern_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace r7k;
using namespace csv_lists;

class Test_csv_export : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Start_logic(); }

    void a_whole_list_round_trips_and_what_an_export_warns_of()
    {
        Data_image typed = fresh_image();
        QByteArray lines = Header + "\r\n";
        for (const Typed &kind : Kinds) {
            type_into(typed, kind);
            lines += QByteArray(kind.line) + "\r\n";
        }
        const QByteArray csv = Channel_csv::Export(typed);
        QCOMPARE(csv, lines);

        // Importing into a full image leaves only the listed channels.
        Reset_image();
        Load_default_image();
        Store_channel_name(50, "GONE");
        Data_image imported = chann;
        imported(2, 15) = typed(2, 15) = 0x5A; // attribute bytes, which a list does not carry
        const Channel_csv::Report report = import_into(imported, csv);
        QCOMPARE(english(report.notes), QStringList());
        QCOMPARE(report.channels, int(std::size(Kinds)));
        QVERIFY(imported == typed);

        // What an export warns of and refuses.
        QTemporaryDir folder;
        const QString path = folder.filePath("list.csv");
        Data_image image = fresh_image();
        image(9, 0) = 0x45; // a TX byte left behind an erased RX: still no channel
        Channel_file::Outcome written = Channel_csv::Export_file(image, path, 0);
        QVERIFY(!written.ok && !QFile::exists(path));
        QCOMPARE(written.message.english,
                 QStringLiteral("No channel is programmed; no CSV file was exported."));

        type_into(image, Kinds[12]);
        written = Channel_csv::Export_file(image, path, 0);
        QCOMPARE(written.message.english,
                 QStringLiteral("1 channel was exported to the CSV file."));
        type_into(image, Kinds[0]);
        image(Name_row(14), 1) = 0x07; // a control character stored by an older file
        written = Channel_csv::Export_file(image, path, 1, Channel_csv::Form::Spreadsheet);
        QVERIFY(written.ok);
        QCOMPARE(written.message.english,
                 QStringLiteral("2 channels were exported to the CSV file. 2 of them will not "
                                "come back on import into this model; see the details."));
        QCOMPARE(written.details.english,
                 QStringLiteral("Channel 1: the receive frequency 446.006250 MHz is outside the "
                                "band of the selected model, from 136 MHz up to, but not "
                                "including, 174 MHz; it will not come back on import into this "
                                "model.\nChannel 14: its name holds a character that other "
                                "programs cannot read; it will not come back on import into "
                                "this model."));
        QCOMPARE(read_file(path), "\xEF\xBB\xBF" + Channel_csv::Export(image));
        written = Channel_csv::Export_file(image, folder.filePath("no/such/folder/list.csv"), 0);
        QCOMPARE(written.message.english, QStringLiteral("The CSV file cannot be saved."));
        QVERIFY(!written.ok && !written.details.english.isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_csv_export)
#include "test_csv_export.moc"
