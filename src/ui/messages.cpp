#include "ui/messages.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace r7k {

namespace {

const Bilingual Yes_text{QStringLiteral("是"), QStringLiteral("Yes")};
const Bilingual No_text{QStringLiteral("否"), QStringLiteral("No")};

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

    bool ask(const Message &question) override
    {
        QMessageBox box(QMessageBox::Warning, question.title, question.text,
                        QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
        box.button(QMessageBox::Yes)->setText(Yes_text.text());
        box.button(QMessageBox::No)->setText(No_text.text());
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }
};

Box_presenter box_presenter;
Message_presenter *current = &box_presenter;

int messages_up = 0;
QList<std::function<void()>> waiting_for_no_message;

// Counts the message for as long as it is up.
template <class Show> auto while_up(Show show)
{
    ++messages_up;
    const auto answer = show();
    if (--messages_up == 0)
        for (const auto &action : std::exchange(waiting_for_no_message, {}))
            action();
    return answer;
}

void present(const Bilingual &text, const Bilingual &title, const QString &details,
             bool exclamation)
{
    while_up([&] {
        current->present({text.text(), title.text(), details, exclamation});
        return true;
    });
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
    return while_up([&] {
        return current->ask({text.text(), Operate_prompt().text(), {}, true, true});
    });
}

bool showing()
{
    return messages_up > 0;
}

void after_messages(std::function<void()> action)
{
    if (showing())
        waiting_for_no_message.append(std::move(action));
    else
        action();
}

Message_presenter *set_presenter(Message_presenter *presenter)
{
    Message_presenter *previous = current;
    current = presenter ? presenter : &box_presenter;
    return previous;
}

} // namespace Messages
} // namespace r7k
