#include "core/image.h"
#include "files/channel_file.h"
#include "pattern_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace r7k;

namespace {

int diagonal(int row, int column)
{
    return (row + column) % 256;
}

// A file of the diagonal pattern, each value followed by `separator`, each row by `end`.
QByteArray diagonal_file(const QByteArray &separator, const QByteArray &end, const char *lead = "")
{
    QByteArray text;
    for (int row = 0; row < Channel_file::Rows; ++row) {
        text += lead;
        for (int column = 0; column < Channel_file::Columns; ++column)
            text += QByteArray::number(diagonal(row, column)) + separator;
        text += end;
    }
    return text;
}

} // namespace

class Test_channel_file : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { chann.clear(); }

    void save_then_load_gives_the_same_image()
    {
        Reset_image();
        Load_default_image();
        chann.fill(1, 2, 0, 15, 255);
        chann(1, 1) = 7;
        chann(2, 0) = 0;
        chann.fill(281, 300, 0, 32, 1); // cells outside the file must stay untouched
        chann.fill(0, 280, 16, 32, 1);
        const Data_image saved = chann;
        QVERIFY(Channel_file::Save(path("radio.chann")).ok);
        const QList<QByteArray> lines = read_file(path("radio.chann")).split('\n');
        QCOMPARE(lines.size(), Channel_file::Rows + 1);
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(lines[0], QByteArray(" 255 ").repeated(16) + '\r');
        QCOMPARE(lines[1], " 255  7 " + QByteArray(" 255 ").repeated(14) + '\r');
        QVERIFY(lines[2].startsWith(" 0  255 "));

        chann.fill(0, 280, 0, 15, 0);
        QVERIFY(Channel_file::Load(path("radio.chann")).ok);
        QVERIFY(chann == saved);
    }

    void reads_hand_written_files()
    {
        const std::pair<const char *, QByteArray> files[] = {
            {"print form, CR LF", diagonal_file("  ", "\r\n", " ")},
            {"commas, LF", diagonal_file(",", "\n").replace(",\n", "\n")},
            {"runs of blanks and commas", diagonal_file(" ,\t ", "\r\n", "  ")},
            {"one line, extra numbers after", diagonal_file(" ", "") + " 999 abc\r\n"},
        };
        for (const auto &[label, text] : files) {
            chann.clear();
            write_file(path("hand.chann"), text);
            const Channel_file::Outcome outcome = Channel_file::Load(path("hand.chann"));
            QVERIFY2(outcome.ok, label);
            const Data_image loaded = chann;
            fill_file_rows(diagonal);
            QVERIFY2(chann == loaded, label);
        }
    }

    void bad_files_change_nothing()
    {
        Reset_image();
        const QByteArray good = Channel_file::Format_image();
        const auto with = [&](qsizetype at, qsizetype length, const char *text) {
            return QByteArray(good).replace(at, length, text);
        };
        const QString short_en = "The channel parameter file is incomplete: it holds %1 values "
                                 "instead of 4496.";
        const QString short_zh = "信道参数文件不完整：只有 %1 个数值，应为 4496 个。";
        const QString nan_en = "Line %1 of the channel parameter file holds \"%2\", which is not "
                               "a number.";
        const QString nan_zh = "信道参数文件第 %1 行的“%2”不是数值。";
        const QString range_en = "Line %1 of the channel parameter file holds the value %2, "
                                 "which is outside 0 to 255.";
        const QString range_zh = "信道参数文件第 %1 行的数值 %2 超出 0 至 255 的范围。";
        const struct {
            QByteArray text;
            QString english, chinese;
        } files[] = {
            {QByteArray(), short_en.arg(0), short_zh.arg(0)},
            {good.left(good.lastIndexOf(" 0 ")), short_en.arg(4495), short_zh.arg(4495)},
            {with(good.indexOf("\r\n") + 7, 4, " 2x5"), nan_en.arg(2).arg("2x5"),
             nan_zh.arg(2).arg("2x5")},
            {with(0, 4, " 1.5"), nan_en.arg(1).arg("1.5"), nan_zh.arg(1).arg("1.5")},
            {with(good.lastIndexOf(" 0 "), 3, " 256 "), range_en.arg(281).arg(256),
             range_zh.arg(281).arg(256)},
            {with(0, 4, " -1 "), range_en.arg(1).arg(-1), range_zh.arg(1).arg(-1)},
        };
        fill_file_rows([](int row, int column) { return (row * 7 + column * 13) % 256; });
        const Data_image before = chann;
        for (const auto &file : files) {
            write_file(path("bad.chann"), file.text);
            const Channel_file::Outcome outcome = Channel_file::Load(path("bad.chann"));
            QVERIFY2(!outcome.ok, qPrintable(file.english));
            QCOMPARE(outcome.message.english, file.english);
            QCOMPARE(outcome.message.chinese, file.chinese);
            QVERIFY2(chann == before, qPrintable(file.english));
        }
    }

    // Files the system refuses: the reason goes into the details, and a folder
    // in the way stays as it was.
    void refused_paths_give_the_system_reason()
    {
        const Bilingual cannot_open{"无法打开信道参数文件。",
                                    "The channel parameter file cannot be opened."};
        const Bilingual cannot_save{"无法保存信道参数文件。",
                                    "The channel parameter file cannot be saved."};
        QVERIFY(QDir().mkpath(path("folder.chann")));
        fill_file_rows(diagonal);
        const Data_image before = chann;
        for (const char *name :
             {"none.chann", "folder.chann", "save:folder.chann", "save:no/such/x.chann"}) {
            const QString file = path(QString(name).remove("save:"));
            const bool save = QByteArray(name).startsWith("save:");
            const auto outcome = save ? Channel_file::Save(file) : Channel_file::Load(file);
            QVERIFY2(!outcome.ok && !outcome.details.isEmpty(), name);
            QCOMPARE(outcome.message.english, (save ? cannot_save : cannot_open).english);
            QCOMPARE(outcome.message.chinese, (save ? cannot_save : cannot_open).chinese);
            QVERIFY2(chann == before, name);
        }
        QVERIFY(QFileInfo(path("folder.chann")).isDir());
    }

private:
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(Test_channel_file)
#include "test_channel_file.moc"
