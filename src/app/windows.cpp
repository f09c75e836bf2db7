#include "app/windows.h"

#include "channels/channel_table.h"
#include "files/channel_file_dialog.h"
#include "link/adjust_txp_dialog.h"
#include "link/comm_read_dialog.h"
#include "link/comm_verify_dialog.h"
#include "link/comm_write_dialog.h"
#include "settings/option_window.h"
#include "shell/form_setup.h"
#include "shell/form_type.h"
#include "shell/frm_about.h"
#include "shell/main_window.h"
#include "shell/window_host.h"

namespace r7k {

void Register_windows(Window_host &host)
{
    host.set_factory(Window_id::Chann, [](QWidget *parent) { return new Channel_table(parent); });
    host.set_factory(Window_id::Option, [](QWidget *parent) { return new Option_window(parent); });
    host.set_factory(Window_id::Type, [](QWidget *parent) { return new Form_type(parent); });
    host.set_factory(Window_id::Setup, [](QWidget *parent) { return new Form_setup(parent); });
    host.set_factory(Window_id::About, [](QWidget *parent) { return new frmAbout(parent); });
    host.set_factory(Window_id::Open_chann,
                     [](QWidget *parent) { return new Form_open_chann(parent); });
    host.set_factory(Window_id::Save_chann,
                     [](QWidget *parent) { return new Form_save_chann(parent); });
    host.set_factory(Window_id::Comm_read,
                     [](QWidget *parent) { return new Form_Comm_Read(parent); });
    host.set_factory(Window_id::Comm_write,
                     [](QWidget *parent) { return new Form_Comm_Write(parent); });
    host.set_factory(Window_id::Comm_verify,
                     [](QWidget *parent) { return new Form_Comm_Verify(parent); });
    host.set_factory(Window_id::Adjust_txp,
                     [](QWidget *parent) { return new Form_Adjust_Txp(parent); });
}

std::unique_ptr<Main_window> Start_main_window(const QString &file)
{
    auto window = std::make_unique<Main_window>();
    Register_windows(window->host());
    window->start_up();
    window->show();
    // The channel table opened at start-up shows the file's channels.
    if (!file.isEmpty() && Open_channel_file(file))
        window->host().activate_current();
    return window;
}

} // namespace r7k
