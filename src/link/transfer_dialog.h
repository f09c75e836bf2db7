#pragma once

#include "link/link_dialog.h"
#include "link/link_engine.h"

#include <memory>

class QLabel;

namespace r7k {

class Image_history;
class Window_host;

// The frame of the read, write and verify dialogs: an action button, Cancel
// and Help, the status line Label_tr_count and the progress bar ProgressBar1,
// driven by a transfer engine.
class Transfer_dialog : public Link_dialog {
    Q_OBJECT
public:
    // What tells the read, write and verify dialogs apart.
    struct Kind {
        const char *name;
        Bilingual caption;
        const char *action_name;
        Bilingual action;
        std::unique_ptr<Transfer_engine> (*make_engine)(Serial_line &, Timer_set &,
                                                        Link_listener &);
    };

    Transfer_engine &engine() { return *link; }

    void show_status(const Bilingual &text) override;
    void transfer_starting() override;
    bool busy() const override;
    void end_link() override;
    void back_up_image(const Data_image &image) override;
    void transfer_done(const Bilingual &done_status) override;

Q_SIGNALS:
    // A read has just filled the image, or a write is about to send it: the
    // program keeps a copy. Whatever befalls the copy, the transfer goes on.
    void image_to_back_up(const r7k::Data_image &image);
    // The transfer completed; `status` says so.
    void completed(const r7k::Bilingual &status);

protected:
    // Before a transfer the unfinished edits of the windows of `window_host`
    // are stored in the image.
    Transfer_dialog(QWidget *parent, Window_host &window_host, const Kind &kind,
                    Link_parts link_parts);

    void closeEvent(QCloseEvent *event) override;

    // The history of the image the transfer reads into or sends.
    Image_history &image_history();

private:
    Window_host &host;
    std::unique_ptr<Transfer_engine> link;
    QLabel *status;
};

// An engine of the given class on the program's image, for Kind::make_engine.
template <class Engine>
std::unique_ptr<Transfer_engine> Engine_on_image(Serial_line &line, Timer_set &timers,
                                                 Link_listener &listener)
{
    return std::make_unique<Engine>(line, timers, listener, chann);
}

// The one constructor of the transfer dialogs: each dialog is a class of its
// own, so that windows and tests can tell them apart, and differs only in its
// kind.
template <const Transfer_dialog::Kind &kind> class Transfer_dialog_of : public Transfer_dialog {
public:
    Transfer_dialog_of(QWidget *parent, Window_host &window_host,
                       Link_parts link_parts = System_link_parts())
        : Transfer_dialog(parent, window_host, kind, std::move(link_parts))
    {}
};

} // namespace r7k
