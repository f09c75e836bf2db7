#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace r7k {

namespace {

class Box_presenter final : public Message_presenter {
public:
    void present(const Message &message) override
    {
        QMessageBox box(message.exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                        message.title, message.text, QMessageBox::Ok, QApplication::activeWindow());
        if (!message.details.isEmpty())
            box.setDetailedText(message.details);
        box.exec();
    }

    bool ask(const Message &message) override
    {
        QMessageBox box(QMessageBox::Question, message.title, message.text,
                        QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }
};

Box_presenter box_presenter;
Message_presenter *current = &box_presenter;

void present(const Bilingual &text, const Bilingual &title, const QString &details,
             bool exclamation)
{
    current->present({text.text(), title.text(), details, exclamation});
}

} // namespace

namespace Messages {

void show(const Bilingual &text, const QString &details)
{
    present(text, Operate_prompt(), details, true);
}

void show(const Bilingual &text, const Bilingual &title, const QString &details)
{
    present(text, title, details, true);
}

void show_without_icon(const Bilingual &text, const Bilingual &title)
{
    present(text, title, {}, false);
}

bool ask(const Bilingual &text)
{
    Message question{text.text(), Operate_prompt().text(), {}, false, true};
    return current->ask(question);
}

Message_presenter *set_presenter(Message_presenter *presenter)
{
    Message_presenter *previous = current;
    current = presenter ? presenter : &box_presenter;
    return previous;
}

} // namespace Messages
} // namespace r7k
