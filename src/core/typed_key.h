#pragma once

#include <QChar>
#include <QString>
#include <Qt>

namespace r7k {

// The two control characters that key filters treat as typed characters.
inline constexpr QChar Backspace_key{8};
inline constexpr QChar Enter_key{13};

// The character that a key press types: Backspace and Enter as the codes
// above, otherwise the printable character the key carries. Keys that type
// nothing (arrows, Home, End, Delete, Tab, Escape) and shortcuts such as
// select-all or copy give a null character: length limits and character
// filters never hold them back.
QChar Typed_character(int key, Qt::KeyboardModifiers modifiers, const QString &text);

// The text of a field that a typed character is added to: the selection
// (`selection_length` characters from `selection_start`), if any, is replaced
// by it.
QString Text_before_typing(QString text, int selection_start, int selection_length);

} // namespace r7k
