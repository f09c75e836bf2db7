#include "channels/cell_editing.h"

#include "channels/channel_record.h"
#include "core/image.h"
#include "core/typed_key.h"

namespace r7k {

namespace {

constexpr int Longest_freq_text = 9;
constexpr int Longest_name_before_key = 7;

Grid_cell next_rx_cell(int row)
{
    return {qMin(row + 1, Channel_count), Rx_column};
}

} // namespace

bool Text_key_allowed(int column, int length, QChar typed)
{
    if (typed.isNull() || typed == Backspace_key)
        return true;
    if (column == Name_column)
        return typed == Enter_key || length <= Longest_name_before_key;
    return length <= Longest_freq_text;
}

bool Cell_editable(int channel, int column, const Data_image &image)
{
    switch (column) {
    case Number_column:
        return false;
    case Rx_column:
    case Tx_column:
        return true;
    case Encode_column:
        return Channel_has_tx(channel, image) && !Channel_is_empty(channel, image);
    default:
        return !Channel_is_empty(channel, image);
    }
}

Grid_cell Enter_target(Grid_cell from, const Data_image &image)
{
    switch (from.column) {
    case Rx_column:
        return {from.row, Tx_column};
    case Tx_column:
        return Channel_is_empty(from.row, image) ? next_rx_cell(from.row)
                                                 : Grid_cell{from.row, Decode_column};
    case Decode_column:
        return {from.row, Channel_has_tx(from.row, image) ? Encode_column : Power_column};
    case Encode_column:
    case Power_column:
    case Vox_column:
    case Band_column:
        return {from.row, from.column + 1};
    default:
        return next_rx_cell(from.row);
    }
}

} // namespace r7k
