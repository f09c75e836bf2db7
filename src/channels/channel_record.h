#pragma once

#include "core/bilingual.h"
#include "core/image.h"

#include <QString>
#include <QStringList>
#include <array>

namespace r7k {

// Columns of the channel table. Grid row n shows channel n.
enum Grid_column {
    Number_column,
    Rx_column,
    Tx_column,
    Decode_column,
    Encode_column,
    Power_column,
    Vox_column,
    Band_column,
    Name_column,
};
inline constexpr int Grid_column_count = 9;

using Row_texts = std::array<QString, Grid_column_count>;

// Image cells of a channel record (row = channel number).
namespace Record {
inline constexpr int Tx_freq = 0; // four BCD bytes, 255 in the first: no TX frequency
inline constexpr int Rx_freq = 4; // four BCD bytes, 255 in the first: empty channel
inline constexpr int Decode_tone = 8;
inline constexpr int Encode_tone = 9;
inline constexpr int Vox = 10;
inline constexpr int Power_band = 11; // bit 1 high power, bits 0 and 2 wide
inline constexpr int Polarity = 12;   // bit 0 decode inverted, bit 1 encode inverted
inline constexpr int Bytes = 16;
} // namespace Record

// The headings of the columns in the current language; their blanks widen
// their columns.
QStringList Channel_column_titles();

// The rules below work on the program's image unless they are given another.

bool Channel_is_empty(int channel, const Data_image &image = chann);
bool Channel_has_tx(int channel, const Data_image &image = chann);

// What a new channel gets besides its frequencies: tones off, VOX off, high
// power, wide, no inverted codes, further attributes erased.
void Set_channel_defaults(int channel, Data_image &image = chann);

// Erases the channel record; the name is kept.
void Clear_channel(int channel, Data_image &image = chann);

// Takes the TX frequency away: the channel only receives.
void Clear_tx_freq(int channel, Data_image &image = chann);

// Erases every channel record and every channel name.
void Clear_all_channels(Data_image &image = chann);

// The texts of grid row n in the current language; an empty channel shows
// nothing but its number, whatever stray bytes its record holds.
Row_texts Channel_row_texts(int channel, const Data_image &image = chann);

// Rewrites the record of an empty channel to all 255, so that stray bytes
// behind an erased RX frequency never reach the radio; the name is kept.
void Tidy_empty_channel(int channel, Data_image &image = chann);

// The text of a stored tone code: off for 0 and 255, codes above the DCS run
// shown as its last code.
QString Tone_cell_text(int code, bool inverted);

// The heading of a grid column in both languages, blanks included: they
// widen the column.
Bilingual Column_heading(int column);
// The same heading as a title outside the grid (a spreadsheet's, a printed
// sheet's, a message's): the widening blanks dropped, a blank between two
// words kept.
Bilingual Column_title(int column);

// Whether a grid column is edited by choosing from a list (3..7).
bool Is_list_column(int column);

// Entries of the drop-down list of a grid column (3..7) in the current
// language, or in the given one; the index of an entry is what choosing it
// stores.
QStringList Choice_items(int column);
QStringList Choice_items(int column, bool chinese);

// Stores the choice of list entry `index` of grid column 3..7 into the
// channel; bits of the power/band and polarity bytes not named by the column
// are kept.
void Store_choice(int channel, int column, int index, Data_image &image = chann);

// The list entry of grid column 3..7 that the channel's stored value stands
// for, the one Store_choice would have stored. As in the table, a tone code
// beyond the DCS run stands for its last code and a VOX level beyond the
// list for the list's last entry.
int Stored_choice(int channel, int column, const Data_image &image = chann);

} // namespace r7k
