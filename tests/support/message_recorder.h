#pragma once

#include "ui/messages.h"

#include <QList>

// Records every message instead of showing it, for as long as it lives.
class Message_recorder final : public r7k::Message_presenter {
public:
    Message_recorder() : previous(r7k::Messages::set_presenter(this)) {}
    ~Message_recorder() override { r7k::Messages::set_presenter(previous); }

    void present(const r7k::Message &message) override { messages.append(message); }
    // Records the question with the messages and answers it.
    bool ask(const r7k::Message &question) override
    {
        messages.append(question);
        return answer;
    }

    QList<r7k::Message> messages;
    bool answer = false; // Yes or No to every question
    // Texts of the recorded messages, in order.
    QStringList texts() const
    {
        QStringList result;
        for (const r7k::Message &message : messages)
            result.append(message.text);
        return result;
    }

private:
    r7k::Message_presenter *previous;
};
