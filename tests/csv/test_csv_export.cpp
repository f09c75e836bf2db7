// Channel lists as CSV written from images of the test's own: each channel
// kind's line, round trips through the import, what older readers see, and
// the files an export writes or refuses.
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

    void each_channel_kind_round_trips_data()
    {
        QTest::addColumn<int>("kind");
        for (int i = 0; i < int(std::size(Kinds)); ++i)
            QTest::newRow(Kinds[i].line) << i;
    }
    void each_channel_kind_round_trips()
    {
        QFETCH(int, kind);
        Data_image typed = fresh_image();
        type_into(typed, Kinds[kind]);
        const QByteArray csv = Channel_csv::Export(typed);
        QCOMPARE(csv, Header + "\r\n" + Kinds[kind].line + "\r\n");

        Data_image imported = fresh_image();
        const Channel_csv::Report report = import_into(imported, csv);
        QCOMPARE(english(report.notes), QStringList());
        QCOMPARE(std::tuple(report.imported, report.channels, report.skipped),
                 std::tuple(true, 1, 0));
        QVERIFY(imported == typed);
    }

    void a_whole_list_round_trips_and_replaces_every_channel()
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
        Store_channel_name(20, "GONE");
        Data_image imported = chann;
        const Channel_csv::Report report = import_into(imported, csv);
        QCOMPARE(report.channels, int(std::size(Kinds)));
        QVERIFY(imported == typed);
    }

    // Versions of the other program before 2023 take the first line as the
    // heading as it stands and ignore the columns they do not know: without
    // those, the default export still gives every channel that has no cross
    // tone, at high power.
    void older_versions_read_the_default_export()
    {
        Data_image typed = fresh_image();
        for (const Typed &kind : Kinds)
            if (!QByteArray(kind.line).contains('"')) // fields split at every comma below
                type_into(typed, kind);
        const QByteArray csv = Channel_csv::Export(typed);
        QVERIFY(csv.startsWith("Location,Name,Frequency,"));
        const QStringList heading = QString::fromUtf8(csv.left(csv.indexOf('\r'))).split(u',');
        QByteArray older;
        for (const QByteArray &line : csv.split('\n')) {
            QStringList fields = QString::fromUtf8(line).split(u',');
            for (const char *newer : {"Power", "CrossMode", "RxDtcsCode"}) // last first
                if (fields.size() == heading.size())
                    fields.removeAt(heading.indexOf(newer));
            older += fields.join(u',').toUtf8() + '\n';
        }
        Data_image read = fresh_image();
        QVERIFY(import_into(read, older).imported);
        for (const Typed &kind : Kinds) {
            const int n = kind.channel;
            if (QByteArray(kind.line).contains(",Cross,") || Channel_is_empty(n, typed))
                continue;
            Store_choice(n, Power_column, 1, typed);
            for (int column = 0; column < 16; ++column)
                QCOMPARE(read(n, column), typed(n, column));
            QCOMPARE(Channel_name(n, read), Channel_name(n, typed));
        }
    }

    void what_the_export_warns_of_and_refuses()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("list.csv");
        Data_image image = fresh_image();
        Channel_file::Outcome written = Channel_csv::Export_file(image, path, 0);
        QVERIFY(!written.ok && !QFile::exists(path));
        QCOMPARE(written.message.english,
                 QStringLiteral("No channel is programmed; no CSV file was exported."));

        type_into(image, Kinds[0]);
        type_into(image, Kinds[13]);
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
    }

    void files_on_disk()
    {
        QTemporaryDir folder;
        Data_image typed = fresh_image();
        type_into(typed, Kinds[17]);
        const QString path = folder.filePath("list.csv");
        Channel_file::Outcome written = Channel_csv::Export_file(typed, path, 0);
        QVERIFY(written.ok);
        QCOMPARE(written.message.english,
                 QStringLiteral("1 channel was exported to the CSV file."));

        // Files that cannot be read, or cannot be lists, change nothing.
        Data_image imported = typed;
        const Data_image before = imported;
        write_file(folder.filePath("big.csv"), QByteArray((1 << 20) + 1, ' '));
        const std::pair<QString, QString> unreadable[] = {
            {"missing.csv", missing_file_reason(folder.filePath("missing.csv"))},
            {".", "It is not a regular file but a device, a pipe or a folder."},
            {"big.csv", "It is larger than 1 MB, far larger than any file this program reads."},
        };
        for (const auto &[file, details] : unreadable) {
            const Channel_csv::Report report = Channel_csv::Import_file(
                imported, folder.filePath(file), Channel_csv::Scope::All_channels, 0);
            QCOMPARE(report.failure.english, QStringLiteral("The CSV file cannot be read."));
            QCOMPARE(report.details.english, details);
            QVERIFY(imported == before);
        }
        written = Channel_csv::Export_file(typed, folder.filePath("no/such/folder/list.csv"), 0);
        QCOMPARE(written.message.english, QStringLiteral("The CSV file cannot be saved."));
        QVERIFY(!written.ok && !written.details.english.isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_csv_export)
#include "test_csv_export.moc"
