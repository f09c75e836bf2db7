#include "message_recorder.h"

Message_recorder::Message_recorder() : previous(r7k::Messages::set_presenter(this)) {}

Message_recorder::~Message_recorder()
{
    r7k::Messages::set_presenter(previous);
}

void Message_recorder::present(const r7k::Message &message)
{
    messages.append(message);
}

bool Message_recorder::ask(const r7k::Message &question)
{
    messages.append(question);
    return answer;
}

QStringList Message_recorder::texts() const
{
    QStringList result;
    for (const r7k::Message &message : messages)
        result.append(message.text);
    return result;
}
