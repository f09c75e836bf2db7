// Backups of the image: kept with their date, pruned to the newest hundred,
// and never in the way of a transfer. That a read and a write against r7k-sim
// leave backups is checked in the end-to-end transfer test.
#include "core/globals.h"
#include "core/image.h"
#include "dialog_driver.h"
#include "files/backups.h"
#include "files/channel_file.h"
#include "link/comm_read_dialog.h"
#include "link/comm_write_dialog.h"
#include "link_rig.h"
#include "message_recorder.h"
#include "pattern_files.h"
#include "started_program.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace r7k;
using namespace Dialog_driver;

namespace {

QStringList backups()
{
    return QDir(Backups::Folder()).entryList(QDir::Files, QDir::Name);
}

// Opens a transfer dialog by its menu command on a fake line to the bench's
// radio and presses its button until the transfer is done.
template <class Dialog>
void transfer(Main_window &program, Window_id id, const char *command, const char *button,
              Wire_bench &bench)
{
    program.host().set_factory(
        id, [&](QWidget *parent) { return new Dialog(parent, program.host(), bench.parts()); });
    trigger(program, command);
    QPointer dialog = program.findChild<Dialog *>();
    QVERIFY(dialog);
    click(dialog, button);
    QVERIFY(bench.clock.advance_until([&] { return !dialog->isVisible(); }, 60'000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dialog);
}

} // namespace

class Test_backups : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(qputenv("XDG_DATA_HOME", data.path().toLocal8Bit())); }
    void init() { QDir(Backups::Folder()).removeRecursively(); }

    // Kept by when they were made: backups named by a clock that was once a
    // year ahead, and one named in the older form, go first.
    void the_newest_hundred_are_kept_by_their_time()
    {
        QVERIFY(QDir().mkpath(Backups::Folder()));
        const QDir folder(Backups::Folder());
        const QStringList others{"notes.chann", "r7k-old.chann", "r7k-20200101-000000-000.txt"};
        for (const QString &name : others)
            write_file(folder.filePath(name), "keep");
        const QDateTime start(QDate(2024, 5, 1), QTime(23, 59, 58, 5));
        const QStringList earlier{"r7k-20250501-235958-005-read.chann",
                                  "r7k-20250502-000001-000-before-write.chann",
                                  "r7k-20240101-000000-000.chann"};
        for (const QString &name : earlier) {
            write_file(folder.filePath(name), "earlier");
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::Append));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-30),
                                     QFileDevice::FileModificationTime));
        }

        Reset_image();
        QStringList expected;
        for (int i = 0; i < 100; ++i) {
            chann(1, 0) = qint16(i);
            const Backups::Kind kind = i % 2 ? Backups::Kind::Before_write : Backups::Kind::Read;
            QVERIFY(Backups::Keep(chann, kind, start.addSecs(i)).ok);
            expected.append(
                start.addSecs(i).toString(i % 2 ? "'r7k-'yyyyMMdd-HHmmss-zzz'-before-write.chann'"
                                                : "'r7k-'yyyyMMdd-HHmmss-zzz'-read.chann'"));
            // The backup just made is there, whatever the others are named.
            QVERIFY(folder.exists(expected.last()));
        }
        QStringList kept = backups();
        for (const QString &name : others)
            QVERIFY(kept.removeOne(name));
        expected.sort();
        QCOMPARE(kept, expected);
        QCOMPARE(expected.first(), QStringLiteral("r7k-20240501-235958-005-read.chann"));

        // Each holds the image as it was; two in the same millisecond both stay.
        QCOMPARE(read_file(folder.filePath(expected.last())), Channel_file::Format_image(chann));
        QVERIFY(Backups::Keep(chann, Backups::Kind::Before_write, start.addSecs(99)).ok);
        QVERIFY(backups().contains("r7k-20240502-000137-006-before-write.chann"));
        QVERIFY(!backups().contains(expected.first()));
        QCOMPARE(backups().size(), 100 + int(others.size()));
    }

    void a_failed_backup_is_shown_but_never_stops_a_transfer()
    {
        // A file where the folder should be.
        QVERIFY(QDir().mkpath(QFileInfo(Backups::Folder()).path()));
        write_file(Backups::Folder(), "in the way");
        const Channel_file::Outcome kept = Backups::Keep(chann, Backups::Kind::Read);
        QCOMPARE(kept.message.english, QStringLiteral("The backup could not be saved."));
        const QString where = QDir::toNativeSeparators(Backups::Folder());
        QCOMPARE(kept.details,
                 Bilingual(where + ": 无法创建该文件夹", where + ": the folder cannot be created"));

        Wire_bench bench;
        auto program = Start_program();
        Message_recorder recorder;
        transfer<Form_Comm_Read>(*program, Window_id::Comm_read, "Prog_read", "Command_Read",
                                 bench);
        QCOMPARE(recorder.texts(), QStringList{"从对讲机中读取数据完毕 ！"});
        QCOMPARE(chann(1, 3), bench.radio.byte(1, 3));
        QCOMPARE(program->panel_text(2), QStringLiteral("备份未能保存 ！"));
        QCOMPARE(program->findChild<QLabel *>("Panel2")->toolTip(), kept.details.chinese);
        program->switch_language(false);
        QCOMPARE(program->panel_text(2), QStringLiteral("The backup could not be saved."));
        QCOMPARE(program->findChild<QLabel *>("Panel2")->toolTip(), kept.details.english);

        chann(1, 3) = 0x44;
        transfer<Form_Comm_Write>(*program, Window_id::Comm_write, "Prog_write", "Command_Write",
                                  bench);
        QVERIFY(bench.radio.ended());
        QCOMPARE(bench.radio.byte(1, 3), 0x44);
        // The write's dialog has closed; its end stays, with the failed backup.
        const QString written = "^Complete writing Data \\d\\d:\\d\\d:\\d\\d";
        QVERIFY2(QRegularExpression(written + "  The backup could not be saved\\.$")
                     .match(program->panel_text(2))
                     .hasMatch(),
                 qPrintable(program->panel_text(2)));

        // Once the folder can be made again, the next backup clears the notice.
        QVERIFY(QFile::remove(Backups::Folder()));
        transfer<Form_Comm_Write>(*program, Window_id::Comm_write, "Prog_write", "Command_Write",
                                  bench);
        QVERIFY(QRegularExpression(written + '$').match(program->panel_text(2)).hasMatch());
        program->switch_language(true);
        QVERIFY(program->panel_text(2).startsWith("数据写入完毕 ！ "));
        QCOMPARE(backups().size(), 1);
        QCOMPARE(recorder.texts(), QStringList{"从对讲机中读取数据完毕 ！"});
    }

private:
    QTemporaryDir data;
};

QTEST_MAIN(Test_backups)
#include "test_backups.moc"
