// Channel lists as CSV read into images of the test's own: the text form,
// the columns, encodings and separators, and what each row stores or why
// it is skipped.
#include "core/tables.h"
#include "csv/csv_text.h"
#include "csv_lists.h"
#include "logic_start.h"

#include <QTest>

using namespace r7k;
using namespace csv_lists;

class Test_csv_import : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Start_logic(); }

    // Records with the line each starts on; written back, each reads the same.
    void csv_text()
    {
        const std::tuple<QString, QList<int>, QList<QStringList>> cases[] = {
            {"a,b\r\nc,d\r\n", {1, 2}, {{"a", "b"}, {"c", "d"}}},
            {"a\nb\rc", {1, 2, 3}, {{"a"}, {"b"}, {"c"}}},
            {"\"a,b\",\"say \"\"hi\"\"\",x\"y\",\"q\"z",
             {1},
             {{"a,b", "say \"hi\"", "x\"y\"", "qz"}}},
            {"\"one\r\ntwo\",\"3\n4\r5\"\r\nnext\r\n",
             {1, 5},
             {{"one\r\ntwo", "3\n4\r5"}, {"next"}}},
            {"# \"unclosed, a comment\r\n\r\n,,\r\n  \r\nx,\r\n#\ny", {5, 7}, {{"x", ""}, {"y"}}},
            {",a,,\"\",", {1}, {{"", "a", "", "", ""}}},
        };
        for (const auto &[text, lines, records] : cases) {
            QList<int> read_lines;
            QList<QStringList> read_fields;
            for (const Csv_record &record : Read_csv(text)) {
                read_lines.append(record.line);
                read_fields.append(record.fields);
            }
            QCOMPARE(read_fields, records);
            QCOMPARE(read_lines, lines);
            for (const QStringList &fields : records)
                QCOMPARE(Read_csv(Csv_line(fields)).value(0).fields, fields);
        }
        // Lines are quoted only where needed.
        QCOMPARE(Csv_line({"a b", "c,d", "e\"f", "g\nh", ""}),
                 "a b,\"c,d\",\"e\"\"f\",\"g\nh\",\r\n");
    }

    void import_reports_and_lists_it_cannot_take()
    {
        const QString outside = "Line %1 skipped: the %2 frequency %3 MHz is outside the band of "
                                "the selected model, from 136 MHz up to, but not including, 470 "
                                "MHz.";
        const std::tuple<QByteArray, QStringList, int> cases[] = {
            // locations
            {"Location,Name,Frequency\r\n0,,446\r\n129,,446\r\n5,,446\r\n1.0,,446",
             {"Line 2 skipped: Location 0 is outside 1 to 128.",
              "Line 3 skipped: Location 129 is outside 1 to 128.",
              "Line 5 skipped: \"1.0\" in column Location is not a valid number."},
             1},
            // malformed numbers
            {"Location,Frequency,Duplex,Offset,Power\n"
             "x1,446\n2,446.0.1\n3,145.5,+,\"0,6\"\n4,446,,,lots\n5,\n"
             "6,446.0000001\n7,446.0000000\n8,145.5,split\n9,-446\n",
             {"Line 2 skipped: \"x1\" in column Location is not a valid number.",
              "Line 3 skipped: \"446.0.1\" in column Frequency is not a valid number.",
              "Line 4 skipped: \"0,6\" in column Offset is not a valid number.",
              "Line 5 skipped: \"lots\" in column Power is not a valid number.",
              "Line 6 skipped: \"\" in column Frequency is not a valid number.",
              "Line 7 skipped: \"446.0000001\" in column Frequency is not a valid "
              "number.",
              "Line 9 skipped: \"\" in column Offset is not a valid number.",
              "Line 10 skipped: \"-446\" in column Frequency is not a valid number."},
             1},
            // band of the selected model
            {"Location,Frequency,Duplex,Offset\n1,500\n2,145.5,split,500\n"
             "3,135.999\n4,469.99375\n5,470\n6,136,-,1\n7,136,-,137\n",
             {outside.arg(2).arg("receive", "500.000000"),
              outside.arg(3).arg("transmit", "500.000000"),
              outside.arg(4).arg("receive", "135.999000"),
              outside.arg(6).arg("receive", "470.000000"),
              outside.arg(7).arg("transmit", "135.000000"),
              outside.arg(8).arg("transmit", "-1.000000")},
             1},
            // tone table
            {"Location,Frequency,Tone,rToneFreq,cToneFreq,DtcsCode,"
             "DtcsPolarity,RxDtcsCode,CrossMode\n"
             "1,446,Tone,88.6\n2,446,DTCS,,,024\n3,446,Cross,67.0,,,,999,Tone->DTCS\n"
             "4,446,TSQL,,254.10\n5,446,Cross,,,74,,,DTCS->\n",
             {"Line 2 skipped: the CTCSS tone 88.6 Hz is not in the tone table.",
              "Line 3 skipped: the DCS code 024 is not in the tone table.",
              "Line 4 skipped: the DCS code 999 is not in the tone table."},
             2},
            // modes
            {"Location,Frequency,Duplex,Tone,rToneFreq,DtcsCode,DtcsPolarity,"
             "CrossMode,Mode\n"
             "1,446,,TSQL-R,67.0\n2,446,,DTCS-R,,023\n3,446,,Cross,67.0,,,Tone->Bell\n"
             "4,446,,DTCS,,023,NX\n5,446,,Bell\n6,446,,,,,,,AM\n7,446,both\n"
             "8,446,,Cross,67.0,,,->\n9,446,,dtcs,,23,rn,,nfm\n",
             {"Line 2 skipped: the reverse squelch mode \"TSQL-R\" has no "
              "equivalent in this radio.",
              "Line 3 skipped: the reverse squelch mode \"DTCS-R\" has no "
              "equivalent in this radio.",
              "Line 4 skipped: \"Tone->Bell\" in column CrossMode is not a known "
              "value.",
              "Line 5 skipped: \"NX\" in column DtcsPolarity is not a known value.",
              "Line 6 skipped: \"Bell\" in column Tone is not a known value.",
              "Line 7 skipped: the R7K has no AM mode.",
              "Line 8 skipped: \"both\" in column Duplex is not a known value.",
              "Line 9 skipped: \"->\" in column CrossMode is not a known value."},
             1},
            // repeats, snaps and names
            {"# a list by hand\n"
             "Location,Name,Frequency,Comment\n"
             "1,A,446\n"
             "1,B,447,\"a comment\non two lines\"\n"
             "2,Radio\xF0\x9F\x98\x80,446\n"
             "3,ABCDEFGHIJ,446.007\n"
             "4,\"A\x01\x42\",446\n",
             {"Line 4 skipped: channel 1 was already given on line 3.",
              "Line 6: the name \"Radio\xF0\x9F\x98\x80\" holds a character that "
              "the radio cannot store; channel 2 has no name.",
              "Line 7: the receive frequency 446.007000 MHz was snapped to the "
              "channel grid and stored as 446.006250 MHz.",
              "Line 7: the transmit frequency 446.007000 MHz was snapped to the "
              "channel grid and stored as 446.006250 MHz.",
              "Line 7: the name \"ABCDEFGHIJ\" is longer than 8 characters and was "
              "stored as \"ABCDEFGH\".",
              "Line 8: the name \"A\uFFFDB\" holds a control character; channel 4 "
              "has no name."},
             4},
        };
        for (const auto &[csv, notes, channels] : cases) {
            Data_image image = fresh_image();
            const Channel_csv::Report report = import_into(image, csv);
            QCOMPARE(english(report.notes), notes);
            QCOMPARE(report.channels, channels);
            QCOMPARE(report.skipped, int(notes.filter(" skipped: ").size()));
            QVERIFY(report.imported);
        }

        // A list it cannot take changes nothing.
        const std::tuple<QByteArray, QStringList, QString> refused[] = {
            {"\xEF\xBB\xBF# nothing\r\n", {}, "The CSV file holds no channel list."},
            {"Location,Name\r\n1,A\r\n",
             {},
             "The first line of the CSV file names no Frequency column; this is not a channel "
             "list."},
            {"Location|Name|Frequency\r\n1|A|446\r\n",
             {},
             "The first line of the CSV file holds Location, but its fields are separated by '|'; "
             "they must be separated by a comma, a semicolon or a tab."},
            {QByteArray("\x89PNG\r\n\x1A\n\0\0", 10),
             {},
             "The first line of the CSV file names no Location column; this is not a channel "
             "list."},
            {"Location,Frequency\r\n200,446\r\n",
             {"Line 2 skipped: Location 200 is outside 1 to 128."},
             "The CSV file holds no channel that can be imported; the channels are unchanged."},
        };
        for (const auto &[csv, notes, failure] : refused) {
            Reset_image();
            Load_default_image();
            Data_image image = chann;
            const Channel_csv::Report report = import_into(image, csv);
            QVERIFY(!report.imported);
            QCOMPARE(Channel_csv::Summary(report).english, failure);
            QCOMPARE(english(report.notes), notes);
            QVERIFY(image == chann);
        }
    }

    void reports_in_chinese_and_what_the_summary_counts()
    {
        Data_image image = fresh_image();
        const Channel_csv::Report report = import_into(
            image, "Location,Name,Frequency\r\n0,,446\r\n1,ABCDEFGHIJ,446.007,\r\n2,,500");
        const std::pair<int, QString> notes[] = {
            {0, "第 2 行未导入：信道号 0 不在 1 至 128 之间。"},
            {1, "第 3 行：接收频率 446.007000 MHz 已按信道步进存为 446.006250 MHz。"},
            {3, "第 3 行：名称“ABCDEFGHIJ”超过 8 个字符，存为“ABCDEFGH”。"},
            {4, "第 4 行未导入：接收频率 500.000000 MHz 不在所选机型的频段之内"
                "（136 MHz 至 470 MHz，不含 470 MHz）。"},
        };
        for (const auto &[index, note] : notes)
            QCOMPARE(report.notes.value(index).chinese, note);
        QCOMPARE(Channel_csv::Summary(report),
                 (Bilingual{"已从 CSV 文件（按 UTF-8 读取）导入 1 个信道，2 行未导入。"
                            "没有 Power 列：所有信道设为大功率。",
                            "1 channel was imported from the CSV file (read as UTF-8); 2 rows were "
                            "skipped. No Power column: every channel set to High."}));

        // Replacing all channels empties the unlisted ones; the listed ones keep
        // what a list does not carry.
        image = fresh_image();
        for (const int kind : {0, 1, 2, int(std::size(Kinds)) - 1}) // channels 1, 2, 3 and 128
            type_into(image, Kinds[kind]);
        const Channel_csv::Report kept =
            import_into(image, "Location,Name,Frequency,Mode\r\n2,NEW,147,NFM\r\n5,FIVE,446\r\n");
        QCOMPARE(Channel_csv::Summary(kept).english,
                 "2 channels were imported from the CSV file (read as UTF-8). 1 channel kept its "
                 "VOX and the settings a CSV file does not carry. 3 channels not in the file were "
                 "emptied. No Power column: every channel set to High.");
        QVERIFY(Channel_is_empty(128, image) && Channel_name(128, image).isEmpty());
    }

    // Lists as spreadsheets and other programs write them, the bytes made by
    // hand: each gives its channels (1, 2 ...) as the table shows them, and the
    // summary names the encoding and what was assumed.
    void lists_as_programs_write_them()
    {
        const auto utf16 = [](const QString &text, bool big_endian) {
            QByteArray bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
            for (const QChar ch : text) {
                const char high = char(ch.unicode() >> 8), low = char(ch.unicode() & 0xFF);
                bytes.append(big_endian ? high : low).append(big_endian ? low : high);
            }
            return bytes;
        };
        const auto simple = [](const char *rx, const char *name) {
            return QStringList{"", rx, rx, "OFF", "OFF", "High", "Off", "Wide", name};
        };
        const QString plain = "1 channel was imported from the CSV file (read as %1). No Power "
                              "column: every channel set to High.";
        const std::tuple<QByteArray, QList<QStringList>, QString> cases[] = {
            // UTF-8 with a byte-order mark
            {QByteArray("\xEF\xBB\xBFLocation,Name,Frequency\r\n1,\xE6\xA0\xA1\xE4\xB8\x80,446.1"),
             {simple("446.10000", "校一")},
             plain.arg("UTF-8")},
            // UTF-16LE, tabs
            {utf16("Location\tName\tFrequency\r\n1\t前台\t446.1\r\n", false),
             {simple("446.10000", "前台")},
             plain.arg("UTF-16")},
            // UTF-16BE
            {utf16("Location,Name,Frequency\r\n1,前台,446.1\r\n", true),
             {simple("446.10000", "前台")},
             plain.arg("UTF-16")},
            // GBK names that are UTF-8 bytes too
            {QByteArray("Location,Name,Frequency\r\n1,\xD0\xA3\xD2\xBB,446.1\r\n"
                        "2,\xC7\xB0\xCC\xA8,446.2\r\n"),
             {simple("446.10000", "校一"), simple("446.20000", "前台")},
             "2 channels were imported from the CSV file (read as GBK). No Power column: "
             "every channel set to High."},
            // Windows-1252
            {QByteArray("Location,Name,Frequency\r\n1,M\xE9"
                        "doc,446.1\r\n2,Z\xFCrich,446.2\r\n"
                        "3,Caf\xE9,446.3\r\n"),
             {simple("446.10000", "Médoc"), simple("446.20000", "Zürich"),
              simple("446.30000", "Café")},
             "3 channels were imported from the CSV file (read as Windows-1252). No Power "
             "column: every channel set to High."},
            // semicolons, decimal commas, units, comments
            {QByteArray("\"# Export; by hand\";;\r\n# plain\r\n"
                        "Location;Name;Frequency;Duplex;Offset;Tone;rToneFreq;Power\r\n"
                        "\"# a comment; quoted\"\r\n"
                        "1;Club;146,520000;+;0,600000;Tone;88,5;3,0W\r\n"
                        "2;Units;146.52 MHz;-;600 kHz;;;2,99W\r\n"),
             {{"", "146.52000", "147.12000", "OFF", "88.5", "High", "Off", "Wide", "Club"},
              {"", "146.52000", "145.92000", "OFF", "OFF", "Low", "Off", "Wide", "Units"}},
             "2 channels were imported from the CSV file (read as UTF-8). No CrossMode column: "
             "Cross read as Tone->Tone. No RxDtcsCode column: the receive DCS code taken from "
             "DtcsCode."},
            // as the most widely used open-source programming software writes it
            {QByteArray(
                 "\xEF\xBB\xBF\"Location\",\"Name\",\"Frequency\",\"Duplex\",\"Offset\",\"Tone\","
                 "\"rToneFreq\",\"cToneFreq\",\"DtcsCode\",\"DtcsPolarity\",\"RxDtcsCode\","
                 "\"CrossMode\",\"Mode\",\"TStep\",\"Skip\",\"Power\",\"Comment\",\"URCALL\","
                 "\"RPT1CALL\",\"RPT2CALL\",\"DVCODE\"\r\n"
                 "# Club channels\r\n"
                 "\"1\",\"Club\",\"146.520000\",\"\",\"0.600000\",\"TSQL\",\"88.5\",\"100.0\","
                 "\"023\",\"NN\",\"023\",\"Tone->Tone\",\"FM\",\"5.00\",\"\",\"50W\",\"\",\"\","
                 "\"\",\"\",\"\"\r\n"
                 "\"2\",\"Split\",\"145.500000\",\"split\",\"256.525000\",\"\",\"88.5\",\"88.5\","
                 "\"023\",\"NN\",\"023\",\"Tone->Tone\",\"NFM\",\"12.50\",\"S\",\"1.0W\","
                 "\"satellite\",\"\",\"\",\"\",\"\"\r\n"
                 "\"3\",\"Cross\",\"446.500000\",\"-\",\"5.000000\",\"Cross\",\"88.5\",\"88.5\","
                 "\"023\",\"NR\",\"754\",\"DTCS->DTCS\",\"FM\",\"5.00\",\"\",\"4.0W\",\"\",\"\","
                 "\"\",\"\",\"\"\r\n"),
             {{"", "146.52000", "146.52000", "100.0", "100.0", "High", "Off", "Wide", "Club"},
              {"", "145.50000", "256.52500", "OFF", "OFF", "Low", "Off", "Narrow", "Split"},
              {"", "446.50000", "441.50000", "D754I", "D023N", "High", "Off", "Wide", "Cross"}},
             "3 channels were imported from the CSV file (read as UTF-8)."},
            // GBK from a Chinese spreadsheet // 频道七
            {QByteArray("Location,Name,Frequency\r\n1,\xC6\xB5\xB5\xC0\xC6\xDF,446\r\n"),
             {simple("446.00000", "频道七")},
             "1 channel was imported from the CSV file (read as GBK). No Power column: every "
             "channel set to High."},
            // one CTCSS column, used both ways
            {QByteArray("Location,Frequency,Tone,cToneFreq\n1,446,Tone,77.0\n2,446,Cross,82.5\n"),
             {{"", "446.00000", "446.00000", "OFF", "77.0", "High", "Off", "Wide", ""},
              {"", "446.00000", "446.00000", "82.5", "82.5", "High", "Off", "Wide", ""}},
             "2 channels were imported from the CSV file (read as UTF-8). No Power column: every "
             "channel set to High. No CrossMode column: Cross read as Tone->Tone. No RxDtcsCode "
             "column: the receive DCS code taken from DtcsCode."},
        };
        for (auto [csv, rows, summary] : cases) {
            Reset_image();
            const Channel_csv::Report report = import_into(chann, csv);
            QCOMPARE(english(report.notes), QStringList());
            QCOMPARE(Channel_csv::Summary(report).english, summary);
            for (int channel = 1; channel <= rows.size(); ++channel) {
                rows[channel - 1][0] = QString::number(channel);
                QCOMPARE(shown(channel), rows[channel - 1]);
            }
            QVERIFY(Channel_is_empty(int(rows.size()) + 1));
        }
    }
};

QTEST_GUILESS_MAIN(Test_csv_import)
#include "test_csv_import.moc"
