#pragma once

#include "channels/cell_editing.h"
#include "core/bilingual.h"
#include "core/image.h"

#include <QList>
#include <QString>
#include <optional>

namespace r7k {

// The channel table on the clipboard, as tab-separated text that spreadsheets
// read and write. Values are the texts the grid shows.

// Whole channels, after a line of the grid's column headings, all in the
// current language.
QString Channels_text(const QList<int> &channels, const Data_image &image);

// The block of cells from `first` to `last` (grid rows and columns), without
// headings.
QString Cells_text(Grid_cell first, Grid_cell last, const Data_image &image);

struct Paste_outcome {
    // The block of cells the paste went to.
    Grid_cell first{0, 0};
    Grid_cell last{0, 0};
    // The values that were not pasted, each with its channel, column and
    // reason; nothing when every value was.
    std::optional<Bilingual> message;
};

// Pastes tab-separated text into the image's table with its first line at channel
// `at.row`. A first line of column headings, in either language, tells which
// column each value belongs to; without one, the values fill the columns from
// `at.column` on, as in a spreadsheet. Each value is stored through the rule
// of typing it into its cell, the frequencies of a line before its other
// values; a value that typing would refuse is left out, and the rest of the
// line is stored. Values beyond channel 128 or the last column are left out
// as well.
Paste_outcome Paste_channels_text(const QString &text, Grid_cell at, Data_image &image);

} // namespace r7k
