#pragma once

#include "core/image.h"

#include <QString>
#include <array>

namespace r7k {

// Value of the leading decimal number of a text ("." as decimal point, leading
// blanks skipped); 0 when the text does not start with a number.
double Value_of(const QString &text);

// Decimal text of a number as the radio software has always written it: no
// leading blank, no leading zero before the point (.5), at most 15
// significant digits, no exponent.
QString Number_text(double value);

// Code 0..40 of a one-character name text; 11 (blank) for anything else.
int Char_to_code(const QString &character);

// Whole Hz below the leading number of a text (MHz), computed on its exact
// decimal value.
qint64 Hz_of(const QString &text);

// Packed BCD, index 0 the most significant byte.
using Bcd_bytes = std::array<int, 4>;

// Frequency text (MHz) to packed BCD in 10 Hz units, from the exact decimal
// value of the text; digits past the fifth decimal are cut off.
Bcd_bytes Freq_bcd(const QString &text);
// Offset text (MHz) to packed BCD in 1 Hz units, as above.
Bcd_bytes Offset_bcd(const QString &text);

// Freq_bcd and Offset_bcd that leave their result in Bcd_scratch and return
// Bcd_scratch[0].
int Freq_text_to_bcd(const QString &text);
int Offset_text_to_bcd(const QString &text);

// Four BCD bytes, b0 least significant, to "438.12500" / "5.250000".
// Both leave [hi(b1), lo(b1), hi(b0), lo(b0)] in Bcd_scratch.
QString Bcd_to_freq_text(int b0, int b1, int b2, int b3);
QString Bcd_to_offset_text(int b0, int b1, int b2, int b3);

// Snaps the frequency text down to the nearer of the 5 kHz and 6.25 kHz grids,
// rewrites the text in its nine-character form and stores the four BCD bytes
// at (row, column..column + 3) of the image, least significant byte first.
void Store_freq(QString &text, int row, int column, Data_image &image = chann);

// First of image rows 0..127 whose columns 0..3 all hold a frequency byte, or
// 255 when there is none.
int Find_first_used_channel(const Data_image &image = chann);

} // namespace r7k
