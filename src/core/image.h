#pragma once

#include <QtGlobal>
#include <array>

namespace r7k {

// A table of 16-bit cells, indexed (row, column). The data image and the
// buffer of raw radio replies are both of this kind.
template <int RowCount, int ColumnCount> class Cell_table {
public:
    static constexpr int rows = RowCount;
    static constexpr int columns = ColumnCount;

    qint16 &operator()(int row, int column) { return cells[at(row, column)]; }
    qint16 operator()(int row, int column) const { return cells[at(row, column)]; }

    // Sets rows first..last, columns firstColumn..lastColumn (all inclusive) to value.
    void fill(int first, int last, int firstColumn, int lastColumn, qint16 value)
    {
        for (int r = first; r <= last; ++r)
            for (int c = firstColumn; c <= lastColumn; ++c)
                (*this)(r, c) = value;
    }
    void clear() { cells.fill(0); }
    bool operator==(const Cell_table &) const = default;

private:
    static int at(int row, int column)
    {
        Q_ASSERT(row >= 0 && row < RowCount && column >= 0 && column < ColumnCount);
        return row * ColumnCount + column;
    }

    std::array<qint16, RowCount * ColumnCount> cells{};
};

// The data image: rows 0..300, columns 0..32. Row r, columns 0..15, mirror
// memory block r of the radio (addresses 16 r .. 16 r + 15); every cell in use
// holds a byte 0..255, 255 meaning erased. Columns 16..32 are unused.
using Data_image = Cell_table<301, 33>;
extern Data_image chann;

// Raw radio replies, one frame a row (a read keeps the reply to block n in row n).
using Reply_buffer = Cell_table<301, 71>;

inline constexpr int Block_bytes = 16;
inline constexpr int Channel_count = 128;
inline constexpr int Vfo_row = 131;      // frequency-mode record
inline constexpr int Radio_id_row = 139; // "ZRQ-47", written before every write
inline constexpr int Settings_row = 140; // optional features
inline constexpr int First_name_row = 144;
inline constexpr int Last_name_row = 271;
inline constexpr int Power_row = 240; // transmit power levels, columns 0..3

// Radio block 240 holds the transmit power levels, which the radio is tuned
// with; it also lies where channel 97's name would be. The power levels keep
// the block, and channel 97's name lives in a row of the image that is saved
// in channel files but never sent to the radio.
inline constexpr int Spare_name_row = 273;

// The image row that holds the name of channel 1..128.
constexpr int Name_row(int channel)
{
    const int row = channel + First_name_row - 1;
    return row == Power_row ? Spare_name_row : row;
}

// Start-up contents of the image.
void Reset_image(Data_image &image = chann);
// Factory channels 1..16 with empty names; other rows keep their contents.
void Load_default_image(Data_image &image = chann);
// Writes the radio model identifier "ZRQ-47" into row 139.
void Put_radio_id_row(Data_image &image = chann);

} // namespace r7k
