// The File menu's CSV export and import and its backup command, in the
// started program, driven through the menus and the real file dialogs.
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/globals.h"
#include "core/image.h"
#include "csv/csv_export.h"
#include "dialog_driver.h"
#include "files/backups.h"
#include "files/channel_file_dialog.h"
#include "files/directory_list.h"
#include "message_recorder.h"
#include "pattern_files.h"
#include "started_program.h"

#include <QDir>
#include <QListWidget>
#include <QMenu>
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

    // Export through the dialog, then import the file back: the question and
    // the summary say what the import keeps and empties.
    void an_import_asks_for_the_encoding_and_a_list_exported_comes_back()
    {
        // Names that read as UTF-8 and as GBK: the user is shown both and picks;
        // the rows left out are listed under the summary.
        const QString rough = folder.filePath("rough.csv");
        write_file(rough, "Location,Name,Frequency\r\n1,Caf\xC3\xA9,446.007\r\n2,TWO,900\r\n");
        choose_file(*program, "File_import_csv", rough);
        QCOMPARE(messages.texts().mid(1, 1),
                 QStringList{"CSV 文件中的名称可按两种编码读取：\nUTF-8：Café\nGBK：Caf茅\n按 GBK "
                             "读取吗？（选“否”则按 UTF-8 读取。）"});
        QCOMPARE(Channel_name(1), QStringLiteral("Caf茅"));
        QVERIFY(messages.texts().last().startsWith("已从 CSV 文件（按 GBK 读取）导入 1 个信道"));
        QVERIFY(messages.messages.last().details.contains("\n第 3 行未导入"));
        messages.messages.clear();

        const auto captions = [this] {
            const QList<QAction *> file = program->findChild<QMenu *>("File")->actions();
            QStringList texts;
            for (const char *name : {"File_export_csv", "File_import_csv", "File_open_backup"})
                if (auto *command = program->findChild<QAction *>(name); file.contains(command))
                    texts.append(command->text());
            return texts.join('|');
        };
        QCOMPARE(captions(), QStringLiteral("导出 CSV...|导入 CSV...|打开备份..."));

        Reset_image();
        Load_default_image();
        Store_channel_name(3, QStringLiteral("三号"));
        Clear_tx_freq(7);
        const Data_image listed = chann;
        const QString path = folder.filePath("list.csv");
        choose_file(*program, "File_export_csv", path);
        QCOMPARE(messages.texts(), QStringList{"已将 16 个信道导出到 CSV 文件。"});
        QCOMPARE(read_file(path), Channel_csv::Export(listed));
        // The second file type is the form for spreadsheets.
        choose_file(*program, "File_export_csv", folder.filePath("sheet.csv"), 1);
        QCOMPARE(read_file(folder.filePath("sheet.csv")), "\xEF\xBB\xBF" + read_file(path));

        chann(3, Record::Vox) = 2;
        Enter_rx_freq(20, "446.1", true);
        const Data_image before = chann;
        trigger(*program, "Language_eng");
        QCOMPARE(captions(), QStringLiteral("Export CSV...|Import CSV...|Open Backup..."));
        messages.messages.clear();
        messages.answer = false;
        choose_file(*program, "File_import_csv", path);
        QCOMPARE(messages.texts(),
                 QStringList{"Importing replaces all 128 channels with those of the CSV file: "
                             "the channels in the file keep their VOX and the settings a CSV "
                             "file does not carry, the channels not in the file are emptied. "
                             "Continue?"});
        QVERIFY(messages.messages[0].question && chann == before);
        QCOMPARE(messages.messages[0].title, QStringLiteral("Operate prompt"));

        messages.answer = true;
        choose_file(*program, "File_import_csv", path);
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("16 channels were imported from the CSV file (read as UTF-8). "
                                "16 channels kept their VOX and the settings a CSV file does not "
                                "carry. 1 channel not in the file was emptied."));
        QCOMPARE(chann(3, Record::Vox), qint16(2));
        chann(3, Record::Vox) = listed(3, Record::Vox);
        QVERIFY(chann == listed);
    }

    void open_backup_shows_the_backup_folder()
    {
        QVERIFY(QDir(Backups::Folder()).removeRecursively());
        Reset_image();
        Load_default_image();
        const Data_image backed_up = chann;
        for (int day : {2, 1})
            QVERIFY(Backups::Keep(Data_image{}, Backups::Kind::Read,
                                  QDateTime(QDate(2024, 1, day), QTime(0, 0)))
                        .ok);
        QVERIFY(Backups::Keep(chann, Backups::Kind::Read).ok);
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
    QTemporaryDir data;
    QTemporaryDir folder;
    Message_recorder messages;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_csv_commands)
#include "test_csv_commands.moc"
