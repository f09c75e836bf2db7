#include "link/transfer_dialog.h"

#include "shell/dialog_placement.h"
#include "shell/main_window.h"
#include "shell/messages.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace r7k {

namespace {

const Bilingual Cancel_text{QStringLiteral("取消"), QStringLiteral("Cancel")};
const Bilingual Help_text{QStringLiteral("帮助"), QStringLiteral("Help")};

QPushButton *button(QWidget *parent, const char *name, const Bilingual &text)
{
    auto *b = new QPushButton(text.text(), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

Transfer_dialog::Transfer_dialog(QWidget *parent, const Kind &kind, Link_parts parts)
    : QDialog(parent), parts(std::move(parts)), status(new QLabel(this)),
      progress(new QProgressBar(this))
{
    setObjectName(QLatin1String(kind.name));
    setWindowTitle(kind.caption.text());
    setWindowModality(Qt::ApplicationModal);

    status->setObjectName(QStringLiteral("Label_tr_count"));
    progress->setObjectName(QStringLiteral("ProgressBar1"));
    progress->setRange(0, 100);
    progress->setValue(0);
    progress->setTextVisible(false);

    QPushButton *action = button(this, kind.action_name, kind.action);
    QPushButton *cancel = button(this, "Command_Cancel", Cancel_text);
    QPushButton *help = button(this, "Command_Help", Help_text);
    connect(action, &QPushButton::clicked, this, &Transfer_dialog::start);
    connect(cancel, &QPushButton::clicked, this, &Transfer_dialog::cancel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {action, cancel, help})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(status);
    layout->addWidget(progress);
    layout->addStretch();
    layout->addLayout(buttons);

    Dialog_placement::Size_from_main_window(this, 1.6, 3);
    Dialog_placement::Place_by_divisors(this, 2, 1.45);

    link = kind.make_engine(*this->parts.line, *this->parts.timers, *this);
    link->opened();
}

// The engine goes first: it stops its timers and closes the port while the
// line and the timers still exist.
Transfer_dialog::~Transfer_dialog()
{
    link.reset();
}

void Transfer_dialog::start()
{
    // A half-typed cell of the channel table belongs in the image that is
    // written (or in the one that a read replaces).
    if (Main_window *main = Main_window::instance())
        main->host().commit_pending_edits();
    link->start();
}

void Transfer_dialog::cancel()
{
    if (link->may_close())
        close();
}

void Transfer_dialog::closeEvent(QCloseEvent *event)
{
    link->shut_down();
    event->accept();
}

void Transfer_dialog::reject()
{
    close();
}

void Transfer_dialog::show_progress(int value)
{
    progress->setValue(value);
}

void Transfer_dialog::show_status(const Bilingual &text)
{
    status->setText(text.text());
}

void Transfer_dialog::show_message(const Bilingual &text, const Bilingual &title,
                                   const QString &details)
{
    Messages::show(text, title, details);
}

void Transfer_dialog::finished()
{
    close();
}

} // namespace r7k
