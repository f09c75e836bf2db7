#pragma once

#include "core/image.h"

#include <QChar>

namespace r7k {

struct Grid_cell {
    int row;
    int column;
    bool operator==(const Grid_cell &) const = default;
};

// Whether the editor of a text column (frequencies 1 and 2, name 8) takes a
// typed character (see Typed_character) added to a text of `length`
// characters (blanks at either end not counted). A frequency takes nothing
// but Backspace beyond 9 characters, a name nothing but Backspace and Enter
// beyond 7. Keys that type nothing always pass.
bool Text_key_allowed(int column, int length, QChar typed);

// Whether a cell of the channel can be edited at all: an empty channel has
// nothing to edit but its frequencies, and the encode tone of a channel that
// does not transmit cannot be chosen.
bool Cell_editable(int channel, int column, const Data_image &image = chann);

// Where Enter moves from a cell whose edit has just been stored: across the
// row through the cells that have something to edit, then to the RX cell of
// the next channel (the last channel stays on its own row).
Grid_cell Enter_target(Grid_cell from, const Data_image &image = chann);

} // namespace r7k
