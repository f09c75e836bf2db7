#include "link/transfer_dialog.h"

#include "ui/dialog_placement.h"
#include "ui/window_host.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace r7k {

namespace {

const Bilingual Cancel_text{QStringLiteral("取消"), QStringLiteral("Cancel")};

} // namespace

Transfer_dialog::Transfer_dialog(QWidget *parent, Window_host &window_host, const Kind &kind,
                                 Link_parts link_parts)
    : Link_dialog(parent, kind.name, kind.caption, std::move(link_parts)), host(window_host),
      status(new QLabel(this))
{
    status->setObjectName(QStringLiteral("Label_tr_count"));

    QPushButton *action = make_button(kind.action_name, kind.action);
    QPushButton *cancel = make_button("Command_Cancel", Cancel_text);
    QPushButton *help = make_help_button();
    connect(action, &QPushButton::clicked, this, [this] { link->start(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

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

    link = kind.make_engine(*parts.line, *parts.timers, *this);
    link->opened();
}

// A half-typed cell of the channel table belongs in the image that is
// written (or in the one that a read replaces).
void Transfer_dialog::transfer_starting()
{
    host.commit_pending_edits();
}

// Cancel, Escape and the window's close box alike: refused while a transfer
// runs, so that no stray key leaves the radio half written.
void Transfer_dialog::closeEvent(QCloseEvent *event)
{
    if (!link->may_close()) {
        event->ignore();
        return;
    }
    link->shut_down();
    event->accept();
}

Image_history &Transfer_dialog::image_history()
{
    return host.history();
}

bool Transfer_dialog::busy() const
{
    return link->link_busy;
}

void Transfer_dialog::end_link()
{
    link->shut_down();
}

void Transfer_dialog::show_status(const Bilingual &text)
{
    status->setText(text.text());
}

void Transfer_dialog::back_up_image(const Data_image &image)
{
    Q_EMIT image_to_back_up(image);
}

void Transfer_dialog::transfer_done(const Bilingual &done_status)
{
    Q_EMIT completed(done_status);
}

} // namespace r7k
