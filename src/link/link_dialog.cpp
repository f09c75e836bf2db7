#include "link/link_dialog.h"

#include "ui/messages.h"

#include <QProgressBar>
#include <QPushButton>
#include <utility>

namespace r7k {

namespace {

const Bilingual Help_text{QStringLiteral("帮助"), QStringLiteral("Help")};

} // namespace

Link_dialog::Link_dialog(QWidget *parent, const char *name, const Bilingual &caption,
                         Link_parts link_parts)
    : QDialog(parent), parts(std::move(link_parts)), progress(new QProgressBar(this))
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption.text());
    setWindowModality(Qt::ApplicationModal);
    progress->setObjectName(QStringLiteral("ProgressBar1"));
    progress->setRange(0, 100);
    progress->setValue(0);
    progress->setTextVisible(false);
}

QPushButton *Link_dialog::make_button(const char *name, const Bilingual &caption)
{
    auto *button = new QPushButton(caption.text(), this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QPushButton *Link_dialog::make_help_button()
{
    return make_button("Command_Help", Help_text);
}

void Link_dialog::show_progress(int value)
{
    progress->setValue(value);
}

void Link_dialog::show_message(const Bilingual &text, const Bilingual &title,
                               const QString &details)
{
    ++boxes_up;
    Messages::show(text, title, details);
    // The code that showed the box goes on after it: the close comes later.
    if (--boxes_up == 0 && std::exchange(close_after_boxes, false))
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void Link_dialog::finished()
{
    if (boxes_up > 0)
        close_after_boxes = true;
    else
        close();
}

void Link_dialog::reject()
{
    close();
}

} // namespace r7k
