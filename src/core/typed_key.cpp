#include "core/typed_key.h"

namespace r7k {

QChar Typed_character(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    if (key == Qt::Key_Backspace)
        return Backspace_key;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return Enter_key;
    if (modifiers & (Qt::ControlModifier | Qt::MetaModifier) || text.isEmpty() ||
        !text.front().isPrint())
        return {};
    return text.front();
}

QString Text_before_typing(QString text, int selection_start, int selection_length)
{
    if (selection_length > 0)
        text.remove(selection_start, selection_length);
    return text;
}

} // namespace r7k
