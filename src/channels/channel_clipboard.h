#pragma once

#include "channels/cell_editing.h"
#include "channels/tab_text.h"
#include "core/bilingual.h"
#include "core/image.h"

#include <QList>
#include <QString>
#include <optional>

namespace r7k {

// The channel table of an image on the clipboard, as tab-separated text that
// spreadsheets read and write. Values are the texts the grid shows, except
// that a channel without a TX frequency says so in its TX cell ("no TX",
// "无发射"): an empty cell would make the paste give it one.

// Whole channels, after a line of the grid's column headings, all in the
// current language.
QString Channels_text(const QList<int> &channels, const Data_image &image);

// The block of cells from `first` to `last` (grid rows and columns), without
// headings.
QString Cells_text(Grid_cell first, Grid_cell last, const Data_image &image);

// The lines and values of pasted text: tab-separated as spreadsheets give
// it, or comma-separated when there is no tab and the first line is a line
// of column headings.
Tab_rows Pasted_rows(const QString &text);

struct Paste_outcome {
    // The block of cells the paste went to.
    Grid_cell first{0, 0};
    Grid_cell last{0, 0};
    // The values that were not pasted as they were, each with its channel,
    // column and reason; nothing when every value was.
    std::optional<Bilingual> message;
};

// Pastes lines of values into the image's table with the first line at
// channel `at.row`. A first line of column headings, in either language,
// tells which column each value belongs to; without one, the values fill the
// columns from `at.column` on, as in a spreadsheet, and when whole channels
// are selected lines of eight values fill the eight data columns. Each value
// is stored through the rule of typing it into its cell, the frequencies of a
// line before its other values; an empty value clears its cell (see
// Clear_cells). A value that typing would refuse is left out, and the rest of
// the line is stored. Values beyond channel 128 or the last column are left
// out as well.
Paste_outcome Paste_channel_rows(Tab_rows lines, Grid_cell at, bool whole_channels,
                                 Data_image &image);

// Empties cells as a spreadsheet does: an empty RX frequency deletes the
// channel, an empty tone is no tone, an empty name no name; power, VOX and
// bandwidth go back to what a new channel has; a TX frequency stays.
void Clear_cells(const QList<Grid_cell> &cells, Data_image &image);

} // namespace r7k
