#include "core/globals.h"
#include "core/image.h"
#include "dialog_driver.h"
#include "files/channel_file.h"
#include "files/channel_file_dialog.h"
#include "files/directory_list.h"
#include "files/file_name_check.h"
#include "files/volumes.h"
#include "message_recorder.h"
#include "pattern_files.h"
#include "started_program.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

using namespace r7k;
using namespace Dialog_driver;

namespace {

// A document window whose unfinished edit stores 0x42 into cell (5, 0).
class Pending_edit_view : public QWidget, public Image_view {
public:
    void activated() override {}
    void commit_pending_edit() override { chann(5, 0) = 0x42; }
};

// Rows 0..280 of the image filled with a pattern no start-up image has.
Data_image fill_with_pattern()
{
    return fill_file_rows([](int row, int column) { return (row * 7 + column * 3) % 256; });
}

} // namespace

class Test_file_dialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir::setCurrent(folder.path()));
        program = Start_program();
        messages.messages.clear();
        Image_origin = {};
    }
    void cleanup()
    {
        program.reset();
        QDir::setCurrent(QDir::rootPath());
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
    }

    void name_checks()
    {
        const std::pair<File_name_problem, QStringList> rows[] = {
            {File_name_problem::Invalid_character,
             {"*.chann", "a#b.chann", "a$b.chann", "../up.chann", "a\\b.chann", "#.Chann"}},
            {File_name_problem::Wrong_suffix, {"x.Chann", ".chan", "", "channels"}},
            {File_name_problem::None, {"ok.chann", "ok.CHANN", "  ok.chann  ", "对讲机.chann"}},
        };
        for (const auto &[problem, names] : rows)
            for (const QString &name : names)
                QVERIFY2(Check_file_name(name) == problem, qPrintable(name));
    }

    void volume_of_a_path()
    {
        const QStringList roots{"/", "/home", "/home/u/disk"};
        QCOMPARE(Volume_of("/home/u/disk/x", roots), QStringLiteral("/home/u/disk"));
        QCOMPARE(Volume_of("/home", roots), QStringLiteral("/home"));
        QCOMPARE(Volume_of("/homework", roots), QStringLiteral("/"));
        QCOMPARE(Volume_roots().value(0), QDir::rootPath());
    }

    // Bad names and a file the system refuses: the message, in the language
    // on screen, and the dialog stays open with nothing changed; Cancel then
    // closes it, also with nothing changed.
    void refusals_keep_the_dialog_open()
    {
        // Whether saving, the name typed, the language and the message.
        const std::tuple<bool, const char *, bool, QString> rows[] = {
            {false, "*.chann", true, "打开信道参数文件名无效 "},
            {false, "x.Chann", false, "Nullity file suffix name of channel parameter."},
            {true, "a#b.chann", false,
             "Store the file name of channel parameter need is nullity. "},
            {true, ".chan", true, "建议不要修改系统默认的文件后缀名！"},
            {true, "folder.chann", false, "The channel parameter file cannot be saved."},
        };
        QVERIFY(QDir(folder.path()).mkdir("folder.chann"));
        write_file(folder.filePath("x.Chann"), Channel_file::Format_image(chann));
        const Data_image before = fill_with_pattern();
        for (const auto &[save, name, chinese, text] : rows) {
            messages.messages.clear();
            trigger(*program, chinese ? "Language_chn" : "Language_eng");
            QWidget *dialog = enter(save, name);
            QCOMPARE(messages.texts(), QStringList{text});
            QVERIFY(messages.messages[0].exclamation);
            QCOMPARE(messages.messages[0].details.isEmpty(), QByteArray(name) != "folder.chann");
            QTest::qWait(0);
            QCOMPARE(window(save), dialog);
        }
        // Cancel closes either dialog without effect.
        messages.messages.clear();
        for (const bool save : {false, true}) {
            type_name(window(save), "never.chann");
            click(window(save), "Command_cancel");
            QTRY_VERIFY(!window(save));
        }
        QVERIFY(messages.messages.isEmpty());
        QVERIFY(chann == before);
        QVERIFY(Image_origin.file.isEmpty());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"x.Chann"});
        QVERIFY(QFileInfo(folder.filePath("folder.chann")).isDir());
    }

    // A channel file named on the command line is loaded as File > Open loads
    // it; a bad one is refused with the same messages and changes nothing.
    void a_file_named_at_start_opens_as_file_open_opens_it()
    {
        fill_with_pattern();
        write_file(folder.filePath("trip.chann"), Channel_file::Format_image(chann));
        write_file(folder.filePath("bad.chann"), " 1  2  x \r\n");
        write_file(folder.filePath("notes.txt"), Channel_file::Format_image(chann));
        Reset_image();
        const Data_image start_up = chann;
        for (const char *name : {"bad.chann", "missing.chann", "notes.txt", "trip.chann"}) {
            // As File > Open does it.
            trigger(*program, "File_Open");
            enter(false, name);
            if (!Image_origin.file.isEmpty())
                QTRY_VERIFY(!window(false)); // and the table shows the file
            const QList<Message> by_menu = messages.messages;
            const Data_image image = chann;
            const QStringList grid = grid_texts(program->host().window(Window_id::Chann));
            const QString path = Image_origin.file;

            program.reset();
            Reset_image();
            Image_origin = {};
            messages.messages.clear();
            program = Start_program(name); // relative to the working folder, as typed
            QVERIFY(!program->host().window(Window_id::Open_chann));
            QCOMPARE(grid_texts(program->host().window(Window_id::Chann)), grid);
            QVERIFY(chann == image);
            QCOMPARE(Image_origin.file, path);
            if (path.isEmpty()) {
                QVERIFY(chann == start_up);
                QCOMPARE(messages.texts(), (QStringList{by_menu.value(0).text}));
                QCOMPARE(messages.messages[0].details, by_menu[0].details);
            } else {
                QCOMPARE(path, folder.filePath(name));
                QVERIFY(chann != start_up && messages.messages.isEmpty());
            }
            Reset_image();
            Image_origin = {};
            messages.messages.clear();
        }
    }

    void save_stores_the_unfinished_edit_first()
    {
        program->host().set_factory(Window_id::Chann,
                                    [](QWidget *) { return new Pending_edit_view; });
        program->host().open(Window_id::Chann);
        enter(true, "edit.CHANN");
        QCOMPARE(chann(5, 0), qint16(0x42));
        QVERIFY(read_file(folder.filePath("edit.CHANN")).split('\n').at(5).startsWith(" 66 "));
        QCOMPARE(messages.texts(), QStringList{"信道参数保存完毕 ！"});
        QCOMPARE(Image_origin.file, folder.filePath("edit.CHANN"));
        QTRY_VERIFY(!window(true));
        QVERIFY(!program->host().open_flag(Window_id::Save_chann));
    }

    void lists_show_folders_and_channel_files()
    {
        QDir dir(folder.path());
        QVERIFY(dir.mkpath("sub/deeper"));
        for (const char *name : {"a.chann", "B.CHANN", "c.Chann", "d.txt", "sub/inner.chann"})
            write_file(dir.filePath(name), Channel_file::Format_image(chann));

        trigger(*program, "Language_eng");
        QWidget *dialog = open_dialog(false);
        auto *folders = control<Directory_list>(dialog, "Dir1");
        QCOMPARE(grid_texts(dialog, "File1"), (QStringList{"a.chann", "B.CHANN"}));

        activate(folders, folder.filePath("sub"));
        QCOMPARE(folders->path(), folder.filePath("sub"));
        QCOMPARE(grid_texts(dialog, "File1"), QStringList{"inner.chann"});
        QVERIFY(find_entry(folders, folder.filePath("sub/deeper")));
        fill_with_pattern();
        enter(false, "inner.chann");
        QCOMPARE(messages.texts(), QStringList{"Succeed fold the channel parameter from file."});
        QCOMPARE(Image_origin.file, folder.filePath("sub/inner.chann"));
        QCOMPARE(Channel_file::Format_image(chann), read_file(Image_origin.file));

        folders = control<Directory_list>(open_dialog(false), "Dir1");
        activate(folders, QFileInfo(folder.path()).absolutePath());
        QCOMPARE(folders->path(), QFileInfo(folder.path()).absolutePath());
    }

    void a_folder_gone_meanwhile_is_reported()
    {
        QVERIFY(QDir(folder.path()).mkdir("gone"));
        auto *folders = control<Directory_list>(open_dialog(false), "Dir1");
        QVERIFY(QDir(folder.path()).rmdir("gone"));
        activate(folders, folder.filePath("gone"));
        QCOMPARE(messages.texts(), QStringList{"无法打开该文件夹。"});
        QCOMPARE(messages.messages[0].details, QDir::toNativeSeparators(folder.filePath("gone")));
        QCOMPARE(folders->path(), folder.path());
    }

    void drive_list_starts_on_the_working_folder_and_moves_to_roots()
    {
        const QStringList roots = Volume_roots();
        if (roots.size() < 2)
            QSKIP("this computer has one volume only");
        QVERIFY(QDir(folder.path()).mkdir("sub"));
        QWidget *dialog = open_dialog(false);
        auto *drives = control<QComboBox>(dialog, "Drive1");
        QCOMPARE(drives->currentText(), Volume_of(folder.path(), roots));

        // The list shows another volume, as if the user had been there, and
        // the user picks the root.
        drives->blockSignals(true);
        drives->setCurrentIndex(1);
        drives->blockSignals(false);
        control<Directory_list>(dialog, "Dir1")->set_path(folder.filePath("sub"));
        drives->setCurrentIndex(0);
        QCOMPARE(control<Directory_list>(dialog, "Dir1")->path(), QDir::rootPath());
        const QStringList in_root =
            QDir::root().entryList({"*.chann", "*.CHANN"}, QDir::Files | QDir::CaseSensitive);
        QCOMPARE(grid_texts(dialog, "File1").size(), in_root.size());
    }

private:
    QWidget *window(bool save) const
    {
        return program->host().window(save ? Window_id::Save_chann : Window_id::Open_chann);
    }

    QWidget *open_dialog(bool save)
    {
        trigger(*program, save ? "File_save" : "File_Open");
        if (!window(save))
            qFatal("the file dialog did not open");
        return window(save);
    }

    static void type_name(QWidget *dialog, const QString &name)
    {
        auto *box = control<QLineEdit>(dialog, "Text1");
        box->clear();
        QTest::keyClicks(box, name);
    }

    // Types `name` into the dialog (opening it when needed) and confirms.
    QWidget *enter(bool save, const QString &name)
    {
        QWidget *dialog = window(save) ? window(save) : open_dialog(save);
        type_name(dialog, name);
        click(dialog, "Command_enter");
        return dialog;
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
        QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir folder;
    Message_recorder messages;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_file_dialogs)
#include "test_file_dialogs.moc"
