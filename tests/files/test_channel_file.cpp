#include "core/image.h"
#include "files/channel_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;

namespace {

// A distinct, valid value in every cell the file holds.
void fill_pattern()
{
    for (int row = 0; row < Channel_file::Rows; ++row)
        for (int column = 0; column < Channel_file::Columns; ++column)
            chann(row, column) = qint16((row * 7 + column * 13) % 256);
}

// The text of a file holding `value` in every cell, each line built by `line`.
QByteArray file_text(const std::function<QByteArray(int row)> &line)
{
    QByteArray text;
    for (int row = 0; row < Channel_file::Rows; ++row)
        text += line(row);
    return text;
}

} // namespace

class Test_channel_file : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(dir.isValid());
        chann.clear();
    }

    void save_then_load_gives_the_same_image()
    {
        Reset_image();
        Load_default_image();
        chann(Power_row, 0) = 200;
        const Data_image saved = chann;
        const QString path = dir.filePath(QStringLiteral("radio.chann"));
        QVERIFY(Channel_file::Save(path).ok);

        chann.fill(0, 300, 0, 32, 1);
        QVERIFY(Channel_file::Load(path).ok);
        for (int row = 0; row < Channel_file::Rows; ++row)
            for (int column = 0; column < Channel_file::Columns; ++column)
                QCOMPARE(chann(row, column), saved(row, column));
        QCOMPARE(chann(281, 0), qint16(1)); // rows past 280 are not in the file
        QCOMPARE(chann(0, 16), qint16(1));  // nor columns past 15
    }

    void saved_file_is_in_print_form()
    {
        Reset_image();
        chann(1, 1) = 7;
        const QString path = dir.filePath(QStringLiteral("form.chann"));
        QVERIFY(Channel_file::Save(path).ok);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), Channel_file::Rows + 1);
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(lines[0], QByteArray(" 255 ").repeated(16) + '\r');
        QCOMPARE(lines[1], " 255  7 " + QByteArray(" 255 ").repeated(14) + '\r');
        QCOMPARE(lines[144], QByteArray(" 0 ").repeated(16) + '\r');
    }

    void reads_hand_written_files_data()
    {
        QTest::addColumn<QByteArray>("text");
        const auto row_values = [](int row, const char *separator) {
            QByteArray line;
            for (int column = 0; column < Channel_file::Columns; ++column)
                line += QByteArray::number((row + column) % 256) + separator;
            return line;
        };
        QTest::newRow("print form, CR LF") << file_text([&](int row) {
            QByteArray line;
            for (int column = 0; column < Channel_file::Columns; ++column)
                line += ' ' + QByteArray::number((row + column) % 256) + ' ';
            return line + "\r\n";
        });
        QTest::newRow("commas, LF") << file_text([&](int row) {
            QByteArray line = row_values(row, ",");
            line.chop(1);
            return line + "\n";
        });
        QTest::newRow("runs of blanks and commas")
            << file_text([&](int row) { return "  " + row_values(row, " ,\t ") + "\r\n"; });
        QTest::newRow("one long line, extra numbers after")
            << file_text([&](int row) { return row_values(row, " "); }) + " 999 abc\r\n";
    }
    void reads_hand_written_files()
    {
        QFETCH(QByteArray, text);
        const QString path = dir.filePath(QStringLiteral("hand.chann"));
        write_file(path, text);
        const Channel_file::Outcome outcome = Channel_file::Load(path);
        QVERIFY2(outcome.ok, qPrintable(outcome.message.english));
        for (int row = 0; row < Channel_file::Rows; ++row)
            for (int column = 0; column < Channel_file::Columns; ++column)
                QCOMPARE(chann(row, column), qint16((row + column) % 256));
    }

    void bad_files_change_nothing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        chann.clear();
        Reset_image();
        const QByteArray good = Channel_file::Format_image();
        QByteArray short_text = good;
        short_text.truncate(short_text.lastIndexOf(" 0 "));
        QTest::newRow("empty") << QByteArray()
                               << "The channel parameter file is incomplete: it holds 0 values "
                                  "instead of 4496."
                               << "信道参数文件不完整：只有 0 个数值，应为 4496 个。";
        QTest::newRow("one number short")
            << short_text
            << "The channel parameter file is incomplete: it holds 4495 values instead of 4496."
            << "信道参数文件不完整：只有 4495 个数值，应为 4496 个。";
        QByteArray letters = good;
        letters.replace(good.indexOf("\r\n") + 2 + 5, 4, " 2x5");
        QTest::newRow("not a number")
            << letters
            << "Line 2 of the channel parameter file holds \"2x5\", which is not a number."
            << "信道参数文件第 2 行的“2x5”不是数值。";
        QByteArray decimal = good;
        decimal.replace(0, 4, " 1.5");
        QTest::newRow("decimal")
            << decimal
            << "Line 1 of the channel parameter file holds \"1.5\", which is not a number."
            << "信道参数文件第 1 行的“1.5”不是数值。";
        QByteArray too_big = good;
        too_big.replace(good.lastIndexOf(" 0 "), 3, " 256 ");
        QTest::newRow("above 255") << too_big
                                   << "Line 281 of the channel parameter file holds the value "
                                      "256, which is outside 0 to 255."
                                   << "信道参数文件第 281 行的数值 256 超出 0 至 255 的范围。";
        QByteArray negative = good;
        negative.replace(0, 4, " -1 ");
        QTest::newRow("negative") << negative
                                  << "Line 1 of the channel parameter file holds the value -1, "
                                     "which is outside 0 to 255."
                                  << "信道参数文件第 1 行的数值 -1 超出 0 至 255 的范围。";
    }
    void bad_files_change_nothing()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        Reset_image();
        const QString path = dir.filePath(QStringLiteral("bad.chann"));
        write_file(path, text);
        fill_pattern();
        const Data_image before = chann;

        const Channel_file::Outcome outcome = Channel_file::Load(path);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.message.english, english);
        QCOMPARE(outcome.message.chinese, chinese);
        QVERIFY(chann == before);
    }

    void missing_file_gives_the_system_reason()
    {
        fill_pattern();
        const Data_image before = chann;
        const Channel_file::Outcome outcome =
            Channel_file::Load(dir.filePath(QStringLiteral("none.chann")));
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.message.english,
                 QStringLiteral("The channel parameter file cannot be opened."));
        QVERIFY(!outcome.details.isEmpty());
        QVERIFY(chann == before);
    }

    void save_onto_a_folder_fails_and_keeps_it()
    {
        const QString path = dir.filePath(QStringLiteral("folder.chann"));
        QVERIFY(QDir().mkdir(path));
        const Channel_file::Outcome outcome = Channel_file::Save(path);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.message.english,
                 QStringLiteral("The channel parameter file cannot be saved."));
        QVERIFY(!outcome.details.isEmpty());
        QVERIFY(QFileInfo(path).isDir());
    }

    void save_into_a_missing_folder_fails()
    {
        const Channel_file::Outcome outcome =
            Channel_file::Save(dir.filePath(QStringLiteral("no/such/folder/x.chann")));
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome.details.isEmpty());
    }

private:
    static void write_file(const QString &path, const QByteArray &text)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(text), text.size());
    }

    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(Test_channel_file)
#include "test_channel_file.moc"
