#include "files/list_input.h"

#include <QtGlobal>

namespace r7k {

namespace {

bool is_separator(char c)
{
    return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n';
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

const QByteArrayView Byte_order_mark("\xEF\xBB\xBF");

} // namespace

List_input::List_input(QByteArrayView whole) : text(whole)
{
    if (text.startsWith(Byte_order_mark))
        at = Byte_order_mark.size();
}

QByteArrayView List_input::next()
{
    for (; at < text.size() && is_separator(text[at]); ++at) {
        // CR LF is one line end; CR or LF alone is one too.
        const bool lf_after_cr = text[at] == '\n' && at > 0 && text[at - 1] == '\r';
        if ((text[at] == '\r' || text[at] == '\n') && !lf_after_cr)
            ++line_number;
    }
    const qsizetype start = at;
    while (at < text.size() && !is_separator(text[at]))
        ++at;
    return text.sliced(start, at - start);
}

List_number Read_number(QByteArrayView item)
{
    qsizetype at = 0;
    const bool negative = !item.isEmpty() && item[0] == '-';
    if (!item.isEmpty() && (item[0] == '-' || item[0] == '+'))
        ++at;
    int value = 0;
    int digits = 0;
    for (; at < item.size() && is_digit(item[at]); ++at, ++digits)
        value = qMin(value * 10 + (item[at] - '0'), List_number::Held_at);
    bool fraction = false;
    if (at < item.size() && item[at] == '.')
        for (++at; at < item.size() && is_digit(item[at]); ++at, ++digits)
            fraction = fraction || item[at] != '0';
    if (digits == 0 || at != item.size())
        return {};
    if (fraction)
        return {List_number::Kind::Fraction};
    return {List_number::Kind::Whole, negative ? -value : value};
}

} // namespace r7k
