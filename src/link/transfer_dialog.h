#pragma once

#include "link/link_engine.h"
#include "link/link_parts.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;

namespace r7k {

// The frame of the read and the write dialog: an action button, Cancel and
// Help, the status line Label_tr_count and the progress bar ProgressBar1,
// driven by a transfer engine.
class Transfer_dialog : public QDialog, public Link_listener {
    Q_OBJECT
public:
    ~Transfer_dialog() override;

    Transfer_engine &engine() { return *link; }

    void show_progress(int value) override;
    void show_status(const Bilingual &text) override;
    void show_message(const Bilingual &text, const Bilingual &title,
                      const QString &details) override;
    void finished() override;

protected:
    // What tells the read dialog from the write dialog.
    struct Kind {
        const char *name;
        Bilingual caption;
        const char *action_name;
        Bilingual action;
        std::function<std::unique_ptr<Transfer_engine>(Serial_line &, Timer_set &, Link_listener &)>
            make_engine;
    };

    Transfer_dialog(QWidget *parent, const Kind &kind, Link_parts parts);

    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void start();
    void cancel();

    Link_parts parts;
    std::unique_ptr<Transfer_engine> link;
    QLabel *status;
    QProgressBar *progress;
};

} // namespace r7k
