#include "files/channel_file_dialog.h"

#include "core/globals.h"
#include "core/image.h"
#include "core/image_history.h"
#include "files/channel_file.h"
#include "files/directory_list.h"
#include "files/volumes.h"
#include "ui/dialog_placement.h"
#include "ui/messages.h"
#include "ui/named.h"
#include "ui/window_host.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

namespace r7k {

namespace {

const Bilingual Open_step{QStringLiteral("打开"), QStringLiteral("Open")};

struct Dialog_texts {
    const char *control;
    Bilingual caption;
    Bilingual name_label;
    Bilingual done;
};

const Dialog_texts Open_texts{
    "Form_open_chann",
    {QStringLiteral("打开信道参数文件"), QStringLiteral("Open Channcle File")},
    {QStringLiteral("打开文件名："), QStringLiteral("Open File:")},
    {QStringLiteral("信道参数从文件调入成功 ！"),
     QStringLiteral("Succeed fold the channel parameter from file.")},
};
const Dialog_texts Save_texts{
    "Form_save_chann",
    {QStringLiteral("保存信道参数文件"), QStringLiteral("Save Channel File")},
    {QStringLiteral("保存文件名："), QStringLiteral("Save File:")},
    {QStringLiteral("信道参数保存完毕 ！"), QStringLiteral("Complete storing channel parameter.")},
};
const Bilingual Drive_label{QStringLiteral("驱动器："), QStringLiteral("Drive:")};
const Bilingual Confirm_caption{QStringLiteral("确  定"), QStringLiteral("Confirm")};
const Bilingual Cancel_caption{QStringLiteral("取  消"), QStringLiteral("Cancel")};
const Bilingual Cannot_open_drive{QStringLiteral("无法打开该驱动器。"),
                                  QStringLiteral("The drive cannot be opened.")};

const QString Initial_name = QStringLiteral("*.chann");
// The files the name check accepts.
const QStringList File_patterns{QStringLiteral("*.chann"), QStringLiteral("*.CHANN")};

const Dialog_texts &texts_of(Channel_file_dialog_kind kind)
{
    return kind == Channel_file_dialog_kind::Open ? Open_texts : Save_texts;
}

// Tells the user why a load or save failed; true when it did not.
bool reported(const Channel_file::Outcome &outcome)
{
    if (!outcome.ok)
        Messages::show(outcome.message, outcome.details.text());
    return outcome.ok;
}

} // namespace

Channel_file_dialog::Channel_file_dialog(Channel_file_dialog_kind dialog_kind, QWidget *parent,
                                         Window_host &window_host, const QString &folder,
                                         File_order file_order)
    : QDialog(parent), kind(dialog_kind), order(file_order), host(window_host),
      drives(Named("Drive1", new QComboBox(this))),
      folders(Named("Dir1", new Directory_list(this))),
      files(Named("File1", new QListWidget(this))),
      name_box(Named("Text1", new QLineEdit(Initial_name, this)))
{
    const Dialog_texts &texts = texts_of(kind);
    setObjectName(QLatin1String(texts.control));
    setWindowTitle(texts.caption.text());

    auto *confirm_button = Named("Command_enter", new QPushButton(Confirm_caption.text(), this));
    auto *cancel_button = Named("Command_cancel", new QPushButton(Cancel_caption.text(), this));
    confirm_button->setDefault(true);
    connect(confirm_button, &QPushButton::clicked, this, &Channel_file_dialog::confirm);
    connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);

    auto *grid = new QGridLayout;
    grid->addWidget(Named("Label_drive", new QLabel(Drive_label.text(), this)), 0, 0);
    grid->addWidget(drives, 0, 1);
    grid->addWidget(folders, 1, 0, 1, 2);
    grid->addWidget(files, 0, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Named("Label_name", new QLabel(texts.name_label.text(), this)));
    bottom->addWidget(name_box, 1);
    bottom->addWidget(confirm_button);
    bottom->addWidget(cancel_button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(bottom);

    connect(folders, &Directory_list::path_changed, this, &Channel_file_dialog::list_files);
    connect(files, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem *item) { name_box->setText(item->text()); });

    drives->addItems(Volume_roots());
    if (!folders->set_path(folder.isEmpty() ? QDir::currentPath() : folder))
        folders->set_path(QDir::homePath());
    show_drive_of(folders->path());
    connect(drives, &QComboBox::currentIndexChanged, this, &Channel_file_dialog::choose_drive);

    Dialog_placement::Size_from_main_window(this, 1.5, 1.3);
    Dialog_placement::Place_at_top(this);
}

void Channel_file_dialog::choose_drive(int index)
{
    const QString root = drives->itemText(index);
    if (!folders->set_path(root)) {
        Messages::show(Cannot_open_drive, QDir::toNativeSeparators(root));
        show_drive_of(folders->path());
    }
}

void Channel_file_dialog::show_drive_of(const QString &path)
{
    const QSignalBlocker quiet(drives);
    drives->setCurrentIndex(drives->findText(Volume_of(path, Volume_roots())));
}

void Channel_file_dialog::list_files(const QString &folder)
{
    files->clear();
    const QDir::SortFlags sort = order == File_order::Newest_first ? QDir::Name | QDir::Reversed
                                                                   : QDir::Name | QDir::IgnoreCase;
    files->addItems(QDir(folder).entryList(File_patterns, QDir::Files | QDir::CaseSensitive, sort));
    // Whole names: the list is at least as wide as its widest name.
    files->setMinimumWidth(files->sizeHintForColumn(0) + 2 * files->frameWidth() +
                           files->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void Channel_file_dialog::confirm()
{
    const File_name_problem problem = Check_file_name(name_box->text());
    if (problem != File_name_problem::None) {
        Messages::show(File_name_message(kind, problem));
        return;
    }
    const QString path = Channel_file_path(folders->path(), name_box->text());
    if (kind == Channel_file_dialog_kind::Open) {
        if (!Load_channel_file(path, host.history()))
            return;
    } else {
        host.commit_pending_edits();
        if (!reported(Channel_file::Save(path, chann)))
            return;
        Image_origin = {Image_source::File, path};
    }
    Messages::show(texts_of(kind).done);
    accept();
}

bool Load_channel_file(const QString &path, Image_history &history)
{
    const Image_step step(history, Open_step);
    if (!reported(Channel_file::Load(path, chann)))
        return false;
    Image_origin = {Image_source::File, path};
    return true;
}

bool Open_channel_file(const QString &path, Image_history &history)
{
    const File_name_problem problem = Check_file_name(QFileInfo(path).fileName());
    if (problem != File_name_problem::None) {
        Messages::show(File_name_message(Channel_file_dialog_kind::Open, problem));
        return false;
    }
    return Load_channel_file(QFileInfo(path).absoluteFilePath(), history);
}

bool Open_channel_file_and_tell(const QString &path, Image_history &history)
{
    if (!Open_channel_file(path, history))
        return false;
    Messages::show(Open_texts.done);
    return true;
}

Form_open_chann::Form_open_chann(QWidget *parent, Window_host &window_host, const QString &folder,
                                 File_order file_order)
    : Channel_file_dialog(Channel_file_dialog_kind::Open, parent, window_host, folder, file_order)
{}

Form_save_chann::Form_save_chann(QWidget *parent, Window_host &window_host)
    : Channel_file_dialog(Channel_file_dialog_kind::Save, parent, window_host, {})
{}

} // namespace r7k
