#include "core/image.h"
#include "disk_conditions.h"
#include "files/channel_file.h"
#include "pattern_files.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace r7k;

namespace {

const Bilingual Cannot_open{"无法打开信道参数文件。",
                            "The channel parameter file cannot be opened."};
const Bilingual Cannot_save{"无法保存信道参数文件。",
                            "The channel parameter file cannot be saved."};
const Bilingual Not_a_regular_file{"它不是普通文件，而是设备、管道或文件夹。",
                                   "It is not a regular file but a device, a pipe or a folder."};
const Bilingual No_space{"设备上没有空间", "No space left on device"};

int diagonal(int row, int column)
{
    return (row + column) % 256;
}

QByteArray plain(int value)
{
    return QByteArray::number(value);
}

// A file of the diagonal pattern, each value spelled by `spell` and followed
// by `separator`, each row by `end`.
QByteArray diagonal_file(const QByteArray &separator, const QByteArray &end, const char *lead = "",
                         QByteArray (*spell)(int) = plain)
{
    QByteArray text;
    for (int row = 0; row < Channel_file::Rows; ++row) {
        text += lead;
        for (int column = 0; column < Channel_file::Columns; ++column)
            text += spell(diagonal(row, column)) + separator;
        text += end;
    }
    return text;
}

// The file's own identity on disk: a save in place keeps it, a save through
// a new file gives the name another.
ino_t inode_of(const QString &path)
{
    struct stat facts {};
    return stat(QFile::encodeName(path).constData(), &facts) == 0 ? facts.st_ino : 0;
}

} // namespace

