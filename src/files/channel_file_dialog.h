#pragma once

#include "files/file_name_check.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace r7k {

class Directory_list;
class Image_history;
class Window_host;

// How the file list of a channel file dialog is ordered: by name, or the
// newest first for the backups, whose names begin with the date and time
// they were kept.
enum class File_order { By_name, Newest_first };

// The dialog that loads the image from a channel file or saves it to one:
// a drive list, a folder list, the channel files of the folder and a name
// box. Confirm checks the name, then loads or saves "folder/name".
class Channel_file_dialog : public QDialog {
    Q_OBJECT
protected:
    // Before a save the unfinished edits of the windows of `window_host` are stored
    // in the image. The lists start in `folder`, or in the working folder when
    // none is given.
    Channel_file_dialog(Channel_file_dialog_kind dialog_kind, QWidget *parent,
                        Window_host &window_host, const QString &folder,
                        File_order file_order = File_order::By_name);

private:
    void choose_drive(int index);
    void show_drive_of(const QString &path);
    void list_files(const QString &folder);
    void confirm();

    Channel_file_dialog_kind kind;
    File_order order;
    Window_host &host;
    QComboBox *drives;
    Directory_list *folders;
    QListWidget *files;
    QLineEdit *name_box;
};

// Loads the image from the channel file at `path` as Confirm in the open
// dialog does, as one step of `history`: records the file as the image's
// origin, or tells the user why the file was not loaded and changes nothing.
// True when it was loaded.
bool Load_channel_file(const QString &path, Image_history &history);

// The same for a path the user gave whole (the program's command line): its
// file name is checked first, as the open dialog checks a typed name.
bool Open_channel_file(const QString &path, Image_history &history);

// The same with the message that File > Open shows after loading: for a
// file dropped onto the main window.
bool Open_channel_file_and_tell(const QString &path, Image_history &history);

// Form_open_chann: loads a channel file into the image.
class Form_open_chann final : public Channel_file_dialog {
    Q_OBJECT
public:
    Form_open_chann(QWidget *parent, Window_host &window_host, const QString &folder = {},
                    File_order file_order = File_order::By_name);
};

// Form_save_chann: saves the image to a channel file.
class Form_save_chann final : public Channel_file_dialog {
    Q_OBJECT
public:
    Form_save_chann(QWidget *parent, Window_host &window_host);
};

} // namespace r7k
