// The File menu's CSV export and import and its backup command, in the
// started program, driven through the menus and the real file dialogs.
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/globals.h"
#include "core/image.h"
#include "dialog_driver.h"
#include "files/backups.h"
#include "files/channel_csv.h"
#include "files/channel_file_dialog.h"
#include "files/directory_list.h"
#include "message_recorder.h"
#include "pattern_files.h"
#include "started_program.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <algorithm>

using namespace r7k;
using namespace Dialog_driver;

class Test_csv_commands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(qputenv("XDG_DATA_HOME", data.path().toLocal8Bit())); }
    void init()
    {
        program = Start_program();
        messages.messages.clear();
        messages.answer = true;
    }
    void cleanup() { program.reset(); }

    void the_file_menu_offers_them_in_both_languages()
    {
        const char *const commands[] = {"File_export_csv", "File_import_csv", "File_open_backup"};
        const auto captions = [this, &commands] {
            QStringList texts;
            for (const char *name : commands)
                texts.append(program->findChild<QAction *>(name)->text());
            return texts;
        };
        QCOMPARE(captions(), QStringList({"导出 CSV...", "导入 CSV...", "打开备份..."}));
        trigger(*program, "Language_eng");
        QCOMPARE(captions(), QStringList({"Export CSV...", "Import CSV...", "Open Backup..."}));
        const QList<QAction *> file = program->findChild<QMenu *>("File")->actions();
        for (const char *name : commands)
            QVERIFY(file.contains(program->findChild<QAction *>(name)));
    }

    void export_then_import_gives_back_the_channels()
    {
        Reset_image();
        Load_default_image();
        Store_channel_name(3, QStringLiteral("三号"));
        Clear_tx_freq(7);
        const Data_image listed = chann;
        const QString path = folder.filePath("list.csv");

        choose_file("File_export_csv", path);
        QCOMPARE(messages.texts(), QStringList{"已将 16 个信道导出到 CSV 文件。"});
        QCOMPARE(read_file(path), Channel_csv::Export(listed));

        // The program asks before it replaces every channel; No changes nothing.
        Reset_image();
        const Data_image fresh = chann;
        trigger(*program, "Language_eng");
        messages.messages.clear();
        messages.answer = false;
        choose_file("File_import_csv", path);
        QCOMPARE(messages.texts(),
                 QStringList{"Importing replaces all 128 channels with those of the CSV file. "
                             "Continue?"});
        QVERIFY(messages.messages[0].question);
        QCOMPARE(messages.messages[0].title, QStringLiteral("Operate prompt"));
        QVERIFY(chann == fresh);

        messages.messages.clear();
        messages.answer = true;
        choose_file("File_import_csv", path);
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("16 channels were imported from the CSV file."));
        QVERIFY(chann == listed);
    }

    void the_import_report_lists_what_it_left_out()
    {
        const QString path = folder.filePath("rough.csv");
        write_file(path, "Location,Name,Frequency\r\n1,ONE,446.007\r\n2,TWO,900\r\n");
        choose_file("File_import_csv", path);
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("已从 CSV 文件导入 1 个信道，1 行未导入。"));
        QCOMPARE(
            messages.messages.last().details,
            QStringLiteral("第 2 行：接收频率 446.007000 MHz 已按信道步进存为 446.006250 MHz。\n"
                           "第 2 行：发射频率 446.007000 MHz 已按信道步进存为 446.006250 MHz。\n"
                           "第 3 行未导入：接收频率 900.000000 MHz 不在所选机型的频段 136 至 "
                           "470 MHz 之内。"));
        QCOMPARE(Channel_row_texts(1)[Rx_column], QStringLiteral("446.00625"));
    }

    void open_backup_shows_the_backup_folder()
    {
        Reset_image();
        Load_default_image();
        const Data_image backed_up = chann;
        for (int day : {2, 1})
            QVERIFY(Backups::Keep(Data_image{}, QDateTime(QDate(2024, 1, day), QTime(0, 0))).ok);
        QVERIFY(Backups::Keep(chann).ok);
        Reset_image();

        trigger(*program, "File_open_backup");
        auto *dialog = program->findChild<Form_open_chann *>();
        QVERIFY(dialog);
        QCOMPARE(control<Directory_list>(dialog, "Dir1")->path(), Backups::Folder());
        // Newest first, each name whole.
        auto *files = control<QListWidget>(dialog, "File1");
        QStringList kept = QDir(Backups::Folder()).entryList(QDir::Files, QDir::Name);
        std::reverse(kept.begin(), kept.end());
        QCOMPARE(kept.size(), 3);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(files->item(row)->text(), kept[row]);
            QVERIFY(files->fontMetrics().horizontalAdvance(kept[row]) < files->viewport()->width());
        }
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(files->item(0)).center());
        click(dialog, "Command_enter");
        QCOMPARE(messages.texts(), QStringList{"信道参数从文件调入成功 ！"});
        QVERIFY(chann == backed_up);
    }

private:
    // Chooses the command, puts the file's path into the name box of its file
    // dialog (as pasted: typing would open the name completion's list) and
    // presses Enter; the dialog closes when it took the file.
    void choose_file(const char *command, const QString &path)
    {
        trigger(*program, command);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QList<QFileDialog *> dialogs = program->findChildren<QFileDialog *>();
        QCOMPARE(dialogs.size(), 1);
        QPointer dialog = dialogs[0];
        QVERIFY(dialog->isVisible());
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(name);
        name->setFocus();
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
        QTRY_VERIFY(!dialog || !dialog->isVisible());
    }

    QTemporaryDir data;
    QTemporaryDir folder;
    Message_recorder messages;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_csv_commands)
#include "test_csv_commands.moc"
