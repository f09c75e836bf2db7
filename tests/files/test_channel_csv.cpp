// Channel lists as CSV: the text form, the columns, and export and import
// through the channel record, on images of the test's own.
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "files/channel_csv.h"
#include "files/csv_text.h"
#include "pattern_files.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;

namespace {

const QByteArray Header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                          "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                          "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// A channel as a user types it into the table; an empty TX makes it receive
// only, tones are list texts.
struct Typed {
    int channel;
    const char *name;
    const char *rx;
    const char *tx;
    const char *decode;
    const char *encode;
    bool high;
    bool wide;
    const char *line; // its line in an exported list
};

const Typed Kinds[] = {
    {1, "CH1", "446.00625", "446.00625", "OFF", "OFF", true, true,
     "1,CH1,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {2, "TONE", "145.5", "145.5", "OFF", "67.0", false, false,
     "2,TONE,145.500000,,0.000000,Tone,67.0,88.5,023,NN,023,Tone->Tone,NFM,5.00,,1.0W,,,,,"},
    {3, "TSQL", "438.5", "438.5", "250.3", "250.3", true, false,
     "3,TSQL,438.500000,,0.000000,TSQL,250.3,250.3,023,NN,023,Tone->Tone,NFM,5.00,,5.0W,,,,,"},
    {4, "DCS", "438.5", "438.5", "D023N", "D023N", false, true,
     "4,DCS,438.500000,,0.000000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,1.0W,,,,,"},
    {5, "DCS RR", "450.1", "450.1", "D754I", "D754I", true, true,
     "5,DCS RR,450.100000,,0.000000,DTCS,88.5,88.5,754,RR,754,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {6, "DCS NR", "450.1", "450.1", "D023I", "D023N", true, true,
     "6,DCS NR,450.100000,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {7, "T-T", "450.1", "450.1", "71.9", "67.0", true, true,
     "7,T-T,450.100000,,0.000000,Cross,67.0,71.9,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {8, "T-D", "450.1", "450.1", "D155I", "100.0", true, true,
     "8,T-D,450.100000,,0.000000,Cross,100.0,88.5,023,NR,155,Tone->DTCS,FM,5.00,,5.0W,,,,,"},
    {9, "D-T", "450.1", "450.1", "88.5", "D432I", true, true,
     "9,D-T,450.100000,,0.000000,Cross,88.5,88.5,432,RN,023,DTCS->Tone,FM,5.00,,5.0W,,,,,"},
    {10, "RX TONE", "450.1", "450.1", "123.0", "OFF", true, true,
     "10,RX TONE,450.100000,,0.000000,Cross,88.5,123.0,023,NN,023,->Tone,FM,5.00,,5.0W,,,,,"},
    {11, "RX DCS", "450.1", "450.1", "D025N", "OFF", true, true,
     "11,RX DCS,450.100000,,0.000000,Cross,88.5,88.5,023,NN,025,->DTCS,FM,5.00,,5.0W,,,,,"},
    {12, "TX DCS", "450.1", "450.1", "OFF", "D026I", true, true,
     "12,TX DCS,450.100000,,0.000000,Cross,88.5,88.5,026,RN,023,DTCS->,FM,5.00,,5.0W,,,,,"},
    {13, "D-D", "450.1", "450.1", "D754I", "D023N", true, true,
     "13,D-D,450.100000,,0.000000,Cross,88.5,88.5,023,NR,754,DTCS->DTCS,FM,5.00,,5.0W,,,,,"},
    {14, "UP", "145.5", "146.1", "OFF", "OFF", true, true,
     "14,UP,145.500000,+,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {15, "DOWN", "438.5", "433.5", "OFF", "OFF", true, true,
     "15,DOWN,438.500000,-,5.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {16, "SPLIT", "145.5", "435", "OFF", "OFF", true, true,
     "16,SPLIT,145.500000,split,435.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {17, "RX ONLY", "162.55", "", "123.0", "OFF", false, false,
     "17,RX ONLY,162.550000,off,0.000000,Cross,88.5,123.0,023,NN,023,->Tone,NFM,5.00,,1.0W,,,,,"},
    {97, "中文名称", "446.1", "446.1", "OFF", "OFF", true, true,
     "97,中文名称,446.100000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {100, "A,\"B\"", "446.1", "446.1", "OFF", "OFF", true, true,
     "100,\"A,\"\"B\"\"\",446.100000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,"
     ","},
    {128, "AB中文12CD", "469.99375", "469.99375", "OFF", "OFF", true, true,
     "128,AB中文12CD,469.993750,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
};

// The image right after start-up.
Data_image fresh_image()
{
    Reset_image();
    return chann;
}

void type_into(Data_image &image, const Typed &typed)
{
    const int n = typed.channel;
    Enter_rx_freq(n, typed.rx, true, image);
    if (*typed.tx)
        Enter_tx_freq(n, typed.tx, image);
    else
        Clear_tx_freq(n, image);
    const QStringList tones = Choice_items(Decode_column);
    Store_choice(n, Decode_column, int(tones.indexOf(typed.decode)), image);
    Store_choice(n, Encode_column, int(tones.indexOf(typed.encode)), image);
    Store_choice(n, Power_column, typed.high ? 1 : 0, image);
    Store_choice(n, Band_column, typed.wide ? 1 : 0, image);
    Store_channel_name(n, QString::fromUtf8(typed.name), image);
}

QStringList english(const QList<Bilingual> &notes)
{
    QStringList texts;
    for (const Bilingual &note : notes)
        texts.append(note.english);
    return texts;
}

// The channel table's texts of a channel of the program's image, blanks
// around them removed.
QStringList shown(int channel)
{
    QStringList texts;
    for (const QString &text : Channel_row_texts(channel))
        texts.append(text.trimmed());
    return texts;
}

Channel_csv::Report import_into(Data_image &image, const QByteArray &csv,
                                Channel_csv::Scope scope = Channel_csv::Scope::All_channels)
{
    return Channel_csv::Import(image, csv, scope);
}

} // namespace

class Test_channel_csv : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Language = false;
        Init_tone_table();
        Model_no = 0;
        Init_model_table();
    }

    void csv_text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<QList<QStringList>>("records");
        QTest::newRow("plain, CR LF")
            << "a,b\r\nc,d\r\n"
            << QList<int>{1, 2} << QList<QStringList>{{"a", "b"}, {"c", "d"}};
        QTest::newRow("LF, CR, no end")
            << "a\nb\rc" << QList<int>{1, 2, 3} << QList<QStringList>{{"a"}, {"b"}, {"c"}};
        QTest::newRow("quotes") << "\"a,b\",\"say \"\"hi\"\"\",x\"y\",\"q\"z" << QList<int>{1}
                                << QList<QStringList>{{"a,b", "say \"hi\"", "x\"y\"", "qz"}};
        QTest::newRow("line breaks in quotes")
            << "\"one\r\ntwo\",\"3\n4\r5\"\r\nnext\r\n"
            << QList<int>{1, 5} << QList<QStringList>{{"one\r\ntwo", "3\n4\r5"}, {"next"}};
        QTest::newRow("comments and blank records")
            << "# \"unclosed, a comment\r\n\r\n,,\r\n  \r\nx,\r\n#\ny" << QList<int>{5, 7}
            << QList<QStringList>{{"x", ""}, {"y"}};
        QTest::newRow("empty fields")
            << ",a,,\"\"," << QList<int>{1} << QList<QStringList>{{"", "a", "", "", ""}};
    }
    void csv_text()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, lines);
        QFETCH(QList<QStringList>, records);
        const QList<Csv_record> read = Read_csv(text);
        QList<int> read_lines;
        QList<QStringList> read_fields;
        for (const Csv_record &record : read) {
            read_lines.append(record.line);
            read_fields.append(record.fields);
        }
        QCOMPARE(read_fields, records);
        QCOMPARE(read_lines, lines);
        // Written back, each record reads the same.
        for (const QStringList &fields : records)
            QCOMPARE(Read_csv(Csv_line(fields)).value(0).fields, fields);
    }

    void lines_are_quoted_only_where_needed()
    {
        QCOMPARE(Csv_line({"a b", "c,d", "e\"f", "g\nh", ""}),
                 QStringLiteral("a b,\"c,d\",\"e\"\"f\",\"g\nh\",\r\n"));
    }

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

    void import_reports_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<int>("channels");
        QTest::newRow("locations")
            << QByteArray("Location,Name,Frequency\r\n0,,446\r\n129,,446\r\n5,,446\r\n1.0,,446")
            << QStringList{"Line 2 skipped: Location 0 is outside 1 to 128.",
                           "Line 3 skipped: Location 129 is outside 1 to 128.",
                           "Line 5 skipped: \"1.0\" in column Location is not a valid number."}
            << 1;
        QTest::newRow("malformed numbers")
            << QByteArray("Location,Frequency,Duplex,Offset,Power\n"
                          "x1,446\n2,446.0.1\n3,145.5,+,\"0,6\"\n4,446,,,lots\n5,\n"
                          "6,446.0000001\n7,446.0000000\n8,145.5,split\n9,-446\n")
            << QStringList{"Line 2 skipped: \"x1\" in column Location is not a valid number.",
                           "Line 3 skipped: \"446.0.1\" in column Frequency is not a valid number.",
                           "Line 4 skipped: \"0,6\" in column Offset is not a valid number.",
                           "Line 5 skipped: \"lots\" in column Power is not a valid number.",
                           "Line 6 skipped: \"\" in column Frequency is not a valid number.",
                           "Line 7 skipped: \"446.0000001\" in column Frequency is not a valid "
                           "number.",
                           "Line 9 skipped: \"\" in column Offset is not a valid number.",
                           "Line 10 skipped: \"-446\" in column Frequency is not a valid number."}
            << 1;
        QTest::newRow("band of the selected model")
            << QByteArray("Location,Frequency,Duplex,Offset\n1,500\n2,145.5,split,500\n"
                          "3,135.999\n4,469.99375\n5,470\n6,136,-,1\n7,136,-,137\n")
            << QStringList{"Line 2 skipped: the receive frequency 500.000000 MHz is outside the "
                           "band of the selected model, 136 to 470 MHz.",
                           "Line 3 skipped: the transmit frequency 500.000000 MHz is outside "
                           "the band of the selected model, 136 to 470 MHz.",
                           "Line 4 skipped: the receive frequency 135.999000 MHz is outside the "
                           "band of the selected model, 136 to 470 MHz.",
                           "Line 6 skipped: the receive frequency 470.000000 MHz is outside the "
                           "band of the selected model, 136 to 470 MHz.",
                           "Line 7 skipped: the transmit frequency 135.000000 MHz is outside "
                           "the band of the selected model, 136 to 470 MHz.",
                           "Line 8 skipped: the transmit frequency -1.000000 MHz is outside "
                           "the band of the selected model, 136 to 470 MHz."}
            << 1;
        QTest::newRow("tone table")
            << QByteArray("Location,Frequency,Tone,rToneFreq,cToneFreq,DtcsCode,"
                          "DtcsPolarity,RxDtcsCode,CrossMode\n"
                          "1,446,Tone,88.6\n2,446,DTCS,,,024\n3,446,Cross,67.0,,,,999,Tone->DTCS\n"
                          "4,446,TSQL,,254.10\n5,446,Cross,,,74,,,DTCS->\n")
            << QStringList{"Line 2 skipped: the CTCSS tone 88.6 Hz is not in the tone table.",
                           "Line 3 skipped: the DCS code 024 is not in the tone table.",
                           "Line 4 skipped: the DCS code 999 is not in the tone table."}
            << 2;
        QTest::newRow("modes")
            << QByteArray("Location,Frequency,Duplex,Tone,rToneFreq,DtcsCode,DtcsPolarity,"
                          "CrossMode,Mode\n"
                          "1,446,,TSQL-R,67.0\n2,446,,DTCS-R,,023\n3,446,,Cross,67.0,,,Tone->Bell\n"
                          "4,446,,DTCS,,023,NX\n5,446,,Bell\n6,446,,,,,,,AM\n7,446,both\n"
                          "8,446,,Cross,67.0,,,->\n9,446,,dtcs,,23,rn,,nfm\n")
            << QStringList{"Line 2 skipped: the reverse squelch mode \"TSQL-R\" has no "
                           "equivalent in this radio.",
                           "Line 3 skipped: the reverse squelch mode \"DTCS-R\" has no "
                           "equivalent in this radio.",
                           "Line 4 skipped: \"Tone->Bell\" in column CrossMode is not a known "
                           "value.",
                           "Line 5 skipped: \"NX\" in column DtcsPolarity is not a known value.",
                           "Line 6 skipped: \"Bell\" in column Tone is not a known value.",
                           "Line 7 skipped: \"AM\" in column Mode is not a known value.",
                           "Line 8 skipped: \"both\" in column Duplex is not a known value.",
                           "Line 9 skipped: \"->\" in column CrossMode is not a known value."}
            << 1;
        QTest::newRow("repeats, snaps and names")
            << QByteArray("# a list by hand\n"
                          "Location,Name,Frequency,Comment\n"
                          "1,A,446\n"
                          "1,B,447,\"a comment\non two lines\"\n"
                          "2,Radio\xF0\x9F\x98\x80,446\n"
                          "3,ABCDEFGHIJ,446.007\n")
            << QStringList{"Line 4 skipped: channel 1 was already given on line 3.",
                           "Line 6: the name \"Radio\xF0\x9F\x98\x80\" holds a character that "
                           "the radio cannot store; channel 2 has no name.",
                           "Line 7: the receive frequency 446.007000 MHz was snapped to the "
                           "channel grid and stored as 446.006250 MHz.",
                           "Line 7: the transmit frequency 446.007000 MHz was snapped to the "
                           "channel grid and stored as 446.006250 MHz.",
                           "Line 7: the name \"ABCDEFGHIJ\" is longer than 8 characters and was "
                           "stored as \"ABCDEFGH\"."}
            << 3;
    }
    void import_reports()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, notes);
        QFETCH(int, channels);
        Data_image image = fresh_image();
        const Channel_csv::Report report = import_into(image, csv);
        QCOMPARE(english(report.notes), notes);
        QCOMPARE(report.channels, channels);
        QCOMPARE(report.skipped, int(notes.filter(" skipped: ").size()));
        QVERIFY(report.imported);
    }

    void reports_in_chinese()
    {
        Data_image image = fresh_image();
        const Channel_csv::Report report = import_into(
            image, "Location,Name,Frequency\r\n0,,446\r\n1,ABCDEFGHIJ,446.007,\r\n2,,500");
        QCOMPARE(report.notes.value(0).chinese,
                 QStringLiteral("第 2 行未导入：信道号 0 不在 1 至 128 之间。"));
        QCOMPARE(
            report.notes.value(1).chinese,
            QStringLiteral("第 3 行：接收频率 446.007000 MHz 已按信道步进存为 446.006250 MHz。"));
        QCOMPARE(report.notes.value(3).chinese,
                 QStringLiteral("第 3 行：名称“ABCDEFGHIJ”超过 8 个字符，存为“ABCDEFGH”。"));
        QCOMPARE(report.notes.value(4).chinese,
                 QStringLiteral("第 4 行未导入：接收频率 500.000000 MHz 不在所选机型的频段 136 至 "
                                "470 MHz 之内。"));
        QCOMPARE(Channel_csv::Summary(report),
                 Bilingual(QStringLiteral("已从 CSV 文件导入 1 个信道，2 行未导入。"),
                           QStringLiteral("1 channels were imported from the CSV file; 2 rows "
                                          "were skipped.")));
    }

    void a_list_it_cannot_take_changes_nothing_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("empty") << QByteArray("\xEF\xBB\xBF# nothing\r\n")
                               << "The CSV file holds no channel list." << QStringList();
        QTest::newRow("no frequency column")
            << QByteArray("Location,Name\r\n1,A\r\n")
            << "The first line of the CSV file names no Frequency column; this is not a "
               "channel list."
            << QStringList();
        QTest::newRow("not a list") << QByteArray("\x89PNG\r\n\x1A\n\0\0", 10)
                                    << "The first line of the CSV file names no Location "
                                       "column; this is not a channel list."
                                    << QStringList();
        QTest::newRow("no row taken")
            << QByteArray("Location,Frequency\r\n200,446\r\n")
            << "The CSV file holds no channel that can be imported; the channels are unchanged."
            << QStringList{"Line 2 skipped: Location 200 is outside 1 to 128."};
    }
    void a_list_it_cannot_take_changes_nothing()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, failure);
        QFETCH(QStringList, notes);
        Reset_image();
        Load_default_image();
        Data_image image = chann;
        const Channel_csv::Report report = import_into(image, csv);
        QVERIFY(!report.imported);
        QCOMPARE(Channel_csv::Summary(report).english, failure);
        QCOMPARE(english(report.notes), notes);
        QVERIFY(image == chann);
    }

    // A list as the most widely used open-source programming software writes
    // it, with a few of its usual variations.
    void a_list_in_the_other_programs_style_imports_as_meant()
    {
        const QByteArray csv =
            "\xEF\xBB\xBF\"Location\",\"Name\",\"Frequency\",\"Duplex\",\"Offset\",\"Tone\","
            "\"rToneFreq\",\"cToneFreq\",\"DtcsCode\",\"DtcsPolarity\",\"RxDtcsCode\","
            "\"CrossMode\",\"Mode\",\"TStep\",\"Skip\",\"Power\",\"Comment\",\"URCALL\","
            "\"RPT1CALL\",\"RPT2CALL\",\"DVCODE\"\r\n"
            "# Club channels\r\n"
            "\"1\",\"Club\",\"146.520000\",\"\",\"0.600000\",\"TSQL\",\"88.5\",\"100.0\","
            "\"023\",\"NN\",\"023\",\"Tone->Tone\",\"FM\",\"5.00\",\"\",\"50W\",\"\",\"\",\"\","
            "\"\",\"\"\r\n"
            "\"2\",\"Split\",\"145.500000\",\"split\",\"256.525000\",\"\",\"88.5\",\"88.5\","
            "\"023\",\"NN\",\"023\",\"Tone->Tone\",\"NFM\",\"12.50\",\"S\",\"1.0W\","
            "\"satellite\",\"\",\"\",\"\",\"\"\r\n"
            "\"3\",\"Cross\",\"446.500000\",\"-\",\"5.000000\",\"Cross\",\"88.5\",\"88.5\","
            "\"023\",\"NR\",\"754\",\"DTCS->DTCS\",\"FM\",\"5.00\",\"\",\"4.0W\",\"\",\"\","
            "\"\",\"\",\"\"\r\n";
        Reset_image();
        const Channel_csv::Report report = import_into(chann, csv);
        QCOMPARE(english(report.notes), QStringList());
        QCOMPARE(report.channels, 3);
        QCOMPARE(shown(1), QStringList({"1", "146.52000", "146.52000", "100.0", "100.0", "High",
                                        "Off", "Wide", "Club"}));
        QCOMPARE(shown(2), QStringList({"2", "145.50000", "256.52500", "OFF", "OFF", "Low", "Off",
                                        "Narrow", "Split"}));
        QCOMPARE(shown(3), QStringList({"3", "446.50000", "441.50000", "D754I", "D023N", "High",
                                        "Off", "Wide", "Cross"}));
        QVERIFY(Channel_is_empty(4));
    }

    void a_list_with_one_ctcss_column_uses_it_both_ways()
    {
        Reset_image();
        import_into(chann, "Location,Frequency,Tone,cToneFreq\n1,446,Tone,77.0\n2,446,TSQL,79.7\n"
                           "3,446,Cross,82.5\n");
        QCOMPARE(shown(1).mid(3, 2), QStringList({"OFF", "77.0"}));
        QCOMPARE(shown(2).mid(3, 2), QStringList({"79.7", "79.7"}));
        QCOMPARE(shown(3).mid(3, 2), QStringList({"82.5", "82.5"}));
    }

    void a_gbk_list_from_a_chinese_spreadsheet_imports()
    {
        QStringEncoder gbk("GBK");
        const QByteArray csv =
            gbk.encode(QStringLiteral("Location,Name,Frequency\r\n7,频道七,446\r\n"));
        Reset_image();
        QVERIFY(import_into(chann, csv).imported);
        QCOMPARE(Channel_name(7), QStringLiteral("频道七"));
    }

    void listed_channels_replace_only_themselves()
    {
        Data_image base = fresh_image();
        type_into(base, Kinds[0]);
        type_into(base, Kinds[1]);
        type_into(base, Kinds[2]);
        base(2, 10) = 3;    // VOX, which a list does not carry
        base(2, 15) = 0x5A; // nor the attribute bytes
        Data_image merged = base;
        const QByteArray csv = "Location,Name,Frequency,Mode\r\n2,NEW,147,NFM\r\n5,FIVE,446\r\n";
        Channel_csv::Report report = import_into(merged, csv, Channel_csv::Scope::Listed_channels);
        QCOMPARE(report.channels, 2);
        for (int row : {1, 3, Name_row(1), Name_row(3), 139, 140, 131})
            for (int column = 0; column < 16; ++column)
                QCOMPARE(merged(row, column), base(row, column));
        QCOMPARE(Channel_name(2, merged), QStringLiteral("NEW"));
        QCOMPARE(std::tuple(merged(2, 10), merged(2, 15), Stored_choice(2, Band_column, merged)),
                 std::tuple(qint16(3), qint16(0x5A), 0));
        QCOMPARE(Channel_name(5, merged), QStringLiteral("FIVE"));

        // Replacing all channels leaves the unlisted ones empty and nameless.
        Data_image replaced = base;
        report = import_into(replaced, csv);
        QVERIFY(Channel_is_empty(1, replaced) && Channel_is_empty(3, replaced));
        QVERIFY(Channel_name(1, replaced).isEmpty() && Channel_name(3, replaced).isEmpty());
        QCOMPARE(std::tuple(replaced(2, 10), replaced(2, 15)), std::tuple(qint16(0), qint16(255)));
    }

    void files_on_disk()
    {
        QTemporaryDir folder;
        Data_image typed = fresh_image();
        type_into(typed, Kinds[17]);
        const QString path = folder.filePath("list.csv");
        Channel_file::Outcome written = Channel_csv::Export_file(typed, path);
        QVERIFY(written.ok);
        QCOMPARE(written.message.english,
                 QStringLiteral("1 channels were exported to the CSV file."));
        QCOMPARE(written.message.chinese, QStringLiteral("已将 1 个信道导出到 CSV 文件。"));

        Data_image imported = fresh_image();
        QVERIFY(
            Channel_csv::Import_file(imported, path, Channel_csv::Scope::All_channels).imported);
        QVERIFY(imported == typed);

        // Files that cannot be read, or cannot be lists, change nothing.
        const Data_image before = imported;
        write_file(folder.filePath("big.csv"), QByteArray((1 << 20) + 1, ' '));
        const std::pair<QString, QString> unreadable[] = {
            {"missing.csv", "No such file or directory"},
            {".", "It is not a regular file but a device, a pipe or a folder."},
            {"big.csv", "It is larger than 1 MB, far larger than any file this program reads."},
        };
        for (const auto &[file, details] : unreadable) {
            const Channel_csv::Report report = Channel_csv::Import_file(
                imported, folder.filePath(file), Channel_csv::Scope::All_channels);
            QCOMPARE(report.failure.english, QStringLiteral("The CSV file cannot be read."));
            QCOMPARE(report.details.english, details);
            QVERIFY(imported == before);
        }
        written = Channel_csv::Export_file(typed, folder.filePath("no/such/folder/list.csv"));
        QCOMPARE(written.message.english, QStringLiteral("The CSV file cannot be saved."));
        QVERIFY(!written.ok && !written.details.english.isEmpty());
    }
};

QTEST_GUILESS_MAIN(Test_channel_csv)
#include "test_channel_csv.moc"
