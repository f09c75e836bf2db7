#pragma once

#include "core/image.h"

#include <QString>
#include <QStringList>

namespace r7k {

// The radio-wide settings live in two image rows: Settings_row (squelch,
// time-out, scan, battery save, work mode, step, duplex, offset) and Vfo_row
// (the frequency-mode record, laid out like a channel row). Each setting has
// a show rule (stored code -> shown value) and a store rule (shown value ->
// stored code) that touches only the setting's own cells and bits.

// The drop-down lists of the optional features window.
enum class Option_list {
    Sql,      // squelch level, Settings_row column 0
    TOT,      // time-out timer, column 1
    Scan_way, // scan resume method, column 2
    Mode,     // work mode, column 3 bits 2..3
    Step,     // frequency step, column 5
    Sft_d,    // duplex direction, column 6
    Vox,      // VOX level, Vfo_row column 10
    Decode,   // decode tone, Vfo_row column 8 and bit 0 of column 12
    Encode,   // encode tone, Vfo_row column 9 and bit 1 of column 12
    TXP,      // TX power, Vfo_row column 11 bit 1
    WN_TX,    // TX bandwidth, column 11 bit 2
    WN_RX,    // bandwidth, column 11 bit 0 (stored into bit 2 as well)
};

// The two switches of Settings_row column 3.
enum class Option_switch {
    Save, // battery save, bit 1
    Scan, // scan, bit 0
};

// The entries of a list in the current language; an entry's position is the
// list index the rules below use.
QStringList List_entries(Option_list list);

// The list index that the stored code shows; a code beyond the list shows as
// its last entry. The show rules read the program's image unless they are
// given another.
int Shown_index(Option_list list, const Data_image &image = chann);

// Stores the code of a list index.
void Store_index(Option_list list, int index);

// Stores the shown index back when the stored code lies beyond the list, so
// that the image holds what the window shows. The bit-coded lists never need
// it, and the bandwidth rule would overwrite the TX bandwidth, so they are
// left alone. A duplex direction is stored only when the user picks one,
// so a code beyond its list stays as it is.
void Lower_stored_code(Option_list list);

bool Shown_checked(Option_switch setting, const Data_image &image = chann);
void Store_checked(Option_switch setting, bool checked);

// The frequency-mode texts as shown: "438.12500" for the two frequencies,
// "5.000000" for the offset. Bytes that are not packed BCD (an erased radio
// holds 255s) show an empty text: there is no frequency to show.
QString Shown_rx_text(const Data_image &image = chann);
QString Shown_tx_text(const Data_image &image = chann);
QString Shown_offset_text(const Data_image &image = chann);

// Store the texts exactly as converted, without snapping to a channel grid.
// A value that four BCD bytes cannot hold is refused and nothing is stored.
bool Store_rx_text(const QString &text);
bool Store_tx_text(const QString &text);
// An empty offset text means no offset and stores four 255s.
bool Store_offset_text(const QString &text);

} // namespace r7k
