#pragma once

#include "core/bilingual.h"

#include <QString>

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
    // A question; true when the user answers Yes.
    virtual bool ask(const Message &message) = 0;
};

// The one way the program tells the user something.
namespace Messages {

// Exclamation icon, one OK button, title "操作提示" / "Operate prompt".
void show(const Bilingual &text, const QString &details = {});
void show(const Bilingual &text, const Bilingual &title, const QString &details = {});
// The same box without an icon.
void show_without_icon(const Bilingual &text, const Bilingual &title);
// A question with Yes and No, title "操作提示" / "Operate prompt"; true when
// the user answers Yes.
bool ask(const Bilingual &text);

// Replaces the presenter and returns the previous one; nullptr restores the
// message boxes. The caller keeps ownership.
Message_presenter *set_presenter(Message_presenter *presenter);

} // namespace Messages
} // namespace r7k
