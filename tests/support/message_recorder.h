#pragma once

#include "ui/messages.h"

#include <QList>

// Records every message instead of showing it, for as long as it lives.
class Message_recorder final : public r7k::Message_presenter {
public:
    Message_recorder();
    ~Message_recorder() override;

    void present(const r7k::Message &message) override;
    // Records the question with the messages and answers it.
    bool ask(const r7k::Message &question) override;

    QList<r7k::Message> messages;
    bool answer = false; // Yes or No to every question
    // Texts of the recorded messages, in order.
    QStringList texts() const;

private:
    r7k::Message_presenter *previous;
};