// Every load and save works on an image of the test's own; the program's
// image stays as init left it.
class Test_channel_file : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        chann.clear();
        image.clear();
    }
    void cleanup()
    {
        QVERIFY(chann == Data_image());
        QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(dir.path()));
    }

    void save_then_load_gives_the_same_image()
    {
        Reset_image(image);
        Load_default_image(image);
        image.fill(1, 2, 0, 15, 255);
        image(1, 1) = 7;
        image(2, 0) = 0;
        image.fill(281, 300, 0, 32, 1); // cells outside the file must stay untouched
        image.fill(0, 280, 16, 32, 1);
        const Data_image saved = image;
        QVERIFY(Channel_file::Save(path("radio.chann"), image).ok);
        const QList<QByteArray> lines = read_file(path("radio.chann")).split('\n');
        QCOMPARE(lines.size(), Channel_file::Rows + 1);
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(lines[0], QByteArray(" 255 ").repeated(16) + '\r');
        QCOMPARE(lines[1], " 255  7 " + QByteArray(" 255 ").repeated(14) + '\r');
        QVERIFY(lines[2].startsWith(" 0  255 "));

        image.fill(0, 280, 0, 15, 0);
        QVERIFY(Channel_file::Load(path("radio.chann"), image).ok);
        QVERIFY(image == saved);

        // The same text from memory, as a tool holding the bytes would give it.
        Data_image copy = saved;
        copy.fill(0, 280, 0, 15, 0);
        const QByteArray text = read_file(path("radio.chann"));
        QVERIFY(Channel_file::Load_text(QByteArrayView(text.constData(), text.size()), copy).ok);
        QVERIFY(copy == saved);
    }

    // Numbers follow the list-input rules: any blanks, commas and line ends
    // between them, signs, leading zeros and whole values with a point.
    void reads_hand_written_files()
    {
        const std::pair<const char *, QByteArray> files[] = {
            {"print form, CR LF", diagonal_file("  ", "\r\n", " ")},
            {"commas, LF", diagonal_file(",", "\n").replace(",\n", "\n")},
            {"runs of blanks and commas", diagonal_file(" ,\t ", "\r\n", "  ")},
            {"one line, extra numbers after", diagonal_file(" ", "") + " 999 abc\r\n"},
            {"CR line ends", diagonal_file(" ", "\r")},
            {"leading zeros",
             diagonal_file(" ", "\r\n", "", [](int v) { return plain(v).rightJustified(6, '0'); })},
            {"plus signs", diagonal_file(" ", "\r\n", "", [](int v) { return '+' + plain(v); })},
            {"whole values with a point",
             diagonal_file(" ", "\r\n", "",
                           [](int v) { return plain(v) + (v % 2 ? ".0" : ".000"); })},
            {"a point at the end",
             diagonal_file(",", "\n", "", [](int v) { return plain(v) + '.'; })},
            {"signed zero",
             diagonal_file(" ", "\r\n", "", [](int v) { return v ? plain(v) : "-0"; })},
            {"byte-order mark", "\xEF\xBB\xBF" + diagonal_file(" ", "\r\n")},
            {"byte-order mark, blank first", "\xEF\xBB\xBF " + diagonal_file(" ", "\r\n")},
        };
        Data_image expected;
        fill_file_rows(diagonal, expected);
        for (const auto &[label, text] : files) {
            image.clear();
            write_file(path("hand.chann"), text);
            const Channel_file::Outcome outcome = Channel_file::Load(path("hand.chann"), image);
            QVERIFY2(outcome.ok, label);
            QVERIFY2(image == expected, label);
        }
    }

    void bad_files_change_nothing()
    {
        Reset_image(image);
        const QByteArray good = Channel_file::Format_image(image);
        const auto with = [&](qsizetype at, qsizetype length, const char *text) {
            return QByteArray(good).replace(at, length, text);
        };
        // The messages name the file: English and Chinese forms, by fault.
        enum Fault { Short, Nan, Range, Part };
        const std::pair<QString, QString> forms[] = {
            {"测试.chann is incomplete: it holds %1 values instead of 4496.",
             "测试.chann 不完整：只有 %1 个数值，应为 4496 个。"},
            {"Line %1 of 测试.chann holds \"%2\", which is not a number.",
             "测试.chann 第 %1 行的“%2”不是数值。"},
            {"Line %1 of 测试.chann holds the value %2, which is outside 0 to 255.",
             "测试.chann 第 %1 行的数值 %2 超出 0 至 255 的范围。"},
            {"Line %1 of 测试.chann holds the value %2, which is not a whole number.",
             "测试.chann 第 %1 行的数值 %2 不是整数。"}};
        const QByteArray cr_only = QByteArray(good).replace("\r\n", "\r");
        const qsizetype line_2 = good.indexOf("\r\n") + 2;
        // The text, its fault, the line (or the count of values) and the value named.
        const std::tuple<QByteArray, Fault, int, QString> files[] = {
            {QByteArray(), Short, 0, {}},
            {good.left(good.lastIndexOf(" 0 ")), Short, 4495, {}},
            {with(line_2 + 5, 4, " 2x5"), Nan, 2, "2x5"},
            {with(0, 4, " 7.5"), Part, 1, "7.5"},
            {with(line_2, 4, " .50"), Part, 2, ".50"},
            {with(0, 4, " +."), Nan, 1, "+."},
            {with(0, 4, " 1e2"), Nan, 1, "1e2"},
            {with(0, 4, " 7.0.0"), Nan, 1, "7.0.0"},
            {with(0, 4, " 256.0"), Range, 1, "256.0"},
            {with(0, 4, " 00000000000000000000256"), Range, 1, "0000000000000000..."},
            {with(0, 4, " 99999999999999999999"), Range, 1, "9999999999999999..."},
            {QByteArray(cr_only).replace(2 * (cr_only.indexOf('\r') + 1), 4, " 2x5"), Nan, 3,
             "2x5"},
            {"\xEF\xBB\xBF\xEF\xBB\xBF" + good, Nan, 1, "?"},
            {with(0, 4, " 频道"), Nan, 1, "频道"},
            {with(good.lastIndexOf(" 0 "), 3, " 256 "), Range, 281, "256"},
            {with(0, 4, " -1 "), Range, 1, "-1"},
        };
        const Data_image before = fill_file_rows(
            [](int row, int column) { return (row * 7 + column * 13) % 256; }, image);
        for (const auto &[text, fault, line, value] : files) {
            write_file(path("测试.chann"), text);
            const Channel_file::Outcome outcome = Channel_file::Load(path("测试.chann"), image);
            QStringList said;
            for (const QString &form : {forms[fault].first, forms[fault].second})
                said.append(value.isNull() ? form.arg(line) : form.arg(line).arg(value));
            QVERIFY2(!outcome.ok, qPrintable(said[0]));
            QCOMPARE(outcome.message.english, said[0]);
            QCOMPARE(outcome.message.chinese, said[1]);
            QVERIFY2(image == before, qPrintable(said[0]));
        }
    }

    // Nothing but a regular file of a plausible size is read: a pipe or a
    // device would keep the program waiting or reading without end. Nor is
    // anything but a regular file written over: a pipe, or a link to one,
    // stays what it is.
    void refuses_what_cannot_be_a_channel_file()
    {
        const Bilingual too_large{
            "它大于 1 MB，远大于本程序读取的任何文件。",
            "It is larger than 1 MB, far larger than any file this program reads."};
        QVERIFY(mkfifo(QFile::encodeName(path("pipe.chann")).constData(), 0600) == 0);
        QVERIFY(QFile::link(path("pipe.chann"), path("link.chann")));
        QVERIFY(QFile::link("/dev/zero", path("zero.chann")));
        QVERIFY(QDir().mkpath(path("folder.chann")));
        const QByteArray good = Channel_file::Format_image(image);
        write_file(path("big.chann"), good + QByteArray((1 << 20) - good.size() + 1, ' '));
        write_file(path("largest.chann"), good + QByteArray((1 << 20) - good.size(), ' '));
        const Data_image before = fill_file_rows(diagonal, image);
        for (const auto &[name, details] : {std::pair{"pipe.chann", Not_a_regular_file},
                                            {"zero.chann", Not_a_regular_file},
                                            {"folder.chann", Not_a_regular_file},
                                            {"big.chann", too_large}}) {
            const Channel_file::Outcome outcome = Channel_file::Load(path(name), image);
            QVERIFY2(!outcome.ok, name);
            QCOMPARE(outcome.message, Cannot_open);
            QCOMPARE(outcome.details, details);
            QVERIFY2(image == before, name);
        }
        for (const char *name : {"pipe.chann", "link.chann", "folder.chann"}) {
            const Channel_file::Outcome saved = Channel_file::Save(path(name), image);
            QCOMPARE(saved.message, Cannot_save);
            QCOMPARE(saved.details, Not_a_regular_file);
        }
        QVERIFY(!QFileInfo(path("pipe.chann")).isFile());
        QVERIFY(Channel_file::Load(path("largest.chann"), image).ok);
    }

    // The old file stays whole when the new one does not fit, and the message
    // names the reason, also where the folder takes no new file and the file is
    // written in place.
    void a_full_volume_keeps_the_old_file()
    {
        QVERIFY(QDir().mkpath(path("small")));
        Small_volume volume(path("small"), 12);
        if (!volume.ready)
            QSKIP(qPrintable("no small volume can be mounted here: " + volume.why_not));
        QVERIFY(QDir().mkpath(path("small/locked")));
        const QByteArray old = "old contents\r\n";
        // Zeros give a text that Qt would buffer whole, the diagonal one a text
        // that it would write at once.
        for (const int modulus : {1, 256}) {
            const QString file = path("small/radio.chann");
            write_file(file, old);
            fill_file_rows([=](int row, int column) { return (row + column) % modulus; }, image);
            const Channel_file::Outcome outcome = Channel_file::Save(file, image);
            QVERIFY(!outcome.ok);
            QCOMPARE(outcome.message, Cannot_save);
            QCOMPARE(outcome.details, No_space);
            QCOMPARE(read_file(file), old);
            QCOMPARE(QDir(path("small")).entryList(QDir::Files | QDir::Hidden),
                     QStringList{"radio.chann"});
        }

        // Where the folder takes no new file, the file itself is written over.
        const QString in_place = path("small/locked/radio.chann");
        write_file(in_place, old);
        QVERIFY(QFile::setPermissions(path("small/locked"), QFile::ReadOwner | QFile::ExeOwner));
        Channel_file::Outcome outcome;
        {
            Permission_bits_apply as_any_user;
            outcome = Channel_file::Save(in_place, image);
        }
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.details, No_space);
        QCOMPARE(read_file(in_place), old);
    }

    // A save goes through a new file that then takes the old one's name, so
    // that no moment holds half a file; where the folder takes no new file,
    // the file itself is written over.
    void saves_in_place_only_where_the_folder_is_read_only()
    {
        const QString folder = path("locked");
        const QString file = folder + "/radio.chann";
        QVERIFY(QDir().mkpath(folder));
        fill_file_rows(diagonal, image);
        const QFile::Permissions writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        const auto unlock = qScopeGuard([&] { QFile::setPermissions(folder, writable); });
        for (const bool locked : {false, true}) {
            write_file(file, "old contents\r\n");
            const ino_t before = inode_of(file);
            QFile::setPermissions(folder, locked ? writable & ~QFile::WriteOwner : writable);
            Channel_file::Outcome outcome;
            {
                Permission_bits_apply as_any_user;
                if (locked && QFile(folder + "/probe").open(QIODevice::WriteOnly))
                    QSKIP("this system lets the test write into a read-only folder");
                outcome = Channel_file::Save(file, image);
            }
            QVERIFY2(outcome.ok, qPrintable(outcome.details.english));
            QCOMPARE(read_file(file), Channel_file::Format_image(image));
            QCOMPARE(inode_of(file) == before, locked);
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                     QStringList{"radio.chann"});
        }
    }

private:
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    Data_image image;
};

QTEST_GUILESS_MAIN(Test_channel_file)
#include "test_channel_file.moc"
