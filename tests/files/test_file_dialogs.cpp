#include "core/globals.h"
#include "core/image.h"
#include "dialog_driver.h"
#include "files/channel_file.h"
#include "files/channel_file_dialog.h"
#include "files/directory_list.h"
#include "files/file_name_check.h"
#include "files/volumes.h"
#include "message_recorder.h"
#include "started_program.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

using namespace r7k;
using namespace Dialog_driver;

namespace {

// A document window whose unfinished edit stores `value` into cell (row, 0).
class Pending_edit_view : public QWidget, public Image_view {
public:
    Pending_edit_view(int row, qint16 value) : row(row), value(value) {}
    void activated() override {}
    void commit_pending_edit() override { chann(row, 0) = value; }

private:
    int row;
    qint16 value;
};

void write_file(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QByteArray read_file(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Rows 0..280 of the image filled with a pattern no start-up image has.
void fill_with_pattern()
{
    for (int row = 0; row < Channel_file::Rows; ++row)
        for (int column = 0; column < Channel_file::Columns; ++column)
            chann(row, column) = qint16((row * 7 + column * 3) % 256);
}

QStringList items_of(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class Test_file_dialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(folder.isValid());
        QVERIFY(QDir::setCurrent(folder.path()));
        program = Start_program();
        messages.messages.clear();
        File_path.clear();
    }
    void cleanup()
    {
        program.reset();
        QDir::setCurrent(QDir::rootPath());
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
    }

    void name_checks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("problem");
        const int invalid = int(File_name_problem::Invalid_character);
        const int suffix = int(File_name_problem::Wrong_suffix);
        const int none = int(File_name_problem::None);
        QTest::newRow("dollar") << "a$b.chann" << invalid;
        QTest::newRow("slash") << "../up.chann" << invalid;
        QTest::newRow("backslash") << "a\\b.chann" << invalid;
        QTest::newRow("hash before suffix") << "#.Chann" << invalid;
        QTest::newRow("empty") << "" << suffix;
        QTest::newRow("no suffix") << "channels" << suffix;
        QTest::newRow("upper case") << "ok.CHANN" << none;
        QTest::newRow("blanks around") << "  ok.chann  " << none;
        QTest::newRow("Chinese name") << "对讲机.chann" << none;
    }
    void name_checks()
    {
        QFETCH(QString, name);
        QFETCH(int, problem);
        QCOMPARE(int(Check_file_name(name)), problem);
    }

    void volume_of_a_path()
    {
        const QStringList roots{"/", "/home", "/home/u/disk"};
        QCOMPARE(Volume_of("/home/u/disk/x", roots), QStringLiteral("/home/u/disk"));
        QCOMPARE(Volume_of("/home/u", roots), QStringLiteral("/home"));
        QCOMPARE(Volume_of("/home", roots), QStringLiteral("/home"));
        QCOMPARE(Volume_of("/homework", roots), QStringLiteral("/"));
        const QStringList volumes = Volume_roots();
        QVERIFY(!volumes.isEmpty());
        QCOMPARE(volumes.first(), QDir::rootPath());
    }

    void bad_names_are_refused_in_both_languages_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const struct {
            bool save;
            const char *name;
            const char *chinese;
            const char *english;
        } rows[] = {
            {false, "*.chann", "打开信道参数文件名无效 ",
             "Open the file name of channel parameter is nullity "},
            {false, "a#b.chann", "打开信道参数文件名无效 ",
             "Open the file name of channel parameter is nullity "},
            {false, "x.Chann", "无效的信道参数文件后缀名！",
             "Nullity file suffix name of channel parameter."},
            {false, ".chan", "无效的信道参数文件后缀名！",
             "Nullity file suffix name of channel parameter."},
            {true, "*.chann", "保存信道参数所需要的文件名无效 ",
             "Store the file name of channel parameter need is nullity. "},
            {true, "a#b.chann", "保存信道参数所需要的文件名无效 ",
             "Store the file name of channel parameter need is nullity. "},
            {true, "x.Chann", "建议不要修改系统默认的文件后缀名！",
             "Advice don't modify file suffix name of system default ！"},
            {true, ".chan", "建议不要修改系统默认的文件后缀名！",
             "Advice don't modify file suffix name of system default ！"},
        };
        for (const auto &row : rows)
            for (const bool chinese : {true, false})
                QTest::addRow("%s %s %s", row.save ? "save" : "open", row.name,
                              chinese ? "Chinese" : "English")
                    << row.save << chinese << QString::fromUtf8(row.name)
                    << QString::fromUtf8(chinese ? row.chinese : row.english);
    }
    void bad_names_are_refused_in_both_languages()
    {
        QFETCH(bool, save);
        QFETCH(bool, chinese);
        QFETCH(QString, name);
        QFETCH(QString, message);
        trigger(*program, chinese ? "Language_chn" : "Language_eng");
        write_file(folder.filePath("x.Chann"), Channel_file::Format_image());
        const Data_image before = chann;

        QWidget *dialog = open_dialog(save);
        type_name(dialog, name);
        click(dialog, "Command_enter");
        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(messages.messages[0].title,
                 chinese ? QStringLiteral("操作提示") : QStringLiteral("Operate prompt"));
        QVERIFY(messages.messages[0].exclamation);
        QTest::qWait(0);
        QCOMPARE(window(save), dialog);
        QVERIFY(chann == before);
        QVERIFY(File_path.isEmpty());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"x.Chann"});
    }

    void save_then_open_gives_back_the_image()
    {
        fill_with_pattern();
        const Data_image saved = chann;

        QWidget *dialog = open_dialog(true);
        QCOMPARE(control<Directory_list>(dialog, "Dir1")->path(), folder.path());
        type_name(dialog, QStringLiteral("trip.chann"));
        click(dialog, "Command_enter");
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("信道参数保存完毕 ！")});
        QCOMPARE(File_path, folder.filePath("trip.chann"));
        QTRY_VERIFY(!window(true));
        QVERIFY(!Open_flags_of(Open_flag::Save_chann));
        QCOMPARE(read_file(File_path), Channel_file::Format_image());

        Reset_image();
        QVERIFY(chann != saved);
        trigger(*program, "Language_eng");
        dialog = open_dialog(false);
        auto *files = control<QListWidget>(dialog, "File1");
        QCOMPARE(items_of(files), QStringList{"trip.chann"});
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(files->item(0)).center());
        QCOMPARE(control<QLineEdit>(dialog, "Text1")->text(), QStringLiteral("trip.chann"));
        click(dialog, "Command_enter");
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("Succeed fold the channel parameter from file."));
        QTRY_VERIFY(!window(false));
        QVERIFY(chann == saved);
    }

    void save_stores_the_unfinished_edit_first()
    {
        program->host().set_factory(Window_id::Chann,
                                    [](QWidget *) { return new Pending_edit_view(5, 0x42); });
        program->host().open(Window_id::Chann);
        QWidget *dialog = open_dialog(true);
        type_name(dialog, QStringLiteral("edit.CHANN"));
        click(dialog, "Command_enter");
        QCOMPARE(chann(5, 0), qint16(0x42));
        QVERIFY(read_file(folder.filePath("edit.CHANN")).split('\n').at(5).startsWith(" 66 "));
    }

    void saving_over_a_file_replaces_it()
    {
        write_file(folder.filePath("old.chann"), "old contents\r\n");
        QWidget *dialog = open_dialog(true);
        type_name(dialog, QStringLiteral("old.chann"));
        click(dialog, "Command_enter");
        QCOMPARE(read_file(folder.filePath("old.chann")), Channel_file::Format_image());
    }

    void files_that_fail_change_nothing_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("has_details");
        QTest::newRow("missing") << false << "none.chann" << QByteArray()
                                 << "无法打开信道参数文件。" << true;
        QTest::newRow("not a number") << false << "bad.chann" << QByteArray(" 1  2 \r\n 3 x7 ")
                                      << "信道参数文件第 2 行的“x7”不是数值。" << false;
        QTest::newRow("short") << false << "short.chann" << QByteArray(" 1  2  3 ")
                               << "信道参数文件不完整：只有 3 个数值，应为 4496 个。" << false;
        QTest::newRow("folder opened")
            << false << "folder.chann" << QByteArray() << "无法打开信道参数文件。" << true;
        QTest::newRow("folder saved over")
            << true << "folder.chann" << QByteArray() << "无法保存信道参数文件。" << true;
    }
    void files_that_fail_change_nothing()
    {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        QFETCH(bool, has_details);
        if (!contents.isEmpty())
            write_file(folder.filePath(name), contents);
        QVERIFY(QDir(folder.path()).mkdir("folder.chann"));
        fill_with_pattern();
        const Data_image before = chann;

        QWidget *dialog = open_dialog(save);
        type_name(dialog, name);
        click(dialog, "Command_enter");
        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(!messages.messages[0].details.isEmpty(), has_details);
        QVERIFY(chann == before);
        QVERIFY(File_path.isEmpty());
        QTest::qWait(0);
        QCOMPARE(window(save), dialog);
        QVERIFY(QFileInfo(folder.filePath("folder.chann")).isDir());
    }

    void lists_show_folders_and_channel_files()
    {
        QDir dir(folder.path());
        QVERIFY(dir.mkpath("sub/deeper"));
        for (const char *name : {"a.chann", "B.CHANN", "c.Chann", "d.txt", "sub/inner.chann"})
            write_file(dir.filePath(name), Channel_file::Format_image());

        QWidget *dialog = open_dialog(false);
        auto *folders = control<Directory_list>(dialog, "Dir1");
        auto *files = control<QListWidget>(dialog, "File1");
        QCOMPARE(items_of(files), (QStringList{"a.chann", "B.CHANN"}));
        QCOMPARE(control<QLineEdit>(dialog, "Text1")->text(), QStringLiteral("*.chann"));

        activate(folders, folder.filePath("sub"));
        QCOMPARE(folders->path(), folder.filePath("sub"));
        QCOMPARE(items_of(files), QStringList{"inner.chann"});
        QVERIFY(find_entry(folders, folder.filePath("sub/deeper")));

        type_name(dialog, QStringLiteral("inner.chann"));
        fill_with_pattern();
        click(dialog, "Command_enter");
        QCOMPARE(File_path, folder.filePath("sub/inner.chann"));
        QCOMPARE(Channel_file::Format_image(), read_file(File_path));

        dialog = open_dialog(false);
        folders = control<Directory_list>(dialog, "Dir1");
        activate(folders, QFileInfo(folder.path()).absolutePath());
        QCOMPARE(folders->path(), QFileInfo(folder.path()).absolutePath());
    }

    void a_folder_gone_meanwhile_is_reported()
    {
        QVERIFY(QDir(folder.path()).mkdir("gone"));
        auto *folders = control<Directory_list>(open_dialog(false), "Dir1");
        QVERIFY(QDir(folder.path()).rmdir("gone"));
        activate(folders, folder.filePath("gone"));
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("无法打开该文件夹。")});
        QCOMPARE(messages.messages[0].details, folder.filePath("gone"));
        QCOMPARE(folders->path(), folder.path());
    }

    void drive_list_starts_on_the_working_folder_and_moves_to_roots()
    {
        if (Volume_roots().size() < 2)
            QSKIP("this computer has one volume only");
        QVERIFY(QDir(folder.path()).mkdir("sub"));
        QWidget *dialog = open_dialog(false);
        auto *drives = control<QComboBox>(dialog, "Drive1");
        const QStringList roots = Volume_roots();
        QCOMPARE(drives->count(), roots.size());
        QCOMPARE(drives->itemText(0), QDir::rootPath());
        QCOMPARE(drives->currentText(), Volume_of(folder.path(), roots));

        // The list shows another volume, as if the user had been there, and
        // the user picks the root.
        if (roots.size() > 1) {
            const QSignalBlocker quiet(drives);
            drives->setCurrentIndex(1);
        }
        control<Directory_list>(dialog, "Dir1")->set_path(folder.filePath("sub"));
        drives->setCurrentIndex(0);
        QCOMPARE(control<Directory_list>(dialog, "Dir1")->path(), QDir::rootPath());
        const QStringList in_root =
            QDir::root().entryList({"*.chann", "*.CHANN"}, QDir::Files | QDir::CaseSensitive);
        QCOMPARE(items_of(control<QListWidget>(dialog, "File1")).size(), in_root.size());
    }

    void cancel_closes_without_effect()
    {
        fill_with_pattern();
        const Data_image before = chann;
        for (const bool save : {false, true}) {
            QWidget *dialog = open_dialog(save);
            type_name(dialog, QStringLiteral("never.chann"));
            click(dialog, "Command_cancel");
            QTRY_VERIFY(!window(save));
        }
        QVERIFY(chann == before);
        QVERIFY(messages.messages.isEmpty());
        QVERIFY(!QFile::exists(folder.filePath("never.chann")));
    }

    void texts_follow_the_language_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("open Chinese")
            << false << true
            << QStringList{"打开信道参数文件", "驱动器：", "打开文件名：", "确  定", "取  消"};
        QTest::newRow("open English")
            << false << false
            << QStringList{"Open Channcle File", "Drive:", "Open File:", "Confirm", "Cancel"};
        QTest::newRow("save Chinese")
            << true << true
            << QStringList{"保存信道参数文件", "驱动器：", "保存文件名：", "确  定", "取  消"};
        QTest::newRow("save English")
            << true << false
            << QStringList{"Save Channel File", "Drive:", "Save File:", "Confirm", "Cancel"};
    }
    void texts_follow_the_language()
    {
        QFETCH(bool, save);
        QFETCH(bool, chinese);
        QFETCH(QStringList, texts);
        trigger(*program, chinese ? "Language_chn" : "Language_eng");
        QWidget *dialog = open_dialog(save);
        QCOMPARE(dialog->windowTitle(), texts[0]);
        QCOMPARE(text_of(dialog, "Label_drive"), texts[1]);
        QCOMPARE(text_of(dialog, "Label_name"), texts[2]);
        QCOMPARE(text_of(dialog, "Command_enter"), texts[3]);
        QCOMPARE(text_of(dialog, "Command_cancel"), texts[4]);
    }

    void save_and_save_as_open_the_same_dialog()
    {
        for (const char *command : {"File_save", "File_saveas"}) {
            trigger(*program, command);
            QVERIFY(qobject_cast<Form_save_chann *>(window(true)));
        }
        trigger(*program, "File_Open");
        QVERIFY(qobject_cast<Form_open_chann *>(window(false)));
    }

    void sits_at_the_top_of_the_main_window()
    {
        program->resize(1200, 900);
        const QWidget *dialog = open_dialog(false);
        const QRect main = program->frameGeometry();
        QCOMPARE(dialog->size(), QSize(int(main.width() / 1.5), int(main.height() / 1.3)));
        QCOMPARE(dialog->x(), main.x() + (main.width() - dialog->width()) / 2);
        QCOMPARE(dialog->y(), main.y());
    }

private:
    QWidget *window(bool save) const
    {
        return program->host().window(save ? Window_id::Save_chann : Window_id::Open_chann);
    }

    QWidget *open_dialog(bool save)
    {
        trigger(*program, save ? "File_save" : "File_Open");
        QWidget *dialog = window(save);
        if (!dialog)
            qFatal("the file dialog did not open");
        return dialog;
    }

    static void type_name(QWidget *dialog, const QString &name)
    {
        auto *box = control<QLineEdit>(dialog, "Text1");
        box->clear();
        QTest::keyClicks(box, name);
    }

    static QListWidgetItem *find_entry(const QListWidget *list, const QString &path)
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->data(Qt::UserRole).toString() == path)
                return list->item(i);
        return nullptr;
    }

    // Double-clicks the entry of `path` in the folder list.
    static void activate(QListWidget *folders, const QString &path)
    {
        QListWidgetItem *entry = find_entry(folders, path);
        QVERIFY2(entry, qPrintable(path));
        folders->scrollToItem(entry);
        const QPoint at = folders->visualItemRect(entry).center();
        QVERIFY(folders->viewport()->rect().contains(at));
        QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir folder;
    Message_recorder messages;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_file_dialogs)
#include "test_file_dialogs.moc"
