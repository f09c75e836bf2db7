#pragma once

#include <QString>

namespace r7k {

// A text that exists in Chinese and in English; which one is shown is
// decided by the program-wide Language flag at the moment it is shown.
struct Bilingual {
    QString chinese;
    QString english;

    QString text() const;
    bool operator==(const Bilingual &) const = default;
};

// "操作提示" / "Operate prompt": the usual title of a message box.
const Bilingual &Operate_prompt();

} // namespace r7k
