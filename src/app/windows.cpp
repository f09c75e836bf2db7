#include "app/windows.h"

#include "channels/channel_table.h"
#include "csv/csv_file_dialog.h"
#include "files/backups.h"
#include "files/channel_file_dialog.h"
#include "link/adjust_txp_dialog.h"
#include "link/comm_read_dialog.h"
#include "link/comm_verify_dialog.h"
#include "link/comm_write_dialog.h"
#include "settings/option_window.h"
#include "sheet/sheet_dialogs.h"
#include "shell/about_box.h"
#include "shell/file_drop.h"
#include "shell/main_window.h"
#include "shell/model_dialog.h"
#include "shell/port_dialog.h"
#include "ui/window_host.h"

#include <QDir>
#include <QTime>
#include <memory>

namespace r7k {

void Register_windows(Main_window &main)
{
    Window_host &host = main.host();
    host.set_factory(Window_id::Chann,
                     [&host](QWidget *parent) { return new Channel_table(parent, host); });
    host.set_factory(Window_id::Option,
                     [&host](QWidget *parent) { return new Option_window(parent, host); });
    host.set_factory(Window_id::Type, [&main](QWidget *parent) {
        auto *dialog = new Form_type(parent);
        QObject::connect(dialog, &Form_type::model_chosen, &main, &Main_window::show_band);
        return dialog;
    });
    host.set_factory(Window_id::Setup, [&main](QWidget *parent) {
        auto *dialog = new Form_setup(parent);
        QObject::connect(dialog, &Form_setup::port_chosen, &main, &Main_window::show_port);
        return dialog;
    });
    host.set_factory(Window_id::About, [](QWidget *parent) { return new frmAbout(parent); });
    host.set_factory(Window_id::Open_chann,
                     [&host](QWidget *parent) { return new Form_open_chann(parent, host); });
    host.set_factory(Window_id::Save_chann,
                     [&host](QWidget *parent) { return new Form_save_chann(parent, host); });
    host.set_factory(Window_id::Open_backup, [&host](QWidget *parent) {
        // The folder exists before the first backup, so that the dialog can show it.
        QDir().mkpath(Backups::Folder());
        return new Form_open_chann(parent, host, Backups::Folder(), File_order::Newest_first);
    });
    host.set_factory(Window_id::Export_csv,
                     [&host](QWidget *parent) { return new Csv_export_dialog(parent, host); });
    host.set_factory(Window_id::Import_csv, [&host](QWidget *parent) {
        return new Csv_import_dialog(parent, host.history());
    });
    host.set_factory(Window_id::Comm_read,
                     [&host](QWidget *parent) { return new Form_Comm_Read(parent, host); });
    host.set_factory(Window_id::Comm_write,
                     [&host](QWidget *parent) { return new Form_Comm_Write(parent, host); });
    host.set_factory(Window_id::Comm_verify,
                     [&host](QWidget *parent) { return new Form_Comm_Verify(parent, host); });
    host.set_factory(Window_id::Adjust_txp,
                     [](QWidget *parent) { return new Form_Adjust_Txp(parent); });
    host.set_factory(Window_id::Print_sheet,
                     [](QWidget *parent) { return new Sheet_print_dialog(parent); });
    host.set_factory(Window_id::Export_pdf,
                     [](QWidget *parent) { return new Sheet_export_dialog(parent); });

    // A file dropped onto the main window is opened as File > Open opens it,
    // or imported as File > Import CSV imports it; the windows then show the
    // image.
    auto *drop = new File_drop(&main);
    QObject::connect(drop, &File_drop::channel_file_dropped, &main, [&host](const QString &path) {
        if (Open_channel_file_and_tell(path, host.history()))
            host.activate_current();
    });
    QObject::connect(drop, &File_drop::csv_file_dropped, &main, [&host](const QString &path) {
        Import_csv_file(path, host.history());
        host.activate_current();
    });

    // Each transfer's image is backed up; a backup that fails shows in the
    // status bar, a later one that succeeds clears it. A completed write
    // stays in the status bar with its time of day, since its dialog closes
    // by itself; a failed backup of that write stays beside it.
    QObject::connect(&host, &Window_host::opened, &main, [&main](Window_id, QWidget *window) {
        auto *transfer = qobject_cast<Transfer_dialog *>(window);
        if (!transfer)
            return;
        const Backups::Kind kind = qobject_cast<Form_Comm_Write *>(window)
                                       ? Backups::Kind::Before_write
                                       : Backups::Kind::Read;
        auto backup = std::make_shared<Channel_file::Outcome>();
        QObject::connect(transfer, &Transfer_dialog::image_to_back_up, &main,
                         [&main, backup, kind](const Data_image &image) {
                             *backup = Backups::Keep(image, kind);
                             main.show_state(backup->ok ? Bilingual() : backup->message,
                                             backup->details);
                         });
        QObject::connect(transfer, &Transfer_dialog::completed, &main,
                         [&main, backup](const Bilingual &status) {
                             const QString time = QTime::currentTime().toString(u"HH:mm:ss");
                             Bilingual text{status.chinese.trimmed() + ' ' + time,
                                            status.english.trimmed() + ' ' + time};
                             if (!backup->ok)
                                 text = {text.chinese + "  " + backup->message.chinese,
                                         text.english + "  " + backup->message.english};
                             main.show_state(text, backup->details);
                         });
    });
}

std::unique_ptr<Main_window> Start_main_window(const QString &file)
{
    auto window = std::make_unique<Main_window>();
    Register_windows(*window);
    window->start_up();
    window->show();
    // The channel table opened at start-up shows the file's channels.
    if (!file.isEmpty() && Open_channel_file(file, window->host().history()))
        window->host().activate_current();
    return window;
}

} // namespace r7k
