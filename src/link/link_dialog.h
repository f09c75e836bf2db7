#pragma once

#include "link/link_listener.h"
#include "link/link_parts.h"
#include "ui/window_host.h"

#include <QDialog>

class QProgressBar;
class QPushButton;

namespace r7k {

// What every dialog that talks to the radio shares: it is application-modal,
// owns the serial line and timers its engine runs on, shows the engine's
// progress in ProgressBar1 and its messages through the message facility,
// and closes when the engine is done with it, though not while a message
// box of its own is up: the close waits until the box has returned.
//
// A derived dialog owns its engine; being a member of the derived class, the
// engine is destroyed first, while the line and the timers still exist, so it
// can say goodbye to the radio and close the port.
class Link_dialog : public QDialog, public Link_listener, public Link_view {
    Q_OBJECT
public:
    void show_progress(int value) override;
    void show_message(const Bilingual &text, const Bilingual &title,
                      const QString &details) override;
    void finished() override;

protected:
    Link_dialog(QWidget *parent, const char *name, const Bilingual &caption, Link_parts link_parts);

    // A push button named `name`, captioned in the current language.
    QPushButton *make_button(const char *name, const Bilingual &caption);
    // The Help button, which has no function.
    QPushButton *make_help_button();

    // Escape closes the dialog the way its close box does.
    void reject() override;

    Link_parts parts;
    QProgressBar *progress;

private:
    int boxes_up = 0; // message boxes of this dialog, one over the other
    bool close_after_boxes = false;
};

} // namespace r7k
