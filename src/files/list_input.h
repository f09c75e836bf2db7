#pragma once

#include <QByteArrayView>

namespace r7k {

// Reads items of text the way list input does: items stand between blanks,
// tabs, commas and line ends (CR LF, LF or CR alone), and a UTF-8 byte-order
// mark may open the text.
class List_input {
public:
    explicit List_input(QByteArrayView whole);

    // The next item; empty at the end of the text.
    QByteArrayView next();
    // The line, counted from 1, of the item read last.
    int line() const { return line_number; }

private:
    QByteArrayView text;
    qsizetype at = 0;
    int line_number = 1;
};

// What an item says as a number: an optional sign, digits with any number of
// leading zeros, and an optional decimal point with more digits. A whole
// value may be written with a point ("7.0"); one with a fraction ("7.5") is
// no whole value.
struct List_number {
    enum class Kind { Whole, Fraction, Not_a_number };
    // Whole values far beyond any byte are held at this size, sign kept.
    static constexpr int Held_at = 1'000'000;

    Kind kind = Kind::Not_a_number;
    int value = 0;
};

List_number Read_number(QByteArrayView item);

} // namespace r7k
