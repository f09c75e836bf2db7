#pragma once

#include "core/bilingual.h"

#include <QString>
#include <functional>

namespace r7k {

// One message box as the user sees it, in the language in force when shown.
struct Message {
    QString text;
    QString title;
    QString details; // the system's own reason, when it gave one
    bool exclamation = true;
    bool question = false; // Yes and No instead of OK
};

// Shows messages; the program uses message boxes, tests install a recorder.
class Message_presenter {
public:
    virtual ~Message_presenter() = default;
    virtual void present(const Message &message) = 0;
    // A question with Yes and No; true for Yes. A presenter that knows no
    // questions shows it as a message and takes it as No.
    virtual bool ask(const Message &question)
    {
        present(question);
        return false;
    }
};

// The one way the program tells the user something.
namespace Messages {

// Exclamation icon, one OK button, title "操作提示" / "Operate prompt".
void show(const Bilingual &text, const QString &details = {});
void show(const Bilingual &text, const Bilingual &title, const QString &details = {});
// The same box without an icon.
void show_without_icon(const Bilingual &text, const Bilingual &title);
// The same box with Yes and No, No being the default: true when the user
// answers Yes.
bool ask(const Bilingual &text);

// True while a message is up. A message box runs an event loop of its own,
// so timers and the serial line keep working under it, while the code that
// showed it waits for it to return.
bool showing();
// Runs `action` as soon as no message is up: at once when none is, else when
// the last one has returned.
void after_messages(std::function<void()> action);

// Replaces the presenter and returns the previous one; nullptr restores the
// message boxes. The caller keeps ownership.
Message_presenter *set_presenter(Message_presenter *presenter);

} // namespace Messages
} // namespace r7k
